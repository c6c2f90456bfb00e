#pragma once
// The kana map: the gojūon table with the voiced and half-voiced rows, each kana coloured by
// the player's median stall on it, green (quick) to red (slow), grey while too few answers
// are known. Its tooltip tells the answers, the mistakes and the median.
#include "progress/kanastats.h"

#include <QWidget>
#include <array>

namespace ui {

class KanaMap : public QWidget {
    Q_OBJECT
public:
    explicit KanaMap(QWidget *parent = nullptr);
    void setStats(const progress::KanaStats &stats);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

    // Whether the map has a cell for the kana: only those can be named to the player.
    static bool shows(QChar kana);
    // The colour of a kana this weak (0 quick .. 1 slow), or not known yet; shared with the legend.
    static QColor colour(std::optional<double> weakness);

protected:
    void paintEvent(QPaintEvent *event) override;
    bool event(QEvent *event) override;

private:
    struct Cell {
        QChar kana;
        QRect rect;
        progress::KanaRecord record;
        std::optional<double> weakness;
    };
    void layoutCells();
    QString tip(const Cell &cell) const;

    std::vector<Cell> cells_;
};

} // namespace ui
