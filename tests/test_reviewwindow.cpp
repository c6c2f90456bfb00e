// The words in the real window: the review after a game, and a game's end that stays as it was
// while every preference keeps its default; cards that fit the screen; the language followed.
#include "aidedwindow.h"
#include "meanings/meanings.h"
#include "ui/base/fonts.h"
#include "ui/progress/progresswindow.h"
#include "ui/review/reviewlistview.h"
#include "ui/review/reviewwindow.h"
#include "ui/review/wordcards.h"

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

// A broken chain at りんご, then ごりら, played out.
struct Played : FullWindow {
    explicit Played(bool withWords, platform::Preferences preferences = {}) : FullWindow(withWords, preferences)
    {
        play({u"かめ"_qs, u"ごりら"_qs});
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

} // namespace

class TestReviewWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { ui::useJapaneseFonts(); }
    void cleanup() { switchTo(platform::Language::Japanese); }

    // In the screen's corner a card is whole on the screen; a long word keeps its end, the kana to answer.
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

    // The review, its way in and the cards follow the language; the next game shows nothing of it.
    void theReviewNamesTheKanaAndTheWordsThatWouldHaveServed()
    {
        Played run(true, {.reviewAfterGame = true});
        QTRY_VERIFY(run.words->reviewWindow() && run.words->reviewWindow()->isVisible());
        auto *browser = run.words->reviewWindow()->findChild<QTextBrowser *>();
        const QString text = browser->toPlainText();
        QVERIFY2(text.contains(u"「ご」で始まる言葉"_qs) && text.contains(u"「かめ」"_qs), qPrintable(text));
        QVERIFY(text.contains(u"ごま"_qs) && text.contains(u"ごりら"_qs));
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
        for (const QString &text : {run.words->reviewWindow()->windowTitle(), browser->toPlainText(),
                                    run.window.findChild<QAction *>(u"reviewAction"_qs)->text(),
                                    run.find("cmdReview")->toolTip(), ui::wordCard(u"ごま"_qs, run.words->meanings())})
            QVERIFY2(fakes::inEnglish(text), qPrintable(text));
        QVERIFY(run.window.findChild<QAction *>(u"reviewAction"_qs)->text().contains(u"(2 "_qs)); // the count kept
        run.start(); // りんご again: the review's ご words would answer it
        QVERIFY2(!browser->toPlainText().contains(u"ごま"_qs), qPrintable(browser->toPlainText()));
    }

    // An open progress window's list follows every change of the list, and the language.
    void theReviewListInAnOpenProgressWindowFollowsTheListAndTheLanguage()
    {
        Played run(true);
        run.progress->openProgress();
        auto *view = run.progress->progressWindow()->findChild<ui::ReviewListView *>();
        auto *table = view->findChild<QTableView *>(u"reviewListTable"_qs);
        QCOMPARE(table->model()->rowCount(), 0);
        run.words->openReview(); // adds the words that would have served
        QCOMPARE(table->model()->rowCount(), 2);
        const auto texts = [view, table] {
            QStringList out{view->findChild<QLabel *>(u"reviewListTitle"_qs)->text(),
                            view->findChild<QPushButton *>(u"removeFromReview"_qs)->text()};
            for (int column = 0; column < table->model()->columnCount(); ++column)
                out.append(table->model()->headerData(column, Qt::Horizontal).toString());
            return out;
        };
        const QStringList japanese = texts();
        switchTo(platform::Language::English);
        for (const QString &text : texts())
            QVERIFY2(fakes::inEnglish(text), qPrintable(text));
        switchTo(platform::Language::Japanese);
        QCOMPARE(texts(), japanese);
    }

    // Three days of play with review practice on: each word comes back on the day the model says.
    void reviewWordsComeBackOnTheDaysTheModelSays()
    {
        FullWindow w(true, {.reviewPractice = true}, u"りんご\r\nごま\r\nごぼう\r\nうら\r\nらっぱ\r\nぱり\r\n"_qs,
                     {{review::kReviewListFile,
                       "\"kanarinka review list\",2\r\n"
                       "\"2010/01/10 20:00:00\",\"keep\",\"らっぱ\",2,3,\"2010/02/20 20:00:00\",40000,5000\r\n"
                       "\"2010/03/31 20:00:00\",\"add\",\"ごま\"\r\n"
                       "\"2010/03/31 20:00:00\",\"add\",\"ごぼう\"\r\n"}});
        auto *open = w.window.findChild<QAction *>(u"reviewAction"_qs);
        const auto dues = [&w] {
            QStringList out;
            for (const review::ReviewWord &word : w.words->reviewList().words())
                out.append(word.word + word.due.toString(u" MM/dd"_qs));
            return out;
        };
        const auto onDay = [&w](int day) {
            w.clock.advance(w.clock.wall.msecsTo(QDateTime(QDate(2010, 4, day), QTime(13, 0))));
        };

        QCOMPARE(open->text(), u"ふりかえり…（復習 3 語）"_qs);
        w.play({u"かめ"_qs, u"ごぼう"_qs, u"らっぱ"_qs});
        // Missed: the next day; answered: three days on; らっぱ's next review is past 60 days.
        QCOMPARE(dues(), (QStringList{u"ごま 04/02"_qs, u"ごぼう 04/04"_qs}));
        QCOMPARE(open->text(), u"ふりかえり…"_qs);

        onDay(2);
        w.progress->openProgress();
        auto *due = w.progress->progressWindow()->findChild<QLabel *>(u"reviewDue"_qs);
        QCOMPARE(due->text(), u"今日の復習 1 語"_qs);
        w.play({u"ごま"_qs});
        QCOMPARE(dues(), (QStringList{u"ごま 04/04"_qs, u"ごぼう 04/04"_qs}));
        QCOMPARE(due->text(), u"今日の復習 0 語"_qs);

        onDay(4);
        w.play({u"ごぼう"_qs});
        QCOMPARE(dues(), (QStringList{u"ごま 04/04"_qs, u"ごぼう 04/15"_qs}));
        review::ReviewList reread(review::kReviewListFile);
        QVERIFY(reread.start(w.clock.now()).isEmpty());
        QCOMPARE(reread.words(), w.words->reviewList().words());
    }

    // Not children (a desktop keeps those above the game), yet gone with the game and never keeping it running.
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
};

QTEST_MAIN(TestReviewWindow)
#include "test_reviewwindow.moc"
