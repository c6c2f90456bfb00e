#include "reviewdraw.h"

#include "platform/controls.h"
#include "progress/weakkanadraw.h"
#include "reviewlist.h"

namespace review {

int ReviewDraw::pick(const platform::ListBox &candidates, double r)
{
    weights_.clear();
    for (int i = 0; i < candidates.count(); ++i) {
        const QString word = candidates.item(i);
        const double review = list_.contains(word) ? 1.0 + kReviewPull : 1.0;
        weights_.push_back(review * (weakKana_ ? progress::weakKanaWeight(*weakKana_, word) : 1.0));
    }
    return progress::weightedIndex(weights_, r);
}

} // namespace review
