#pragma once
// A list box of words on a list view over its own model. A sorted list takes tens of
// thousands of words one at a time at start-up: they are collected and handed to the views
// in one go, just before the list is next read or drawn, and put in order only as far as
// it is read: the first screen needs a partial sort, the rest waits until scrolled to.
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
    // Every word, pending ones included.
    int count();
    QString word(int index);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;

    // Hands the words added since the last call to the views.
    void publish();

private:
    // Puts the word of a row of a sorted list in its final place.
    void place(qsizetype row) const;
    void placeAll() const;

    bool sorted_;
    // What views have been told about. In a sorted list the first ordered_ words are in
    // their final order and no later word sorts before them, and so is the last word when
    // lastPlaced_; the rest are in no order yet, and no view has read them.
    mutable QStringList words_;
    mutable qsizetype ordered_ = 0;
    mutable bool lastPlaced_ = false;
    QStringList pending_; // added to a sorted list, not yet published
    bool publishQueued_ = false;
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
