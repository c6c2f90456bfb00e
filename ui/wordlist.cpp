#include "wordlist.h"

#include <algorithm>

namespace ui {

WordListModel::WordListModel(bool sorted, QObject *parent)
    : QAbstractListModel(parent), sorted_(sorted)
{
}

namespace {

// Rows a partial sort puts in order: more than a list box shows, few enough to be quick.
constexpr qsizetype kFirstRows = 256;

} // namespace

void WordListModel::add(const QString &word)
{
    if (!sorted_) {
        const int row = int(words_.size());
        beginInsertRows(QModelIndex(), row, row);
        words_.append(word);
        endInsertRows();
        return;
    }
    pending_.append(word);
    if (!publishQueued_) {
        publishQueued_ = true;
        QMetaObject::invokeMethod(this, &WordListModel::publish, Qt::QueuedConnection);
    }
}

void WordListModel::publish()
{
    publishQueued_ = false;
    if (pending_.isEmpty())
        return;
    if (ordered_ == 0 && !lastPlaced_) {
        // No view has read a word yet: the new ones join the unordered rest.
        const int first = int(words_.size());
        beginInsertRows(QModelIndex(), first, first + int(pending_.size()) - 1);
        words_ += pending_;
        endInsertRows();
        pending_.clear();
        return;
    }
    // Shown words stay where they are; each new one goes to its place, after equal ones.
    placeAll();
    std::sort(pending_.begin(), pending_.end());
    for (const QString &word : std::as_const(pending_)) {
        const int row = int(std::upper_bound(words_.cbegin(), words_.cend(), word) - words_.cbegin());
        beginInsertRows(QModelIndex(), row, row);
        words_.insert(row, word);
        ++ordered_;
        endInsertRows();
    }
    pending_.clear();
}

void WordListModel::place(qsizetype row) const
{
    const qsizetype size = words_.size();
    if (!sorted_ || row < ordered_ || row >= size || (row == size - 1 && lastPlaced_))
        return;
    const qsizetype unordered = (lastPlaced_ ? size - 1 : size) - ordered_;
    // A list view with rows of one size measures the last row: the largest word, found alone.
    if (row == size - 1 && unordered > 2 * kFirstRows) {
        std::iter_swap(std::max_element(words_.begin() + ordered_, words_.end()), words_.end() - 1);
        lastPlaced_ = true;
        return;
    }
    const qsizetype target = std::max(row + 1, ordered_ + kFirstRows);
    if (target - ordered_ >= unordered / 2) {
        placeAll();
        return;
    }
    const auto from = words_.begin() + ordered_;
    std::partial_sort(from, words_.begin() + target, from + unordered);
    ordered_ = target;
}

void WordListModel::placeAll() const
{
    if (!sorted_)
        return;
    // By character codes. Equal words cannot be told apart, so the order among them is free.
    std::sort(words_.begin() + ordered_, words_.end() - (lastPlaced_ ? 1 : 0));
    ordered_ = words_.size();
    lastPlaced_ = false;
}

void WordListModel::clear()
{
    pending_.clear();
    ordered_ = 0;
    lastPlaced_ = false;
    if (words_.isEmpty())
        return;
    beginResetModel();
    words_.clear();
    endResetModel();
}

int WordListModel::count()
{
    publish();
    return int(words_.size());
}

QString WordListModel::word(int index)
{
    publish();
    place(index);
    return words_.value(index);
}

int WordListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(words_.size());
}

QVariant WordListModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= words_.size())
        return {};
    place(index.row());
    return words_.at(index.row());
}

WordList::WordList(bool sorted, QWidget *parent)
    : QListView(parent), model_(new WordListModel(sorted, this))
{
    setModel(model_);
    setUniformItemSizes(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void WordList::addItem(const QString &text)
{
    model_->add(text);
}

void WordList::clear()
{
    model_->clear();
}

int WordList::count() const
{
    return model_->count();
}

QString WordList::item(int index) const
{
    return model_->word(index);
}

void WordList::setFocus()
{
    QListView::setFocus(Qt::OtherFocusReason);
}

} // namespace ui
