#pragma once
// The memory model that spaces the reviews: FSRS-5, the Free Spaced Repetition Scheduler of
// the open-spaced-repetition project (Jarrett Ye and others), written from its published
// formulas with its published default parameters. A word's memory is its stability, the days
// until the chance of recalling it falls to 90%, and its difficulty, from 1 to 10; each review
// moves both by how it went.
namespace review::fsrs {

enum class Grade { Again = 1, Hard = 2, Good = 3, Easy = 4 };

struct Memory {
    double stability = 0;  // days
    double difficulty = 0; // 1 to 10
    bool operator==(const Memory &) const = default;
};

// The chance of recall the reviews are spaced for.
constexpr double kTargetRecall = 0.9;
constexpr double kMinStability = 0.01;
constexpr double kMaxStability = 36500;

// The memory after its first review.
Memory firstReview(Grade grade);
// The memory after a review `elapsedDays` after the one before; 0 for one on the same day.
Memory nextReview(const Memory &memory, int elapsedDays, Grade grade);
// The chance of recall `elapsedDays` after the last review.
double recall(const Memory &memory, double elapsedDays);
// The days from a review to the next, when recall has fallen to kTargetRecall: 1 at least.
int intervalDays(const Memory &memory);

} // namespace review::fsrs
