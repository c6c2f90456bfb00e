#pragma once
// What the window adds to learn the words: the meanings index, read once the window shows;
// word cards on every word; the ふりかえり window (a button beside the progress button, the
// menu and Ctrl+B), opened by itself after a game's end when the player asks for it; the
// review list, shown in the progress window; and, when asked for, replies that bring review
// words back.
#include "game/gameevents.h"
#include "meanings/meanings.h"
#include "platform/preferences/preferences.h"
#include "platform/services.h"
#include "review/gamereview.h"
#include "review/reviewdraw.h"
#include "review/reviewlist.h"
#include "review/schedule.h"
#include "reviewwindow.h"

#include <QObject>
#include <QPointer>
#include <memory>

class QWidget;

namespace game {
class Game;
}

namespace ui {

class MainWindow;
class PlayAids;
class ProgressAids;
class ReviewListView;
class WordCards;

class WordsAids : public QObject, public game::GameEvents {
    Q_OBJECT
public:
    WordsAids(MainWindow &window, PlayAids &aids, ProgressAids &progress, const platform::Clock &clock,
              QString edictFile = meanings::kEdictFile, QString reviewFile = review::kReviewListFile);
    ~WordsAids() override;

    // Once the game exists.
    void attach(game::Game &game);
    // After a successful start, once the window shows: reads the review list (telling the
    // player once if it had to be set aside) and starts the meanings index.
    void start();
    void openReview();

    const meanings::Meanings &meanings() const { return meanings_; }
    const review::ReviewList &reviewList() const { return list_; }
    ReviewWindow *reviewWindow() const { return reviewWindow_; }

    void phaseChanged(game::GamePhase phase) override;
    void gameStarted() override;
    void gameEnded(const game::GameResult &result) override;

signals:
    // After every change of the review list.
    void reviewListChanged();

private:
    void want(const QString &word);
    void remove(const QStringList &words);
    void tell(const QString &message);

    QWidget &window_;
    PlayAids &aids_;
    ProgressAids &progress_;
    const platform::Clock &clock_;
    platform::Preferences preferences_;
    meanings::Meanings meanings_;
    review::ReviewList list_;
    review::GameReview review_;
    review::PlayGrades grades_;
    std::unique_ptr<review::ReviewDraw> draw_;
    game::Game *game_ = nullptr;
    WordCards *cards_;
    QPointer<ReviewWindow> reviewWindow_;
    QPointer<ReviewListView> listView_; // in the progress window
};

} // namespace ui
