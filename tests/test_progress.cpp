// What the game learns from the answers: the record's lines and file, the per-kana figures,
// keystrokes per minute, the days of practice and the reply draw aimed at weak kana. Qt Core only.
#include "game/rules.h"
#include "harness.h"
#include "platform/kana/kana.h"
#include "progress/kanastats.h"
#include "progress/practicedays.h"
#include "progress/record/answerfile.h"
#include "progress/savedgames.h"
#include "progress/typingspeed.h"
#include "progress/weakkanadraw.h"

#include <QFileInfo>
#include <QTimeZone>

using game::AnswerVerdict;
using progress::AnswerRow;

Q_DECLARE_METATYPE(AnswerRow)

namespace {

const QString kGame = u"2024/05/01 13:05:09"_qs;
const QByteArray kHeader = "\"kanarinka answer record\",1\r\n";

// "る:ok:2000 ゃ:n:900": expected kana, verdict as the file names it, stall in ms.
QList<AnswerRow> rows(const QString &spec)
{
    QList<AnswerRow> out;
    for (const QString &item : spec.split(u' ', Qt::SkipEmptyParts)) {
        const QStringList p = item.split(u':');
        const QString line = u"\"%1\",\"%2\",\"%2\",\"%3\",%4,0,,"_qs.arg(kGame, p[0], p[1], p[2]);
        out.append(progress::parseAnswerRow(line).value());
    }
    return out;
}

progress::KanaStats stats(const QString &spec)
{
    progress::KanaStats s;
    for (const AnswerRow &row : rows(spec))
        s.add(row);
    return s;
}

// "05/01-23:30+10": a game started then in 2024, with one accepted answer that took 10 minutes.
progress::PracticeDays practice(const QString &games)
{
    progress::PracticeDays days;
    for (const QString &g : games.split(u' ', Qt::SkipEmptyParts)) {
        const QString start = u"2024/%1:00"_qs.arg(g.section(u'+', 0, 0).replace(u'-', u' '));
        days.add(
            AnswerRow{start, u'あ', u"あさ"_qs, AnswerVerdict::Accepted, g.section(u'+', 1).toLongLong() * 60'000, 0, {}});
    }
    return days;
}

QDate in2024(const QString &monthDay)
{
    return QDate::fromString(u"2024/"_qs + monthDay, u"yyyy/MM/dd"_qs);
}

} // namespace

class TestProgress : public QObject {
    Q_OBJECT
private slots:

    void aRowIsOneLineThatReadsBackAsWritten_data()
    {
        QTest::addColumn<AnswerRow>("row");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("answerRead");
        QTest::newRow("romaji keys")
            << AnswerRow{kGame, u'る', u"るびい"_qs, AnswerVerdict::Accepted, 1840, 920, progress::Keystrokes{7, 1}}
            << u"\"2024/05/01 13:05:09\",\"る\",\"るびい\",\"ok\",1840,920,7,1\r\n"_qs << u"るびい"_qs;
        QTest::newRow("input method: keys unknown")
            << AnswerRow{kGame, u'ご', u"ごま"_qs, AnswerVerdict::Duplicate, 300, 0, {}}
            << u"\"2024/05/01 13:05:09\",\"ご\",\"ごま\",\"duplicate\",300,0,,\r\n"_qs << u"ごま"_qs;
        QTest::newRow("no word shown, stray letters")
            << AnswerRow{kGame, QChar(), u"ごrx"_qs, AnswerVerdict::StrayLetters, 0, 5, progress::Keystrokes{4, 0}}
            << u"\"2024/05/01 13:05:09\",\"\",\"ごrx\",\"stray\",0,5,4,0\r\n"_qs << u"ごrx"_qs;
        QTest::newRow("a quote or line end cannot end the value")
            << AnswerRow{kGame, u'ん', u"a\"b\r\nc"_qs, AnswerVerdict::EndsInN, 1, 2, {}}
            << u"\"2024/05/01 13:05:09\",\"ん\",\"a＂b  c\",\"n\",1,2,,\r\n"_qs << u"a＂b  c"_qs;
    }

    void aRowIsOneLineThatReadsBackAsWritten()
    {
        QFETCH(AnswerRow, row);
        QFETCH(QString, line);
        QFETCH(QString, answerRead);
        QCOMPARE(progress::formatAnswerRow(row), line);
        row.answer = answerRead;
        QCOMPARE(progress::parseAnswerRow(QStringView(line).chopped(2)), std::optional(row));
    }

    void badLinesAreSkippedAndCountedTheRestIsRead()
    {
        const QByteArray good = "\"2024/05/01 13:05:09\",\"る\",\"るす\",\"ok\",10,20,3,0\r\n";
        const QList<QByteArray> bad{
            "\"2024/05/01 13:05:09\",\"る\",\"るす\",\"maybe\",10,20,3,0", // unknown verdict
            "\"2024/05/01 13:05:09\",\"る\",\"るす\",\"ok\",-10,20,3,0",   // negative time
            "\"2024/05/01 13:05:09\",\"る\",\"るす\",\"ok\",10,20,3,4",    // more Backspaces than keys
            "\"2024/05/01 13:05:09\",\"るす\",\"るす\",\"ok\",10,20,,",    // two kana expected
            "\"yesterday\",\"る\",\"るす\",\"ok\",10,20,,",                // no time of a game
            "\"2024/05/01 13:05:09\",\"る\",\"る\xff\",\"ok\",10,20,,",    // not UTF-8
            "\"2024/05/01 13:05:09\",\"る\",\"るす\",\"ok\",10",           // cut short
        };
        QTemporaryDir dir;
        const QString name = dir.filePath(u"record.txt"_qs);
        fakes::writeBytes(name, kHeader + good + bad.join("\r\n") + "\r\n\r\n" + good);
        progress::AnswerFileContents record;
        QString error;
        QCOMPARE(progress::AnswerFile(name).read(record, error), progress::AnswerFile::State::Ready);
        QCOMPARE(record.rows.size(), 2);
        QCOMPARE(record.badLines, bad.size());
    }

    void aFileThatIsNoRecordIsSetAsideOnceAndRecordingGoesOn_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message"); // a part of it; empty when none
        QTest::addColumn<bool>("setAside");
        QTest::addColumn<bool>("recording");
        QTest::addColumn<QByteArray>("note"); // what an append a crash cut short left beside it
        QTest::newRow("a record") << kHeader + "\"2024/05/01 13:05:09\",\"る\",\"るす\",\"ok\",1,2,,\r\n"
                                  << QString() << false << true << QByteArray();
        QTest::newRow("some other text") << QByteArray("hello\r\n") << u"に名前を変えて残しました"_qs << true << true
                                         << QByteArray();
        QTest::newRow("a newer version: kept, not written")
            << QByteArray("\"kanarinka answer record\",2\r\n") << u"新しい版"_qs << false << false << QByteArray();
        QTest::newRow("blanks: begun anew") << QByteArray(" \r\n\r\n") << QString() << false << true << QByteArray();
        const QByteArray first = kHeader + "\"2024/05/01 13:05:09\",\"る\",\"るす\",\"ok\",1,2,,\r\n";
        const QByteArray note = "0 0 " + QByteArray::number(first.size()) + "\r\n" + first;
        QTest::newRow("a first append torn by a crash: undone") << first.first(20) << QString() << false << true << note;
        QTest::newRow("killed as the first append began") << QByteArray() << QString() << false << true << note;
    }

    void aFileThatIsNoRecordIsSetAsideOnceAndRecordingGoesOn()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        QFETCH(bool, setAside);
        QFETCH(bool, recording);
        QFETCH(QByteArray, note);
        const fakes::InFolder folder;
        const QString name = progress::kAnswerRecordFile;
        fakes::writeBytes(name, bytes);
        if (!note.isNull())
            fakes::writeBytes(name + u".append"_qs, note);
        progress::AnswerFile file(name);
        const QString told = file.check(QDateTime(QDate(2024, 5, 1), QTime(13, 5, 9)));
        QVERIFY2(message.isEmpty() ? told.isEmpty() : told.contains(message) && told.contains(u"「回答記録.txt」"_qs),
                 qPrintable(told));
        QCOMPARE(QFile::exists(u"回答記録.damaged-20240501-130509.txt"_qs), setAside);
        QCOMPARE(file.recording(), recording);
        QString error;
        QVERIFY(file.append(rows(u"か:ok:100"_qs).value(0), error));
        QCOMPARE(QDir().entryList({name + u".append*"_qs}), QStringList()); // no stray note
        progress::AnswerFileContents record;
        if (recording) {
            QCOMPARE(file.read(record, error), progress::AnswerFile::State::Ready);
            QCOMPARE(record.badLines, 0);
            QVERIFY(!record.rows.isEmpty() && record.rows.back().expected == u'か');
        } else {
            QCOMPARE(fakes::fileBytes(name), bytes);
        }
    }

    void anOversizedRecordKeepsItsNewestWholeGamesAtStart()
    {
        QTemporaryDir dir;
        const QString name = dir.filePath(u"record.txt"_qs);
        QByteArray bytes = kHeader;
        for (int game = 0; bytes.size() <= progress::AnswerFile::kMaxBytes; ++game)
            for (int i = 0; i < 100; ++i)
                bytes += QStringLiteral("\"2024/05/01 13:%1:%2\",\"る\",\"るす\",\"ok\",%3,20,3,0\r\n")
                             .arg(game / 60 % 60, 2, 10, QChar(u'0'))
                             .arg(game % 60, 2, 10, QChar(u'0'))
                             .arg(i)
                             .toUtf8();
        fakes::writeBytes(name, bytes);
        progress::AnswerFile file(name);
        QCOMPARE(file.check(QDateTime()), QString());
        progress::AnswerFileContents record;
        QString error;
        QCOMPARE(file.read(record, error), progress::AnswerFile::State::Ready);
        QVERIFY(QFileInfo(name).size() <= progress::AnswerFile::kKeepBytes + kHeader.size());
        QCOMPARE(record.badLines, 0);
        QVERIFY(record.rows.size() % 100 == 0 && record.rows.size() > 0);
        QCOMPARE(record.rows.front().stallMs, 0); // a game from its start
        QCOMPARE(progress::formatAnswerRow(record.rows.back()).toUtf8(),
                 bytes.sliced(bytes.lastIndexOf('\n', bytes.size() - 2) + 1));
    }

    void eachKanaGetsItsAnswersFailuresAndMedianStall_data()
    {
        QTest::addColumn<QString>("answers");
        QTest::addColumn<QString>("kana");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("failures");
        QTest::addColumn<int>("median"); // -1: not known yet
        QTest::newRow("odd count") << u"る:ok:1000 る:ok:3000 る:ok:2000"_qs << u"る"_qs << 3 << 0 << 2000;
        QTest::newRow("even count: between the middle two")
            << u"る:ok:1000 る:ok:9000 る:ok:3000 る:ok:2000"_qs << u"る"_qs << 4 << 0 << 2500;
        QTest::newRow("too few: unknown, not good") << u"ぬ:ok:1000 ぬ:ok:2000"_qs << u"ぬ"_qs << 2 << 0 << -1;
        QTest::newRow("mistakes charged to the kana expected")
            << u"ぺ:n:2000 ぺ:chain:4000 ぺ:duplicate:3000 ら:ok:1"_qs << u"ぺ"_qs << 3 << 3 << 3000;
        QTest::newRow("small kana counted as large")
            << u"ゃ:ok:1000 や:ok:2000 ゃ:ok:3000"_qs << u"や"_qs << 3 << 0 << 2000;
        QTest::newRow("keys typed ahead and walks away: no stall, still a mistake")
            << u"る:ok:50 る:chain:60000 る:ok:2000 る:ok:2000 る:ok:4000"_qs << u"る"_qs << 5 << 1 << 2000;
        QTest::newRow("spelling trouble says nothing of the kana")
            << u"る:long:9000 る:stray:9000"_qs << u"る"_qs << 0 << 0 << -1;
    }

    void eachKanaGetsItsAnswersFailuresAndMedianStall()
    {
        QFETCH(QString, answers);
        QFETCH(QString, kana);
        QFETCH(int, count);
        QFETCH(int, failures);
        QFETCH(int, median);
        const progress::KanaRecord r = stats(answers).record(kana.front());
        QCOMPARE(r.answers, count);
        QCOMPARE(r.failures, failures);
        QCOMPARE(r.medianStallMs().value_or(-1), median);
    }

    void keystrokesPerMinuteCountOnlyKnownKeysOverTyping_data()
    {
        QTest::addColumn<QString>("answers"); // game:keys:typing ms, "-" keys unknown
        QTest::addColumn<QString>("perMinute");
        QTest::newRow("two games") << u"A:10:6000 A:20:6000 B:5:3000"_qs << u"A=150 B=100"_qs;
        QTest::newRow("an input method's answer left out") << u"A:10:6000 A:-:6000"_qs << u"A=100"_qs;
        QTest::newRow("no known keys, no figure") << u"A:-:1000 B:0:0"_qs << QString();
    }

    void keystrokesPerMinuteCountOnlyKnownKeysOverTyping()
    {
        QFETCH(QString, answers);
        QFETCH(QString, perMinute);
        QList<AnswerRow> in;
        for (const QString &item : answers.split(u' ')) {
            const QStringList p = item.split(u':');
            AnswerRow row{p[0], u'あ', u"あ"_qs, AnswerVerdict::Accepted, 0, p[2].toInt(), {}};
            if (p[1] != u"-")
                row.keys = progress::Keystrokes{p[1].toInt(), 0};
            in.append(row);
        }
        progress::KeystrokeTally tally;
        for (const AnswerRow &row : std::as_const(in))
            tally.add(row);
        QStringList out;
        for (const progress::GameKeystrokes &g : tally.games())
            out.append(u"%1=%2"_qs.arg(g.game).arg(g.perMinute()));
        QCOMPARE(out.join(u' '), perMinute);
    }

    void aGameCountsForTheDayItStartedOnFromFourToFour_data()
    {
        QTest::addColumn<QString>("games");
        QTest::addColumn<QString>("perDay"); // games on each day named
        QTest::newRow("a late evening counts for that evening")
            << u"05/01-23:30+1 05/02-00:00+1 05/02-03:59+1 05/02-04:00+1"_qs << u"05/01=3 05/02=1"_qs;
        QTest::newRow("the night clocks go forward (New York)")
            << u"03/10-01:59+1 03/10-03:00+1 03/10-04:30+1"_qs << u"03/09=2 03/10=1"_qs;
        QTest::newRow("the night clocks go back (Berlin)")
            << u"10/27-02:30+1 10/27-02:10+1 10/27-03:30+1 10/27-04:00+1"_qs << u"10/26=3 10/27=1"_qs;
        QTest::newRow("flying west: the wall clock goes back, the day stays one")
            << u"05/02-09:00+1 05/01-21:00+1 05/02-20:00+1"_qs << u"05/01=1 05/02=2"_qs;
    }

    void aGameCountsForTheDayItStartedOnFromFourToFour()
    {
        QFETCH(QString, games);
        QFETCH(QString, perDay);
        const progress::PracticeDays days = practice(games);
        QStringList counted;
        for (const QString &d : perDay.split(u' '))
            counted.append(u"%1=%2"_qs.arg(d.section(u'=', 0, 0)).arg(days.day(in2024(d.section(u'=', 0, 0))).games));
        QCOMPARE(counted.join(u' '), perDay);
    }

    // The wall clock's date, not four hours back: on summer time's first morning 4:30 is 3 h after midnight.
    void todayIsTheWallClocksDateFromFourInItsZone_data()
    {
        QTest::addColumn<QString>("zone");
        QTest::addColumn<QString>("wall");
        QTest::addColumn<QString>("today");
        QTest::newRow("New York, clocks gone forward") << u"America/New_York"_qs << u"03/10 04:30"_qs << u"03/10"_qs;
        QTest::newRow("New York, clocks gone back") << u"America/New_York"_qs << u"11/03 03:30"_qs << u"11/02"_qs;
        QTest::newRow("Berlin, clocks gone forward") << u"Europe/Berlin"_qs << u"03/31 04:30"_qs << u"03/31"_qs;
        QTest::newRow("Berlin, clocks gone back") << u"Europe/Berlin"_qs << u"10/27 03:30"_qs << u"10/26"_qs;
        QTest::newRow("Tokyo, before four") << u"Asia/Tokyo"_qs << u"05/01 03:59"_qs << u"04/30"_qs;
    }

    void todayIsTheWallClocksDateFromFourInItsZone()
    {
        QFETCH(QString, zone);
        QFETCH(QString, wall);
        QFETCH(QString, today);
        const QTimeZone where(zone.toUtf8());
        QVERIFY2(where.isValid(), qPrintable(zone));
        const QDateTime now(in2024(wall.section(u' ', 0, 0)), QTime::fromString(wall.section(u' ', 1), u"hh:mm"_qs),
                            where);
        QCOMPARE(progress::practiceDay(now), in2024(today));
    }

    void theRunCountsDaysInARowThatMetTheGoal_data()
    {
        QTest::addColumn<QString>("games");
        QTest::addColumn<QString>("today");
        QTest::addColumn<int>("run"); // with a goal of 10 minutes
        QTest::newRow("today met, and the two days before")
            << u"04/29-20:00+10 04/30-20:00+12 05/01-08:00+10"_qs << u"05/01"_qs << 3;
        QTest::newRow("today not met yet keeps the days before")
            << u"04/29-20:00+10 04/30-20:00+12 05/01-08:00+3"_qs << u"05/01"_qs << 2;
        QTest::newRow("a day short of the goal ends it") << u"04/29-20:00+10 04/30-20:00+9"_qs << u"05/01"_qs << 0;
        QTest::newRow("a day without play ends it") << u"04/28-20:00+10 04/30-20:00+10"_qs << u"05/01"_qs << 1;
        QTest::newRow("the goal summed over the day's games")
            << u"05/01-08:00+4 05/01-20:00+5 05/02-01:00+1"_qs << u"05/02"_qs << 1;
        QTest::newRow("across the night clocks go forward, after midnight")
            << u"03/09-22:00+10 03/11-01:30+10 03/11-04:30+10"_qs << u"03/11"_qs << 3;
    }

    void theRunCountsDaysInARowThatMetTheGoal()
    {
        QFETCH(QString, games);
        QFETCH(QString, today);
        QFETCH(int, run);
        QCOMPARE(practice(games).run(in2024(today), 10), run);
    }

    // The time is each answer's, from its word to Enter; the counts are the game's own.
    void aDaysFiguresAddUpItsGames()
    {
        progress::PracticeDays days;
        const QString first = u"2024/05/01 20:00:00"_qs, second = u"2024/05/01 20:05:00"_qs;
        for (const AnswerRow &row :
             {AnswerRow{first, u'ご', u"ごりら"_qs, AnswerVerdict::Accepted, 2000, 1000, {}},
              AnswerRow{first, u'ら', u"らっぱ"_qs, AnswerVerdict::BrokenChain, 1500, 500, {}},
              AnswerRow{first, u'ら', u"らいおー"_qs, AnswerVerdict::EndsInLongSound, 900, 100, {}},
              AnswerRow{first, u'ら', u"らx"_qs, AnswerVerdict::StrayLetters, 400, 100, {}},
              // hand-edited: longer than any game
              AnswerRow{second, u'ご', u"ごま"_qs, AnswerVerdict::Accepted, 999'999'999'999, 0, {}},
              AnswerRow{second, u'ま', u"まり"_qs, AnswerVerdict::Accepted, 999'999'999'999, 0, {}}})
            days.add(row);
        const progress::PracticeDay day = days.day(QDate(2024, 5, 1));
        QCOMPARE(day.games, 2);
        QCOMPARE(day.playedMs, 6500 + progress::PracticeDays::kMaxGameMs);
        QCOMPARE(day.characters, 7);
        QCOMPARE(day.accuracy().value(), 75.0);
    }

    // A chart of thousands of games drawn from a few hundred points still shows every peak.
    void aThinnedLineKeepsEachRunsPeaksInOrder()
    {
        QList<QPointF> points;
        for (int i = 0; i < 1000; ++i)
            points.append({double(i), i == 537 ? 9.0 : i == 538 ? -9.0 : double(i % 7)});
        const QList<QPointF> thin = progress::thinned(points, 10);
        QVERIFY(thin.size() <= 20);
        QVERIFY(thin.contains(QPointF(537, 9)) && thin.contains(QPointF(538, -9)));
        QVERIFY(
            std::is_sorted(thin.begin(), thin.end(), [](const QPointF &a, const QPointF &b) { return a.x() < b.x(); }));
    }

    void theWeightedDrawGivesEachCandidateItsShare_data()
    {
        QTest::addColumn<QString>("weights");
        QTest::addColumn<float>("r");
        QTest::addColumn<int>("index");
        QTest::newRow("first share") << u"1 3"_qs << 0.2f << 0;
        QTest::newRow("second share") << u"1 3"_qs << 0.3f << 1;
        QTest::newRow("the top") << u"1 3 1"_qs << 0.99999994f << 2;
        QTest::newRow("equal: the game's own draw")
            << u"1 1 1"_qs << 0.6666667f << game::uniformReplyIndex(3, 0.6666667f);
    }

    void theWeightedDrawGivesEachCandidateItsShare()
    {
        QFETCH(QString, weights);
        QFETCH(float, r);
        QFETCH(int, index);
        std::vector<double> w;
        for (const QString &v : weights.split(u' '))
            w.push_back(v.toDouble());
        QCOMPARE(progress::weightedIndex(w, r), index);
    }

    // The weakest kana's word takes most of the draw, the others all keep a chance.
    void aimedRepliesFavourTheWeakestAndReachEveryCandidate()
    {
        const progress::KanaStats s = stats(u"る:ok:9000 る:ok:9000 る:chain:9000 か:ok:1000 か:ok:1000 か:ok:1000"_qs);
        QCOMPARE(s.weakest(3), (QList<QChar>{u'る', u'か'}));
        fakes::Focus focus;
        fakes::ListBox candidates(u"lstHukusu"_qs, focus);
        candidates.items = QStringList{u"あか"_qs, u"はる"_qs, u"あさ"_qs, u"くる"_qs}; // か good, る weak, さ unknown
        progress::WeakKanaDraw draw(s);
        QList<int> hits(4);
        for (int i = 0; i < 1000; ++i)
            ++hits[draw.pick(candidates, i / 1000.0)];
        QVERIFY2(hits[0] > 0 && hits[2] > 0 && hits[1] > 3 * hits[0] && hits[3] > 3 * hits[2],
                 qPrintable(u"%1 %2 %3 %4"_qs.arg(hits[0]).arg(hits[1]).arg(hits[2]).arg(hits[3])));
    }
};

QTEST_MAIN(TestProgress)
#include "test_progress.moc"
