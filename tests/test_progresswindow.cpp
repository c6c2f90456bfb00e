// The answer record and the progress window in the real window: keys recorded, replies aimed
// only when asked, a damaged record told of once.
#include "aidedwindow.h"
#include "fakes.h"
#include "harness.h"
#include "progress/record/answerfile.h"
#include "ui/base/fonts.h"
#include "ui/main/answerbox.h"
#include "ui/progress/progressaids.h"

#include <QAction>
#include <QLabel>
#include <QTest>

using progress::AnswerRow;
using progress::Verdict;

namespace {

const QByteArray kHeader = "\"kanarinka answer record\",1\r\n";

// The window as main.cpp builds it, with the progress aids too; the answer record is read once
// the window is up.
struct Run : AidedWindow {
    std::unique_ptr<ui::ProgressAids> progress;

    Run(const QByteArray &record, bool aimed)
        : AidedWindow({}, u"りんご\r\nごりら\r\nらっぱ\r\nらする\r\n"_qs)
    {
        if (!record.isNull())
            fakes::writeBytes(progress::kAnswerRecordFile, record);
        messages.allowAny = true;
        store.saved.weakKanaPractice = aimed;
        aids = std::make_unique<ui::PlayAids>(window, messages, store, sounds, clock);
        progress = std::make_unique<ui::ProgressAids>(window, *aids, messages, clock);
        load([this](game::Game &g) { progress->attach(g); });
        progress->start();
    }
    ui::AnswerBox *box() { return find<ui::AnswerBox>("txtKaitou"); }
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
        progress::AnswerFileContents record;
        QString error;
        progress::AnswerFile(progress::kAnswerRecordFile).read(record, error);
        QVERIFY(run.messages.shown.isEmpty());
        QCOMPARE(record.rows.value(3), (AnswerRow{u"2010/04/01 13:05:09"_qs, u'ご', u"ごりら"_qs, Verdict::Accepted, 1500, 700, progress::Keystrokes{8, 1}}));
    }

    void aDamagedRecordIsToldOnceAfterStartAndSetAside()
    {
        Run run("\x81\x40 not a record\r\n", false);
        QCOMPARE(run.messages.shown.size(), 1);
        QCOMPARE(run.messages.shown[0].title, u"回答記録"_qs);
        run.start();
        run.box()->setText(u"ごりら"_qs);
        QTest::keyClick(run.box(), Qt::Key_Return);
        QVERIFY(fakes::fileBytes(progress::kAnswerRecordFile).startsWith(kHeader));
        QCOMPARE(QDir().entryList({u"回答記録.damaged-*.txt"_qs}).size(), 1);
        run.window.findChild<QAction *>(u"progressAction"_qs)->trigger();
        auto *weakest = run.window.findChild<QLabel *>(u"weakestKana"_qs);
        QVERIFY(weakest && weakest->isVisible());
        QVERIFY(weakest->text().startsWith(u"苦手：まだ"_qs));
    }
};

QTEST_MAIN(TestProgressWindow)
#include "test_progresswindow.moc"
