#include "gameevents.h"

#include "game.h"
#include "platform/kana.h"

namespace game {

template <typename... Args, typename... Values>
void GameEventsList::tell(void (GameEvents::*event)(Args...), const Values &...values)
{
    for (GameEvents *listener : std::as_const(listeners_))
        (listener->*event)(values...);
}

void GameEventsList::gameStarted() { tell(&GameEvents::gameStarted); }
void GameEventsList::countdownTick(int step) { tell(&GameEvents::countdownTick, step); }
void GameEventsList::wordShown(const QString &word) { tell(&GameEvents::wordShown, word); }
void GameEventsList::answerChecked(const AnswerCheck &check) { tell(&GameEvents::answerChecked, check); }
void GameEventsList::answerJudged(const AnswerJudgement &j) { tell(&GameEvents::answerJudged, j); }
void GameEventsList::gameEnded(const GameResult &result) { tell(&GameEvents::gameEnded, result); }

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
