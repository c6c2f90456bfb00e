// A game typed through a real mozc under IBus on a display of its own (scripts/ime-play plays it):
// only kana answered and learned, typing timed from the first preedit, 終了！ over an open
// composition. Skipped, with the reason, where mozc or the desktop can't run.
#include "desktopplay.h"
#include "harness.h"
#include "platform/kana/kana.h"
#include "progress/record/answerfile.h"

#include <QImage>

using progress::AnswerRow;
using Verdict = game::AnswerVerdict;

namespace {

// Strong red, as the end marker's frame and text are drawn.
int redPixels(const QImage &image, const QRect &area)
{
    int red = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            red += c.red() > 150 && c.green() < 90 && c.blue() < 90;
        }
    }
    return red;
}

} // namespace

class TestIme : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    QList<AnswerRow> rows_;

private slots:
    void initTestCase()
    {
        const fakes::DesktopPlay play =
            fakes::playOnDesktop(QStringLiteral(KANARINKA_IME_PLAY),
                                 {u"ibus"_qs, dir_.path(), QStringLiteral(KANARINKA_GAME)}, 150);
        if (play.outcome == fakes::DesktopPlay::Outcome::CantRunHere)
            QSKIP(qPrintable(play.told));
        QVERIFY2(play.outcome == fakes::DesktopPlay::Outcome::Played, qPrintable(play.told));
        progress::AnswerFileContents record;
        QString error;
        progress::AnswerFile(dir_.filePath(u"data/"_qs + progress::kAnswerRecordFile)).read(record, error);
        rows_ = record.rows;
        QVERIFY2(rows_.size() == 3, qPrintable(play.told));
    }

    // Keys never reach the box: the stall ends at the first preedit, the keys stay unknown.
    void eachAnswerIsTimedFromItsFirstPreeditAndJudgedOnlyAsKana_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QChar>("first");
        QTest::addColumn<Verdict>("verdict");
        QTest::addColumn<bool>("kana");
        QTest::addColumn<int>("stallMs"); // at least: the script waits 1.2 s before the first answer
        QTest::newRow("ocha, converted: refused") << 0 << QChar(u'お') << Verdict::StrayLetters << false << 1000;
        QTest::newRow("oto, committed, then answered") << 1 << QChar(u'お') << Verdict::Accepted << true << 0;
        QTest::newRow("torapp: a letter left, refused") << 2 << QChar(u'と') << Verdict::StrayLetters << false << 0;
    }

    void eachAnswerIsTimedFromItsFirstPreeditAndJudgedOnlyAsKana()
    {
        QFETCH(int, row);
        QFETCH(QChar, first);
        QFETCH(Verdict, verdict);
        QFETCH(bool, kana);
        QFETCH(int, stallMs);
        const AnswerRow answer = rows_.value(row);
        QCOMPARE(answer.verdict, verdict);
        QCOMPARE(answer.answer.front(), first);
        QCOMPARE(platform::isKanaWord(answer.answer), kana);
        QVERIFY2(answer.stallMs >= stallMs && answer.typingMs >= 300, // three keys or more
                 qPrintable(u"%1 ms, then %2 ms"_qs.arg(answer.stallMs).arg(answer.typingMs)));
        QVERIFY(!answer.keys);
    }

    void onlyTheKanaAnswerIsLearned()
    {
        QCOMPARE(fakes::fileBytes(dir_.filePath(u"data/辞書.txt"_qs)), fakes::cp932(u"かお\r\nおと\r\n"_qs));
    }

    // Composing とま as the time ran out: 終了！ shows at the box's end once the end's focus move puts it in.
    void theEndShowsOverAnOpenComposition()
    {
        const QImage composing(dir_.filePath(u"shots/6-composing-at-the-end.png"_qs));
        const QImage ended(dir_.filePath(u"shots/8-after-the-end.png"_qs));
        QVERIFY(!composing.isNull() && !ended.isNull());
        const QRect marker(330, 236, 70, 26); // in the answer box, left of its あ: window pixels
        QCOMPARE(redPixels(composing, marker), 0);
        QVERIFY2(redPixels(ended, marker) > 150, qPrintable(QString::number(redPixels(ended, marker))));
    }
};

QTEST_GUILESS_MAIN(TestIme)
#include "test_ime.moc"
