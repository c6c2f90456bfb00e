#pragma once
// The days of practice the answer record tells of: the games of each day, the time played, the
// characters and the answers; and the run of days on which a daily goal was met. A day runs
// from 4:00 to 4:00 on the wall clock, so a late evening counts for that evening. Days are
// dates, never spans of 24 hours: a change of clock or time zone neither loses nor doubles one.
#include "progress/record/answerfile.h"

#include <QDate>
#include <map>
#include <optional>

namespace progress {

// The hour at which one day of practice gives way to the next.
constexpr int kDayStartHour = 4;

// The day a game named by this wall time was played on.
QDate practiceDay(const WallTime &wall);
// Today, from a date and time in its own time zone.
QDate practiceDay(const QDateTime &now);

struct PracticeDay {
    int games = 0;
    // The time spent on answers, from each word (or closed message) to Enter: what the record
    // keeps of a game's length. Time in a message box and after the last answer is not in it.
    qint64 playedMs = 0;
    qint64 characters = 0; // of the accepted answers, as the game counts them
    int accepted = 0;
    int failures = 0; // answers counted as mistakes
    double minutes() const { return playedMs / 60000.0; }
    // Characters a second of that time, and accepted answers as a percentage of those judged;
    // none without the time or a judged answer.
    std::optional<double> charsPerSecond() const;
    std::optional<double> accuracy() const;
};

class PracticeDays {
public:
    // No game is longer than the longest play time 設定.txt can hold; more is a hand-edited record.
    static constexpr qint64 kMaxGameMs = 32767 * 1000LL;

    // A fold over the record in its order: a game's rows follow one another.
    void add(const AnswerRow &row);
    PracticeDay day(QDate date) const;
    bool goalMet(QDate date, int goalMinutes) const;
    // The days in a row that met the goal, up to today: today counts once it is met, and
    // until then it does not break the run of the days before.
    int run(QDate today, int goalMinutes) const;

private:
    std::map<QDate, PracticeDay> days_;
    QString game_; // the game of the last row, and its day
    QDate gameDay_;
    qint64 gameMs_ = 0;
};

} // namespace progress
