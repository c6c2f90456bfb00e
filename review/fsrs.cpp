#include "fsrs.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace review::fsrs {
namespace {

// FSRS-5's default parameters w0 to w18, fitted by its authors on some hundred million reviews.
constexpr std::array<double, 19> w{0.40255, 1.18385, 3.173, 15.69105, 7.1949, 0.5345, 1.4604, 0.0046,  1.54575, 0.1192,
                                   1.01925, 1.9395,  0.11,  0.29605,  2.2698, 0.2315, 2.9898, 0.51655, 0.6621};

// The forgetting curve R(t) = (1 + kFactor * t / S)^kDecay, through 90% at t = S.
constexpr double kDecay = -0.5;
constexpr double kFactor = 19.0 / 81.0;

double g(Grade grade)
{
    return double(grade);
}

double clampDifficulty(double d)
{
    return std::clamp(d, 1.0, 10.0);
}

double clampStability(double s)
{
    return std::clamp(s, kMinStability, kMaxStability);
}

double initialDifficulty(Grade grade)
{
    return clampDifficulty(w[4] - std::exp(w[5] * (g(grade) - 1)) + 1);
}

// Each grade moves the difficulty less the nearer it is to 10, and a little back towards that
// of a first Easy.
double nextDifficulty(double d, Grade grade)
{
    const double delta = -w[6] * (g(grade) - 3);
    const double damped = d + delta * (10 - d) / 9;
    return clampDifficulty(w[7] * initialDifficulty(Grade::Easy) + (1 - w[7]) * damped);
}

// Recalled: the lower the recall was, the more the stability grows; the more stable and the
// harder the word, the less.
double stabilityAfterRecall(const Memory &m, double r, Grade grade)
{
    const double hard = grade == Grade::Hard ? w[15] : 1;
    const double easy = grade == Grade::Easy ? w[16] : 1;
    return m.stability
        * (std::exp(w[8]) * (11 - m.difficulty) * std::pow(m.stability, -w[9]) * (std::exp(w[10] * (1 - r)) - 1) * hard
               * easy
           + 1);
}

// Forgotten: a new, smaller stability, never above what a same-day Again leaves.
double stabilityAfterLapse(const Memory &m, double r)
{
    const double lapse =
        w[11] * std::pow(m.difficulty, -w[12]) * (std::pow(m.stability + 1, w[13]) - 1) * std::exp(w[14] * (1 - r));
    return std::min(lapse, m.stability / std::exp(w[17] * w[18]));
}

} // namespace

Memory firstReview(Grade grade)
{
    return {clampStability(w[int(grade) - 1]), initialDifficulty(grade)};
}

Memory nextReview(const Memory &memory, int elapsedDays, Grade grade)
{
    double stability = 0;
    if (elapsedDays <= 0) { // again the same day: the short-term formula
        stability = memory.stability * std::exp(w[17] * (g(grade) - 3 + w[18]));
    } else {
        const double r = recall(memory, elapsedDays);
        stability = grade == Grade::Again ? stabilityAfterLapse(memory, r) : stabilityAfterRecall(memory, r, grade);
    }
    return {clampStability(stability), nextDifficulty(memory.difficulty, grade)};
}

double recall(const Memory &memory, double elapsedDays)
{
    return std::pow(1 + kFactor * std::max(0.0, elapsedDays) / memory.stability, kDecay);
}

int intervalDays(const Memory &memory)
{
    const double days = memory.stability / kFactor * (std::pow(kTargetRecall, 1 / kDecay) - 1);
    return int(std::clamp(std::round(days), 1.0, kMaxStability));
}

} // namespace review::fsrs
