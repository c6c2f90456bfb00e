#pragma once
// The saved games of the history as the progress window charts them. The history is read
// once, by start-up; this only looks at the records it holds, through a small interface.
#include <QDateTime>
#include <QList>
#include <QString>

namespace progress {

// The history's records, oldest first: nine texts each, as the file holds them.
class HistoryRecords {
public:
    virtual ~HistoryRecords() = default;
    virtual qsizetype count() const = 0;
    // Field 0 to 8 of a record.
    virtual QString field(qsizetype record, int field) const = 0;
};

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

SavedGames readSavedGames(const HistoryRecords &history);

// Trailing means over `window` values, fewer at the start: a trend that lags, never leads.
QList<double> movingAverage(const QList<double> &values, int window);

} // namespace progress
