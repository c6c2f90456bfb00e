#pragma once
// Review practice: the computer's reply is drawn among the same candidates as ever, a word on
// the review list weighing more, so review words come back in play. Every candidate keeps a
// chance; with weak-kana practice on as well, the two weights multiply.
#include "game/gameevents.h"

#include <vector>

namespace progress {
class KanaStats;
}

namespace review {

class ReviewList;

// How much more likely a review word is than another candidate: 1 + kReviewPull times. A
// reply that starts with one kana has a few hundred candidates and the list a few words, so
// the pull is strong enough to be seen in a game.
constexpr double kReviewPull = 10.0;

class ReviewDraw : public game::ReplyDraw {
public:
    // `weakKana`: the figures to aim at weak kana with as well, or none.
    ReviewDraw(const ReviewList &list, const progress::KanaStats *weakKana) : list_(list), weakKana_(weakKana) {}
    int pick(const platform::ListBox &candidates, double r) override;

private:
    const ReviewList &list_;
    const progress::KanaStats *weakKana_;
    std::vector<double> weights_;
};

} // namespace review
