#pragma once
// The history grid: a table of text cells with one fixed header row and one fixed first
// column, addressed through a current cell as the game's logic expects. Row 0 is the
// view's header; column 0 is drawn in the header's colours. Rows added in bulk keep no
// texts: a cell's text is made when the view asks for it.
#include "platform/controls.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QTableView>
#include <array>
#include <memory>
#include <vector>

namespace ui {

// Qt alignment of a flex-grid alignment value (0..8: left/centre/right x top/centre/bottom).
Qt::Alignment flexAlignment(int value);

class HistoryGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kCols = 10;
    using Row = std::array<QString, kCols>;

    explicit HistoryGridModel(QObject *parent = nullptr);

    // Rows counted as the grid counts them: the header row included.
    int gridRows() const { return lazyCount_ + int(rows_.size()) + 1; }
    void setGridRows(int rows);
    QString cell(int row, int col) const;
    void setCell(int row, int col, const QString &text);
    void appendRows(std::shared_ptr<const platform::GridRows> rows);
    void setColAlignment(int col, int value);
    void setFixedAlignment(int col, int value);
    // Tells the views about rows appended since the last call, in one insertion.
    void publish();

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    void queuePublish();

    Row header_;
    // Grid rows 1.. : first the rows read from lazy_ (a row whose text was set is kept in
    // edited_ instead), then rows_.
    std::shared_ptr<const platform::GridRows> lazy_;
    int lazyCount_ = 0;
    QHash<int, Row> edited_;
    std::vector<Row> rows_;
    int announced_ = 1; // rows the views know of
    bool publishQueued_ = false;
    std::array<int, kCols> colAlign_;
    std::array<int, kCols> fixedAlign_;
};

class HistoryGrid : public QTableView, public platform::Grid {
    Q_OBJECT
public:
    explicit HistoryGrid(QWidget *parent = nullptr);

    int rows() const override;
    void setRows(int rows) override;
    int row() const override;
    void setRow(int row) override;
    int col() const override;
    void setCol(int col) override;
    QString text() const override;
    void setText(const QString &text) override;
    void setColWidth(int col, int twips) override;
    void setColAlignment(int col, int alignment) override;
    void setFixedAlignment(int col, int alignment) override;
    int topRow() const override;
    void setTopRow(int row) override;
    void setFontSize(float points) override;
    void appendRows(std::shared_ptr<const platform::GridRows> rows) override;

    HistoryGridModel *gridModel() const { return model_; }

protected:
    void updateGeometries() override;
    void showEvent(QShowEvent *event) override;

private:
    void applyTopRow();

    HistoryGridModel *model_;
    int row_ = 1;
    int col_ = 0;
    // A top row asked for before the view could scroll to it (before it was first laid out).
    int wantedTop_ = -1;
};

} // namespace ui
