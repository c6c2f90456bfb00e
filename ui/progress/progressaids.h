#pragma once
// What the window adds to learn from play: the answer record kept as the game is played, the
// progress window (a button under the menu's gear, the menu and Ctrl+R), and, when the
// player asks for it, the computer's replies aimed at the kana the player is weakest on.
#include "game/gameevents.h"
#include "platform/preferences/preferences.h"
#include "platform/services.h"
#include "progress/answerlog.h"
#include "progress/record/answermeter.h"
#include "progress/weakkanadraw.h"
#include "progresswindow.h"

#include <QObject>
#include <QPointer>
#include <memory>

class QWidget;

namespace game {
class Game;
}

namespace ui {

class PlayAids;

class ProgressAids : public QObject, public game::GameEvents {
    Q_OBJECT
public:
    ProgressAids(QWidget &window, PlayAids &aids, const platform::Clock &clock,
                 QString recordFile = progress::kAnswerRecordFile);
    ~ProgressAids() override;

    // Once the game exists.
    void attach(game::Game &game);
    // After a successful start: checks the record file, telling the player once if it had to
    // be set aside.
    void start();
    void openProgress();
    ProgressWindow *progressWindow() const { return progressWindow_; }

    // The per-kana figures, read from the record the first time they are asked for.
    const progress::KanaStats &weakKanaStats() { return log_.stats(); }

    void gameStarted() override;
    void gameEnded(const game::GameResult &result) override;
    void historyChanged() override;

signals:
    // Each row of the answer record as it is made.
    void answerRecorded(const progress::AnswerRow &row);
    // The progress window is about to show, refreshed.
    void progressWindowOpened(ui::ProgressWindow *window);

private:
    void aim(bool on);
    // Redraws the open progress window once control returns to the event loop.
    void refreshSoon();
    void tell(const QString &message);

    QWidget &window_;
    PlayAids &aids_;
    const platform::Clock &clock_;
    progress::AnswerLog log_;
    progress::AnswerMeter meter_;
    std::unique_ptr<progress::WeakKanaDraw> draw_;
    game::Game *game_ = nullptr;
    bool aimed_ = false;
    int dailyGoal_;
    bool refreshDue_ = false;
    QPointer<ProgressWindow> progressWindow_;
};

} // namespace ui
