#include "wordlist.h"

#include <algorithm>

namespace ui {

WordListModel::WordListModel(bool sorted, QObject *parent)
    : QAbstractListModel(parent), sorted_(sorted)
{
}

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
    if (!mergeQueued_) {
        mergeQueued_ = true;
        QMetaObject::invokeMethod(this, &WordListModel::merge, Qt::QueuedConnection);
    }
}

void WordListModel::merge()
{
    mergeQueued_ = false;
    if (pending_.isEmpty())
        return;
    // By character codes; a word equal to one already listed goes after it.
    std::stable_sort(pending_.begin(), pending_.end());
    QStringList merged;
    merged.reserve(words_.size() + pending_.size());
    std::merge(words_.cbegin(), words_.cend(), pending_.cbegin(), pending_.cend(),
               std::back_inserter(merged));
    pending_.clear();
    beginResetModel();
    words_ = std::move(merged);
    endResetModel();
}

void WordListModel::clear()
{
    pending_.clear();
    if (words_.isEmpty())
        return;
    beginResetModel();
    words_.clear();
    endResetModel();
}

int WordListModel::count()
{
    merge();
    return int(words_.size());
}

QString WordListModel::word(int index)
{
    merge();
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
