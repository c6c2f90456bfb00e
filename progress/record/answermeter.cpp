#include "answermeter.h"

#include "game/rules.h"

#include <utility>

namespace progress {

void AnswerMeter::startAnswer()
{
    shownMs_ = clock_.monotonicMs();
    firstKeyMs_ = -1;
    keys_ = {};
    keysKnown_ = true;
}

void AnswerMeter::keyTyped(bool erases)
{
    startTyping();
    ++keys_.all;
    if (erases)
        ++keys_.backspaces;
}

void AnswerMeter::inputMethodUsed()
{
    startTyping();
    keysKnown_ = false;
}

void AnswerMeter::startTyping()
{
    if (firstKeyMs_ < 0)
        firstKeyMs_ = clock_.monotonicMs();
}

void AnswerMeter::gameStarted()
{
    game_ = gameName(clock_.now());
}

void AnswerMeter::wordShown(const QString &word)
{
    expected_ = game::expectedKana(word);
    startAnswer();
}

void AnswerMeter::answerChecked(const game::AnswerCheck &)
{
    // Enter, before any message about the answer: the game may end while one is open.
    enterMs_ = clock_.monotonicMs();
    checkedInPlay_ = phase_.playing();
}

void AnswerMeter::answerJudged(const game::AnswerJudgement &judgement)
{
    if (std::exchange(checkedInPlay_, false))
        emitRow(judgement.expected, judgement.answer, judgement.verdict, enterMs_);
    // The next try starts once the message, if any, is closed.
    startAnswer();
}

void AnswerMeter::strayLettersRefused(const QString &text)
{
    if (phase_.playing())
        emitRow(expected_, text, game::AnswerVerdict::StrayLetters, clock_.monotonicMs());
    startAnswer();
}

void AnswerMeter::emitRow(QChar expected, const QString &answer, game::AnswerVerdict verdict, qint64 enterMs)
{
    AnswerRow row;
    row.game = game_;
    row.expected = expected;
    row.answer = answer;
    row.verdict = verdict;
    // Enter with nothing typed: all of it was stall.
    const qint64 firstKey = firstKeyMs_ >= 0 ? firstKeyMs_ : enterMs;
    row.stallMs = std::max<qint64>(0, firstKey - shownMs_);
    row.typingMs = std::max<qint64>(0, enterMs - firstKey);
    if (keysKnown_)
        row.keys = keys_;
    sink_(row);
}

} // namespace progress
