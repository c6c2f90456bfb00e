#pragma once
// The progress window: the saved games' characters per second and accuracy over time, with a
// moving average and the personal best, filtered by play time; keystrokes per minute from the
// answer record; the calendar of practice against the daily goal; and the kana map with the
// weakest kana named beside it.
#include "progress/answerlog.h"
#include "progress/savedgames.h"

namespace platform {
class Clock;
}

#include <QWidget>

class QChart;
class QChartView;
class QComboBox;
class QLabel;

namespace ui {

class KanaMap;
class PracticeCalendar;

class ProgressWindow : public QWidget {
    Q_OBJECT
public:
    ProgressWindow(const files::History &history, progress::AnswerLog &answers, QWidget *parent = nullptr);

    // Takes the saved games and the answers as they are now and redraws everything.
    void refresh();
    // A part of its own below the rest, across the window.
    void addBelow(QWidget *part);
    // What the calendar measures days by: the clock that tells today (the system's until one
    // is set), and the minutes a day the player aims for.
    void setClock(const platform::Clock &clock) { clock_ = &clock; }
    void setDailyGoal(int minutes);

private:
    void showSavedGames();
    void showAnswers();

    const files::History &history_;
    progress::AnswerLog &answers_;
    progress::SavedGames saved_;
    QComboBox *playTime_;
    QLabel *summary_;
    QChartView *speedView_;
    QChartView *keysView_;
    KanaMap *map_;
    PracticeCalendar *calendar_;
    const platform::Clock *clock_ = nullptr;
    int dailyGoal_;
    QLabel *weakest_;
    QLabel *note_;
};

} // namespace ui
