// Start-up: what it shows, and how a bad file stops it. The settings shown are checked on the
// real window.
#include "harness.h"

#include <QTest>

using fakes::Harness;
using platform::MessageIcon;

namespace {

const QByteArray kRecord = "\"2010/04/01\",\"13:05:09\",812,25,3,98,\"89.3%\",\"1.63/\x95\x62\",\"60\x95\x62\"\r\n";

} // namespace

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void startupLeavesTheWindowIdleAndBlank()
    {
        Harness h("60,1\r\n", fakes::cp932(u"りんご\r\nごりら\r\nあり\r\nりんご"_qs), "");
        QVERIFY(h.load());
        QVERIFY(h.program.windowShown);
        QCOMPARE(h.program.exitCode, -1);
        QCOMPARE(h.lstJisyo.items, (QStringList{u"あり"_qs, u"ごりら"_qs, u"りんご"_qs, u"りんご"_qs}));
        QCOMPARE(h.fraJisyo.captionText, u"覚えた言葉 4個"_qs);
        for (const fakes::Label *l : {&h.lblMondai, &h.lblOk, &h.lblNg, &h.lblMoji_T, &h.lblByou, &h.lblRitu})
            QVERIFY(l->text.isEmpty());
        QVERIFY(h.txtKaitou.value.isEmpty());
        QVERIFY(!h.game->blnCountdown && !h.game->blnPlaying);
        QCOMPARE(h.msgRireki.rows(), 1);
        h.game->cmdHelp_Click();
        QCOMPARE(h.help.opened, QStringList{u"TovelHelp.chm"_qs});
    }

    void badFileStopsStartupAndChangesNoFile_data()
    {
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<QByteArray>("dictionary");
        QTest::addColumn<QByteArray>("history");
        QTest::addColumn<bool>("windowShown");
        QTest::addColumn<QString>("mentions");
        const QByteArray s = "60,0\r\n", d = "\x82\xa0\r\n", r = kRecord;
        QTest::newRow("history missing") << s << d << QByteArray() << false << u"履歴.txt"_qs;
        QTest::newRow("history cut short") << s << d << r + "\"x\",1\r\n" << false << u"2 件目"_qs;
        QTest::newRow("settings missing") << QByteArray() << d << r << true << u"設定.txt"_qs;
        QTest::newRow("settings play time 0") << QByteArray("0,1\r\n") << d << r << true << u"設定.txt"_qs;
        QTest::newRow("dictionary missing") << s << QByteArray() << r << true << u"辞書.txt"_qs;
        QTest::newRow("dictionary not CP932") << s << QByteArray("\x82\xa0\r\n\x82") << r << true << u"2 行目"_qs;
        QTest::newRow("dictionary over the limit")
            << s << QByteArray("a\r\n").repeated(32768) << r << true << u"32767"_qs;
    }

    void badFileStopsStartupAndChangesNoFile()
    {
        QFETCH(QByteArray, settings);
        QFETCH(QByteArray, dictionary);
        QFETCH(QByteArray, history);
        QFETCH(bool, windowShown);
        QFETCH(QString, mentions);
        Harness h(settings, dictionary, history);
        h.messages.allowAny = true;
        QVERIFY(!h.load());
        QCOMPARE(h.program.windowShown, windowShown);
        QCOMPARE(h.program.exitCode, 1);
        QCOMPARE(h.messages.shown.size(), 1);
        QCOMPARE(h.messages.shown[0].icon, MessageIcon::Critical);
        QVERIFY2(h.messages.shown[0].prompt.contains(mentions), qPrintable(h.messages.shown[0].prompt));
        QCOMPARE(fakes::fileBytes(u"設定.txt"_qs), settings);
        QCOMPARE(fakes::fileBytes(u"辞書.txt"_qs), dictionary);
        QCOMPARE(fakes::fileBytes(u"履歴.txt"_qs), history);
    }
};

QTEST_GUILESS_MAIN(TestStartup)
#include "test_startup.moc"
