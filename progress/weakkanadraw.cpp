#include "weakkanadraw.h"

#include "game/rules.h"
#include "platform/controls.h"
#include "platform/kana/kana.h"

#include <algorithm>
#include <functional>

namespace progress {

double replyWeight(std::optional<double> weakness)
{
    return 1.0 + kPull * weakness.value_or(0.0);
}

double weakKanaWeight(const KanaStats &stats, const QString &reply)
{
    return reply.isEmpty() ? 1.0 : replyWeight(stats.weakness(platform::normaliseSmallKana(reply.back())));
}

int weightedIndex(std::span<const double> weights, double r)
{
    if (std::ranges::adjacent_find(weights, std::not_equal_to<>()) == weights.end())
        return game::uniformReplyIndex(int(weights.size()), r);
    double total = 0;
    for (const double w : weights)
        total += w;
    const double target = r * total;
    double below = 0;
    for (size_t i = 0; i < weights.size(); ++i) {
        below += weights[i];
        if (below > target)
            return int(i);
    }
    return int(weights.size()) - 1; // rounding at the very top
}

int WeakKanaDraw::pick(const platform::ListBox &candidates, double r)
{
    weights_.clear();
    for (int i = 0; i < candidates.count(); ++i)
        weights_.push_back(weakKanaWeight(stats_, candidates.item(i)));
    return weightedIndex(weights_, r);
}

} // namespace progress
