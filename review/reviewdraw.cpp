#include "reviewdraw.h"

#include "platform/controls.h"
#include "progress/weakkanadraw.h"
#include "reviewlist.h"

#include <algorithm>

namespace review {

double reviewWeight(const ReviewWord *word, QDate day)
{
    if (!word)
        return 1.0;
    if (word->due > day)
        return kNotDueWeight;
    double pull = 1.0;
    if (word->memory) {
        // Days since the review that set the due day.
        const int since = int(word->due.daysTo(day)) + fsrs::intervalDays(*word->memory);
        const double forgotten = 1 - fsrs::recall(*word->memory, since);
        pull = std::clamp(forgotten / (1 - fsrs::kTargetRecall), 1.0, kMostOverduePull);
    }
    return 1.0 + kReviewPull * pull;
}

int ReviewDraw::pick(const platform::ListBox &candidates, double r)
{
    weights_.clear();
    for (int i = 0; i < candidates.count(); ++i) {
        const QString word = candidates.item(i);
        weights_.push_back(reviewWeight(list_.find(word), day_)
                           * (weakKana_ ? progress::weakKanaWeight(*weakKana_, word) : 1.0));
    }
    return progress::weightedIndex(weights_, r);
}

} // namespace review
