// The game on a Wayland desktop run headless (scripts/wayland-play plays it, with real keys and
// clicks): on sway a game typed, the progress window, a second start with and without a
// launcher's token; on Weston nested in it, Qt's maximize button. Skipped, with the reason, where
// a compositor, a sender or Qt's Wayland platform is missing.
#include "desktopplay.h"
#include "harness.h"

class TestWayland : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    QMap<QString, QString> facts_; // what the desktop showed, from OUT/facts

private slots:
    void initTestCase()
    {
        const fakes::DesktopPlay play =
            fakes::playOnDesktop(QStringLiteral(KANARINKA_WAYLAND_PLAY),
                                 {dir_.path(), QStringLiteral(KANARINKA_BUILD),
                                  qEnvironmentVariable("KANARINKA_TEST_GAME", QStringLiteral(KANARINKA_GAME))},
                                 90);
        if (play.outcome == fakes::DesktopPlay::Outcome::CantRunHere)
            QSKIP(qPrintable(play.told));
        QVERIFY2(play.outcome == fakes::DesktopPlay::Outcome::Played, qPrintable(play.told));
        for (const QString &line : QString::fromUtf8(fakes::fileBytes(dir_.filePath(u"facts"_qs))).split(u'\n'))
            facts_.insert(line.section(u'=', 0, 0), line.section(u'=', 1));
    }

    void theDesktopShowedWhatAPlayerExpects_data()
    {
        QTest::addColumn<QString>("fact");
        QTest::addColumn<QString>("expected");
        const QString game = u"first: カナリンカ"_qs, progress = u"first: 成績 - カナリンカ"_qs;
        QTest::newRow("the game floats") << u"game.floating"_qs << u"true"_qs;
        QTest::newRow("at its own size") << u"game.size"_qs << u"631x452"_qs;
        QTest::newRow("on the output") << u"game.on_the_output"_qs << u"true"_qs;
        QTest::newRow("its boxes closed after a game") << u"game.windows_after_play"_qs << u"1"_qs;
        QTest::newRow("Ctrl+R: the progress window") << u"focus.after_ctrl_r"_qs << progress;
        // The progress window is a window of its own, not kept above the game.
        QTest::newRow("a click on the game brings it forward") << u"focus.after_click"_qs << game;
        QTest::newRow("the progress window before a token") << u"focus.before_token"_qs << progress;
        QTest::newRow("a token: the second start ends") << u"token.exit"_qs << u"0"_qs;
        QTest::newRow("a token: the running game comes forward") << u"focus.after_token"_qs << game;
        QTest::newRow("the progress window before no token") << u"focus.before_no_token"_qs << progress;
        QTest::newRow("no token: the second start says the game runs")
            << u"focus.no_token"_qs << u"second: カナリンカ"_qs;
        QTest::newRow("no token: the second start ends on Return") << u"no_token.exit"_qs << u"0"_qs;
        QTest::newRow("the first game runs on") << u"first.after_second_starts"_qs << u"running"_qs;
        // Where Qt draws the title bar, maximize once ended the game with a protocol error.
        QTest::newRow("Weston: the game shows") << u"weston.shown"_qs << u"true"_qs;
        QTest::newRow("Weston: maximize leaves the game running") << u"weston.nested"_qs << u"running"_qs;
        QTest::newRow("Weston: and where it was") << u"weston.after"_qs << facts_.value(u"weston.before"_qs);
    }

    void theDesktopShowedWhatAPlayerExpects()
    {
        QFETCH(QString, fact);
        QFETCH(QString, expected);
        QCOMPARE(facts_.value(fact, u"(not seen)"_qs), expected);
    }

    void theTypedAnswerWasJudged()
    {
        QVERIFY(fakes::fileBytes(dir_.filePath(u"first/回答記録.txt"_qs)).contains("ごりら"));
    }
};

QTEST_GUILESS_MAIN(TestWayland)
#include "test_wayland.moc"
