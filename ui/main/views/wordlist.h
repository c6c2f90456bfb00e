#pragma once
// A list box of words on a list view over its own model. The words are kept in one text,
// each row a place in it, and become strings only when read or drawn. A sorted list takes
// tens of thousands of words at start-up: they reach the views in one go, just before the
// list is next read or drawn, and are put in order only as far as they are read: the first
// screen needs a partial sort, the rest waits until scrolled to.
#include "platform/controls.h"

#include <QAbstractListModel>
#include <QListView>
#include <QSet>
#include <QStringList>

namespace ui {

class WordListModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit WordListModel(bool sorted, QObject *parent = nullptr);

    void add(const QString &word);
    void add(const platform::TextItems &words);
    void clear();
    // Every word, pending ones included.
    int count();
    QString word(int index);
    // Rows holding a marked word are drawn bold.
    void mark(const QString &word);
    // Takes every row holding the word away, and its mark; how many there were.
    int remove(QStringView word);
    // The first row that begins with the text, or -1.
    int firstStartingWith(QStringView text);
    // Every word, in no particular order.
    template <typename Visit>
    void forEachWord(Visit visit)
    {
        publish();
        for (const Span &word : std::as_const(rows_))
            visit(view(word));
    }

    QModelIndex index(int row, int column = 0, const QModelIndex &parent = QModelIndex()) const override;
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;

    // Hands the words added since the last call to the views.
    void publish();

private:
    using Span = platform::TextItems::Span;

    QStringView view(const Span &word) const { return QStringView(text_).sliced(word.start, word.size); }
    bool less(const Span &a, const Span &b) const;
    // Puts the word of a row of a sorted list in its final place.
    void place(qsizetype row) const;
    void placeAll() const;

    bool sorted_;
    QString text_; // every word added, one after another
    // The rows views have been told about. In a sorted list the first ordered_ rows are in
    // their final order and no later word sorts before them, and so is the last row when
    // lastPlaced_; the rest are in no order yet, and no view has read them.
    mutable QList<Span> rows_;
    mutable qsizetype ordered_ = 0;
    mutable bool lastPlaced_ = false;
    QList<Span> pending_; // added to a sorted list, not yet published
    QSet<QString> marked_;
    bool publishQueued_ = false;
};

class WordList : public QListView, public platform::ListBox {
    Q_OBJECT
public:
    WordList(bool sorted, QWidget *parent = nullptr);

    void addItem(const QString &text) override;
    void addItems(const platform::TextItems &items) override;
    void clear() override;
    int count() const override;
    QString item(int index) const override;
    void setFocus() override;

    WordListModel *wordModel() const { return model_; }

private:
    WordListModel *model_;
};

} // namespace ui
