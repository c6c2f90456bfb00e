#include "practicedays.h"

#include <algorithm>

namespace progress {

QDate practiceDay(const WallTime &wall)
{
    // On the wall clock, not 4 hours back in time: on the morning a clock goes forward, 4:30
    // is only 3 hours after midnight.
    return wall.time.hour() < kDayStartHour ? wall.date.addDays(-1) : wall.date;
}

QDate practiceDay(const QDateTime &now)
{
    return practiceDay(WallTime{now.date(), now.time()});
}

std::optional<double> PracticeDay::charsPerSecond() const
{
    return playedMs > 0 ? std::optional(characters * 1000.0 / playedMs) : std::nullopt;
}

std::optional<double> PracticeDay::accuracy() const
{
    const int judged = accepted + failures;
    return judged > 0 ? std::optional(100.0 * accepted / judged) : std::nullopt;
}

void PracticeDays::add(const AnswerRow &row)
{
    const bool newGame = !gameDay_.isValid() || row.game != game_;
    if (newGame) {
        const std::optional<WallTime> start = readWallTime(row.game);
        if (!start) // a row the reader accepted always has one
            return;
        game_ = row.game;
        gameDay_ = practiceDay(*start);
        gameMs_ = 0;
    }
    PracticeDay &day = days_[gameDay_];
    day.games += newGame ? 1 : 0;
    const qint64 ms = std::min(row.stallMs + row.typingMs, kMaxGameMs - gameMs_);
    gameMs_ += ms;
    day.playedMs += ms;
    if (row.verdict == game::AnswerVerdict::Accepted) {
        ++day.accepted;
        day.characters += row.answer.size();
    } else if (isFailure(row.verdict)) {
        ++day.failures;
    }
}

PracticeDay PracticeDays::day(QDate date) const
{
    const auto found = days_.find(date);
    return found == days_.end() ? PracticeDay() : found->second;
}

bool PracticeDays::goalMet(QDate date, int goalMinutes) const
{
    const auto found = days_.find(date);
    return found != days_.end() && found->second.playedMs >= goalMinutes * 60'000LL;
}

int PracticeDays::run(QDate today, int goalMinutes) const
{
    QDate day = goalMet(today, goalMinutes) ? today : today.addDays(-1);
    int days = 0;
    while (goalMet(day, goalMinutes))
        ++days, day = day.addDays(-1);
    return days;
}

} // namespace progress
