#pragma once
// Measures each answer given in play and makes it a row of the answer record: the stall
// before the first key, the typing up to Enter, the keys and Backspaces. It hears the game's
// events, and from the answer box the keys and the answers it refuses itself.
#include "answerfile.h"
#include "game/gameevents.h"
#include "platform/services.h"

#include <functional>

namespace progress {

class AnswerMeter : public game::GameEvents {
public:
    using Sink = std::function<void(const AnswerRow &)>;
    AnswerMeter(const platform::Clock &clock, const game::Phase &phase, Sink sink)
        : clock_(clock), phase_(phase), sink_(std::move(sink))
    {
    }

    // A key that typed or erased something in the answer box.
    void keyTyped(bool erases);
    // A system input method composed text: its keys never reach the box, but its first
    // preedit comes with the first key.
    void inputMethodUsed();
    // The box kept an answer with letters that made no kana from being judged.
    void strayLettersRefused(const QString &text);

    void gameStarted() override;
    void wordShown(const QString &word) override;
    void answerChecked(const game::AnswerCheck &check) override;
    void answerJudged(const game::AnswerJudgement &judgement) override;

private:
    void startAnswer();
    void startTyping();
    void emitRow(QChar expected, const QString &answer, game::AnswerVerdict verdict, qint64 enterMs);

    const platform::Clock &clock_;
    const game::Phase &phase_;
    Sink sink_;
    QString game_;
    QChar expected_;
    qint64 shownMs_ = 0; // the word appeared, or the last answer was done with
    qint64 firstKeyMs_ = -1;
    qint64 enterMs_ = 0;
    bool checkedInPlay_ = false; // Enter was pressed in play: its row is due, even after the end
    Keystrokes keys_;
    bool keysKnown_ = true;
};

} // namespace progress
