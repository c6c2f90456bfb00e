#pragma once
// What the answers tell about each kana: how long the player stalls before a word that
// starts with it comes to mind, and how often that ends in a mistake. A fold over the
// answer record in its order, the same for the file read at start and for answers as they come.
#include "progress/record/answerfile.h"

#include <QHash>
#include <optional>
#include <vector>

namespace progress {

struct KanaRecord {
    int answers = 0;              // judged answers that had to start with it
    int failures = 0;             // of those, the ones counted as mistakes
    std::vector<qint32> stallsMs; // plausible stalls only
    // The median stall; none until kMinStalls plausible stalls are known.
    std::optional<qint64> medianStallMs() const;
};

class KanaStats {
public:
    // Fewer stalls than this, and the kana is unknown rather than good.
    static constexpr int kMinStalls = 3;
    // A stall outside this band is a key typed ahead or a player who stepped away; it is
    // dropped, the failure still counts.
    static constexpr qint64 kMinStallMs = 150;
    static constexpr qint64 kMaxStallMs = 30'000;

    void add(const AnswerRow &row);
    KanaRecord record(QChar kana) const { return kana_.value(kana); }
    bool isEmpty() const { return kana_.isEmpty(); }

    // How weak the player is on this kana, 0 (quick and sure) to 1; none while unknown.
    std::optional<double> weakness(QChar kana) const;
    // Up to `count` kana, weakest first, among those known.
    QList<QChar> weakest(int count) const;

private:
    std::optional<double> score(QChar kana) const;

    QHash<QChar, KanaRecord> kana_;
    // Scores cached until the next row, since every reply asks for many of them.
    mutable QHash<QChar, std::optional<double>> scores_;
};

} // namespace progress
