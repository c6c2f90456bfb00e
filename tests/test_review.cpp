// Meanings from EDICT, a game's review, the review list and its schedule; and no file the program
// reads is read unless it is a regular file.
#include "files/dictionary.h"
#include "harness.h"
#include "meanings/edictline.h"
#include "meanings/meanings.h"
#include "progress/kanastats.h"
#include "progress/record/answerfile.h"
#include "review/couldhaveused.h"
#include "review/gamereview.h"
#include "review/reviewdraw.h"
#include "review/reviewlist.h"
#include "review/schedule.h"

#include <QScopeGuard>
#include <QSignalSpy>
#include <QStringEncoder>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

using meanings::EdictEntry;
using meanings::Meaning;
using review::ReviewWord;

Q_DECLARE_METATYPE(std::optional<EdictEntry>)

namespace {

QByteArray eucJp(const QString &text)
{
    QStringEncoder encoder("EUC-JP");
    return encoder.encode(text);
}

const QString kHeader = u"　？？？ /EDICT, EDICT_SUB(P), EDICT2 Japanese-English Electronic Dictionary Files/\n"_qs;

const QDateTime kNow(QDate(2026, 12, 7), QTime(18, 40, 0));

// An answer as the game reports it: checked, recorded, then judged.
void answer(review::GameReview &review, const QString &text, game::AnswerVerdict verdict, qint64 stallMs)
{
    review.answerChecked({});
    review.answerRecorded({u"2026/12/07 18:40:00"_qs, QChar(), text, verdict, stallMs, 100, {}});
    game::AnswerJudgement judgement;
    judgement.answer = text;
    judgement.verdict = verdict;
    judgement.playing = true;
    review.answerJudged(judgement);
}

} // namespace

class TestReview : public QObject {
    Q_OBJECT
private slots:
    void anEdictLineGivesItsReadingFormsAndFirstTwoGlosses_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<std::optional<EdictEntry>>("entry");
        QTest::newRow("kanji, (P), tags")
            << u"強化 [きょうか] /(n,vs) strengthening/intensifying/reinforcement/(P)/"_qs
            << std::optional(EdictEntry{u"強化"_qs, u"きょうか"_qs, {u"strengthening"_qs, u"intensifying"_qs}, true});
        QTest::newRow("katakana reading, sense numbers and usage")
            << u"テレビ /(n) (1) (abbr) television/TV/(n) (2) (abbr) TV program/(P)/"_qs
            << std::optional(EdictEntry{u"テレビ"_qs, u"てれび"_qs, {u"television"_qs, u"TV"_qs}, true});
        QTest::newRow("katakana in brackets")
            << u"林檎 [リンゴ] /(n) (uk) apple (fruit)/"_qs
            << std::optional(EdictEntry{u"林檎"_qs, u"りんご"_qs, {u"apple (fruit)"_qs}, false});
        QTest::newRow("kana only, a gloss that starts in parentheses")
            << u"くちゃくちゃ /(adv,adv-to) (1) (on-mim) (eating) noisily/(chewing) with an open mouth/"_qs
            << std::optional(EdictEntry{
                   QString(), u"くちゃくちゃ"_qs, {u"(eating) noisily"_qs, u"(chewing) with an open mouth"_qs}, false});
        QTest::newRow("verb class, dialect, cross-reference, antonym")
            << u"行く [いく] /(v5k-s,vi) (ksb:) (See 行く・ゆく) (ant: 来る) to go/"_qs
            << std::optional(EdictEntry{u"行く"_qs, u"いく"_qs, {u"to go"_qs}, false});
        QTest::newRow("where a loan word came from")
            << u"ラマ /(n) llama (Lama glama) (spa:)/lama (tib: bla-ma)/(P)/"_qs
            << std::optional(EdictEntry{u"ラマ"_qs, u"らま"_qs, {u"llama (Lama glama)"_qs, u"lama"_qs}, true});
        QTest::newRow("the file's first line") << kHeader.chopped(1) << std::optional<EdictEntry>();
        QTest::newRow("no glosses") << u"強化 [きょうか] /(n)/(P)/"_qs << std::optional<EdictEntry>();
        QTest::newRow("unclosed reading") << u"強化 [きょうか /x/"_qs << std::optional<EdictEntry>();
    }

    void anEdictLineGivesItsReadingFormsAndFirstTwoGlosses()
    {
        QFETCH(QString, line);
        QFETCH(std::optional<EdictEntry>, entry);
        QCOMPARE(meanings::parseEdictLine(line), entry); // fuzz_edict holds the index's scan to it
    }

    void theIndexFindsAReadingsWordsCommonFirstAndSharedGlossesOnce()
    {
        QTemporaryDir dir;
        const QString name = dir.filePath(u"edict"_qs);
        fakes::writeBytes(name,
                          eucJp(kHeader
                                + u"杏花 [きょうか] /(n) apricot flower/\n"
                                  u"供花 [きょうか] /(n) offering of flowers/floral tribute/\n"
                                  u"供華 [きょうか] /(n) offering of flowers/floral tribute/\n"
                                  u"強化 [きょうか] /(n,vs) strengthening/intensifying/(P)/\n"
                                  u"教化 [きょうか] /(n,vs) education/\n"
                                  u"リンゴ /(n) (uk) apple/\n"
                                  u"not an entry\n"_qs));
        meanings::Meanings meanings(name);
        QSignalSpy ready(&meanings, &meanings::Meanings::ready);
        QVERIFY(meanings.lookup(u"りんご").isEmpty()); // not yet
        meanings.load();
        QVERIFY(ready.wait(5000));
        QCOMPARE(meanings.state(), meanings::MeaningsIndex::State::Ready);
        QCOMPARE(meanings.lookup(u"きょうか"),
                 (QList<Meaning>{{{u"強化"_qs}, {u"strengthening"_qs, u"intensifying"_qs}, true},
                                 {{u"杏花"_qs}, {u"apricot flower"_qs}, false},
                                 {{u"供花"_qs, u"供華"_qs}, {u"offering of flowers"_qs, u"floral tribute"_qs}, false}}));
        QCOMPARE(meanings.lookup(u"りんご"), (QList<Meaning>{{{u"リンゴ"_qs}, {u"apple"_qs}, false}}));
        QVERIFY(meanings.lookup(u"ごりら").isEmpty());
    }

    // A file of one endless line reads within a bound of memory, and the lines after it still count.
    void anOverLongLineIsPassedOverInBoundedMemory()
    {
#ifdef KANARINKA_SANITIZED
        QSKIP("the sanitizer's shadow memory leaves no room for a limit");
#endif
        QTemporaryDir dir;
        const QString name = dir.filePath(u"edict"_qs);
        fakes::writeBytes(name, eucJp(kHeader));
        QFile file(name);
        QVERIFY(file.open(QIODevice::ReadWrite) && file.resize(160 << 20) && file.seek(file.size()));
        file.write(eucJp(u"\nリンゴ /(n) apple/\n"_qs));
        file.close();
        QFile statm(u"/proc/self/statm"_qs);
        QVERIFY(statm.open(QIODevice::ReadOnly));
        const fakes::ResourceLimit bounded(RLIMIT_AS,
                                           statm.readAll().split(' ').value(0).toULongLong() * sysconf(_SC_PAGESIZE)
                                               + (64 << 20));
        try {
            const meanings::MeaningsIndex index(name);
            QCOMPARE(index.state(), meanings::MeaningsIndex::State::Ready);
            QCOMPARE(index.badLines(), 1);
            QCOMPARE(index.lookup(u"りんご").size(), 1);
        } catch (const std::bad_alloc &) {
            QFAIL("the over-long line was kept whole");
        }
    }

    void withoutAnEdictFileNothingHasAMeaning_data()
    {
        QTest::addColumn<QByteArray>("bytes"); // none: no file
        QTest::addColumn<meanings::MeaningsIndex::State>("state");
        QTest::newRow("missing") << QByteArray() << meanings::MeaningsIndex::State::Missing;
        QTest::newRow("some other file") << QByteArray("りんご /apple/\n") << meanings::MeaningsIndex::State::NotEdict;
        QTest::newRow("only its first line") << eucJp(kHeader) << meanings::MeaningsIndex::State::NotEdict;
    }

    void withoutAnEdictFileNothingHasAMeaning()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(meanings::MeaningsIndex::State, state);
        QTemporaryDir dir;
        const QString name = dir.filePath(u"edict"_qs);
        if (!bytes.isEmpty())
            fakes::writeBytes(name, bytes);
        const meanings::MeaningsIndex index(name);
        QCOMPARE(index.state(), state);
        QVERIFY(index.lookup(u"りんご").isEmpty());
    }

    // A named pipe waits for a writer, a device never ends: each is refused, named, and nothing waits.
    void noFileIsReadUnlessItIsARegularFile_data()
    {
        QTest::addColumn<QString>("file"); // the game's files are read as 辞書.txt is
        QTest::addColumn<bool>("pipe");    // else a device
        QTest::newRow("辞書.txt, a named pipe") << u"辞書.txt"_qs << true;
        QTest::newRow("辞書.txt, a device") << u"辞書.txt"_qs << false;
        QTest::newRow("回答記録.txt, a named pipe") << u"回答記録.txt"_qs << true;
        QTest::newRow("復習.txt, a named pipe") << u"復習.txt"_qs << true;
        QTest::newRow("EDICT, a named pipe") << u"edict"_qs << true;
    }

    void noFileIsReadUnlessItIsARegularFile()
    {
        QFETCH(QString, file);
        QFETCH(bool, pipe);
        QTemporaryDir dir;
        const QString path = dir.filePath(file);
        const QByteArray native = QFile::encodeName(path);
        QVERIFY(pipe ? mkfifo(native.constData(), 0600) == 0 : QFile::link(u"/dev/null"_qs, path));
        ::alarm(10); // a reader stuck in open() on the pipe ends the test: a failure, not a hang
        const auto disarm = qScopeGuard([] { ::alarm(0); });
        QString message;
        if (file == u"辞書.txt") {
            QStringList words;
            QVERIFY(!files::readDictionary(path, words, message));
        } else if (file == u"回答記録.txt") {
            message = progress::AnswerFile(path).check(kNow);
        } else if (file == u"復習.txt") {
            message = review::ReviewList(path).start(kNow);
        } else {
            const meanings::MeaningsIndex index(path);
            QCOMPARE(index.state(), meanings::MeaningsIndex::State::Unreadable);
            return;
        }
        QVERIFY2(message.contains(u"「"_qs + path + u"」"_qs) && message.contains(u"ふつうのファイルではありません"_qs),
                 qPrintable(message));
        QVERIFY(QFileInfo(path).exists() && !QFileInfo(path).isFile());
    }

    void theWordsThatCouldHaveServedPassEveryRule_data()
    {
        QTest::addColumn<QString>("current");
        QTest::addColumn<QStringList>("said");
        QTest::addColumn<QStringList>("expected");
        const QStringList none;
        QTest::newRow("shortest first") << u"りんご"_qs << none << QStringList{u"ごま"_qs, u"ごりら"_qs, u"ごはんや"_qs};
        QTest::newRow("said words and ん, ー are left out")
            << u"りんご"_qs << QStringList{u"ごま"_qs} << QStringList{u"ごりら"_qs, u"ごはんや"_qs, u"ごーかーと"_qs};
        QTest::newRow("small kana at the end") << u"きしゃ"_qs << none << QStringList{u"やま"_qs};
        QTest::newRow("nothing starts so") << u"かめ"_qs << none << QStringList{};
    }

    void theWordsThatCouldHaveServedPassEveryRule()
    {
        QFETCH(QString, current);
        QFETCH(QStringList, said);
        QFETCH(QStringList, expected);
        const QStringList dictionary{u"ごりら"_qs, u"ごはん"_qs, u"ごーかーと"_qs, u"ごーるー"_qs, u"ごはんや"_qs,
                                     u"ごま"_qs,   u"やま"_qs,   u"ごま"_qs,       u"りす"_qs};
        const review::SaidWords saidWords(said);
        QCOMPARE(review::wordsYouCouldHaveUsed(current, dictionary, saidWords), expected);
    }

    void wordsWithAMeaningComeBeforeShorterOnes()
    {
        const QStringList dictionary{u"ごま"_qs, u"ごりら"_qs, u"ごぼう"_qs, u"ごはんや"_qs};
        const auto rank = [](const QString &w) { return w == u"ごはんや" ? review::kTopRank : w == u"ごぼう" ? 1 : 0; };
        QCOMPARE(review::wordsYouCouldHaveUsed(u"りんご"_qs, dictionary, review::SaidWords(), rank, 2),
                 (QStringList{u"ごはんや"_qs, u"ごぼう"_qs}));
    }

    void aGameLeavesItsMistakesAndLongestStalls()
    {
        game::Phase phase;
        review::GameReview review(phase);
        phase.phaseChanged(game::GamePhase::Playing);
        review.gameStarted();
        review.wordShown(u"りんご"_qs);
        answer(review, u"かめ"_qs, game::AnswerVerdict::BrokenChain, 500);
        answer(review, u"かめら"_qs, game::AnswerVerdict::BrokenChain, 500); // same moment
        answer(review, u"ごりら"_qs, game::AnswerVerdict::Accepted, 9000);   // and again
        review.wordShown(u"らっぱ"_qs);
        answer(review, u"ぱり"_qs, game::AnswerVerdict::Accepted, 4000);
        review.wordShown(u"りす"_qs);
        answer(review, u"すいか"_qs, game::AnswerVerdict::Accepted, 6000); // ぱり's 4 s drops out
        review.wordShown(u"かん"_qs);
        review.answerChecked({});
        QVERIFY(!review.hasGame());
        phase.phaseChanged(game::GamePhase::Ending);
        review.gameEnded({}); // the time runs out behind the last mistake's box
        QVERIFY(review.hasGame());
        review.answerRecorded(
            {u"2026/12/07 18:40:00"_qs, QChar(), u"んま"_qs, game::AnswerVerdict::Duplicate, 100, 100, {}});
        const QList<review::ReviewMoment> moments = review.moments();
        QCOMPARE(moments.size(), 3);
        QCOMPARE(moments[0].needed(), u'ご');
        QCOMPARE(moments[1].needed(), u'ん');
        QCOMPARE(moments[1].answered, (QStringList{u"ごりら"_qs, u"ぱり"_qs, u"すいか"_qs}));
        QCOMPARE(moments[2].kind, review::ReviewMoment::Kind::LongStall);
        QCOMPARE(moments[2].answer, u"すいか"_qs);
        phase.phaseChanged(game::GamePhase::Playing);
        review.gameStarted(); // a stall just short of long is no moment
        review.wordShown(u"りんご"_qs);
        answer(review, u"ごりら"_qs, game::AnswerVerdict::Accepted, review::GameReview::kLongStallMs - 1);
        review.gameEnded({});
        QVERIFY(review.moments().isEmpty());
    }

    // The game's own rules: the computer's word may come again, the player's own answer may not.
    void theReviewOffersWhatTheGameWouldHaveAccepted()
    {
        game::Phase phase;
        review::GameReview review(phase);
        phase.phaseChanged(game::GamePhase::Playing);
        review.gameStarted();
        review.wordShown(u"とまと"_qs);
        answer(review, u"ごりら"_qs, game::AnswerVerdict::BrokenChain, 500);
        answer(review, u"とまと"_qs, game::AnswerVerdict::Accepted, 500);
        review.wordShown(u"とまと"_qs);
        answer(review, u"ごりら"_qs, game::AnswerVerdict::BrokenChain, 500);
        review.gameEnded({});
        const QList<review::ReviewEntry> entries = review.entries(QStringList{u"とまと"_qs});
        QCOMPARE(entries.size(), 2);
        QCOMPARE(entries[0].words, QStringList{u"とまと"_qs});
        QCOMPARE(entries[1].words, QStringList());
    }

    // FSRS-5's published reference: default parameters, each review on its day, these intervals.
    void theModelSpacesReviewsAsItsReferenceDoes()
    {
        using review::fsrs::Grade;
        const QList<Grade> grades{Grade::Good, Grade::Good,  Grade::Good,  Grade::Good, Grade::Good,
                                  Grade::Good, Grade::Again, Grade::Again, Grade::Good, Grade::Good,
                                  Grade::Good, Grade::Good,  Grade::Good};
        review::fsrs::Memory memory = review::fsrs::firstReview(grades[0]);
        QList<int> intervals{review::fsrs::intervalDays(memory)};
        for (qsizetype i = 1; i < grades.size(); ++i) {
            memory = review::fsrs::nextReview(memory, intervals.back(), grades[i]);
            intervals.append(review::fsrs::intervalDays(memory));
        }
        QCOMPARE(intervals, (QList<int>{3, 11, 35, 101, 269, 669, 12, 2, 5, 12, 26, 55, 112}));
        QCOMPARE(qRound(memory.stability * 1e4), 1119726);
        QCOMPARE(qRound(memory.difficulty * 1e4), 76899);
        // Again on the same day: a miss shortens, a good answer lengthens.
        QVERIFY(review::fsrs::nextReview(memory, 0, Grade::Again).stability < memory.stability);
        QVERIFY(review::fsrs::nextReview(memory, 0, Grade::Good).stability > memory.stability);
    }

    // Read again, or rewritten as one line a word, the file gives the same list; a day runs from 4:00.
    void theListReadsBackTheSameFromItsLinesAndFromARewrite()
    {
        using review::fsrs::Grade;
        QTemporaryDir dir;
        const QString name = dir.filePath(u"復習.txt"_qs);
        review::ReviewList list(name);
        QVERIFY(list.start(kNow).isEmpty());
        QVERIFY(list.add({u"きょうか"_qs, u"ごりら"_qs, u"らっぱ"_qs, u"きょうか"_qs}, kNow).isEmpty());
        QVERIFY(list.met({u"きょうか"_qs, u"すいか"_qs}, kNow).isEmpty());
        const QDateTime lateThatNight(kNow.date().addDays(1), QTime(2, 0));
        QVERIFY(list.grade({{u"ごりら"_qs, Grade::Good}, {u"きょうか"_qs, Grade::Again}}, lateThatNight).isEmpty());
        QVERIFY(list.remove({u"らっぱ"_qs}, kNow.addDays(2)).isEmpty());
        const QList<ReviewWord> words = list.words();
        QCOMPARE(words.size(), 2);
        QCOMPARE(words[0].met, 1);
        QCOMPARE(words[0].due, kNow.date().addDays(1)); // again: the next day
        QCOMPARE(words[1].used, 1);
        QCOMPARE(words[1].due, kNow.date().addDays(3)); // good, first time: three days on
        QCOMPARE(list.dueCount(kNow.date().addDays(1)), 1);

        for (int i = 0; i < 250; ++i) // enough lines for the next start to rewrite the file
            list.met({u"ごりら"_qs}, kNow.addDays(2));
        for (int start = 0; start < 2; ++start) {
            review::ReviewList again(name);
            QVERIFY(again.start(kNow.addDays(2)).isEmpty());
            QCOMPARE(again.words(), list.words());
        }
        QCOMPARE(fakes::fileBytes(name).count('\n'), 3);
    }

    // Version 1's counts give memories, as if each answer came when asked for; written as version 2.
    void aVersion1ListGetsItsMemoriesFromItsCountsAndBecomesVersion2()
    {
        QTemporaryDir dir;
        const QString name = dir.filePath(u"復習.txt"_qs);
        fakes::writeBytes(name,
                          "\"kanarinka review list\",1\r\n"
                          "\"2026/12/01 20:00:00\",\"add\",\"ごりら\"\r\n"
                          "\"2026/12/01 20:00:00\",\"add\",\"らっぱ\"\r\n"
                          "\"2026/12/01 20:00:00\",\"add\",\"きょうか\"\r\n"
                          "\"2026/12/03 20:00:00\",\"used\",\"ごりら\"\r\n"
                          "\"2026/12/04 20:00:00\",\"used\",\"らっぱ\"\r\n"
                          "\"2026/12/04 20:00:00\",\"used\",\"らっぱ\"\r\n"
                          "\"2026/12/04 20:00:00\",\"used\",\"らっぱ\"\r\n"
                          "\"2026/11/30 20:00:00\",\"keep\",\"すいか\",4,2\r\n");
        review::ReviewList list(name);
        QVERIFY(list.start(kNow).isEmpty());
        QStringList dues;
        for (const ReviewWord &w : list.words())
            dues.append(w.word + w.due.toString(u" MM/dd"_qs));
        // らっぱ was learned by version 1's rule; one answer: 3 days on; two: 3, then 11.
        QCOMPARE(dues, (QStringList{u"ごりら 12/06"_qs, u"きょうか 12/01"_qs, u"すいか 12/11"_qs}));
        QVERIFY(fakes::fileBytes(name).startsWith("\"kanarinka review list\",2\r\n"));
        review::ReviewList again(name);
        QVERIFY(again.start(kNow).isEmpty());
        QCOMPARE(again.words(), list.words());
    }

    // The first key within the usual time for its kana is Good, slower Hard; a counted miss where it
    // would have served is Again unless answered later; a long stall is no miss.
    void playGradesReviewWordsByTheFirstKeyAndByMisses()
    {
        using review::fsrs::Grade;
        QTemporaryDir dir;
        review::ReviewList list(dir.filePath(u"復習.txt"_qs));
        list.start(kNow);
        list.add({u"ごりら"_qs, u"ごま"_qs, u"ごぼう"_qs, u"らっぱ"_qs, u"すいか"_qs, u"かめ"_qs}, kNow);
        review::PlayGrades grades;
        grades.gameStarted();
        const auto row = [](const QString &answer, game::AnswerVerdict verdict, qint64 stallMs) {
            return progress::AnswerRow{{}, answer.front(), answer, verdict, stallMs, 500, {}};
        };
        grades.answerRecorded(row(u"ごくう"_qs, game::AnswerVerdict::BrokenChain, 100));
        grades.answerRecorded(row(u"ごりら"_qs, game::AnswerVerdict::Accepted, 1500));
        grades.answerRecorded(row(u"ごぼう"_qs, game::AnswerVerdict::Accepted, 2500));
        grades.answerRecorded(row(u"らっぱ"_qs, game::AnswerVerdict::Accepted, 9000));
        const QList<review::ReviewMoment> moments{
            {review::ReviewMoment::Kind::Mistake, u"りんご"_qs, u"ごくう"_qs, 100, {u"りんご"_qs}},
            {review::ReviewMoment::Kind::LongStall, u"りす"_qs, u"すずめ"_qs, 9000, {u"りす"_qs}}};
        const auto usual = [](QChar kana) { return kana == u'ご' ? std::optional<qint64>(2000) : std::nullopt; };
        QCOMPARE(grades.grades(list, moments, usual),
                 (QList<review::GradedWord>{{u"ごりら"_qs, Grade::Good},
                                            {u"ごぼう"_qs, Grade::Hard},
                                            {u"らっぱ"_qs, Grade::Good},
                                            {u"ごま"_qs, Grade::Again}}));
    }

    // A count at its largest stays there: a compaction never writes what the next start refuses.
    void aCountAtItsLargestStaysThereAndReadsBack()
    {
        QTemporaryDir dir;
        const QString name = dir.filePath(u"復習.txt"_qs);
        QByteArray bytes = "\"kanarinka review list\",1\r\n"
                           "\"2026/12/07 18:40:00\",\"keep\",\"ごりら\",2147483647,0\r\n";
        for (int i = 0; i < 250; ++i) // enough lines for the next start to compact them
            bytes += "\"2026/12/07 18:40:00\",\"met\",\"ごりら\"\r\n";
        fakes::writeBytes(name, bytes);
        for (int start = 0; start < 2; ++start) {
            review::ReviewList list(name);
            QVERIFY(list.start(kNow).isEmpty());
            QCOMPARE(list.words().size(), 1);
            QCOMPARE(list.words()[0].met, std::numeric_limits<int>::max());
        }
    }

    void aFailedWriteNamesTheFileAndItsReasonOnce()
    {
        QTemporaryDir dir;
        const QString name = dir.filePath(u"復習.txt"_qs);
        review::ReviewList list(name);
        QVERIFY(list.start(kNow).isEmpty());
        QVERIFY(QDir().mkdir(name)); // a folder where the file goes
        const QString message = list.add({u"ごりら"_qs}, kNow);
        QCOMPARE(message.count(name), 1);
        QCOMPARE(message.count(u"フォルダ"_qs), 1);
        QVERIFY(list.add({u"らっぱ"_qs}, kNow).isEmpty()); // told once a session
        QCOMPARE(list.words().size(), 2);
    }

    void aDamagedOrNewerReviewFileIsNeverLost_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("told");
        QTest::addColumn<bool>("setAside");
        QTest::addColumn<QStringList>("words");
        const QByteArray header = "\"kanarinka review list\",1\r\n";
        QTest::newRow("damaged") << QByteArray("\x82\xa0garbage\r\n") << u"名前を変えて残しました"_qs << true
                                 << QStringList{u"らっぱ"_qs};
        // A version this program can't read as its own is a newer one's, whatever its form.
        for (const char *version : {"3", "1.5", "99999999999999999999"})
            QTest::addRow("version %s: kept, nothing written", version)
                << "\"kanarinka review list\"," + QByteArray(version) + "\r\n\"x\"\r\n"
                << u"新しい版"_qs << false << QStringList();
        QTest::newRow("no version: set aside") << QByteArray("\"kanarinka review list\",x\r\n")
                                               << u"名前を変えて残しました"_qs << true << QStringList{u"らっぱ"_qs};
        QTest::newRow("an append cut short") << header + "\"2026/12/07 18:40:00\",\"add\",\"ごりら\"\r\n\"2026/12/07 18:4"
                                             << QString() << false << QStringList{u"ごりら"_qs, u"らっぱ"_qs};
    }

    void aDamagedOrNewerReviewFileIsNeverLost()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, told);
        QFETCH(bool, setAside);
        QFETCH(QStringList, words);
        QTemporaryDir dir;
        const QString name = dir.filePath(u"復習.txt"_qs);
        fakes::writeBytes(name, bytes);
        review::ReviewList list(name);
        const QString message = list.start(kNow);
        QVERIFY2(told.isEmpty() ? message.isEmpty() : message.contains(told) && message.contains(u"「"_qs + name),
                 qPrintable(message));
        QCOMPARE(QFile::exists(dir.filePath(u"復習.damaged-20261207-184000.txt"_qs)), setAside);
        QVERIFY(list.add({u"らっぱ"_qs}, kNow).isEmpty());
        review::ReviewList reread(name);
        reread.start(kNow);
        QStringList read;
        for (const ReviewWord &w : reread.words())
            read.append(w.word);
        QCOMPARE(read, words);
        if (!list.keeping())
            QCOMPARE(fakes::fileBytes(name), bytes);
    }

    // Due words first, the longer overdue the more; every candidate keeps a chance, with weak kana too.
    void dueWordsComeFirstAndEveryCandidateKeepsAChance()
    {
        QTemporaryDir dir;
        const QString name = dir.filePath(u"復習.txt"_qs);
        fakes::writeBytes(name,
                          "\"kanarinka review list\",2\r\n"
                          "\"2026/12/07 10:00:00\",\"add\",\"ごりら\"\r\n"
                          "\"2026/11/01 10:00:00\",\"keep\",\"ごぼう\",0,1,\"2026/11/01 10:00:00\",3173,5282\r\n"
                          "\"2026/12/07 10:00:00\",\"keep\",\"ごはんや\",0,1,\"2026/12/07 10:00:00\",3173,5282\r\n");
        review::ReviewList list(name);
        QVERIFY(list.start(kNow).isEmpty());
        fakes::Focus focus;
        fakes::ListBox candidates(u"lstHukusu"_qs, focus);
        // Not listed, due today, overdue by a month, not due for three days.
        candidates.items = QStringList{u"ごま"_qs, u"ごりら"_qs, u"ごぼう"_qs, u"ごはんや"_qs};
        const progress::KanaStats none;
        for (const progress::KanaStats *weak : {static_cast<const progress::KanaStats *>(nullptr), &none}) {
            review::ReviewDraw draw(list, weak, kNow.date());
            QList<int> hits(4);
            for (int i = 0; i < 10000; ++i)
                ++hits[draw.pick(candidates, i / 10000.0)];
            QVERIFY2(hits[2] > hits[1] && hits[1] > 5 * hits[0] && hits[0] > 2 * hits[3] && hits[3] > 0,
                     qPrintable(u"%1 %2 %3 %4"_qs.arg(hits[0]).arg(hits[1]).arg(hits[2]).arg(hits[3])));
        }
    }
};

QTEST_GUILESS_MAIN(TestReview)
#include "test_review.moc"
