#include "playaids.h"

#include "chainmarks.h"
#include "enterguard.h"
#include "game/game.h"
#include "heldmessages.h"
#include "notelabel.h"
#include "platform/text/numberformat.h"
#include "translations/language.h"
#include "ui/aids/preferences/preferencesdialog.h"
#include "ui/aids/wordcue.h"
#include "ui/aids/wordlist/learnedwords.h"
#include "ui/base/pictures.h"
#include "ui/main/answerbox.h"
#include "ui/main/views/historygrid.h"
#include "ui/main/views/wordlist.h"

#include <QAbstractItemView>
#include <QAction>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QTimer>
#include <QToolButton>
#include <utility>

namespace ui {
namespace {

constexpr int kMistakeMs = 3000;
constexpr int kEnterPauseMs = 500;
// Window pixels: right of the title banner, left of スタート.
constexpr QRect kMenuButton(324, 10, 20, 20);

} // namespace

QAction *addWindowKey(QWidget &window, const QKeySequence &key, const QString &name)
{
    auto *action = new QAction(name, &window);
    action->setObjectName(name);
    action->setShortcut(key);
    action->setShortcutContext(Qt::WindowShortcut);
    window.addAction(action);
    return action;
}

QToolButton *addCornerButton(QWidget &window, const QString &name, const QString &pictureName, const QRect &place)
{
    auto *button = new QToolButton(&window);
    button->setObjectName(name);
    button->setIcon(picture(pictureName));
    button->setIconSize(QSize(16, 16));
    button->setGeometry(place);
    button->setAutoRaise(true);
    // Off the tab chain, which keeps its order; the keys reach what the buttons do.
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

// A broken rule's message, while mistakes are shown in the window, goes to the note; every
// other message (a failure, a report) still opens its box.
class PlayAids::RuleMessages : public platform::MessageBoxes {
public:
    explicit RuleMessages(platform::MessageBoxes &boxes) : boxes_(boxes) {}
    platform::MessageResult show(const QString &prompt, const QString &title, platform::MessageIcon icon,
                                 platform::MessageButtons buttons) override
    {
        if (note && icon == platform::MessageIcon::Critical && buttons == platform::MessageButtons::Ok) {
            NoteLabel *shown = std::exchange(note, nullptr);
            shown->showNote(prompt, kMistakeMs);
            return platform::MessageResult::Ok;
        }
        return boxes_.show(prompt, title, icon, buttons);
    }
    NoteLabel *note = nullptr; // set while a rejected answer's message is due

private:
    platform::MessageBoxes &boxes_;
};

PlayAids::PlayAids(MainWindow &window, platform::MessageBoxes &boxes, platform::PreferenceStore &store,
                   platform::Sounds &sounds, const platform::Clock &clock)
    : window_(window), controls_(window.aidedControls()), store_(store), sounds_(sounds), preferences_(store.load()),
      held_(new HeldMessages(boxes, phase_, this)), ruleMessages_(std::make_unique<RuleMessages>(*held_))
{
    listeners_.add(&phase_);
    listeners_.add(held_);
    QWidget *area = controls_.playingArea;
    cue_ = new WordCue(controls_.word);
    // Under the answer box, over the history grid's header, which play does not need.
    const QRect grid = controls_.history->geometry();
    const QRect answer = controls_.answer->geometry();
    mistake_ = new NoteLabel(area, QStringLiteral("mistakeNote"),
                             QRect(grid.left(), answer.bottom() + 2, grid.width(), 26), 15);
    // At the end of the answer box, where the eye is as the time runs out.
    endMarker_ =
        new NoteLabel(area, QStringLiteral("endMarker"), QRect(answer.right() - 110, answer.top() + 6, 104, 34), 22);
    // An edit takes the marker away once the player is back in the box, not before: the end's
    // own focus move finishes what was being composed there, and an input method may do it a
    // moment later.
    connect(controls_.answer, &QLineEdit::textEdited, endMarker_, [this] {
        if (!endMarkerHeld_)
            endMarker_->hide();
    });
    controls_.answer->installEventFilter(this);
    // An answer the box would not judge says why, whether or not mistakes are shown here.
    connect(controls_.answer, &AnswerBox::strayLettersRefused, mistake_,
            [this] { mistake_->showNote(tr("答えは、かなで書いてください"), kMistakeMs); });
    // A language chosen during the game takes over just after the marker is shown.
    translations::keepTranslated(endMarker_, [this] { endMarker_->setText(tr("終了！")); });
    enterGuard_ = new EnterGuard(clock, this);

    markChain(controls_.chain);
    // A game's speed keeps its figure and takes the unit of the language.
    translations::followLanguage(controls_.speed, [this] {
        if (shown_)
            controls_.speed->setText(platform::formatPerSecondShown(shown_->characters, shown_->playSeconds));
    });
    buildMenu();
    listeners_.add(this);
    apply(preferences_);
}

PlayAids::~PlayAids() = default;

platform::MessageBoxes &PlayAids::messages()
{
    return *ruleMessages_;
}

void PlayAids::buildMenu()
{
    // In the title row's free corner between the banner and the buttons.
    menuButton_ = addCornerButton(window_, QStringLiteral("cmdMenu"), QStringLiteral("menu"), kMenuButton);
    menuButton_->setPopupMode(QToolButton::InstantPopup);
    translations::keepTranslated(menuButton_, [this] { menuButton_->setAccessibleName(tr("メニュー")); });
    auto *menu = new QMenu(menuButton_);
    menu->setObjectName(QStringLiteral("toolMenu"));
    menuButton_->setMenu(menu);
    QAction *settings = addWindowKey(window_, QKeySequence(QStringLiteral("Ctrl+,")), tr("設定…"));
    translations::keepTranslated(&window_, [settings] { settings->setText(tr("設定…")); });
    settings->setObjectName(QStringLiteral("preferencesAction"));
    connect(settings, &QAction::triggered, this, &PlayAids::editPreferences);
    addToMenu(settings);
}

void PlayAids::addToMenu(QAction *action)
{
    QMenu *menu = menuButton_->menu();
    menu->insertAction(menu->actions().value(0), action);
    // After the entries' own texts, which follow the language with the window's.
    if (menu->actions().size() == 1)
        translations::keepTranslated(menuButton_, [this] { describeMenu(); });
    describeMenu();
}

void PlayAids::describeMenu()
{
    QStringList entries;
    for (const QAction *each : menuButton_->menu()->actions())
        entries.append(tr("%1（%2）").arg(each->text(), each->shortcut().toString(QKeySequence::NativeText)));
    // The buttons' own tips stay as they are; their keys are told here.
    menuButton_->setToolTip(tr("メニュー：") + entries.join(u'、') + tr("\nキー：F5 スタート、F1 ヘルプ"));
}

void PlayAids::attach(game::Game &game)
{
    game.setEvents(&listeners_);
    QAction *help = addWindowKey(window_, Qt::Key_F1, tr("ヘルプ"));
    connect(help, &QAction::triggered, controls_.help, &QAbstractButton::click);
    QAction *start = addWindowKey(window_, Qt::Key_F5, tr("スタート"));
    connect(start, &QAction::triggered, controls_.start, &QAbstractButton::click);
    translations::keepTranslated(&window_, [help, start] {
        help->setText(tr("ヘルプ"));
        start->setText(tr("スタート"));
    });
    learnedWords_ =
        new LearnedWords(*controls_.learned, *controls_.learnedFrame, game.dictionary(), phase_, *ruleMessages_, this);
    listeners_.add(learnedWords_);
    applyInputMode();
}

void PlayAids::apply(const platform::Preferences &preferences)
{
    preferences_ = preferences;
    cue_->setOptions(preferences.nextKanaCue, preferences.romajiGuide);
    applyInputMode();
    if (!preferences.mistakesInWindow)
        mistake_->hide();
    if (!preferences.clearEnd)
        endMarker_->hide();
    if (preferences.sounds)
        QTimer::singleShot(0, this, [this] { sounds_.preload(); });
    emit preferencesApplied(preferences);
}

void PlayAids::applyInputMode()
{
    const bool kana = preferences_.inputMode == platform::InputMode::Kana;
    const auto keyboard = preferences_.usKanaKeyboard ? platform::KanaKeyboard::Us : platform::KanaKeyboard::Jis;
    const KanaKeys keys{preferences_.inputMode != platform::InputMode::Ime,
                        kana ? &platform::KanaLayout::of(keyboard) : nullptr};
    cue_->setKeyGuide(kana ? std::optional(keyboard) : std::nullopt);
    controls_.answer->setKanaInput(keys.layout);
    controls_.answer->setHiraganaMode(keys.on);
    if (learnedWords_)
        learnedWords_->setKanaKeys(keys);
}

bool PlayAids::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == controls_.answer && event->type() == QEvent::FocusIn)
        endMarkerHeld_ = false;
    return QObject::eventFilter(watched, event);
}

void PlayAids::editPreferences()
{
    PreferencesDialog dialog(preferences_, &window_);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const platform::Preferences chosen = dialog.preferences();
    apply(chosen);
    QString error;
    if (!store_.save(chosen, error))
        ruleMessages_->show(error, tr("設定"), platform::MessageIcon::Exclamation, platform::MessageButtons::Ok);
}

void PlayAids::play(platform::Tone tone)
{
    if (preferences_.sounds)
        sounds_.play(tone);
}

void PlayAids::gameStarted()
{
    shown_.reset();
    mistake_->hide();
    endMarker_->hide();
    window_.nameValues();
}

void PlayAids::countdownTick(int step)
{
    play(step == 3 ? platform::Tone::CountdownLast : platform::Tone::Countdown);
}

void PlayAids::wordShown(const QString &)
{
    window_.nameValues();
}

void PlayAids::answerChecked(const game::AnswerCheck &check)
{
    const bool accepted = check.verdict == game::AnswerVerdict::Accepted;
    play(accepted ? platform::Tone::Accepted : platform::Tone::Rejected);
    mistake_->hide();
    ruleMessages_->note = preferences_.mistakesInWindow && !accepted ? mistake_ : nullptr;
}

void PlayAids::answerJudged(const game::AnswerJudgement &judgement)
{
    ruleMessages_->note = nullptr;
    window_.nameValues();
    // The rejected answer comes back, selected, to be corrected or typed over.
    if (preferences_.mistakesInWindow && judgement.verdict != game::AnswerVerdict::Accepted) {
        controls_.answer->setText(controls_.answer->lastAnswer());
        controls_.answer->selectAll();
    }
}

void PlayAids::gameEnded(const game::GameResult &result)
{
    shown_ = result;
    play(platform::Tone::TimeUp);
    // The final figures are shown after this.
    QTimer::singleShot(0, this, [this] { window_.nameValues(); });
    if (preferences_.clearEnd) {
        endMarker_->showNote(tr("終了！"));
        endMarkerHeld_ = true;
        enterGuard_->arm(kEnterPauseMs);
    }
}

} // namespace ui
