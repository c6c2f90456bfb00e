#pragma once
// What a game leaves to look back on: each counted mistake, and the answers the player
// stalled longest before, with the computer's word then and the player's answers accepted
// before it, so the words that would have served can be found once the game is over.
#include "game/rules.h"
#include "progress/record/answerfile.h"

#include <QStringList>
#include <functional>
#include <span>

namespace review {

struct ReviewMoment {
    enum class Kind { Mistake, LongStall };
    Kind kind = Kind::Mistake;
    QString current; // the computer's word the answer had to follow
    QString answer;  // what the player answered
    qint64 stallMs = 0;
    // The player's answers accepted before it: what the game's duplicate rule read then (the
    // computer's words may come again). The same list is the same moment.
    QStringList answered;
    // The kana the answer had to start with.
    QChar needed() const { return game::expectedKana(current); }
};

// A moment and the words that would have served then.
struct ReviewEntry {
    ReviewMoment moment;
    QStringList words;
};

class GameReview : public game::GameEvents {
public:
    // Stalls shorter than this are no moment to look back on.
    static constexpr qint64 kLongStallMs = 3000;
    static constexpr int kLongStallsKept = 2;

    explicit GameReview(const game::Phase &phase) : phase_(phase) {}

    // Each row of the answer record as the recorder makes it, while it is made.
    void answerRecorded(const progress::AnswerRow &row);

    // Whether a game has ended since the program started; its moments until the next starts.
    bool hasGame() const { return ended_; }
    // The mistakes in their order, then the longest stalls, longest first.
    QList<ReviewMoment> moments() const;
    // Each moment with up to three words of `dictionary` that would have passed every rule,
    // those that `rank` higher first (see wordsYouCouldHaveUsed).
    QList<ReviewEntry> entries(std::span<const QString> dictionary,
                               const std::function<int(const QString &)> &rank = {}) const;
    // Every word of the last game's chain, the computer's and the player's, in order.
    const QStringList &said() const { return said_; }
    // Words the player answered correctly in the last game, in order.
    const QStringList &accepted() const { return accepted_; }

    void gameStarted() override;
    void wordShown(const QString &word) override;
    void answerChecked(const game::AnswerCheck &check) override;
    void answerJudged(const game::AnswerJudgement &judgement) override;
    void gameEnded(const game::GameResult &result) override;

private:
    const game::Phase &phase_;
    bool ended_ = false;
    QString current_;
    QStringList said_;
    QStringList answeredAtCheck_; // the player's answers as they stood when Enter was pressed
    QString currentAtCheck_;
    QList<ReviewMoment> mistakes_;
    QList<ReviewMoment> stalls_;
    QStringList accepted_;
};

} // namespace review
