#include "gamereview.h"

#include "couldhaveused.h"

#include <algorithm>

namespace review {

void GameReview::gameStarted()
{
    ended_ = false;
    current_.clear();
    said_.clear();
    mistakes_.clear();
    stalls_.clear();
    accepted_.clear();
}

void GameReview::wordShown(const QString &word)
{
    if (!phase_.inGame())
        return;
    current_ = word;
    said_.append(word);
}

void GameReview::answerChecked(const game::AnswerCheck &)
{
    currentAtCheck_ = current_;
    answeredAtCheck_ = accepted_;
}

void GameReview::answerJudged(const game::AnswerJudgement &judgement)
{
    if (phase_.inGame() && judgement.playing && judgement.verdict == game::AnswerVerdict::Accepted) {
        said_.append(judgement.answer);
        accepted_.append(judgement.answer);
    }
}

void GameReview::answerRecorded(const progress::AnswerRow &row)
{
    // The meter records only answers whose Enter came in play, one judged behind its box after
    // the end included: the review takes them all, as the game counted them.
    if (currentAtCheck_.isEmpty())
        return;
    const ReviewMoment moment{{}, currentAtCheck_, row.answer, row.stallMs, answeredAtCheck_};
    if (progress::isFailure(row.verdict)) {
        // Two mistakes at one word are one moment: the words that would have served are the same.
        if (!mistakes_.isEmpty() && mistakes_.back().answered == answeredAtCheck_)
            return;
        mistakes_.append(moment);
        mistakes_.back().kind = ReviewMoment::Kind::Mistake;
    } else if (row.verdict == game::AnswerVerdict::Accepted && row.stallMs >= kLongStallMs) {
        stalls_.append(moment);
        stalls_.back().kind = ReviewMoment::Kind::LongStall;
        std::ranges::stable_sort(stalls_, std::greater<>(), &ReviewMoment::stallMs);
        if (stalls_.size() > kLongStallsKept)
            stalls_.removeLast();
    }
}

void GameReview::gameEnded(const game::GameResult &)
{
    ended_ = true;
}

QList<ReviewMoment> GameReview::moments() const
{
    // A long stall after a mistake at the same word would show the same words again.
    QList<ReviewMoment> out = mistakes_;
    for (const ReviewMoment &stall : stalls_)
        if (std::ranges::none_of(mistakes_, [&](const ReviewMoment &m) { return m.answered == stall.answered; }))
            out.append(stall);
    return out;
}

QList<ReviewEntry> GameReview::entries(std::span<const QString> dictionary,
                                       const std::function<int(const QString &)> &rank) const
{
    QList<ReviewEntry> out;
    for (const ReviewMoment &moment : moments()) {
        const SaidWords answered(moment.answered);
        out.append({moment, wordsYouCouldHaveUsed(moment.current, dictionary, answered, rank)});
    }
    return out;
}

} // namespace review
