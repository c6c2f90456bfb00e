// The words in the real window: the review after a game, and a game's end that stays as it was
// while every preference keeps its default; cards that fit the screen; the language followed.
#include "aidedwindow.h"
#include "meanings/meanings.h"
#include "translations/language.h"
#include "ui/base/fonts.h"
#include "ui/progress/progressaids.h"
#include "ui/progress/progresswindow.h"
#include "ui/review/reviewlistview.h"
#include "ui/review/reviewwindow.h"
#include "ui/review/wordcards.h"
#include "ui/review/wordsaids.h"

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QStringEncoder>
#include <QTableView>
#include <QTextBlock>
#include <QTextBrowser>
#include <QToolButton>
#include <QToolTip>
#include <QWindow>

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

// The shown tooltip, if any.
QWidget *shownTip()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->inherits("QTipLabel") && w->isVisible())
            return w;
    return nullptr;
}

void switchTo(platform::Language language)
{
    translations::apply(language);
    QCoreApplication::processEvents();
}

} // namespace

class TestReviewWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { ui::useJapaneseFonts(); }
    void cleanup() { switchTo(platform::Language::Japanese); }

    // Hovered or clicked in the screen's corner, a card is whole on the screen: a gloss of a
    // megabyte is cut, a word of hundreds of kana keeps its end, the kana to answer with.
    void aCardStaysWholeOnTheScreen_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("a gloss of a megabyte") << u"ごりら"_qs << QStringList{u"…"_qs};
        QTest::newRow("a word of 302 kana")
            << QString(300, u'か') + u"ごら"_qs << QStringList{u"…"_qs, u"ごら</span>"_qs};
    }

    void aCardStaysWholeOnTheScreen()
    {
        QFETCH(QString, word);
        QFETCH(QStringList, shown);
        QTemporaryDir dir;
        const QString edict = dir.filePath(u"edict"_qs);
        QStringEncoder euc("EUC-JP");
        fakes::writeBytes(edict,
                          euc.encode(u"　？？？ /EDICT, EDICT_SUB(P), EDICT2 Japanese-English/\n"
                                     u"ゴリラ /(n) "_qs
                                     + QString(1000000, u'g') + u"/\n"_qs));
        meanings::Meanings meanings(edict);
        QSignalSpy ready(&meanings, &meanings::Meanings::ready);
        meanings.load();
        QVERIFY(ready.wait(5000));
        ui::WordCards cards(meanings);
        QLabel label(word);
        cards.attach(&label, [](const QString &) {});
        label.show();
        const QRect screen = label.screen()->geometry();
        const QPoint corner = screen.bottomRight() - QPoint(2, 2);

        QHelpEvent hover(QEvent::ToolTip, QPoint(1, 1), corner);
        QApplication::sendEvent(&label, &hover);
        QWidget *tip = shownTip();
        QVERIFY(tip);
        QVERIFY2(screen.contains(tip->frameGeometry()),
                 qPrintable(u"%1,%2 %3x%4"_qs.arg(tip->x()).arg(tip->y()).arg(tip->width()).arg(tip->height())));
        const QString text = static_cast<QLabel *>(tip)->text();
        QVERIFY2(std::ranges::all_of(shown, [&](const QString &part) { return text.contains(part); }),
                 qPrintable(text.left(200)));

        QMouseEvent click(QEvent::MouseButtonRelease, QPointF(1, 1), corner, Qt::LeftButton, Qt::NoButton,
                          Qt::NoModifier);
        QApplication::sendEvent(&label, &click);
        auto *card = label.findChild<QFrame *>(u"wordCard"_qs);
        QVERIFY(card && card->isVisible());
        QVERIFY(label.screen()->availableGeometry().contains(card->frameGeometry()));
        card->close();
        QToolTip::hideText();
    }

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

    // Then, the language switched, the open review, its way in and the cards follow at once.
    void theReviewNamesTheKanaAndTheWordsThatWouldHaveServed()
    {
        platform::Preferences preferences;
        preferences.reviewAfterGame = true;
        Played run(true, preferences);
        QTRY_VERIFY(run.words->reviewWindow() && run.words->reviewWindow()->isVisible());
        auto *browser = run.words->reviewWindow()->findChild<QTextBrowser *>();
        const QString text = browser->toPlainText();
        QVERIFY2(text.contains(u"「ご」で始まる言葉"_qs) && text.contains(u"「かめ」"_qs), qPrintable(text));
        // ごま and ごりら passed every rule then; らっぱ did not start right.
        QVERIFY(text.contains(u"ごま"_qs) && text.contains(u"ごりら"_qs) && !text.contains(u"らっぱ"_qs));
        // Each card's lines are indented alike, under its word.
        QTextBlock word, meaning;
        for (QTextBlock b = browser->document()->begin(); b.isValid(); b = b.next()) {
            if (b.text().startsWith(u"ごま"_qs))
                word = b;
            if (b.text().startsWith(u"意味は辞書にありません"_qs) && !meaning.isValid())
                meaning = b;
        }
        QVERIFY(word.isValid() && meaning.isValid() && word.blockFormat().leftMargin() > 0);
        QCOMPARE(meaning.blockFormat().leftMargin(), word.blockFormat().leftMargin());
        QCOMPARE(run.words->reviewList().words().size(), 2);
        QVERIFY(fakes::fileBytes(review::kReviewListFile).startsWith("\"kanarinka review list\",2\r\n"));

        switchTo(platform::Language::English);
        QCOMPARE(run.words->reviewWindow()->windowTitle(), u"Review - Kanarinka"_qs);
        const QString english = browser->toPlainText();
        QVERIFY2(english.contains(u"No meaning in the dictionary"_qs) && english.contains(u"Meanings: EDICT"_qs),
                 qPrintable(english));
        QCOMPARE(run.window.findChild<QAction *>(u"reviewAction"_qs)->text(), u"Review… (2 due)"_qs); // the count kept
        QVERIFY(run.find("cmdReview")->toolTip().startsWith(u"Review: "_qs));
        QVERIFY(ui::wordCard(u"ごま"_qs, run.words->meanings()).contains(u"Install the edict package"_qs));
    }

    // An open progress window's list follows every change, as its charts follow the history.
    void theReviewListInAnOpenProgressWindowFollowsTheList()
    {
        Played run(true);
        run.progress->openProgress();
        auto *table = run.progress->progressWindow()->findChild<QTableView *>(u"reviewListTable"_qs);
        QCOMPARE(table->model()->rowCount(), 0);
        run.words->openReview(); // adds the words that would have served
        QCOMPARE(table->model()->rowCount(), 2);
    }

    void theReviewListFollowsTheLanguage()
    {
        Played run(true);
        run.progress->openProgress();
        auto *view = run.progress->progressWindow()->findChild<ui::ReviewListView *>();
        auto *title = view->findChild<QLabel *>(u"reviewListTitle"_qs);
        QVERIFY(title);
        const auto texts = [view, title] {
            QStringList out{title->text(), view->findChild<QPushButton *>(u"removeFromReview"_qs)->text()};
            const QAbstractItemModel *model = view->findChild<QTableView *>(u"reviewListTable"_qs)->model();
            for (int column = 0; column < model->columnCount(); ++column)
                out.append(model->headerData(column, Qt::Horizontal).toString());
            return out;
        };
        const QStringList japanese = texts();
        translations::apply(platform::Language::English);
        QCoreApplication::processEvents();
        const QStringList english = texts();
        translations::apply(platform::Language::Japanese);
        QCoreApplication::processEvents();
        QCOMPARE(texts(), japanese);
        QCOMPARE(english.mid(1, 2), (QStringList{u"Remove from the list"_qs, u"Word"_qs}));
        for (int i = 0; i < english.size(); ++i)
            QVERIFY2(english[i] != japanese[i], qPrintable(english[i]));
    }

    // Three days of play with review practice on. Day 1: a miss where ごま would have served,
    // then ごぼう answered; らっぱ, nearly learned, answered once more. Day 2: ごま answered.
    // Day 4: ごぼう answered again. Each comes back on the day the model says.
    void reviewWordsComeBackOnTheDaysTheModelSays()
    {
        platform::Preferences preferences;
        preferences.reviewPractice = true;
        AidedWindow w(preferences, u"りんご\r\nごま\r\nごぼう\r\nうら\r\nらっぱ\r\nぱり\r\n"_qs);
        fakes::writeBytes(review::kReviewListFile,
                          "\"kanarinka review list\",2\r\n"
                          "\"2010/01/10 20:00:00\",\"keep\",\"らっぱ\",2,3,\"2010/02/20 20:00:00\",40000,5000\r\n"
                          "\"2010/03/31 20:00:00\",\"add\",\"ごま\"\r\n"
                          "\"2010/03/31 20:00:00\",\"add\",\"ごぼう\"\r\n");
        w.messages.allowAny = true;
        w.aids = std::make_unique<ui::PlayAids>(w.window, w.messages, w.store, w.sounds, w.clock);
        ui::ProgressAids progress(w.window, *w.aids, w.clock);
        ui::WordsAids words(w.window, *w.aids, progress, w.clock, w.dir.filePath(u"no-edict"_qs));
        w.load([&](game::Game &g) {
            progress.attach(g);
            words.attach(g);
        });
        progress.start();
        words.start();
        auto *open = w.window.findChild<QAction *>(u"reviewAction"_qs);
        const auto play = [&w](const QStringList &answers) {
            w.game->tmrStart_Timer(); // idle, as the real timer ticks between games: the countdown starts anew
            w.start();
            for (const QString &answer : answers)
                w.answer(answer);
            w.playOut();
            QTest::qWait(20);
        };
        const auto dues = [&words] {
            QStringList out;
            for (const review::ReviewWord &word : words.reviewList().words())
                out.append(word.word + word.due.toString(u" MM/dd"_qs));
            return out;
        };
        const auto onDay = [&w](int day) {
            w.clock.advance(w.clock.wall.msecsTo(QDateTime(QDate(2010, 4, day), QTime(13, 0))));
        };

        QCOMPARE(open->text(), u"ふりかえり…（復習 3 語）"_qs);
        play({u"かめ"_qs, u"ごぼう"_qs, u"らっぱ"_qs});
        // Missed: the next day; answered: three days on; らっぱ's next review is past 60 days.
        QCOMPARE(dues(), (QStringList{u"ごま 04/02"_qs, u"ごぼう 04/04"_qs}));
        QCOMPARE(open->text(), u"ふりかえり…"_qs);

        onDay(2);
        progress.openProgress();
        auto *due = progress.progressWindow()->findChild<QLabel *>(u"reviewDue"_qs);
        QCOMPARE(due->text(), u"今日の復習 1 語"_qs);
        play({u"ごま"_qs});
        QCOMPARE(dues(), (QStringList{u"ごま 04/04"_qs, u"ごぼう 04/04"_qs}));
        QCOMPARE(due->text(), u"今日の復習 0 語"_qs);

        onDay(4);
        play({u"ごぼう"_qs});
        QCOMPARE(dues(), (QStringList{u"ごま 04/04"_qs, u"ごぼう 04/15"_qs}));
        review::ReviewList reread(review::kReviewListFile);
        QVERIFY(reread.start(w.clock.now()).isEmpty());
        QCOMPARE(reread.words(), words.reviewList().words());
    }

    // Windows of their own that the game can come in front of (a desktop keeps a child window
    // above its parent), which go with the game and never keep the program running without it.
    void theProgressAndReviewWindowsStandBesideTheGameAndGoWithIt()
    {
        QPointer<QWidget> progress, review;
        {
            Played run(true);
            run.progress->openProgress();
            run.words->openReview();
            progress = run.progress->progressWindow();
            review = run.words->reviewWindow();
            for (QWidget *side : {progress.data(), review.data()}) {
                QVERIFY(side->isVisible());
                QCOMPARE(side->windowHandle()->transientParent(), nullptr);
                QVERIFY(!side->testAttribute(Qt::WA_QuitOnClose));
            }
        }
        QVERIFY(!progress && !review);
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
