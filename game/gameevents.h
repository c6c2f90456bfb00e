#pragma once
// What the game tells the rest of the program as it runs: the countdown, the words to
// answer, each judged answer, the start and the end of a game. Cues, sounds and records
// listen here, so the handlers only report and never grow their own.
#include <QChar>
#include <QList>
#include <QString>

namespace platform {
class ListBox;
}

namespace game {

class Game;

// What became of an answer: the four rules, or letters that made no kana (the answer box keeps
// such an answer from the rules; only the answer record sees it).
enum class AnswerVerdict { Accepted, EndsInN, EndsInLongSound, Duplicate, BrokenChain, StrayLetters };

// Where a game is. Ending: the time is up and the end's own steps and messages are under
// way; the game is idle once they are done.
enum class GamePhase { Idle, Countdown, Playing, Ending };

// An answer as the rules see it, known before any message about it is shown.
struct AnswerCheck {
    QChar expected; // the kana the answer had to start with, normalised; null when no word was shown
    QString answer; // converted to full-width hiragana, as judged
    AnswerVerdict verdict = AnswerVerdict::Accepted;
    bool playing = false; // a game was being played
};

// The same answer once its handler has finished.
struct AnswerJudgement : AnswerCheck {
    bool counted = false; // it raised the accepted or the rejected count
    bool learned = false; // it was added to the dictionary file
};

// The counters a finished game leaves.
struct GameResult {
    int accepted = 0;
    int rejected = 0;
    int characters = 0;
    int newWords = 0;
    int playSeconds = 0;
    int dictionaryWords = 0; // after the game
};

// Every call has an empty default: a listener overrides what it needs, and this class
// itself is the listener that does nothing.
class GameEvents {
public:
    virtual ~GameEvents() = default;
    // Told before every other event of the new phase.
    virtual void phaseChanged(GamePhase /*phase*/) {}
    virtual void gameStarted() {}
    // 1, 2, 3: the red, yellow and green lamp.
    virtual void countdownTick(int /*step*/) {}
    // The first word of a game and every reply.
    virtual void wordShown(const QString & /*word*/) {}
    virtual void answerChecked(const AnswerCheck & /*check*/) {}
    virtual void answerJudged(const AnswerJudgement & /*judgement*/) {}
    // Called as the game turns idle, before the result is saved or the new words announced.
    virtual void gameEnded(const GameResult & /*result*/) {}
    // A game was saved to the history, or the history cleared.
    virtual void historyChanged() {}
};

// Chooses the computer's reply among the candidates with the random number the answer check
// drew for it. With none set, the check takes uniformReplyIndex (rules.h).
class ReplyDraw {
public:
    virtual ~ReplyDraw() = default;
    // An index from 0 to count - 1, for a list of at least one candidate.
    virtual int pick(const platform::ListBox &candidates, double r) = 0;
};

// Passes every event on to several listeners, in the order they were added.
class GameEventsList : public GameEvents {
public:
    void add(GameEvents *listener) { listeners_.append(listener); }
    void phaseChanged(GamePhase phase) override;
    void gameStarted() override;
    void countdownTick(int step) override;
    void wordShown(const QString &word) override;
    void answerChecked(const AnswerCheck &check) override;
    void answerJudged(const AnswerJudgement &judgement) override;
    void gameEnded(const GameResult &result) override;
    void historyChanged() override;

private:
    template <typename... Args, typename... Values>
    void tell(void (GameEvents::*event)(Args...), const Values &...values);

    QList<GameEvents *> listeners_;
};

// The phase the game last told, for whoever asks rather than listens: the one answer to
// "is a game on?", which no listener keeps a flag of its own for.
class Phase : public GameEvents {
public:
    GamePhase now() const { return now_; }
    // A game is loaded, counting down or played: its words are in use.
    bool inGame() const { return now_ == GamePhase::Countdown || now_ == GamePhase::Playing; }
    bool playing() const { return now_ == GamePhase::Playing; }
    void phaseChanged(GamePhase phase) override { now_ = phase; }

private:
    GamePhase now_ = GamePhase::Idle;
};

GameResult gameResult(const Game &game);

// Reports one answer from the answer check: constructed once the answer is converted, it
// tells what the rules decide at once, and what was counted and learned when the handler
// returns.
class AnswerReport {
public:
    AnswerReport(Game &game, const QString &answer, AnswerVerdict verdict);
    ~AnswerReport();
    AnswerReport(const AnswerReport &) = delete;
    AnswerReport &operator=(const AnswerReport &) = delete;

private:
    Game &game_;
    AnswerJudgement judgement_;
    int ok_, ng_, learned_;
};

} // namespace game
