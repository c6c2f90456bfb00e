#include "progressaids.h"

#include "game/game.h"
#include "progresswindow.h"
#include "translations/language.h"
#include "ui/aids/heldmessages.h"
#include "ui/aids/playaids.h"
#include "ui/base/pictures.h"
#include "ui/base/sidewindow.h"
#include "ui/main/answerbox.h"

#include <QAction>
#include <QTimer>
#include <QToolButton>

namespace ui {
namespace {

// Window pixels: under the menu's gear, in the title row's free corner.
constexpr QRect kProgressButton(324, 36, 20, 20);

} // namespace

ProgressAids::ProgressAids(QWidget &window, PlayAids &aids, const platform::Clock &clock, QString recordFile)
    : window_(window), aids_(aids), clock_(clock), log_(std::move(recordFile)),
      meter_(clock, aids.phase(), [this](const progress::AnswerRow &row) {
          tell(log_.add(row));
          if (!aids_.phase().playing()) // in play, the game's end refreshes the window
              refreshSoon();
          emit answerRecorded(row);
      })
{
    AnswerBox *box = aids.controls().answer;
    connect(box, &AnswerBox::keyTyped, this, [this](bool erases) { meter_.keyTyped(erases); });
    connect(box, &AnswerBox::inputMethodUsed, this, [this] { meter_.inputMethodUsed(); });
    connect(box, &AnswerBox::strayLettersRefused, this,
            [this](const QString &text) { meter_.strayLettersRefused(text); });
    aids.listeners().add(&meter_);
    aids.listeners().add(this);

    QAction *open = addWindowKey(window, QKeySequence(QStringLiteral("Ctrl+R")), tr("成績…"));
    translations::keepTranslated(&window, [open] { open->setText(tr("成績…")); });
    open->setObjectName(QStringLiteral("progressAction"));
    connect(open, &QAction::triggered, this, &ProgressAids::openProgress);
    aids.addToMenu(open);

    auto *button = addCornerButton(window, QStringLiteral("cmdProgress"), QStringLiteral("progress"), kProgressButton);
    translations::keepTranslated(button, [button] {
        button->setToolTip(tr("成績：速さと正解率の移り変わり、打鍵/分、文字の地図（Ctrl+R）"));
        button->setAccessibleName(tr("成績"));
    });
    connect(button, &QToolButton::clicked, this, &ProgressAids::openProgress);

    connect(&aids, &PlayAids::preferencesApplied, this, [this](const platform::Preferences &chosen) {
        aim(chosen.weakKanaPractice);
        dailyGoal_ = chosen.dailyGoalMinutes;
        if (progressWindow_)
            progressWindow_->setDailyGoal(dailyGoal_);
    });
    aimed_ = aids.preferences().weakKanaPractice;
    dailyGoal_ = aids.preferences().dailyGoalMinutes;
}

ProgressAids::~ProgressAids()
{
    delete progressWindow_;
}

void ProgressAids::attach(game::Game &game)
{
    game_ = &game;
}

void ProgressAids::start()
{
    tell(log_.start(QDateTime::currentDateTime()));
}

void ProgressAids::aim(bool on)
{
    aimed_ = on;
    if (!on && game_)
        game_->setReplyDraw(nullptr);
}

void ProgressAids::gameStarted()
{
    // The record is read in the countdown of the first aimed game, never at start-up.
    if (aimed_ && !draw_)
        draw_ = std::make_unique<progress::WeakKanaDraw>(log_.stats());
    if (game_)
        game_->setReplyDraw(aimed_ ? draw_.get() : nullptr);
}

void ProgressAids::tell(const QString &message)
{
    aids_.held().tell(message, tr("回答記録"));
}

void ProgressAids::gameEnded(const game::GameResult &)
{
    refreshSoon();
}

void ProgressAids::historyChanged()
{
    refreshSoon();
}

void ProgressAids::refreshSoon()
{
    // Once for a save and a row that come together.
    if (!progressWindow_ || !progressWindow_->isVisible() || std::exchange(refreshDue_, true))
        return;
    QTimer::singleShot(0, this, [this] {
        refreshDue_ = false;
        if (progressWindow_ && progressWindow_->isVisible())
            progressWindow_->refresh();
    });
}

void ProgressAids::openProgress()
{
    if (!progressWindow_) {
        progressWindow_ = new ProgressWindow(game_->history(), log_, nullptr);
        besideGame(*progressWindow_, window_);
        progressWindow_->setClock(clock_);
        progressWindow_->setDailyGoal(dailyGoal_);
    }
    progressWindow_->refresh();
    emit progressWindowOpened(progressWindow_);
    progressWindow_->show();
    progressWindow_->raise();
    progressWindow_->activateWindow();
}

} // namespace ui
