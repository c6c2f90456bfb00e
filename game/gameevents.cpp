#include "gameevents.h"

#include "game.h"
#include "rules.h"

namespace game {

template <typename... Args, typename... Values>
void GameEventsList::tell(void (GameEvents::*event)(Args...), const Values &...values)
{
    for (GameEvents *listener : std::as_const(listeners_))
        (listener->*event)(values...);
}

void GameEventsList::phaseChanged(GamePhase phase)
{
    tell(&GameEvents::phaseChanged, phase);
}
void GameEventsList::gameStarted()
{
    tell(&GameEvents::gameStarted);
}
void GameEventsList::countdownTick(int step)
{
    tell(&GameEvents::countdownTick, step);
}
void GameEventsList::wordShown(const QString &word)
{
    tell(&GameEvents::wordShown, word);
}
void GameEventsList::answerChecked(const AnswerCheck &check)
{
    tell(&GameEvents::answerChecked, check);
}
void GameEventsList::answerJudged(const AnswerJudgement &j)
{
    tell(&GameEvents::answerJudged, j);
}
void GameEventsList::gameEnded(const GameResult &result)
{
    tell(&GameEvents::gameEnded, result);
}
void GameEventsList::historyChanged()
{
    tell(&GameEvents::historyChanged);
}

GameResult gameResult(const Game &game)
{
    return {game.intOk,       game.intNg,    game.intMoji,
            game.intNewWords, game.intJikan, game.intJisyoCount + game.intNewWords};
}

AnswerReport::AnswerReport(Game &game, const QString &answer, AnswerVerdict verdict)
    : game_(game), ok_(game.intOk), ng_(game.intNg), learned_(game.dictionary_.learned())
{
    judgement_.expected = expectedKana(game.c_.lblMondai.caption());
    judgement_.answer = answer;
    judgement_.verdict = verdict;
    judgement_.playing = game.blnPlaying;
    game.events_->answerChecked(judgement_);
}

AnswerReport::~AnswerReport()
{
    if (game_.ended())
        return;
    judgement_.counted = game_.intOk != ok_ || game_.intNg != ng_;
    judgement_.learned = game_.dictionary_.learned() != learned_;
    game_.events_->answerJudged(judgement_);
    if (judgement_.verdict == AnswerVerdict::Accepted)
        game_.events_->wordShown(game_.c_.lblMondai.caption());
}

} // namespace game
