#include "gameevents.h"

#include "game.h"
#include "platform/kana.h"

namespace game {

void GameEventsList::gameStarted()
{
    for (GameEvents *l : std::as_const(listeners_))
        l->gameStarted();
}

void GameEventsList::countdownTick(int step)
{
    for (GameEvents *l : std::as_const(listeners_))
        l->countdownTick(step);
}

void GameEventsList::wordShown(const QString &word)
{
    for (GameEvents *l : std::as_const(listeners_))
        l->wordShown(word);
}

void GameEventsList::answerChecked(const AnswerCheck &check)
{
    for (GameEvents *l : std::as_const(listeners_))
        l->answerChecked(check);
}

void GameEventsList::answerJudged(const AnswerJudgement &judgement)
{
    for (GameEvents *l : std::as_const(listeners_))
        l->answerJudged(judgement);
}

void GameEventsList::gameEnded(const GameResult &result)
{
    for (GameEvents *l : std::as_const(listeners_))
        l->gameEnded(result);
}

QChar expectedKana(const QString &word)
{
    return word.isEmpty() ? QChar() : platform::normaliseSmallKana(word.back());
}

AnswerVerdict judgeAnswer(const QString &answer, const QString &current,
                          const platform::ListBox &previousAnswers)
{
    if (answer.endsWith(u'ん'))
        return AnswerVerdict::EndsInN;
    if (answer.endsWith(u'ー'))
        return AnswerVerdict::EndsInLongSound;
    for (int i = 0; i < previousAnswers.count(); ++i)
        if (previousAnswers.item(i) == answer)
            return AnswerVerdict::Duplicate;
    if (answer.isEmpty() || current.isEmpty() || answer.front() != expectedKana(current))
        return AnswerVerdict::BrokenChain;
    return AnswerVerdict::Accepted;
}

GameResult gameResult(const Game &game)
{
    return {game.intOk, game.intNg, game.intMoji, game.intNewWords, game.intJikan,
            game.intJisyoCount + game.intNewWords};
}

AnswerReport::AnswerReport(Game &game, const QString &answer)
    : game_(game), ok_(game.intOk), ng_(game.intNg), newWords_(game.intNewWords)
{
    const QString current = game.c_.lblMondai.caption();
    judgement_.expected = expectedKana(current);
    judgement_.answer = answer;
    judgement_.verdict = judgeAnswer(answer, current, game.c_.lstInpRireki);
    judgement_.playing = game.blnPlaying;
    game.events_->answerChecked(judgement_);
}

AnswerReport::~AnswerReport()
{
    if (game_.ended())
        return;
    judgement_.counted = game_.intOk != ok_ || game_.intNg != ng_;
    judgement_.learned = game_.intNewWords != newWords_;
    game_.events_->answerJudged(judgement_);
    if (judgement_.verdict == AnswerVerdict::Accepted)
        game_.events_->wordShown(game_.c_.lblMondai.caption());
}

} // namespace game
