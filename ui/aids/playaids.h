#pragma once
// What the window adds to the game while it is played: the next-kana cue and the romaji
// guide on the computer's word, mistakes shown in the window, a clear end, the chain list's
// marks, sounds, keys, names for a screen reader, and the 「設定」 dialog that switches them.
// It hears the game through its events and is handed the window's controls.
#include "game/gameevents.h"
#include "platform/preferences/preferences.h"
#include "platform/services.h"
#include "platform/sound/sounds.h"
#include "ui/main/mainwindow.h"

#include <QObject>
#include <optional>

class QAction;
class QKeySequence;
class QLabel;
class QToolButton;

namespace game {
class Game;
}

namespace ui {

class AnswerBox;
class EnterGuard;
class HeldMessages;
class LearnedWords;
class NoteLabel;
class WordCue;

// A key of the window: an action with this shortcut, named for the key's user.
QAction *addWindowKey(QWidget &window, const QKeySequence &key, const QString &name);
// A small picture button in the title row's free corner, beside the gear.
QToolButton *addCornerButton(QWidget &window, const QString &name, const QString &pictureName, const QRect &place);

class PlayAids : public QObject, public game::GameEvents {
    Q_OBJECT
public:
    // The preferences are read once, here.
    PlayAids(MainWindow &window, platform::MessageBoxes &boxes, platform::PreferenceStore &store,
             platform::Sounds &sounds, const platform::Clock &clock);
    ~PlayAids() override;

    // The message boxes to give the game: with mistakes shown in the window, a broken rule's
    // message goes there and no box opens.
    platform::MessageBoxes &messages();
    // Where the other aids show their boxes, and hold what must wait for the game's end.
    HeldMessages &held() { return *held_; }
    // Where the game is.
    const game::Phase &phase() const { return phase_; }
    // Every listener of the game; more may be added.
    game::GameEventsList &listeners() { return listeners_; }
    // Listens to the game and wires the keys. Call once, when the game exists.
    void attach(game::Game &game);

    const platform::Preferences &preferences() const { return preferences_; }
    void apply(const platform::Preferences &preferences);
    // The 「設定」 dialog; what is chosen there is applied and saved.
    void editPreferences();
    // The learned-words list's keeper, once attached.
    LearnedWords *learnedWords() const { return learnedWords_; }
    // Puts an entry first in the gear button's menu, and names it in the button's tooltip.
    void addToMenu(QAction *action);
    // The window's controls the aids work on.
    const AidedControls &controls() const { return controls_; }

    void gameStarted() override;
    void countdownTick(int step) override;
    void wordShown(const QString &word) override;
    void answerChecked(const game::AnswerCheck &check) override;
    void answerJudged(const game::AnswerJudgement &judgement) override;
    void gameEnded(const game::GameResult &result) override;

signals:
    void preferencesApplied(const platform::Preferences &preferences);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    class RuleMessages;

    void buildMenu();
    void describeMenu();
    void play(platform::Tone tone);
    void applyInputMode();

    MainWindow &window_;
    const AidedControls controls_;
    platform::PreferenceStore &store_;
    platform::Sounds &sounds_;
    platform::Preferences preferences_;
    game::Phase phase_;
    HeldMessages *held_;
    std::unique_ptr<RuleMessages> ruleMessages_;
    game::GameEventsList listeners_;

    WordCue *cue_;
    NoteLabel *mistake_;
    NoteLabel *endMarker_;
    bool endMarkerHeld_ = false; // shown, and the player has not been back in the box since
    EnterGuard *enterGuard_;
    QToolButton *menuButton_ = nullptr;
    LearnedWords *learnedWords_ = nullptr;
    // The last game's figures while the window shows them, to show again in another language.
    std::optional<game::GameResult> shown_;
};

} // namespace ui
