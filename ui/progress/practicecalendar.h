#pragma once
// The calendar of practice: the last 26 weeks, a column a week, each day coloured by the
// minutes played against the daily goal; today's minutes and the run of days the goal was met
// above it. Hovering a day tells its games, minutes, characters per second and accuracy.
#include "progress/practicedays.h"

#include <QWidget>
#include <vector>

class QLabel;

namespace ui {

class PracticeCalendar : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWeeks = 26;

    explicit PracticeCalendar(QWidget *parent = nullptr);
    // The days up to `today` from `days`, measured against `goalMinutes`.
    void setDays(const progress::PracticeDays &days, QDate today, int goalMinutes);

    // The shade of a day with this much play (0 none .. 4 twice the goal); shared with the legend.
    static int level(qint64 playedMs, int goalMinutes);
    static QColor colour(int level);
    // What hovering the day shows.
    static QString tip(QDate date, const progress::PracticeDay &day);

private:
    class Grid;
    void retranslate();

    QLabel *today_;
    Grid *grid_;
    QLabel *legend_;
    progress::PracticeDay todayFigures_;
    int goal_ = 0;
    int run_ = 0;
};

} // namespace ui
