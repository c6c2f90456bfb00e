#pragma once
// The saved games of the history as the progress window charts them. The history is read
// once, by start-up; this only looks at the records it holds.
#include <QDateTime>
#include <QList>
#include <QString>

namespace files {
class History;
}

namespace progress {

struct SavedGame {
    QDateTime savedAt;
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
    int unreadable = 0; // records with a date, a time or a play time the charts cannot place
};

SavedGames readSavedGames(const files::History &history);

// Trailing means over `window` values, fewer at the start: a trend that lags, never leads.
QList<double> movingAverage(const QList<double> &values, int window);

} // namespace progress
