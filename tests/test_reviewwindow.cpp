// The words in the real window: the review after a game, and a game's end that stays as it was
// while every preference keeps its default.
#include "aidedwindow.h"
#include "meanings/meanings.h"
#include "ui/base/fonts.h"
#include "ui/progress/progressaids.h"
#include "ui/review/reviewwindow.h"
#include "ui/review/wordcards.h"
#include "ui/review/wordsaids.h"

#include <QTextBrowser>

namespace {

// A game of the real window, with the progress and words aids when asked for: a broken chain
// at りんご, then ごりら, played out.
struct Played : AidedWindow {
    std::unique_ptr<ui::ProgressAids> progress;
    std::unique_ptr<ui::WordsAids> words;

    Played(bool withWords, platform::Preferences preferences = {})
        : AidedWindow(preferences, u"りんご\r\nごりら\r\nごま\r\nらっぱ\r\n"_qs)
    {
        messages.allowAny = true;
        aids = std::make_unique<ui::PlayAids>(window, messages, store, sounds, clock);
        progress = std::make_unique<ui::ProgressAids>(window, *aids, clock);
        if (withWords)
            words = std::make_unique<ui::WordsAids>(window, *aids, *progress, clock, dir.filePath(u"no-edict"_qs));
        load([this](game::Game &g) {
            progress->attach(g);
            if (words)
                words->attach(g);
        });
        progress->start();
        if (words)
            words->start();
        start();
        answer(u"かめ"_qs);
        answer(u"ごりら"_qs);
        playOut();
        QTest::qWait(50);
    }
};

} // namespace

class TestReviewWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { ui::useJapaneseFonts(); }

    void withEveryDefaultTheEndOfAGameIsUnchanged()
    {
        QList<QStringList> told;
        for (const bool withWords : {false, true}) {
            Played run(withWords);
            QStringList prompts;
            for (const fakes::Messages::Box &box : std::as_const(run.messages.shown))
                prompts.append(box.title + u": "_qs + box.prompt);
            told.append(prompts);
            if (withWords) {
                QVERIFY(!run.words->reviewWindow());
                QVERIFY(!QFile::exists(review::kReviewListFile));
            }
        }
        QCOMPARE(told[1], told[0]);
        QVERIFY(!told[0].isEmpty());
    }

    void theReviewNamesTheKanaAndTheWordsThatWouldHaveServed()
    {
        platform::Preferences preferences;
        preferences.reviewAfterGame = true;
        Played run(true, preferences);
        QTRY_VERIFY(run.words->reviewWindow() && run.words->reviewWindow()->isVisible());
        const QString text = run.words->reviewWindow()->findChild<QTextBrowser *>()->toPlainText();
        QVERIFY2(text.contains(u"「ご」で始まる言葉"_qs) && text.contains(u"「かめ」"_qs), qPrintable(text));
        // ごま and ごりら passed every rule then; らっぱ did not start right.
        QVERIFY(text.contains(u"ごま"_qs) && text.contains(u"ごりら"_qs) && !text.contains(u"らっぱ"_qs));
        QVERIFY(text.contains(u"意味は辞書にありません"_qs));
        QCOMPARE(run.words->reviewList().words().size(), 2);
        QVERIFY(fakes::fileBytes(review::kReviewListFile).startsWith("\"kanarinka review list\",1\r\n"));
    }

    void anOpenReviewShowsNothingOfItDuringTheNextGame()
    {
        platform::Preferences preferences;
        preferences.reviewAfterGame = true;
        Played run(true, preferences);
        QTRY_VERIFY(run.words->reviewWindow() && run.words->reviewWindow()->isVisible());
        run.start(); // りんご again: the review's ご words would answer it
        const QString text = run.words->reviewWindow()->findChild<QTextBrowser *>()->toPlainText();
        QVERIFY2(!text.contains(u"ごま"_qs), qPrintable(text));
    }
};

QTEST_MAIN(TestReviewWindow)
#include "test_reviewwindow.moc"
