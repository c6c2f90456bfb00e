#include "kanastats.h"

#include "platform/kana/kana.h"

#include <algorithm>
#include <cmath>

namespace progress {
namespace {

// A stall this short is as good as it gets, this long as weak; log-scaled between.
constexpr double kQuickSeconds = 1.5;
constexpr double kWeakSeconds = 10.0;

} // namespace

std::optional<qint64> KanaRecord::medianStallMs() const
{
    if (stallsMs.size() < size_t(KanaStats::kMinStalls))
        return std::nullopt;
    std::vector<qint32> sorted = stallsMs;
    const size_t mid = sorted.size() / 2;
    std::nth_element(sorted.begin(), sorted.begin() + mid, sorted.end());
    if (sorted.size() % 2 == 1)
        return sorted[mid];
    const qint32 below = *std::max_element(sorted.begin(), sorted.begin() + mid);
    return (qint64(below) + sorted[mid]) / 2;
}

void KanaStats::add(const AnswerRow &row)
{
    // Spelling trouble (a long-sound end, letters that made no kana) says nothing about the kana.
    if (row.expected.isNull() || (row.verdict != game::AnswerVerdict::Accepted && !isFailure(row.verdict)))
        return;
    KanaRecord &r = kana_[platform::normaliseSmallKana(row.expected)];
    ++r.answers;
    if (isFailure(row.verdict))
        ++r.failures;
    if (row.stallMs >= kMinStallMs && row.stallMs <= kMaxStallMs)
        r.stallsMs.push_back(qint32(row.stallMs));
    scores_.clear();
}

// The median stall in seconds, made longer by the share of mistakes: a mistake costs as much
// as the stall itself.
std::optional<double> KanaStats::score(QChar kana) const
{
    const auto cached = scores_.constFind(kana);
    if (cached != scores_.cend())
        return *cached;
    std::optional<double> score;
    const auto found = kana_.constFind(kana);
    if (found != kana_.cend()) {
        if (const std::optional<qint64> median = found->medianStallMs())
            score = *median / 1000.0 * (1.0 + double(found->failures) / found->answers);
    }
    scores_.insert(kana, score);
    return score;
}

std::optional<double> KanaStats::weakness(QChar kana) const
{
    const std::optional<double> s = score(kana);
    if (!s)
        return std::nullopt;
    const double t = std::log(*s / kQuickSeconds) / std::log(kWeakSeconds / kQuickSeconds);
    return std::clamp(t, 0.0, 1.0);
}

QList<QChar> KanaStats::weakest(int count) const
{
    QList<std::pair<double, QChar>> known;
    for (auto it = kana_.cbegin(); it != kana_.cend(); ++it)
        if (const std::optional<double> s = score(it.key()))
            known.append({*s, it.key()});
    std::sort(known.begin(), known.end(),
              [](const auto &a, const auto &b) { return a.first != b.first ? a.first > b.first : a.second < b.second; });
    QList<QChar> out;
    for (qsizetype i = 0; i < known.size() && i < count; ++i)
        out.append(known[i].second);
    return out;
}

} // namespace progress
