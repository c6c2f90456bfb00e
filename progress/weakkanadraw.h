#pragma once
// Practice aimed at weak kana: the computer's reply is drawn among the same candidates, each
// weighted by how weak the player is on the kana it ends with, so the next answer more often
// has to start with one of them. Every candidate keeps a chance.
#include "game/gameevents.h"
#include "kanastats.h"

#include <span>

namespace progress {

// How much more likely a reply ending in the weakest kana is than one ending in a kana the
// player knows well or has not met enough: 1 + kPull times.
constexpr double kPull = 4.0;

double replyWeight(std::optional<double> weakness);
// A reply's weight by the kana it ends with.
double weakKanaWeight(const KanaStats &stats, const QString &reply);

// The index at which r (0 <= r < 1) falls when each weight takes its share of [0, 1) in order.
// With equal weights it is the game's own uniform draw, to the last rounding.
int weightedIndex(std::span<const double> weights, double r);

class WeakKanaDraw : public game::ReplyDraw {
public:
    explicit WeakKanaDraw(const KanaStats &stats) : stats_(stats) {}
    int pick(const platform::ListBox &candidates, double r) override;

private:
    const KanaStats &stats_;
    std::vector<double> weights_;
};

} // namespace progress
