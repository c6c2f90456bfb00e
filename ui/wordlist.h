#pragma once
// A list box of words on a list view over its own model. A sorted list takes tens of
// thousands of words one at a time at start-up: they are collected and merged into place
// in one go, just before the list is next read or drawn.
#include "platform/controls.h"

#include <QAbstractListModel>
#include <QListView>
#include <QStringList>

namespace ui {

class WordListModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit WordListModel(bool sorted, QObject *parent = nullptr);

    void add(const QString &word);
    void clear();
    // Every word, pending ones merged in.
    int count();
    QString word(int index);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;

    // Merges the words added since the last merge into their sorted places.
    void merge();

private:
    bool sorted_;
    QStringList words_;   // what views have been told about
    QStringList pending_; // added to a sorted list, not yet merged
    bool mergeQueued_ = false;
};

class WordList : public QListView, public platform::ListBox {
    Q_OBJECT
public:
    WordList(bool sorted, QWidget *parent = nullptr);

    void addItem(const QString &text) override;
    void clear() override;
    int count() const override;
    QString item(int index) const override;
    void setFocus() override;

    WordListModel *wordModel() const { return model_; }

private:
    WordListModel *model_;
};

} // namespace ui
