// The answer record and the progress window in the real window.
#include "aidedwindow.h"
#include "files/history.h"
#include "progress/record/answerfile.h"
#include "ui/base/fonts.h"
#include "ui/progress/progresswindow.h"

#include <QAction>
#include <QChartView>
#include <QDateTimeAxis>
#include <QInputMethodEvent>
#include <QLabel>
#include <QValueAxis>
#include <QXYSeries>

using game::AnswerVerdict;
using progress::AnswerRow;

namespace {

const QByteArray kHeader = "\"kanarinka answer record\",1\r\n";

// The window with the progress aids on the words りんご, ごりら, らっぱ, らする.
struct Run : FullWindow {
    Run(const QByteArray &record, bool aimed)
        : FullWindow(false, platform::Preferences{.weakKanaPractice = aimed},
                     u"りんご\r\nごりら\r\nらっぱ\r\nらする\r\n"_qs,
                     record.isNull() ? QMap<QString, QByteArray>{} : QMap{std::pair{progress::kAnswerRecordFile, record}})
    {
    }
    ui::AnswerBox *box() { return find<ui::AnswerBox>("txtKaitou"); }
    QList<AnswerRow> recorded()
    {
        progress::AnswerFileContents record;
        QString error;
        progress::AnswerFile(progress::kAnswerRecordFile).read(record, error);
        return record.rows;
    }
    QString word() { return find<QLabel>("lblMondai")->text(); }
};

} // namespace

class TestProgressWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { ui::useJapaneseFonts(); }

    void theRealWindowRecordsKeysAndAimsRepliesOnlyWhenAsked_data()
    {
        QTest::addColumn<bool>("aimed");
        QTest::addColumn<QString>("reply");
        QTest::newRow("off: the uniform draw") << false << u"らっぱ"_qs;
        QTest::newRow("on: towards る") << true << u"らする"_qs;
    }

    void theRealWindowRecordsKeysAndAimsRepliesOnlyWhenAsked()
    {
        QFETCH(bool, aimed);
        QFETCH(QString, reply);
        const QByteArray weakRu = "\"2024/05/01 13:05:09\",\"る\",\"るす\",\"ok\",9000,20,,\r\n";
        Run run(kHeader + weakRu + weakRu + weakRu, aimed);
        run.start();
        run.random.values = {0.4f};
        run.clock.advance(1500);
        QTest::keyClicks(run.box(), u"gorik"_qs);
        QTest::keyClick(run.box(), Qt::Key_Backspace);
        QTest::keyClicks(run.box(), u"ra"_qs);
        run.clock.advance(700);
        QTest::keyClick(run.box(), Qt::Key_Return);
        QCOMPARE(run.word(), reply);
        QVERIFY(run.messages.shown.isEmpty());
        QCOMPARE(run.recorded().value(3),
                 (AnswerRow{u"2010/04/01 13:05:09"_qs, u'ご', u"ごりら"_qs, AnswerVerdict::Accepted, 1500, 700,
                            progress::Keystrokes{8, 1}}));
    }

    // An input method's answer: timed from its first preedit; kanji or a letter left in it refused, never learned.
    void anInputMethodAnswerIsTimedFromItsFirstPreeditAndJudgedOnlyAsKana_data()
    {
        QTest::addColumn<QString>("committed");
        QTest::addColumn<AnswerVerdict>("verdict");
        QTest::newRow("kana, learned") << u"ごま"_qs << AnswerVerdict::Accepted;
        QTest::newRow("converted to kanji") << u"ご飯"_qs << AnswerVerdict::StrayLetters;
    }

    void anInputMethodAnswerIsTimedFromItsFirstPreeditAndJudgedOnlyAsKana()
    {
        QFETCH(QString, committed);
        QFETCH(AnswerVerdict, verdict);
        Run run(kHeader, false);
        run.start();
        const QByteArray words = fakes::fileBytes(u"辞書.txt"_qs);
        run.clock.advance(1500);
        for (const QString &preedit : {u"ｇ"_qs, u"ご"_qs, committed}) {
            QInputMethodEvent composing(preedit, {});
            QApplication::sendEvent(run.box(), &composing);
            run.clock.advance(350);
        }
        QInputMethodEvent commit;
        commit.setCommitString(committed);
        QApplication::sendEvent(run.box(), &commit);
        QTest::keyClick(run.box(), Qt::Key_Return);
        QCOMPARE(run.recorded().value(0),
                 (AnswerRow{u"2010/04/01 13:05:09"_qs, u'ご', committed, verdict, 1500, 1050, std::nullopt}));
        const bool accepted = verdict == AnswerVerdict::Accepted;
        QCOMPARE(fakes::fileBytes(u"辞書.txt"_qs) == words, !accepted);
        QCOMPARE(run.find<QLabel>("mistakeNote")->isVisible(), !accepted);
        QCOMPARE(run.find<QLabel>("lblNg")->text(), u"0"_qs);
    }

    // With mistakes in message boxes, the time can run out behind the box of the last one.
    void anAnswerWhoseBoxOutlastsTheGameIsRecorded()
    {
        Run run(kHeader, false);
        run.start();
        run.messages.whileShown = [&run] { run.playOut(); };
        run.answer(u"ぬの"_qs);
        const QList<AnswerRow> rows = run.recorded();
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0].verdict, AnswerVerdict::BrokenChain);
    }

    void theOpenProgressWindowFollowsSavesAndClears()
    {
        Run run(QByteArray(), false);
        run.window.findChild<QAction *>(u"progressAction"_qs)->trigger();
        auto *summary = run.progress->progressWindow()->findChild<QLabel *>(u"progressSummary"_qs);
        run.start();
        run.answer(u"ごりら"_qs);
        run.playOut();
        QTest::qWait(10); // the end's own refresh
        QCOMPARE(summary->text(), QString());
        run.game->cmdHozon_Click();
        QTRY_VERIFY2(summary->text().startsWith(u"保存したゲーム 1 回"_qs), qPrintable(summary->text()));
        run.game->cmdClear_Click();
        QTRY_COMPARE(summary->text(), QString());
    }

    // Today runs from 4:00; the record and the game just played count against the chosen goal.
    void theCalendarCountsTodayFromTheRecordAndPlayAgainstTheGoal()
    {
        const auto game = [](const char *at, int seconds) { // in 2010; the clock reads 04/01 13:05:09
            return QByteArray("\"2010/") + at + "\",\"る\",\"るす\",\"ok\"," + QByteArray::number(seconds * 1000)
                + ",0,,\r\n";
        };
        Run run(kHeader + game("03/31 20:00:00", 480) + game("04/01 01:30:00", 120) + game("04/01 09:00:00", 570), false);
        run.window.findChild<QAction *>(u"progressAction"_qs)->trigger();
        auto *today = run.progress->progressWindow()->findChild<QLabel *>(u"practiceToday"_qs);
        QVERIFY2(today->text().contains(u"今日 <b>9</b> 分"_qs) && today->text().contains(u"<b>1</b> 日連続"_qs),
                 qPrintable(today->text()));
        run.start();
        run.clock.advance(40'000);
        run.answer(u"ごりら"_qs);
        run.playOut();
        QTRY_VERIFY2(today->text().contains(u"<b>10</b>"_qs) && today->text().contains(u"<b>2</b> 日連続"_qs),
                     qPrintable(today->text()));
        run.aids->apply({.dailyGoalMinutes = 30});
        QVERIFY2(today->text().contains(u"目標 30 分"_qs) && today->text().contains(u"<b>0</b> 日連続"_qs),
                 qPrintable(today->text()));
    }

    // Hand-edited files: only what a game can leave is drawn, and only kana on the map named weak.
    void theProgressWindowDrawsOnlyWhatAGameCanLeave_data()
    {
        QTest::addColumn<QString>("history");
        QTest::addColumn<QByteArray>("record"); // rows under the first line
        QTest::addColumn<QString>("note");      // a part of it
        QTest::addColumn<QString>("weakest");
        const QString good = u"\"2024/05/01\",\"13:05:09\",812,25,3,98,\"89.3%\",\"1.63/秒\",\"60秒\"\r\n"_qs;
        const auto game = [](const char *at, const char *kana, int stall) {
            return QByteArray("\"") + at + "\",\"" + kana + "\",\"x\",\"ok\"," + QByteArray::number(stall)
                + ",6000,10,0\r\n";
        };
        QTest::newRow("a clock set wrong") << good + QString(good).replace(u"2024"_qs, u"9999"_qs)
                                           << game("2024/05/01 13:05:09", "る", 1)
                + game("9999/12/31 23:59:59", "る", 1) + game("2024/05/02 13:05:09", "る", 1)
                                           << QString() << u"苦手：まだ"_qs;
        QTest::newRow("negative counts") << good + QString(good).replace(u",3,"_qs, u",-3,"_qs)
                + QString(good).replace(u"98"_qs, u"-98"_qs)
                                         << QByteArray() << u"保存ゲーム 2 回はグラフに入れていません"_qs
                                         << u"苦手：まだ"_qs;
        QByteArray offMap;
        for (int i = 0; i < 3; ++i)
            offMap += game("2024/05/01 13:05:09", "\xe3\x82\x99", 20000)
                + game("2024/05/01 13:05:09", "\xe3\x80\x80", 20000) + game("2024/05/01 13:05:09", "か", 1000);
        QTest::newRow("kana not on the map") << good << offMap << QString() << u"苦手：か"_qs;
    }

    void theProgressWindowDrawsOnlyWhatAGameCanLeave()
    {
        QFETCH(QString, history);
        QFETCH(QByteArray, record);
        QFETCH(QString, note);
        QFETCH(QString, weakest);
        QTemporaryDir dir;
        const QString name = dir.filePath(u"record.txt"_qs);
        fakes::writeBytes(name, kHeader + record);
        files::History games;
        QString error;
        QVERIFY2(games.parse(fakes::cp932(history), files::kHistoryFile, error), qPrintable(error));
        progress::AnswerLog answers(name);
        ui::ProgressWindow window(games, answers);
        window.refresh();
        QVERIFY(window.findChild<QLabel *>(u"progressNote"_qs)->text().contains(note));
        const QString named = window.findChild<QLabel *>(u"weakestKana"_qs)->text();
        QVERIFY2(named.startsWith(weakest), qPrintable(named));
        for (QChartView *view : window.findChildren<QChartView *>()) {
            for (QAbstractSeries *series : view->chart()->series()) {
                const auto *axes = series->attachedAxes().constData();
                const auto *time = qobject_cast<QDateTimeAxis *>(axes[0]);
                const auto *value = qobject_cast<QValueAxis *>(axes[1]);
                QVERIFY(time && value);
                for (const QPointF &p : static_cast<QXYSeries *>(series)->points())
                    QVERIFY2(time->min().toMSecsSinceEpoch() <= p.x() && p.x() <= time->max().toMSecsSinceEpoch()
                                 && value->min() <= p.y() && p.y() <= value->max(),
                             qPrintable(view->objectName() + u": a point off the chart"_qs));
            }
        }
    }
};

QTEST_MAIN(TestProgressWindow)
#include "test_progresswindow.moc"
