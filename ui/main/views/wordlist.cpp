#include "wordlist.h"

#include <QFont>

#include <algorithm>

namespace ui {

WordListModel::WordListModel(bool sorted, QObject *parent) : QAbstractListModel(parent), sorted_(sorted) {}

namespace {

// Rows a partial sort puts in order: more than a list box shows, few enough to be quick.
constexpr qsizetype kFirstRows = 256;

} // namespace

void WordListModel::add(const QString &word)
{
    const Span span{text_.size(), word.size()};
    text_ += word;
    if (!sorted_) {
        const int row = int(rows_.size());
        beginInsertRows(QModelIndex(), row, row);
        rows_.append(span);
        endInsertRows();
        return;
    }
    pending_.append(span);
    if (!publishQueued_) {
        publishQueued_ = true;
        QMetaObject::invokeMethod(this, &WordListModel::publish, Qt::QueuedConnection);
    }
}

void WordListModel::add(const platform::TextItems &words)
{
    if (words.count() == 0)
        return;
    if (!sorted_) {
        for (qsizetype i = 0; i < words.count(); ++i)
            add(words.at(i).toString());
        return;
    }
    const qsizetype offset = text_.size();
    if (text_.isEmpty())
        text_ = words.text; // shared, not copied
    else
        text_ += words.text;
    if (pending_.isEmpty() && offset == 0) {
        pending_ = words.spans;
    } else {
        pending_.reserve(pending_.size() + words.count());
        for (const Span &word : words.spans)
            pending_.append({offset + word.start, word.size});
    }
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
        const int first = int(rows_.size());
        beginInsertRows(QModelIndex(), first, first + int(pending_.size()) - 1);
        if (rows_.isEmpty())
            rows_.swap(pending_);
        else
            rows_ += pending_;
        endInsertRows();
        pending_.clear();
        return;
    }
    // Shown words stay where they are; each new one goes to its place, after equal ones.
    placeAll();
    std::sort(pending_.begin(), pending_.end(), [this](const Span &a, const Span &b) { return less(a, b); });
    for (const Span &word : std::as_const(pending_)) {
        const auto at = std::upper_bound(rows_.cbegin(), rows_.cend(), word,
                                         [this](const Span &a, const Span &b) { return less(a, b); });
        const int row = int(at - rows_.cbegin());
        beginInsertRows(QModelIndex(), row, row);
        rows_.insert(row, word);
        ++ordered_;
        endInsertRows();
    }
    pending_.clear();
}

bool WordListModel::less(const Span &a, const Span &b) const
{
    // By character codes. Most words differ in their first character already.
    if (a.size > 0 && b.size > 0 && text_[a.start] != text_[b.start])
        return text_[a.start] < text_[b.start];
    return view(a) < view(b);
}

void WordListModel::place(qsizetype row) const
{
    const qsizetype size = rows_.size();
    if (!sorted_ || row < ordered_ || row >= size || (row == size - 1 && lastPlaced_))
        return;
    const auto less = [this](const Span &a, const Span &b) { return this->less(a, b); };
    const qsizetype unordered = (lastPlaced_ ? size - 1 : size) - ordered_;
    // A list view with rows of one size measures the last row: the largest word, found alone.
    if (row == size - 1 && unordered > 2 * kFirstRows) {
        std::iter_swap(std::max_element(rows_.begin() + ordered_, rows_.end(), less), rows_.end() - 1);
        lastPlaced_ = true;
        return;
    }
    const qsizetype target = std::max(row + 1, ordered_ + kFirstRows);
    if (target - ordered_ >= unordered / 2) {
        placeAll();
        return;
    }
    const auto from = rows_.begin() + ordered_;
    std::partial_sort(from, rows_.begin() + target, from + unordered, less);
    ordered_ = target;
}

void WordListModel::placeAll() const
{
    if (!sorted_)
        return;
    // Equal words cannot be told apart, so the order among them is free.
    std::sort(rows_.begin() + ordered_, rows_.end() - (lastPlaced_ ? 1 : 0),
              [this](const Span &a, const Span &b) { return less(a, b); });
    ordered_ = rows_.size();
    lastPlaced_ = false;
}

void WordListModel::clear()
{
    pending_.clear();
    text_.clear();
    ordered_ = 0;
    lastPlaced_ = false;
    if (rows_.isEmpty())
        return;
    beginResetModel();
    rows_.clear();
    endResetModel();
}

int WordListModel::count()
{
    publish();
    return int(rows_.size());
}

QString WordListModel::word(int index)
{
    publish();
    if (index < 0 || index >= rows_.size())
        return {};
    place(index);
    return view(rows_[index]).toString();
}

void WordListModel::mark(const QString &word)
{
    marked_.insert(word);
}

int WordListModel::remove(QStringView word)
{
    marked_.remove(word.toString());
    publish();
    placeAll();
    int removed = 0;
    for (qsizetype row = rows_.size() - 1; row >= 0; --row) {
        if (view(rows_[row]) != word)
            continue;
        beginRemoveRows(QModelIndex(), int(row), int(row));
        rows_.remove(row);
        if (sorted_)
            --ordered_;
        endRemoveRows();
        ++removed;
    }
    return removed;
}

int WordListModel::firstStartingWith(QStringView text)
{
    publish();
    if (!sorted_) {
        for (qsizetype row = 0; row < rows_.size(); ++row)
            if (view(rows_[row]).startsWith(text))
                return int(row);
        return -1;
    }
    placeAll();
    // Sorted by character codes, so the words with that beginning follow one another.
    const auto at = std::lower_bound(rows_.cbegin(), rows_.cend(), text,
                                     [this](const Span &word, QStringView t) { return view(word) < t; });
    return at != rows_.cend() && view(*at).startsWith(text) ? int(at - rows_.cbegin()) : -1;
}

QModelIndex WordListModel::index(int row, int column, const QModelIndex &parent) const
{
    // The list view asks for every row's index when it lays the rows out: no detour
    // through rowCount and columnCount.
    return row >= 0 && row < rows_.size() && column == 0 && !parent.isValid() ? createIndex(row, 0) : QModelIndex();
}

int WordListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(rows_.size());
}

QVariant WordListModel::data(const QModelIndex &index, int role) const
{
    const bool font = role == Qt::FontRole && !marked_.isEmpty();
    if ((role != Qt::DisplayRole && !font) || !index.isValid() || index.row() >= rows_.size())
        return {};
    place(index.row());
    const QString word = view(rows_[index.row()]).toString();
    if (!font)
        return word;
    if (!marked_.contains(word))
        return {};
    QFont bold; // only the weight: the rest is the list's own font
    bold.setBold(true);
    return bold;
}

WordList::WordList(bool sorted, QWidget *parent) : QListView(parent), model_(new WordListModel(sorted, this))
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

void WordList::addItems(const platform::TextItems &items)
{
    model_->add(items);
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

// The focus goes where the player sees it: a list covered by another (the chain panel lies on
// the learned words) hands it to the list in front, so keys typed next show where they land.
void WordList::setFocus()
{
    WordList *shown = this;
    const QWidget *top = window();
    for (QWidget *w = top->childAt(mapTo(top, rect().center())); w && w != top; w = w->parentWidget()) {
        if (auto *list = qobject_cast<WordList *>(w)) {
            shown = list;
            break;
        }
    }
    shown->QListView::setFocus(Qt::OtherFocusReason);
}

} // namespace ui
