// Saving a finished game, the automatic save, and clearing the history.
#include "files/history.h"
#include "harness.h"

using fakes::Harness;
using platform::MessageButtons;
using platform::MessageIcon;
using platform::MessageResult;

namespace {

QByteArray dictionary()
{
    return fakes::cp932(u"りんご\r\nごりら\r\nらっぱ\r\n"_qs);
}

// A finished 60-second game: ごりら accepted, one answer rejected.
void playOneGame(Harness &h)
{
    h.startGame();
    h.answer(u"ごりら"_qs);
    h.messages.expect(u"しりとりになっていません！"_qs, u"間違い"_qs, MessageIcon::Critical);
    h.answer(u"ねこ"_qs);
    h.playOut();
}

} // namespace

class TestHistory : public QObject {
    Q_OBJECT
private slots:
    void saveWritesTheExampleRecordExactly()
    {
        fakes::Loaded h("60,0\r\n", dictionary());
        h.game->intJisyoCount = 800;
        h.game->intNewWords = 12;
        h.game->intOk = 25;
        h.game->intNg = 3;
        h.game->intMoji = 98;
        h.game->cmdHozon_Click();
        QCOMPARE(fakes::fileBytes(u"履歴.txt"_qs),
                 fakes::cp932(u"\"2010/04/01\",\"13:05:09\",812,25,3,98,\"89.3%\",\"1.63/秒\",\"60秒\"\r\n"_qs));
        QCOMPARE(h.msgRireki.rowTexts(1),
                 (QStringList{u"1"_qs, u"2010/04/01"_qs, u"13:05:09"_qs, u"812"_qs, u"25"_qs, u"3"_qs, u"98"_qs,
                              u"89.3%"_qs, u"1.63/秒"_qs, u"60秒"_qs}));
    }

    void theHistoryInMemoryFollowsTheFile()
    {
        const QByteArray record = "\"d\",\"t\",1,+2,3,4,\"a\",\"s\",\"p\"\r\n";
        Harness h("60,0\r\n", dictionary(), record);
        QVERIFY(h.load());
        playOneGame(h);
        h.game->cmdHozon_Click();
        QList<files::HistoryRecord> file;
        QString error;
        QVERIFY(files::readHistory(u"履歴.txt"_qs, file, error));
        QCOMPARE(h.game->history().count(), 2);
        for (int r = 0; r < 2; ++r)
            for (int field = 0; field < 9; ++field)
                QCOMPARE(h.game->history().field(r, field), file[r][field]);

        h.messages.allowAny = true;
        h.game->cmdClear_Click();
        QCOMPARE(h.game->history().count(), 0);

        QFile::remove(u"履歴.txt"_qs);
        QDir().mkdir(u"履歴.txt"_qs);
        h.game->cmdHozon_Click(); // fails: nothing added
        QCOMPARE(h.game->history().count(), 0);
    }

    void saveIsRefusedOutsideAFinishedGame_data()
    {
        QTest::addColumn<QString>("when");
        QTest::newRow("during the countdown") << u"countdown"_qs;
        QTest::newRow("during play") << u"play"_qs;
        QTest::newRow("game with no answer") << u"unanswered"_qs;
    }

    void saveIsRefusedOutsideAFinishedGame()
    {
        QFETCH(QString, when);
        fakes::Loaded h("60,0\r\n", dictionary());
        playOneGame(h); // leaves counters that are not 0
        h.game->cmdStart_Click();
        h.game->intOk = 1;
        if (when != u"countdown"_qs)
            for (int i = 0; i < 3; ++i)
                h.game->tmrStart_Timer();
        if (when == u"unanswered"_qs) {
            h.game->intOk = 0;
            h.playOut();
        }
        h.game->cmdHozon_Click();
        QCOMPARE(h.msgRireki.rows(), 1);
        QCOMPARE(fakes::fileBytes(u"履歴.txt"_qs), QByteArray(""));
    }

    void clearAsksThenEmptiesAndRestartsNumbering_data()
    {
        QTest::addColumn<MessageResult>("answer");
        QTest::newRow("OK") << MessageResult::Ok;
        QTest::newRow("Cancel: nothing changes") << MessageResult::Cancel;
    }

    void clearAsksThenEmptiesAndRestartsNumbering()
    {
        QFETCH(MessageResult, answer);
        const QByteArray record = "\"d\",\"t\",1,2,3,4,\"a\",\"s\",\"p\"\r\n";
        Harness h("60,0\r\n", dictionary(), record);
        QVERIFY(h.load());
        h.messages.expect(u"履歴データをクリアします。よろしいですか？"_qs, u"クリア確認"_qs, MessageIcon::Exclamation,
                          MessageButtons::OkCancel);
        h.messages.answers = {answer};
        if (answer == MessageResult::Ok)
            h.messages.expect(u"履歴データをクリアしました"_qs, u"クリア終了"_qs, MessageIcon::Information);
        h.game->cmdClear_Click();
        QVERIFY(h.messages.expected.isEmpty());
        QCOMPARE(fakes::fileBytes(u"履歴.txt"_qs), answer == MessageResult::Ok ? QByteArray("") : record);
        QCOMPARE(h.msgRireki.rows(), answer == MessageResult::Ok ? 1 : 2);
        playOneGame(h);
        h.game->cmdHozon_Click();
        QCOMPARE(h.msgRireki.rowTexts(h.msgRireki.rows() - 1).first(), answer == MessageResult::Ok ? u"1"_qs : u"2"_qs);
    }

    void autoSaveFollowsTheCheckBox_data()
    {
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<int>("rows");
        QTest::newRow("on") << QByteArray("60,1\r\n") << 2;
        QTest::newRow("off") << QByteArray("60,0\r\n") << 1;
        QTest::newRow("greyed") << QByteArray("60,2\r\n") << 1;
    }

    void autoSaveFollowsTheCheckBox()
    {
        QFETCH(QByteArray, settings);
        QFETCH(int, rows);
        fakes::Loaded h(settings, dictionary());
        playOneGame(h);
        QCOMPARE(h.msgRireki.rows(), rows);
        QCOMPARE(fakes::fileBytes(u"履歴.txt"_qs).count('\n'), rows - 1);
    }

    void saveIsRefusedWhileTheFileHoldsTheLargestHistory_data()
    {
        QTest::addColumn<int>("records"); // in the file when the game ends
        QTest::addColumn<QByteArray>("settings");
        QTest::newRow("room for one more") << files::kMaxHistoryRecords - 1 << QByteArray("60,0\r\n");
        QTest::newRow("full, by the button") << files::kMaxHistoryRecords << QByteArray("60,0\r\n");
        QTest::newRow("full, automatically") << files::kMaxHistoryRecords << QByteArray("60,1\r\n");
    }

    void saveIsRefusedWhileTheFileHoldsTheLargestHistory()
    {
        QFETCH(int, records);
        QFETCH(QByteArray, settings);
        const QByteArray record = "\"d\",\"t\",1,2,3,4,\"a\",\"s\",\"p\"\r\n";
        Harness h(settings, dictionary(), record);
        QVERIFY(h.load());
        fakes::writeBytes(u"履歴.txt"_qs, record.repeated(records)); // grown behind the game
        h.messages.allowAny = true;
        playOneGame(h);
        h.game->cmdHozon_Click();
        QCOMPARE(h.msgRireki.rows(), records < files::kMaxHistoryRecords ? 3 : 2);
        QCOMPARE(h.program.exitCode, -1);
        QList<files::HistoryRecord> read;
        QString error;
        QVERIFY2(files::readHistory(u"履歴.txt"_qs, read, error) && read.size() == files::kMaxHistoryRecords,
                 qPrintable(error));
        const QString told = h.messages.shown.last().prompt;
        QVERIFY(records < files::kMaxHistoryRecords
                || (told.contains(u"履歴.txt"_qs) && told.contains(u"32766"_qs) && told.contains(u"クリア"_qs)));
    }

    void failedAutoSaveIsReportedAndLeavesNoRow()
    {
        fakes::Loaded h("60,1\r\n", dictionary());
        h.startGame();
        h.answer(u"ごりら"_qs);
        h.answer(u"ぱんだ"_qs); // a new word, so the game end has its own message too
        QFile::remove(u"履歴.txt"_qs);
        QDir().mkdir(u"履歴.txt"_qs); // cannot be written now
        h.messages.allowAny = true;
        h.playOut();
        QCOMPARE(h.messages.shown.size(), 2);
        QCOMPARE(h.messages.shown[0].title, u"保存できません"_qs);
        QVERIFY(h.messages.shown[0].prompt.contains(u"履歴.txt"_qs));
        QCOMPARE(h.messages.shown[1].title, u"辞書追加"_qs);
        QCOMPARE(h.msgRireki.rows(), 1);
        QCOMPARE(h.program.exitCode, -1);
        QVERIFY(h.cmdStart.enabled);
    }

    void failedSaveByTheButtonEndsTheProgram()
    {
        fakes::Loaded h("60,0\r\n", dictionary());
        playOneGame(h);
        QFile::remove(u"履歴.txt"_qs);
        QDir().mkdir(u"履歴.txt"_qs);
        h.messages.allowAny = true;
        h.messages.shown.clear();
        h.game->cmdHozon_Click();
        QCOMPARE(h.messages.shown.size(), 1);
        QCOMPARE(h.messages.shown[0].icon, MessageIcon::Critical);
        QCOMPARE(h.program.exitCode, 1);
    }
};

QTEST_GUILESS_MAIN(TestHistory)
#include "test_history.moc"
