#pragma once
// Review practice: the computer's reply is drawn among the same candidates as ever, a word on
// the review list that is due weighing more, the more the longer it is overdue, and one not
// yet due less: met too early, it would come back sooner than it needs. Every candidate keeps
// a chance; with weak-kana practice on as well, the two weights multiply.
#include "game/gameevents.h"

#include <QDate>
#include <vector>

namespace progress {
class KanaStats;
}

namespace review {

class ReviewList;
struct ReviewWord;

// How much more likely a word due today is than another candidate: 1 + kReviewPull times. A
// reply that starts with one kana has a few hundred candidates and the list a few words, so
// the pull is strong enough to be seen in a game.
constexpr double kReviewPull = 10.0;
// An overdue word pulls more, as its chance of recall falls below the target: at most this
// many times as much.
constexpr double kMostOverduePull = 5.0;
// A word not yet due weighs this against another candidate's 1.
constexpr double kNotDueWeight = 0.25;

// The weight of a candidate on `day`: `word` is its entry on the list, or none.
double reviewWeight(const ReviewWord *word, QDate day);

class ReviewDraw : public game::ReplyDraw {
public:
    // `weakKana`: the figures to aim at weak kana with as well, or none. `day`: the game's.
    ReviewDraw(const ReviewList &list, const progress::KanaStats *weakKana, QDate day)
        : list_(list), weakKana_(weakKana), day_(day)
    {
    }
    int pick(const platform::ListBox &candidates, double r) override;

private:
    const ReviewList &list_;
    const progress::KanaStats *weakKana_;
    QDate day_;
    std::vector<double> weights_;
};

} // namespace review
