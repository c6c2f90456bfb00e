// The words: EDICT's lines and the meanings index, the words that would have served after a
// miss, the review list's file and the replies that bring its words back.
#include "fakes.h"
#include "harness.h"
#include "meanings/edictline.h"
#include "meanings/meanings.h"
#include "platform/kana/kana.h"
#include "progress/kanastats.h"
#include "review/couldhaveused.h"
#include "review/gamereview.h"
#include "review/reviewdraw.h"
#include "review/reviewlist.h"

#include <QSignalSpy>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

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
        QTest::newRow("verb class, dialect, cross-reference")
            << u"行く [いく] /(v5k-s,vi) (ksb:) (See 行く・ゆく) to go/"_qs
            << std::optional(EdictEntry{u"行く"_qs, u"いく"_qs, {u"to go"_qs}, false});
        QTest::newRow("where a loan word came from")
            << u"ラマ /(n) llama (Lama glama) (spa:)/lama (tib: bla-ma)/(P)/"_qs
            << std::optional(EdictEntry{u"ラマ"_qs, u"らま"_qs, {u"llama (Lama glama)"_qs, u"lama"_qs}, true});
        QTest::newRow("the file's first line") << kHeader.chopped(1) << std::optional<EdictEntry>();
        QTest::newRow("no glosses") << u"強化 [きょうか] /(n)/(P)/"_qs << std::optional<EdictEntry>();
        QTest::newRow("no slash") << u"強化 [きょうか]"_qs << std::optional<EdictEntry>();
        QTest::newRow("unclosed reading") << u"強化 [きょうか /x/"_qs << std::optional<EdictEntry>();
        QTest::newRow("blank") << QString() << std::optional<EdictEntry>();
    }

    void anEdictLineGivesItsReadingFormsAndFirstTwoGlosses()
    {
        QFETCH(QString, line);
        QFETCH(std::optional<EdictEntry>, entry);
        QCOMPARE(meanings::parseEdictLine(line), entry);
        // The index's scan of the bytes finds the same reading and mark.
        const QByteArray bytes = eucJp(line);
        const meanings::EdictKeys keys = meanings::scanEdictLine(bytes);
        if (entry) {
            QCOMPARE(platform::toWideHiragana(QString(QStringDecoder("EUC-JP").decode(keys.reading))), entry->reading);
            QCOMPARE(keys.common, entry->common);
        }
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
        const auto answer = [&](const QString &text, game::AnswerVerdict verdict, qint64 stall) {
            review.answerChecked({});
            review.answerRecorded({u"2026/12/07 18:40:00"_qs, QChar(), text, verdict, stall, 100, {}});
            game::AnswerJudgement judgement;
            judgement.answer = text;
            judgement.verdict = verdict;
            judgement.playing = true;
            review.answerJudged(judgement);
        };
        phase.phaseChanged(game::GamePhase::Playing);
        review.gameStarted();
        review.wordShown(u"りんご"_qs);
        answer(u"かめ"_qs, game::AnswerVerdict::BrokenChain, 500);
        answer(u"かめら"_qs, game::AnswerVerdict::BrokenChain, 500); // same moment
        answer(u"ごりら"_qs, game::AnswerVerdict::Accepted, 9000);   // and again
        review.wordShown(u"らっぱ"_qs);
        answer(u"ぱり"_qs, game::AnswerVerdict::Accepted, 4000);
        review.wordShown(u"りす"_qs);
        answer(u"すいか"_qs, game::AnswerVerdict::Accepted, 1000); // too quick to count
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
        QCOMPARE(moments[1].said,
                 (QStringList{u"りんご"_qs, u"ごりら"_qs, u"らっぱ"_qs, u"ぱり"_qs, u"りす"_qs, u"すいか"_qs,
                              u"かん"_qs}));
        QCOMPARE(moments[2].kind, review::ReviewMoment::Kind::LongStall);
        QCOMPARE(moments[2].answer, u"ぱり"_qs);
        phase.phaseChanged(game::GamePhase::Playing);
        review.gameStarted(); // a stall just short of long is no moment
        review.wordShown(u"りんご"_qs);
        answer(u"ごりら"_qs, game::AnswerVerdict::Accepted, review::GameReview::kLongStallMs - 1);
        review.gameEnded({});
        QVERIFY(review.moments().isEmpty());
    }

    void theReviewListKeepsAWordUntilItIsUsedThreeTimes()
    {
        QTemporaryDir dir;
        const QString name = dir.filePath(u"復習.txt"_qs);
        review::ReviewList list(name);
        QVERIFY(list.start(kNow).isEmpty());
        QVERIFY(list.add({u"きょうか"_qs, u"ごりら"_qs, u"きょうか"_qs}, kNow).isEmpty());
        QVERIFY(list.met({u"きょうか"_qs, u"らっぱ"_qs}, kNow).isEmpty());
        QVERIFY(list.used({u"ごりら"_qs, u"ごりら"_qs}, kNow).isEmpty());
        const QList<ReviewWord> expected{{u"きょうか"_qs, u"2026/12/07 18:40:00"_qs, 1, 0},
                                         {u"ごりら"_qs, u"2026/12/07 18:40:00"_qs, 0, 2}};
        QCOMPARE(list.words(), expected);
        review::ReviewList again(name);
        QVERIFY(again.start(kNow).isEmpty());
        QCOMPARE(again.words(), expected);
        again.used({u"ごりら"_qs}, kNow);
        again.remove({u"きょうか"_qs}, kNow);
        QVERIFY(again.words().isEmpty());
        review::ReviewList last(name);
        last.start(kNow);
        QVERIFY(last.words().isEmpty());
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
        QTest::newRow("newer: kept, nothing written")
            << QByteArray("\"kanarinka review list\",2\r\n\"x\"\r\n") << u"新しい版"_qs << false << QStringList();
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

    // A review word weighs 1 + kReviewPull times; with weak-kana practice the weights multiply.
    void reviewWordsComeBackMoreOftenAndEveryCandidateKeepsAChance()
    {
        QTemporaryDir dir;
        review::ReviewList list(dir.filePath(u"復習.txt"_qs));
        list.start(kNow);
        list.add({u"ごりら"_qs}, kNow);
        fakes::Focus focus;
        fakes::ListBox candidates(u"lstHukusu"_qs, focus);
        candidates.items = QStringList{u"ごま"_qs, u"ごりら"_qs, u"ごはんや"_qs};
        const progress::KanaStats none;
        for (const progress::KanaStats *weak : {static_cast<const progress::KanaStats *>(nullptr), &none}) {
            review::ReviewDraw draw(list, weak);
            QList<int> hits(3);
            for (int i = 0; i < 1300; ++i)
                ++hits[draw.pick(candidates, i / 1300.0)];
            QVERIFY2(qAbs(hits[0] - 100) <= 1 && qAbs(hits[1] - 1100) <= 1 && qAbs(hits[2] - 100) <= 1,
                     qPrintable(u"%1 %2 %3"_qs.arg(hits[0]).arg(hits[1]).arg(hits[2])));
        }
    }
};

QTEST_GUILESS_MAIN(TestReview)
#include "test_review.moc"
