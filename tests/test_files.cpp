// The game's files: CP932 text files, the delimited-value reader and the number formats; what the
// settings, dictionary and history accept and refuse. (fuzz_delimited holds the 16-bit numbers to
// a reference reading, fuzz_history the history's reader to a plain one.)
#include "files/delimited.h"
#include "files/dictionary.h"
#include "files/forget.h"
#include "files/history.h"
#include "files/settings.h"
#include "harness.h"
#include "platform/text/numberformat.h"
#include "platform/text/textfile.h"

#include <QStringDecoder>

using files::DelimitedReader;

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

    void cp932RoundTripsMicrosoftTable_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("wave dash") << u"～"_qs << QByteArray("\x81\x60");
        QTest::newRow("full-width minus") << u"－"_qs << QByteArray("\x81\x7c");
        QTest::newRow("circled one") << u"①"_qs << QByteArray("\x87\x40");
        QTest::newRow("ascii and half-width kana") << u"a,ｱ"_qs << QByteArray("a,\xb1");
    }

    void cp932RoundTripsMicrosoftTable()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QByteArray encoded;
        QString decoded, error;
        QVERIFY(platform::encodeCp932(text, u"x"_qs, encoded, error));
        QCOMPARE(encoded, bytes);
        QVERIFY(platform::decodeCp932(bytes, u"x"_qs, decoded, error));
        QCOMPARE(decoded, text);
    }

    void decodingAgreesWithTheCodecOnEveryOneAndTwoByteText()
    {
        // In one thread, so each text meets what earlier ones left in the decoder's memory.
        const auto agree = [](const QByteArray &bytes) {
            QStringDecoder codec("windows-31j", QStringDecoder::Flag::Stateless);
            const QString want = codec.decode(bytes);
            QString text, error;
            const bool ok = platform::decodeCp932(bytes, u"x"_qs, text, error);
            return ok == !codec.hasError() && (!ok || text == want) && platform::checkCp932(bytes, u"x"_qs, error) == ok;
        };
        for (int first = 0; first < 256; ++first) {
            QVERIFY2(agree(QByteArray(1, char(first))), qPrintable(QString::number(first, 16)));
            for (int second = 0; second < 256; ++second) {
                const char pair[2] = {char(first), char(second)};
                QVERIFY2(agree(QByteArray(pair, 2)), qPrintable(QByteArray(pair, 2).toHex()));
            }
        }
    }

    void dictionaryWordsReadAsTheWordList_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("words and blank lines") << QByteArray("\x82\xa0\r\n\r\n  \x82\xa2 \r\n\x82\xa4");
        QTest::newRow("quoted, with a comma") << QByteArray("\"a,b\",c\r\n\"d\r\ne\"\r\n");
        QTest::newRow("over the limit") << QByteArray("a\r\n").repeated(files::kMaxDictionaryWords + 1);
        QTest::newRow("not CP932") << QByteArray("a\r\n\xff");
    }

    void dictionaryWordsReadAsTheWordList()
    {
        QFETCH(QByteArray, file);
        QTemporaryDir dir;
        const QString name = dir.filePath(u"辞書.txt"_qs);
        fakes::writeBytes(name, file);
        QStringList want;
        platform::TextItems got;
        QString wantError, error;
        const bool ok = files::readDictionary(name, want, wantError);
        QCOMPARE(files::readDictionaryWords(name, got, error), ok);
        QCOMPARE(error, wantError);
        QStringList words;
        for (qsizetype i = 0; i < got.count(); ++i)
            words.append(got.at(i).toString());
        QCOMPARE(words, ok ? want : QStringList());
    }

    void unencodableTextIsNeverWrittenAsQuestionMark_data()
    {
        QTest::addColumn<bool>("append");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("named");
        QTest::newRow("rewrite") << false << u"ゔぁいおりん\r\n"_qs << u"ゔ"_qs; // no ゔ in CP932
        QTest::newRow("append") << true << u"ゔぁいおりん\r\n"_qs << u"ゔ"_qs;
        // Mapped one way only: it would come back as "№".
        QTest::newRow("one-way mapping") << true << u"あ\uF86F\r\n"_qs << u"U+F86F"_qs;
    }

    void unencodableTextIsNeverWrittenAsQuestionMark()
    {
        QFETCH(bool, append);
        QFETCH(QString, text);
        QFETCH(QString, named);
        QTemporaryDir dir;
        const QString name = dir.filePath(u"辞書.txt"_qs);
        fakes::writeBytes(name, "old\r\n");
        QString error;
        QVERIFY(!(append ? platform::appendTextFile(name, text, error) : platform::rewriteTextFile(name, text, error)));
        QVERIFY(!platform::isCp932Encodable(text));
        QVERIFY2(error.contains(named), qPrintable(error));
        QCOMPARE(fakes::fileBytes(name), QByteArray("old\r\n"));
    }

    void appendKeepsLinesApartWhenLastLineEndIsMissing_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("missing file is created") << QByteArray() << QByteArray("\x82\xb1\r\n");
        QTest::newRow("empty file") << QByteArray("") << QByteArray("\x82\xb1\r\n");
        QTest::newRow("ends with CR LF") << QByteArray("a\r\n") << QByteArray("a\r\n\x82\xb1\r\n");
        QTest::newRow("last line end missing") << QByteArray("a") << QByteArray("a\r\n\x82\xb1\r\n");
        QTest::newRow("last line ends in a bare CR") << QByteArray("a\r") << QByteArray("a\r\n\x82\xb1\r\n");
    }

    void appendKeepsLinesApartWhenLastLineEndIsMissing()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        QTemporaryDir dir;
        const QString name = dir.filePath(u"f.txt"_qs);
        if (!before.isNull())
            fakes::writeBytes(name, before);
        QString error;
        QVERIFY2(platform::appendTextFile(name, u"こ\r\n"_qs, error), qPrintable(error));
        QCOMPARE(fakes::fileBytes(name), after);
    }

    void anAppendCutShortIsUndoneOnlyWhileItsNoteDescribesTheFile_data()
    {
        // What a program killed in the middle of an append leaves: the note, and perhaps part of the line.
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArray>("note");
        QTest::addColumn<QByteArray>("after");
        QTest::addColumn<bool>("setAside");
        const QByteArray note = "3 3 15\r\na\r\nhalf a record\r\n";
        QTest::newRow("half the line written") << QByteArray("a\r\nhalf a rec") << note << QByteArray("a\r\n") << false;
        QTest::newRow("whole line, note not yet gone")
            << QByteArray("a\r\nhalf a record\r\n") << note << QByteArray("a\r\n") << false;
        QTest::newRow("edited by hand since")
            << QByteArray("a\r\nb\r\nhalf") << note << QByteArray("a\r\nb\r\nhalf") << true;
        QTest::newRow("a note without the line")
            << QByteArray("a\r\nb\r\n") << QByteArray("3\r\n") << QByteArray("a\r\nb\r\n") << true;
        QTest::newRow("note cut short: no append began")
            << QByteArray("a\r\n") << note.first(5) << QByteArray("a\r\n") << false;
    }

    void anAppendCutShortIsUndoneOnlyWhileItsNoteDescribesTheFile()
    {
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, note);
        QFETCH(QByteArray, after);
        QFETCH(bool, setAside);
        QTemporaryDir dir;
        const QString name = dir.filePath(u"履歴.txt"_qs);
        fakes::writeBytes(name, file);
        fakes::writeBytes(name + u".append"_qs, note);
        QString text, error;
        QVERIFY2(platform::readTextFile(name, text, error), qPrintable(error));
        QCOMPARE(fakes::fileBytes(name), after);
        QCOMPARE(QDir(dir.path()).entryList({u"履歴.txt.append*"_qs}).size(), setAside ? 1 : 0);
        QVERIFY(platform::appendTextFile(name, u"c\r\n"_qs, error));
        QCOMPARE(fakes::fileBytes(name), after + (after.endsWith('\n') ? "c\r\n" : "\r\nc\r\n"));
    }

    void fileErrorsNameTheFileAndTheCauseInJapanese_data()
    {
        QTest::addColumn<bool>("append"); // else read
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("cause");
        QTest::newRow("a folder in its place") << false << u"folder"_qs << u"同じ名前のフォルダがあります。"_qs;
        QTest::newRow("no folder to be in") << true << u"gone/履歴.txt"_qs << u"入れるフォルダがありません。"_qs;
        QTest::newRow("read-only file") << true << u"read-only"_qs << u"書き込む権限がありません。"_qs;
        QTest::newRow("bytes that are not CP932")
            << false << u"not CP932"_qs
            << u" の 2 行目（先頭から 7 バイト目）に Shift_JIS (CP932) として読めないバイト 0xFF があります。"_qs;
    }
    void fileErrorsNameTheFileAndTheCauseInJapanese()
    {
        QFETCH(bool, append);
        QFETCH(QString, name);
        QFETCH(QString, cause);
        QTemporaryDir dir;
        QVERIFY(dir.isValid() && QDir(dir.path()).mkdir(u"folder"_qs));
        fakes::writeBytes(dir.filePath(u"read-only"_qs), "a\r\n");
        fakes::writeBytes(dir.filePath(u"not CP932"_qs), "ab\r\n\x82\xa0\xff\r\n");
        QVERIFY(QFile::setPermissions(dir.filePath(u"read-only"_qs), QFileDevice::ReadOwner));
        if (name == u"read-only" && QFileInfo(dir.filePath(name)).isWritable())
            QSKIP("permissions do not hold for this user");
        QString text, error;
        QVERIFY(append ? !platform::appendTextFile(dir.filePath(name), u"b\r\n"_qs, error)
                       : !platform::readTextFile(dir.filePath(name), text, error));
        QVERIFY2(error.startsWith(u'「' + dir.filePath(name) + u'」') && error.endsWith(cause), qPrintable(error));
    }

    void bareNamesMatchWithoutLetterCase()
    {
        QTemporaryDir dir;
        fakes::writeBytes(dir.filePath(u"辞書.TXT"_qs), "a\r\n");
        QCOMPARE(QFileInfo(platform::resolveFileName(dir.filePath(u"辞書.txt"_qs))).fileName(), u"辞書.TXT"_qs);
        QCOMPARE(platform::resolveFileName(dir.filePath(u"none.txt"_qs)), dir.filePath(u"none.txt"_qs));
    }

    void readerYieldsValuesWhereverLinesBreak_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("values"); // each as "line:text", the line it begins on
        QTest::newRow("empty") << QString() << QStringList();
        QTest::newRow("no last line end") << u"60,1"_qs << QStringList{u"1:60"_qs, u"1:1"_qs};
        QTest::newRow("two lines, lone LF") << u"60\n1\n"_qs << QStringList{u"1:60"_qs, u"2:1"_qs};
        QTest::newRow("blanks before values, trailing blanks dropped")
            << u"  60 ,\t 1 \r\n"_qs << QStringList{u"1:60"_qs, u"1:1"_qs};
        QTest::newRow("quoted comma and blanks kept") << u"\"a, b \",c\r\n"_qs << QStringList{u"1:a, b "_qs, u"1:c"_qs};
        QTest::newRow("text after closing quote ignored") << u"\"a\"xyz,b\r\n"_qs << QStringList{u"1:a"_qs, u"1:b"_qs};
        QTest::newRow("quoted value over two lines") << u"\"a\r\nb\",c"_qs << QStringList{u"1:a\r\nb"_qs, u"2:c"_qs};
        QTest::newRow("unclosed quote runs to end") << u"\"abc"_qs << QStringList{u"1:abc"_qs};
        QTest::newRow("empty value between commas, none after the last")
            << u"a,,b,\r\n"_qs << QStringList{u"1:a"_qs, u"1:"_qs, u"1:b"_qs};
        QTest::newRow("blank lines give nothing") << u"a\r\n\r\n  \r\nb\r\n\r\n"_qs << QStringList{u"1:a"_qs, u"4:b"_qs};
        QTest::newRow("lone LF in quotes")
            << u"a\r\n\r\n\"b\nc\",d\ne"_qs << QStringList{u"1:a"_qs, u"3:b\nc"_qs, u"4:d"_qs, u"5:e"_qs};
    }

    void readerYieldsValuesWhereverLinesBreak()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, values);
        DelimitedReader reader(text);
        QStringList got;
        while (!reader.atEnd()) {
            const files::Value value = reader.next();
            got.append(QString::number(value.line) + u':' + value.text);
        }
        QCOMPARE(got, values);
    }

    void formatsRoundHalvesAwayFromZero_data()
    {
        QTest::addColumn<bool>("percent");
        QTest::addColumn<qint64>("num");
        QTest::addColumn<qint64>("den");
        QTest::addColumn<QString>("text");
        QTest::newRow("1 of 16") << true << qint64(1) << qint64(16) << u"6.3%"_qs;
        QTest::newRow("half up 201 in 200") << false << qint64(201) << qint64(200) << u"1.01/秒"_qs;
        QTest::newRow("just below half") << false << qint64(1) << qint64(800) << u"0.00/秒"_qs;
        QTest::newRow("exact half") << false << qint64(1) << qint64(200) << u"0.01/秒"_qs;
        QTest::newRow("largest counts") << false << qint64(32767) << qint64(10) << u"3276.70/秒"_qs;
        QTest::newRow("no denominator") << false << qint64(5) << qint64(0) << u"0.00/秒"_qs;
    }

    void formatsRoundHalvesAwayFromZero()
    {
        QFETCH(bool, percent);
        QFETCH(qint64, num);
        QFETCH(qint64, den);
        QFETCH(QString, text);
        const QLocale previous;
        QLocale::setDefault(QLocale(QLocale::German)); // a comma locale must not leak in
        QCOMPARE(percent ? platform::formatPercent(num, den) : platform::formatPerSecond(num, den), text);
        QLocale::setDefault(previous);
    }
};

QTEST_GUILESS_MAIN(TestFiles)
#include "test_files.moc"
