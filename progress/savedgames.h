#pragma once
// The saved games of the history as the progress window charts them. The history is read
// once, by start-up; this only looks at the records it holds.
#include <QDateTime>
#include <QList>
#include <QPointF>
#include <QString>
#include <QTimeZone>

#include "progress/record/answerfile.h"

namespace files {
class History;
}

namespace progress {

// Milliseconds since the epoch of local wall times, each date looked up once: a chart places
// tens of thousands of times, mostly a few on each day. A time on the day a clock change
// happens may sit an hour off, which a chart of months does not show.
class EpochMs {
public:
    qint64 operator()(const WallTime &wall);

private:
    QTimeZone zone_ = QTimeZone::systemTimeZone(); // its rules read once, not at every date
    QDate day_;
    qint64 midnight_ = 0;
};

struct SavedGame {
    qint64 savedAtMs = 0; // since the epoch
    int accepted = 0;
    int rejected = 0;
    int characters = 0;
    int playSeconds = 0;
    // Characters a second over the play time, and accepted answers as a percentage of all.
    double charsPerSecond() const { return double(characters) / playSeconds; }
    double accuracy() const;
};

struct SavedGames {
    QList<SavedGame> games;
    int unreadable = 0; // records with a date, a time, a play time or a count the charts cannot place
};

SavedGames readSavedGames(const files::History &history);

// Trailing means over `window` values, fewer at the start: a trend that lags, never leads.
QList<double> movingAverage(const QList<double> &values, int window);

// A line of at most about 2 * `runs` points that draws as the whole one at that width: the
// lowest and the highest point of each run of neighbours, in their order.
QList<QPointF> thinned(const QList<QPointF> &points, int runs);

} // namespace progress
