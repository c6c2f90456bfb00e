#include "wordsaids.h"

#include "game/game.h"
#include "progress/practicedays.h"
#include "reviewlistview.h"
#include "reviewwindow.h"
#include "translations/language.h"
#include "ui/aids/chainmarks.h"
#include "ui/aids/heldmessages.h"
#include "ui/aids/playaids.h"
#include "ui/aids/wordlist/learnedwords.h"
#include "ui/base/pictures.h"
#include "ui/base/sidewindow.h"
#include "ui/main/mainwindow.h"
#include "ui/main/views/wordlist.h"
#include "ui/progress/progressaids.h"
#include "ui/progress/progresswindow.h"
#include "wordcards.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QSet>
#include <QToolButton>

namespace ui {
namespace {

// Window pixels: beside the progress button, left of it.
constexpr QRect kReviewButton(302, 36, 20, 20);

QStringList unique(const QStringList &words)
{
    QStringList out = words;
    out.removeDuplicates();
    return out;
}

} // namespace

WordsAids::WordsAids(MainWindow &window, PlayAids &aids, ProgressAids &progress, const platform::Clock &clock,
                     QString edictFile, QString reviewFile)
    : window_(window), aids_(aids), progress_(progress), clock_(clock), preferences_(aids.preferences()),
      meanings_(std::move(edictFile)), list_(std::move(reviewFile)), review_(aids.phase()),
      cards_(new WordCards(meanings_, this))
{
    list_.setOnChange([this] { emit reviewListChanged(); });
    aids.listeners().add(&review_);
    aids.listeners().add(&grades_);
    aids.listeners().add(this);
    connect(&progress, &ProgressAids::answerRecorded, this, [this](const progress::AnswerRow &row) {
        review_.answerRecorded(row);
        grades_.answerRecorded(row);
    });
    connect(&aids, &PlayAids::preferencesApplied, this,
            [this](const platform::Preferences &chosen) { preferences_ = chosen; });

    QAction *open = addWindowKey(window, QKeySequence(QStringLiteral("Ctrl+B")), tr("ふりかえり…"));
    open->setObjectName(QStringLiteral("reviewAction"));
    connect(open, &QAction::triggered, this, &WordsAids::openReview);
    aids.addToMenu(open);
    // The entry tells the words due today: after each change, and as the menu opens on a new day.
    const auto describeOpen = [this, open] {
        open->setText(reviewActionText(list_.dueCount(progress::practiceDay(clock_.now()))));
    };
    translations::keepTranslated(&window, describeOpen);
    connect(this, &WordsAids::reviewListChanged, open, describeOpen);
    for (QObject *menu : open->associatedObjects())
        if (auto *shown = qobject_cast<QMenu *>(menu))
            connect(shown, &QMenu::aboutToShow, open, describeOpen);

    auto *button = addCornerButton(window, QStringLiteral("cmdReview"), QStringLiteral("review"), kReviewButton);
    translations::keepTranslated(button, [button] {
        button->setToolTip(tr("ふりかえり：間違えたところと、そのとき使えた言葉（Ctrl+B）"));
        button->setAccessibleName(tr("ふりかえり"));
    });
    connect(button, &QToolButton::clicked, this, &WordsAids::openReview);

    // Every word in the window shows its card.
    const auto isWanted = [this](const QString &word) { return list_.contains(word); };
    const AidedControls controls = window.aidedControls();
    cards_->attach(
        controls.word, [this](const QString &w) { want(w); }, isWanted);
    cards_->attach(controls.chain,
                   [](int row) { return ChainMarkDelegate::saidByComputer(row) ? tr("相手の言葉") : tr("自分の答え"); });
    cards_->attach(controls.learned);
    connect(&progress, &ProgressAids::progressWindowOpened, this, [this](ProgressWindow *shown) {
        if (!listView_) {
            listView_ = new ReviewListView(list_, meanings_, clock_, shown);
            connect(listView_, &ReviewListView::removeRequested, this, &WordsAids::remove);
            connect(this, &WordsAids::reviewListChanged, listView_, &ReviewListView::refresh);
            shown->addBelow(listView_);
        }
        listView_->refresh();
    });
}

WordsAids::~WordsAids()
{
    delete reviewWindow_;
    delete listView_; // it reads the list, which goes with this; its window may outlive both
}

void WordsAids::attach(game::Game &game)
{
    game_ = &game;
    // Once the play aids are attached: they keep the learned-words list.
    if (LearnedWords *learned = aids_.learnedWords())
        connect(learned, &LearnedWords::forgotten, this, [this](const QString &word) { remove({word}); });
}

void WordsAids::start()
{
    tell(list_.start(clock_.now()));
    meanings_.load();
}

void WordsAids::tell(const QString &message)
{
    aids_.held().tell(message, tr("復習の一覧"));
}

void WordsAids::want(const QString &word)
{
    tell(list_.add({word}, clock_.now()));
}

void WordsAids::remove(const QStringList &words)
{
    tell(list_.remove(words, clock_.now()));
}

void WordsAids::phaseChanged(game::GamePhase phase)
{
    // An open review would give the answers away: it shows nothing of the last game in the next.
    if (phase == game::GamePhase::Countdown && reviewWindow_)
        reviewWindow_->showReview({}, false);
}

void WordsAids::gameStarted()
{
    if (!game_)
        return;
    // A word forgotten from the dictionary while the program was closed leaves the list too.
    if (list_.size() > 0) {
        const std::span<const QString> drawn = game_->dictionary().drawn();
        const QSet<QString> known(drawn.begin(), drawn.end());
        QStringList gone;
        list_.forEachWord([&](const review::ReviewWord &w) {
            if (!known.contains(w.word))
                gone.append(w.word);
        });
        remove(gone);
    }
    if (preferences_.reviewPractice) {
        draw_ = std::make_unique<review::ReviewDraw>(list_,
                                                     preferences_.weakKanaPractice ? &progress_.weakKanaStats() : nullptr,
                                                     progress::practiceDay(clock_.now()));
        game_->setReplyDraw(draw_.get());
    }
}

void WordsAids::gameEnded(const game::GameResult &)
{
    const QDateTime now = clock_.now();
    QStringList met;
    for (const QString &word : unique(review_.said()))
        if (list_.contains(word))
            met.append(word);
    QString told = list_.met(met, now);
    const QString graded =
        list_.grade(grades_.grades(list_, review_.moments(),
                                   [this](QChar kana) { return progress_.weakKanaStats().record(kana).medianStallMs(); }),
                    now);
    // Held until the game's end has shown its figures, the save and the new words.
    tell(told.isEmpty() ? graded : told);
    if (preferences_.reviewAfterGame)
        aids_.held().whenIdle([this] { openReview(); });
}

void WordsAids::openReview()
{
    if (!reviewWindow_) {
        reviewWindow_ = new ReviewWindow(meanings_, nullptr);
        besideGame(*reviewWindow_, window_);
    }
    QList<review::ReviewEntry> entries;
    if (review_.hasGame() && game_) {
        entries =
            review_.entries(game_->dictionary().drawn(), [this](const QString &word) { return meanings_.rank(word); });
        QStringList shown;
        for (const review::ReviewEntry &entry : std::as_const(entries))
            shown += entry.words;
        tell(list_.add(unique(shown), clock_.now()));
    }
    reviewWindow_->showReview(entries, review_.hasGame());
    reviewWindow_->show();
    reviewWindow_->raise();
    reviewWindow_->activateWindow();
}

} // namespace ui
