#include "historygrid.h"

#include "ui/base/fonts.h"

#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>

namespace ui {

Qt::Alignment flexAlignment(int value)
{
    static constexpr Qt::Alignment horizontal[3] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
    static constexpr Qt::Alignment vertical[3] = {Qt::AlignTop, Qt::AlignVCenter, Qt::AlignBottom};
    if (value < 0 || value > 8) // "general": text reads from the left
        return Qt::AlignLeft | Qt::AlignVCenter;
    return horizontal[value / 3] | vertical[value % 3];
}

HistoryGridModel::HistoryGridModel(QObject *parent) : QAbstractTableModel(parent)
{
    colAlign_.fill(9);
    fixedAlign_.fill(9);
    rows_.resize(1); // laid out with one empty row under the header
}

void HistoryGridModel::queuePublish()
{
    if (!publishQueued_) {
        publishQueued_ = true;
        QMetaObject::invokeMethod(this, &HistoryGridModel::publish, Qt::QueuedConnection);
    }
}

void HistoryGridModel::setGridRows(int rows)
{
    const int wanted = std::max(rows, 1) - 1;
    const int have = gridRows() - 1;
    if (wanted > have) {
        rows_.resize(wanted - lazyCount_);
        queuePublish();
    } else if (wanted < have) {
        publish();
        beginRemoveRows(QModelIndex(), wanted, have - 1);
        if (wanted < lazyCount_) {
            lazyCount_ = wanted;
            edited_.removeIf([wanted](QHash<int, Row>::iterator row) { return row.key() >= wanted; });
            if (lazyCount_ == 0)
                lazy_.reset();
        }
        rows_.resize(wanted - lazyCount_);
        announced_ = wanted;
        endRemoveRows();
    }
}

void HistoryGridModel::appendRows(std::shared_ptr<const platform::GridRows> rows)
{
    const int count = rows->count();
    if (count <= 0)
        return;
    if (lazyCount_ == 0 && rows_.empty()) {
        lazy_ = std::move(rows);
        lazyCount_ = count;
    } else {
        // Only a grid without rows reads them lazily; after other rows they are copied.
        for (int r = 0; r < count; ++r) {
            Row &row = rows_.emplace_back();
            for (int col = 0; col < kCols; ++col)
                row[col] = rows->cell(r, col);
        }
    }
    queuePublish();
}

void HistoryGridModel::publish()
{
    publishQueued_ = false;
    const int have = gridRows() - 1;
    if (have <= announced_)
        return;
    beginInsertRows(QModelIndex(), announced_, have - 1);
    announced_ = have;
    endInsertRows();
}

QString HistoryGridModel::cell(int row, int col) const
{
    if (col < 0 || col >= kCols || row < 0 || row >= gridRows())
        return {};
    if (row == 0)
        return header_[col];
    const int r = row - 1;
    if (r >= lazyCount_)
        return rows_[r - lazyCount_][col];
    const auto edited = edited_.constFind(r);
    return edited != edited_.cend() ? (*edited)[col] : lazy_->cell(r, col);
}

void HistoryGridModel::setCell(int row, int col, const QString &text)
{
    if (col < 0 || col >= kCols || row < 0 || row >= gridRows())
        return;
    if (row == 0) {
        header_[col] = text;
        emit headerDataChanged(Qt::Horizontal, col, col);
        return;
    }
    const int r = row - 1;
    if (r >= lazyCount_) {
        rows_[r - lazyCount_][col] = text;
    } else {
        if (!edited_.contains(r)) {
            Row &copy = edited_[r];
            for (int c = 0; c < kCols; ++c)
                copy[c] = lazy_->cell(r, c);
        }
        edited_[r][col] = text;
    }
    if (r >= announced_)
        return;
    const QModelIndex changed = index(r, col);
    emit dataChanged(changed, changed, {Qt::DisplayRole});
}

void HistoryGridModel::setColAlignment(int col, int value)
{
    if (col < 0 || col >= kCols)
        return;
    colAlign_[col] = value;
    if (announced_ > 0)
        emit dataChanged(index(0, col), index(announced_ - 1, col), {Qt::TextAlignmentRole});
}

void HistoryGridModel::setFixedAlignment(int col, int value)
{
    if (col < 0 || col >= kCols)
        return;
    fixedAlign_[col] = value;
    emit headerDataChanged(Qt::Horizontal, col, col);
    if (col == 0 && announced_ > 0)
        emit dataChanged(index(0, 0), index(announced_ - 1, 0), {Qt::TextAlignmentRole});
}

int HistoryGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : announced_;
}

int HistoryGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : kCols;
}

QVariant HistoryGridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const int col = index.column();
    switch (role) {
    case Qt::DisplayRole:
        return cell(index.row() + 1, col);
    case Qt::TextAlignmentRole:
        // Column 0 is fixed: its cells follow the fixed alignment.
        return int(flexAlignment(col == 0 ? fixedAlign_[0] : colAlign_[col]));
    default:
        return {};
    }
}

QVariant HistoryGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= kCols)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return header_[section];
    case Qt::TextAlignmentRole:
        return int(flexAlignment(fixedAlign_[section]));
    default:
        return {};
    }
}

Qt::ItemFlags HistoryGridModel::flags(const QModelIndex &index) const
{
    return index.isValid() ? Qt::ItemIsEnabled : Qt::NoItemFlags;
}

namespace {

// Draws the cells of the fixed column as header sections.
class FixedColumnDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter *painter, const QStyleOptionViewItem &item, const QModelIndex &index) const override
    {
        const QWidget *view = item.widget;
        QStyleOptionHeader header;
        header.initFrom(view);
        header.state = QStyle::State_Enabled | QStyle::State_Raised;
        header.rect = item.rect;
        header.orientation = Qt::Vertical;
        header.position = QStyleOptionHeader::Middle;
        header.text = index.data(Qt::DisplayRole).toString();
        header.textAlignment = Qt::Alignment(index.data(Qt::TextAlignmentRole).toInt());
        header.fontMetrics = item.fontMetrics;
        painter->save();
        painter->setFont(item.font);
        view->style()->drawControl(QStyle::CE_Header, &header, painter, view);
        painter->restore();
    }
};

} // namespace

HistoryGrid::HistoryGrid(QWidget *parent) : QTableView(parent), model_(new HistoryGridModel(this))
{
    setModel(model_);
    setItemDelegateForColumn(0, new FixedColumnDelegate(this));
    verticalHeader()->hide();
    for (QHeaderView *header : {horizontalHeader(), verticalHeader()}) {
        header->setMinimumSectionSize(0);
        header->setSectionResizeMode(QHeaderView::Fixed);
        header->setHighlightSections(false);
    }
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setStretchLastSection(false);
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setCornerButtonEnabled(false);
    setWordWrap(false);
    setTextElideMode(Qt::ElideNone);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setFocusPolicy(Qt::StrongFocus);
    setFont(layoutFont(9));
    setFontSize(9);
}

int HistoryGrid::rows() const
{
    return model_->gridRows();
}

void HistoryGrid::setRows(int rows)
{
    model_->setGridRows(rows);
    row_ = std::min(row_, model_->gridRows() - 1);
}

int HistoryGrid::row() const
{
    return row_;
}

void HistoryGrid::setRow(int row)
{
    if (row >= 0 && row < model_->gridRows())
        row_ = row;
}

int HistoryGrid::col() const
{
    return col_;
}

void HistoryGrid::setCol(int col)
{
    if (col >= 0 && col < HistoryGridModel::kCols)
        col_ = col;
}

QString HistoryGrid::text() const
{
    return model_->cell(row_, col_);
}

void HistoryGrid::setText(const QString &text)
{
    model_->setCell(row_, col_, text);
}

void HistoryGrid::setColWidth(int col, int twips)
{
    setColumnWidth(col, int(std::lround(twips / 15.0)));
}

void HistoryGrid::setColAlignment(int col, int alignment)
{
    model_->setColAlignment(col, alignment);
}

void HistoryGrid::setFixedAlignment(int col, int alignment)
{
    model_->setFixedAlignment(col, alignment);
}

int HistoryGrid::topRow() const
{
    if (wantedTop_ > 0)
        return wantedTop_;
    return verticalScrollBar()->value() + 1;
}

void HistoryGrid::setTopRow(int row)
{
    if (row < 1 || row >= model_->gridRows())
        return;
    wantedTop_ = row;
    applyTopRow();
}

void HistoryGrid::applyTopRow()
{
    if (wantedTop_ < 1)
        return;
    model_->publish();
    // The scroll range follows the rows only after a layout pass: bring it up to date.
    QTableView::updateGeometries();
    verticalScrollBar()->setValue(wantedTop_ - 1);
    // Before the grid is shown its size is not final; keep the wish until then.
    if (isVisible())
        wantedTop_ = -1;
}

void HistoryGrid::updateGeometries()
{
    QTableView::updateGeometries();
    if (wantedTop_ > 0 && isVisible()) {
        verticalScrollBar()->setValue(wantedTop_ - 1);
        wantedTop_ = -1;
    }
}

void HistoryGrid::showEvent(QShowEvent *event)
{
    QTableView::showEvent(event);
    applyTopRow();
}

void HistoryGrid::appendRows(std::shared_ptr<const platform::GridRows> rows)
{
    model_->appendRows(std::move(rows));
}

void HistoryGrid::setFontSize(float points)
{
    QFont grid = font();
    grid.setPixelSize(pixelsForPoints(points));
    setFont(grid);
    // A row is as tall as the text plus a small margin, as the classic grid draws it; the
    // face's own line spacing would make rows of some Japanese faces much taller.
    const int rowHeight = grid.pixelSize() + 3;
    verticalHeader()->setDefaultSectionSize(rowHeight);
    horizontalHeader()->setFixedHeight(rowHeight);
}

} // namespace ui
