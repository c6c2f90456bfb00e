#pragma once
// What a game tells about the words on the review list, from play alone. An answer with one is
// a review, graded by how soon its first key came; a counted mistake where one would have
// served is a lapse. The computer saying one is no grade: the player only heard it.
#include "gamereview.h"
#include "reviewlist.h"

#include <functional>
#include <optional>

namespace review {

class PlayGrades : public game::GameEvents {
public:
    // The player's usual stall before a word that starts with the kana; none while unknown.
    using UsualStall = std::function<std::optional<qint64>(QChar kana)>;

    // Each row of the answer record as it is made.
    void answerRecorded(const progress::AnswerRow &row);
    void gameStarted() override;

    // Per word of the list the last game told about: Good for an answer whose first key came
    // within the usual time for its kana (or while that is unknown), Hard for a slower one;
    // Again for a word that would have passed every rule at one of `moments`' mistakes and
    // was not answered later in the game.
    QList<GradedWord> grades(const ReviewList &list, const QList<ReviewMoment> &moments, const UsualStall &usual) const;

private:
    QList<progress::AnswerRow> accepted_;
};

} // namespace review
