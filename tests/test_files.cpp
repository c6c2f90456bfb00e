// The settings, dictionary and history files: what they accept and what they refuse. (fuzz_history
// holds the history's reader to a plain one on any input.)
#include "files/dictionary.h"
#include "files/forget.h"
#include "files/history.h"
#include "files/settings.h"
#include "harness.h"

class TestFiles : public QObject {
    Q_OBJECT
private slots:
    void settingsReadTheirFirstTwoValuesOrNameTheProblem_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("read"); // play time and auto-save; empty: refused
        QTest::addColumn<QString>("mentions");
        QTest::newRow("more after the two") << u"90,2,junk\r\nmore\r\n"_qs << u"90,2"_qs << QString();
        QTest::newRow("no line end, blanks") << u" 120 , 0"_qs << u"120,0"_qs << QString();
        QTest::newRow("empty") << QString() << QString() << u"2 つ"_qs;
        QTest::newRow("not a number") << u"sixty,1\r\n"_qs << QString() << u"sixty"_qs;
        QTest::newRow("the largest play time") << u"32767,0"_qs << u"32767,0"_qs << QString();
        QTest::newRow("over 16 bits") << u"32768,0\r\n"_qs << QString() << u"32768"_qs;
        QTest::newRow("auto-save 3") << u"60,3\r\n"_qs << QString() << u"0、1、2"_qs;
        QTest::newRow("play time 0") << u"0,1\r\n"_qs << QString() << u"1 以上"_qs;
    }

    void settingsReadTheirFirstTwoValuesOrNameTheProblem()
    {
        QFETCH(QString, text);
        QFETCH(QString, read);
        QFETCH(QString, mentions);
        files::Settings s;
        QString error;
        const bool ok = files::parseSettings(text, u"設定.txt"_qs, s, error);
        QCOMPARE(ok ? u"%1,%2"_qs.arg(s.playTime).arg(s.autoSave) : QString(), read);
        QVERIFY2(ok || (error.contains(u"設定.txt"_qs) && error.contains(mentions)), qPrintable(error));
    }

    void forgettingTakesOutTheWordsLinesAndKeepsEveryOtherByte_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after"); // empty: refused, the file stays as it was
        const QByteArray a = fakes::cp932(u"あめ"_qs), g = fakes::cp932(u"ごりら"_qs), r = fakes::cp932(u"らっぱ"_qs);
        QTest::newRow("first line") << g + "\r\n" + a + "\r\n" + r + "\r\n" << a + "\r\n" + r + "\r\n";
        QTest::newRow("middle line") << a + "\r\n" + g + "\r\n" + r + "\r\n" << a + "\r\n" + r + "\r\n";
        QTest::newRow("last line, no CR LF") << a + "\r\n" + g << a + "\r\n";
        QTest::newRow("stored twice, kept line has no CR LF") << g + "\r\n" + g + "\r\n" + a << a;
        QTest::newRow("quoted, blanks, lone LF and CR") << a + "\n \"" + g + "\" \r" + r << a + "\n" + r;
        // 0xED40 reads as 纊, which the codec writes back as 0xFA5C.
        QTest::newRow("bytes the codec writes otherwise") << "\xED\x40\r\n" + g + "\r\n" << QByteArray("\xED\x40\r\n");
        QTest::newRow("once alone, once sharing a line") << g + "\r\n" + a + "," + g + "\r\n" << QByteArray();
    }

    void forgettingTakesOutTheWordsLinesAndKeepsEveryOtherByte()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        QTemporaryDir dir;
        const QString file = dir.filePath(u"辞書.txt"_qs);
        fakes::writeBytes(file, before);
        QStringList words;
        QString error;
        QVERIFY(files::readDictionary(file, words, error));
        files::WordTally shown;
        for (const QString &word : words)
            shown.add(word);
        int removed = 0;
        QCOMPARE(files::forgetWord(file, u"ごりら"_qs, shown, removed, error), !after.isEmpty());
        QCOMPARE(fakes::fileBytes(file), after.isEmpty() ? before : after);
        QCOMPARE(removed, int(words.count(u"ごりら"_qs)) * !after.isEmpty());
        QVERIFY2(after.isEmpty() == error.contains(u"1 行に 1 語"_qs), qPrintable(error));
    }

    void historyRecordsAreReadWhereverLinesBreakOrTheProblemIsNamed_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("records"); // -1: refused
        QTest::addColumn<QString>("mentions");
        QTest::newRow("record split over lines, the smallest count")
            << u"\"2010/04/01\",\"13:05:09\",812\r\n25,3,-32768\r\n\"89.3%\",\"1.63/秒\",\"60秒\"\r\n"_qs << 1
            << QString();
        const QString ok = u"\"d\",\"t\",1,2,3,4,\"a\",\"s\",\"p\"\r\n"_qs;
        QTest::newRow("cut short") << ok + u"\"d\",\"t\",1,2\r\n"_qs << -1 << u"2 件目"_qs;
        QTest::newRow("field 6 over 16 bits")
            << ok + u"\"d\",\"t\",1,2,3,32768,\"a\",\"s\",\"p\"\r\n"_qs << -1 << u"32768"_qs;
        QTest::newRow("one record over the limit") << ok.repeated(files::kMaxHistoryRecords + 1) << -1 << u"32766"_qs;
    }

    void historyRecordsAreReadWhereverLinesBreakOrTheProblemIsNamed()
    {
        QFETCH(QString, text);
        QFETCH(int, records);
        QFETCH(QString, mentions);
        QList<files::HistoryRecord> got;
        QString error;
        const bool ok = files::parseHistory(text, u"履歴.txt"_qs, got, error);
        QCOMPARE(ok ? int(got.size()) : -1, records);
        QVERIFY2(ok || (error.contains(u"履歴.txt"_qs) && error.contains(mentions)), qPrintable(error));
        for (const files::HistoryRecord &r : got.first(ok ? got.size() : 0))
            QCOMPARE(QStringList(r.begin(), r.end()),
                     (QStringList{u"2010/04/01"_qs, u"13:05:09"_qs, u"812"_qs, u"25"_qs, u"3"_qs, u"-32768"_qs,
                                  u"89.3%"_qs, u"1.63/秒"_qs, u"60秒"_qs}));
    }
};

QTEST_GUILESS_MAIN(TestFiles)
#include "test_files.moc"
