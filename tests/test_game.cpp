// Start-up, a game from the start button to its end (countdown, answers, play clock, statistics),
// and its history: saving, the automatic save, clearing.
#include "files/dictionary.h"
#include "files/history.h"
#include "harness.h"

using fakes::Harness;
using platform::MessageButtons;
using platform::MessageIcon;
using platform::MessageResult;

namespace {

// りんご, ごりら, らっぱ, やま, あり, とまと, っぽ, らいおん: a chain from りんご works.
QByteArray dictionary()
{
    return fakes::cp932(u"りんご\r\nごりら\r\nらっぱ\r\nやま\r\nあり\r\nとまと\r\nっぽ\r\nらくだ\r\n"_qs);
}

// What the player sees of a game, to compare before and after.
QStringList screen(const Harness &h)
{
    return QStringList{h.lblMondai.text, h.lblOk.text,   h.lblNg.text,      h.lblMoji_T.text,
                       h.lblByou.text,   h.lblRitu.text, h.txtKaitou.value, QString::number(h.shpJikanK.w)}
    + h.lstRireki.items + h.lstInpRireki.items;
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

class TestGame : public QObject {
    Q_OBJECT
private slots:
    void startupLeavesTheWindowIdleAndBlank()
    {
        fakes::Loaded h("60,1\r\n", fakes::cp932(u"りんご\r\nごりら\r\nあり\r\nりんご"_qs));
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

    // Each file's reader names what is wrong (tested with the files); any failure stops start-up.
    void aBadFileStopsStartupAndChangesNoFile_data()
    {
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<QByteArray>("dictionary");
        QTest::addColumn<QByteArray>("history");
        QTest::addColumn<bool>("windowShown");
        QTest::addColumn<QString>("mentions");
        const QByteArray s = "60,0\r\n", d = "\x82\xa0\r\n",
                         r = "\"2010/04/01\",\"13:05:09\",812,25,3,98,\"89.3%\",\"1.63/\x95\x62\",\"60\x95\x62\"\r\n";
        QTest::newRow("history missing") << s << d << QByteArray() << false << u"履歴.txt"_qs;
        QTest::newRow("settings missing") << QByteArray() << d << r << true << u"設定.txt"_qs;
        QTest::newRow("dictionary not CP932") << s << QByteArray("\x82\xa0\r\n\x82") << r << true << u"2 行目"_qs;
    }

    void aBadFileStopsStartupAndChangesNoFile()
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

    void startClearsThePreviousGame()
    {
        fakes::Loaded h("60,0\r\n", dictionary());
        h.startGame();
        h.answer(u"ごりら"_qs);
        h.playOut();
        h.txtKaitou.value = u"のこり"_qs;
        h.fraRireki.visible = false;
        h.game->cmdStart_Click();
        QVERIFY(h.game->blnCountdown);
        QVERIFY(!h.cmdStart.enabled);
        QVERIFY(h.fraRireki.visible);
        const QString none;
        QCOMPARE(screen(h), (QStringList{none, u"0"_qs, u"0"_qs, none, none, none, none, u"8745"_qs})); // lists empty
        QCOMPARE(h.game->intMoji + h.game->intNewWords + h.game->intOk + h.game->intNg, 0);
    }

    void countdownShowsRedYellowGreenOneTickApart()
    {
        fakes::Loaded h("60,1\r\n", dictionary());
        h.game->tmrStart_Timer(); // idle: no picture changes
        h.game->cmdStart_Click();
        QCOMPARE(h.imgStart.changes.size(), 0); // pictures stay until the first tick
        QList<int> shown;
        for (int tick = 0; tick < 3; ++tick) {
            QVERIFY(h.lblMondai.text.isEmpty());
            h.game->tmrStart_Timer();
            shown.append(h.imgStart.shown());
            QCOMPARE(h.imgStart.visible.values().count(true), 1);
        }
        QCOMPARE(shown, (QList<int>{1, 2, 3}));
        QVERIFY(!h.game->blnCountdown && h.game->blnPlaying);
        QCOMPARE(h.lblMondai.text, u"りんご"_qs);
        QCOMPARE(h.lstRireki.items, QStringList{u"りんご"_qs});
        QCOMPARE(h.focus.holder, u"txtKaitou"_qs);
        QCOMPARE(h.random.reseeds, 1);
        const auto changes = h.imgStart.changes.size();
        h.game->tmrStart_Timer(); // playing: the green light stays
        QCOMPARE(h.imgStart.changes.size(), changes);
        QCOMPARE(h.game->intCountdown, qint16(0));
    }

    void startWithoutUsableDictionaryStaysIdle_data()
    {
        QTest::addColumn<QByteArray>("words");
        QTest::addColumn<QString>("mentions");
        QTest::newRow("no word") << QByteArray("\r\n") << u"ひとつもない"_qs;
        QTest::newRow("over the limit") << QByteArray("a\r\n").repeated(32768) << u"32767"_qs;
    }

    void startWithoutUsableDictionaryStaysIdle()
    {
        QFETCH(QByteArray, words);
        QFETCH(QString, mentions);
        fakes::Loaded h("60,1\r\n", dictionary());
        h.messages.allowAny = true;
        h.startGame();
        h.answer(u"ごりら"_qs);
        h.answer(u"ねこ"_qs);
        h.playOut(); // auto-saved
        h.txtKaitou.value = u"のこり"_qs;
        const QStringList before = screen(h);
        fakes::writeBytes(u"辞書.txt"_qs, words); // changed behind the game's back
        h.messages.shown.clear();
        h.game->cmdStart_Click();
        QCOMPARE(h.messages.shown.size(), 1);
        QVERIFY(h.messages.shown[0].prompt.contains(mentions));
        QVERIFY(h.cmdStart.enabled);
        for (int i = 0; i < 4; ++i)
            h.game->tmrStart_Timer();
        QVERIFY(!h.game->blnCountdown && !h.game->blnPlaying);
        QCOMPARE(h.program.exitCode, -1);
        QCOMPARE(fakes::fileBytes(u"辞書.txt"_qs), words);
        // The last game stays as it was, on screen and for a save.
        QCOMPARE(screen(h), before);
        h.game->cmdHozon_Click();
        const QList<QByteArray> records = fakes::fileBytes(u"履歴.txt"_qs).split('\n');
        QCOMPARE(records.size(), 3);
        QCOMPARE(records[1].mid(24), records[0].mid(24));
    }

    void aFatalFailureStopsTheGameBehindItsMessage_data()
    {
        QTest::addColumn<QString>("broken"); // made a folder
        QTest::newRow("スタート with an unreadable dictionary") << u"辞書.txt"_qs;
        QTest::newRow("play time unwritable in play") << u"設定.txt"_qs;
    }

    void aFatalFailureStopsTheGameBehindItsMessage()
    {
        QFETCH(QString, broken);
        const bool atStart = broken == u"辞書.txt"_qs;
        fakes::Loaded h("10,1\r\n", dictionary());
        h.messages.allowAny = true;
        h.startGame();
        h.answer(u"ねこ"_qs);
        h.playOut(); // auto-saved
        if (!atStart)
            h.startGame(), h.answer(u"ごりら"_qs);
        const QByteArray saved = fakes::fileBytes(u"履歴.txt"_qs);
        fakes::makeFolder(broken);
        h.messages.whileShown = [&] { h.tick(15); };
        atStart ? h.game->cmdStart_Click() : h.cboJikan.pick(u"20"_qs);
        QCOMPARE(h.program.exitCode, 1);
        QCOMPARE(fakes::fileBytes(u"履歴.txt"_qs), saved);
    }

    void answersAreJudgedByTheFourRules_data()
    {
        QTest::addColumn<QString>("current");
        QTest::addColumn<QStringList>("earlier"); // answers already accepted in this game
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("title"); // empty: accepted
        QTest::addColumn<int>("ng");
        QTest::addColumn<QString>("nowShown");  // the current word afterwards
        QTest::addColumn<QStringList>("chain"); // what lstRireki gained

        const QStringList none;
        QTest::newRow("ん wins over chain and duplicate, counted once")
            << u"ねこ"_qs << QStringList{u"みかん"_qs} << u"みかん"_qs << u"間違い"_qs << 1 << u"ねこ"_qs << none;
        QTest::newRow("ー, half-width too, is not counted")
            << u"りんご"_qs << none << u"ｺﾞﾘｰ"_qs << u"置き換え"_qs << 0 << u"りんご"_qs << none;
        QTest::newRow("duplicate before chain")
            << u"ねこ"_qs << QStringList{u"ごりら"_qs} << u"ごりら"_qs << u"重複回答"_qs << 1 << u"ねこ"_qs << none;
        QTest::newRow("chain broken") << u"ねこ"_qs << none << u"ごりら"_qs << u"間違い"_qs << 1 << u"ねこ"_qs << none;
        QTest::newRow("しゃ asks for や") << u"いしゃ"_qs << none << u"やま"_qs << QString() << 0 << u"まま"_qs
                                          << QStringList{u"やま"_qs, u"まま"_qs};
        QTest::newRow("small kana first never chains")
            << u"いしゃ"_qs << none << u"ゃま"_qs << u"間違い"_qs << 1 << u"いしゃ"_qs << none;
        QTest::newRow("empty answer with a word shown")
            << u"りんご"_qs << none << QString() << u"間違い"_qs << 1 << u"りんご"_qs << none;
        QTest::newRow("no candidate: the answer goes on") << u"りんご"_qs << none << u"ごみ"_qs << QString() << 0
                                                          << u"ごみ"_qs << QStringList{u"ごみ"_qs, u"ごみ"_qs};
        QTest::newRow("an answer is its own candidate") << u"あと"_qs << none << u"とまと"_qs << QString() << 0
                                                        << u"とまと"_qs << QStringList{u"とまと"_qs, u"とまと"_qs};
    }

    void answersAreJudgedByTheFourRules()
    {
        QFETCH(QString, current);
        QFETCH(QStringList, earlier);
        QFETCH(QString, typed);
        QFETCH(QString, title);
        QFETCH(int, ng);
        QFETCH(QString, nowShown);
        QFETCH(QStringList, chain);

        fakes::Loaded h("60,1\r\n", dictionary() + fakes::cp932(u"まま\r\nぽ\r\n"_qs));
        h.startGame();
        h.lblMondai.text = current;
        h.lstInpRireki.items = earlier;
        h.lstRireki.items.clear();
        h.focus.holder = u"somewhere"_qs;
        const QByteArray before = fakes::fileBytes(u"辞書.txt"_qs);
        h.messages.allowAny = true; // checked below
        h.answer(typed);

        QCOMPARE(h.messages.shown.size(), title.isEmpty() ? 0 : 1);
        if (!title.isEmpty()) {
            QCOMPARE(h.messages.shown[0].title, title);
            QCOMPARE(h.messages.shown[0].icon, MessageIcon::Critical);
            QCOMPARE(h.messages.shown[0].buttons, MessageButtons::Ok);
        }
        QCOMPARE(int(h.game->intNg), ng);
        QCOMPARE(h.lblNg.text, QString::number(ng));
        QCOMPARE(int(h.game->intOk), title.isEmpty() ? 1 : 0);
        QCOMPARE(h.lblMondai.text, nowShown);
        QCOMPARE(h.lstRireki.items, chain);
        QVERIFY(h.txtKaitou.value.isEmpty());
        QCOMPARE(h.focus.holder, u"somewhere"_qs);
        if (!title.isEmpty())
            QCOMPARE(fakes::fileBytes(u"辞書.txt"_qs), before);
    }

    void learnedWordIsAppendedOnceAndDrawnFromTheNextStart()
    {
        fakes::Loaded h("60,0\r\n", fakes::cp932(u"りんご\r\nごりら"_qs)); // last line end missing
        h.startGame();
        h.answer(u"ごりら"_qs); // known: not appended
        QCOMPARE(h.game->intNewWords, qint16(0));
        h.answer(u"ラッコ"_qs); // new: appended as hiragana
        h.answer(u"こぶた"_qs); // new
        h.answer(u"たゔぁ"_qs); // accepted, but CP932 cannot hold ゔ
        h.answer(u"あい色"_qs); // accepted where no answer box refused it, but no kana continues 色
        QCOMPARE(h.game->intOk, qint16(5));
        QCOMPARE(h.game->intNewWords, qint16(2));
        QCOMPARE(h.game->intMoji, qint16(15));
        QCOMPARE(fakes::fileBytes(u"辞書.txt"_qs), fakes::cp932(u"りんご\r\nごりら\r\nらっこ\r\nこぶた\r\n"_qs));
        QVERIFY(!h.game->strJisyo.contains(u"らっこ"_qs));
        h.messages.expect(u"新しい文字を 2 個覚えました！"_qs, u"辞書追加"_qs, MessageIcon::Information);
        h.playOut();
        QCOMPARE(h.fraJisyo.captionText, u"覚えた言葉 4個"_qs);
        QCOMPARE(h.lstJisyo.count(), 2); // the list keeps what start-up read
        h.startGame({std::nextafter(1.0f, 0.0f)});
        QCOMPARE(h.game->intJisyoCount, qint16(4));
        QCOMPARE(h.lblMondai.text, u"こぶた"_qs);
    }

    void saveWritesTheGameTheStatisticsShow_data()
    {
        QTest::addColumn<QString>("when");
        QTest::addColumn<QString>("typed"); // empty: 120 picked as the play time instead
        QTest::newRow("rejected before the first game") << u"before"_qs << u"ごりら"_qs;
        QTest::newRow("accepted and learned after the end") << u"after"_qs << u"ぱせり"_qs;
        QTest::newRow("rejected after the end") << u"after"_qs << u"ねこ"_qs;
        QTest::newRow("play time picked after the end") << u"after"_qs << QString();
        QTest::newRow("rejected as the time runs out behind its box") << u"timeup"_qs << u"ねこ"_qs;
    }

    void saveWritesTheGameTheStatisticsShow()
    {
        QFETCH(QString, when);
        QFETCH(QString, typed);
        fakes::Loaded h("10,0\r\n", dictionary());
        h.messages.allowAny = true;
        if (when != u"before"_qs) {
            h.startGame();
            h.answer(u"ごりら"_qs);
        }
        if (when == u"after"_qs)
            h.playOut();
        else if (when == u"timeup"_qs)
            h.messages.whileShown = [&] { h.playOut(); };
        typed.isEmpty() ? h.cboJikan.pick(u"120"_qs) : h.answer(typed);
        QCOMPARE(fakes::fileBytes(u"辞書.txt"_qs).endsWith(fakes::cp932(u"ぱせり\r\n"_qs)), typed == u"ぱせり"_qs);
        h.game->cmdHozon_Click();
        const QByteArray saved = fakes::fileBytes(u"履歴.txt"_qs);
        if (when == u"before"_qs) {
            QCOMPARE(h.lblNg.text, QString());
            QCOMPARE(saved, QByteArray(""));
            return;
        }
        QCOMPARE(saved.mid(24),
                 fakes::cp932(QStringLiteral("8,%1,%2,%3,\"%4\",\"%5\",\"10秒\"\r\n")
                                  .arg(h.lblOk.text, h.lblNg.text, h.lblMoji_T.text, h.lblRitu.text, h.lblByou.text)));
    }

    void learningKeepsTheDictionaryLoadableAndTheGameGoing_data()
    {
        QTest::addColumn<QString>("change"); // made after the first word was learned
        QTest::newRow("filled behind the game") << u"filled"_qs;
        QTest::newRow("dictionary made a folder") << u"辞書.txt"_qs;
        QTest::newRow("note of an append made a folder") << u"辞書.txt.append"_qs;
    }

    void learningKeepsTheDictionaryLoadableAndTheGameGoing()
    {
        QFETCH(QString, change);
        fakes::Loaded h("60,0\r\n", dictionary());
        h.startGame();
        h.answer(u"ごま"_qs);
        h.messages.allowAny = true;
        if (change == u"filled"_qs)
            fakes::writeBytes(u"辞書.txt"_qs,
                              dictionary() + QByteArray("a\r\n").repeated(files::kMaxDictionaryWords - 8));
        else
            fakes::makeFolder(change);
        h.answer(u"まり"_qs);
        h.answer(u"ごぼう"_qs);
        QCOMPARE(h.program.exitCode, -1);
        if (change == u"filled"_qs) {
            int words = 0;
            QString error;
            QVERIFY(files::countDictionary(u"辞書.txt"_qs, words, error) && words == files::kMaxDictionaryWords);
        } else { // told once, of the player's file
            QCOMPARE(h.messages.shown.size(), 1);
            const QString told = h.messages.shown[0].prompt;
            QVERIFY2(told.contains(u"「辞書.txt」に"_qs) && !told.contains(u".append"_qs), qPrintable(told));
        }
    }

    void countersStopAtTheirLargestValue()
    {
        fakes::Loaded h("60,1\r\n", dictionary());
        h.startGame();
        h.answer(u"ご"_qs + QString(40000, u'ら'));
        QCOMPARE(h.game->intMoji, qint16(32767));
        h.game->intNg = 32767;
        h.messages.allowAny = true;
        h.answer(u"みかん"_qs);
        QCOMPARE(h.game->intNg, qint16(32767));
        QCOMPARE(h.lblNg.text, u"32767"_qs);
    }

    void barShrinksByTheFormula_data()
    {
        QTest::addColumn<int>("playTime");
        QTest::addColumn<int>("elapsed");
        QTest::addColumn<int>("width");
        QTest::newRow("60 s, 1 left") << 60 << 59 << 145;
        QTest::newRow("60 s, 0 left") << 60 << 60 << 0;
        QTest::newRow("60 s, late tick at -1") << 60 << 61 << 0;
    }

    void barShrinksByTheFormula()
    {
        QFETCH(int, playTime);
        QFETCH(int, elapsed);
        QFETCH(int, width);
        fakes::Loaded h(QByteArray::number(playTime) + ",0\r\n", dictionary());
        h.startGame();
        h.clock.advance(elapsed * 1000 + 999); // whole seconds only
        h.game->tmrBp_Timer();
        QCOMPARE(h.shpJikanK.w, double(width));
        QCOMPARE(h.game->blnPlaying, elapsed < playTime);
        QCOMPARE(h.cmdStart.enabled, elapsed >= playTime);
    }

    void gameEndShowsTheStatistics_data()
    {
        QTest::addColumn<int>("ok");
        QTest::addColumn<int>("ng");
        QTest::addColumn<int>("moji");
        QTest::addColumn<QString>("ritu");
        QTest::addColumn<QString>("byou");
        QTest::addColumn<bool>("focusFails"); // the steps after it still run
        QTest::newRow("9 right, 1 wrong, 158 characters") << 9 << 1 << 158 << u"90.0%"_qs << u"2.63/秒"_qs << false;
        QTest::newRow("nothing accepted") << 0 << 3 << 0 << u"0.0%"_qs << u"0.00/秒"_qs << false;
        QTest::newRow("accepted but no characters") << 2 << 0 << 0 << u"0.0%"_qs << u"0.00/秒"_qs << false;
        QTest::newRow("the focus cannot move") << 2 << 0 << 6 << u"100.0%"_qs << u"0.10/秒"_qs << true;
    }

    void gameEndShowsTheStatistics()
    {
        QFETCH(int, ok);
        QFETCH(int, ng);
        QFETCH(int, moji);
        QFETCH(QString, ritu);
        QFETCH(QString, byou);
        QFETCH(bool, focusFails);
        fakes::Loaded h("60,0\r\n", dictionary());
        h.startGame();
        h.game->intOk = qint16(ok);
        h.game->intNg = qint16(ng);
        h.game->intMoji = qint16(moji);
        h.game->intNewWords = 1;
        h.lstJisyo.failFocus = focusFails;
        h.messages.expect(u"新しい文字を 1 個覚えました！"_qs, u"辞書追加"_qs, MessageIcon::Information);
        h.playOut();
        QCOMPARE(h.lblRitu.text, ritu);
        QCOMPARE(h.lblByou.text, byou);
        QCOMPARE(h.lblMoji_T.text, QString::number(moji));
        QCOMPARE(h.focus.holder, focusFails ? u"txtKaitou"_qs : u"lstJisyo"_qs);
        QCOMPARE(h.fraJisyo.captionText, u"覚えた言葉 9個"_qs);
        QVERIFY(h.messages.expected.isEmpty());
    }

    void gameAcrossMidnightEndsAfterItsPlayTime()
    {
        fakes::Loaded h("60,0\r\n", dictionary());
        h.clock.wall = QDateTime(QDate(2026, 12, 6), QTime(23, 59, 30, 500));
        h.startGame(); // play starts at 23:59:33.5
        int ticks = 0;
        while (h.game->blnPlaying && ticks < 200) {
            h.clock.advance(1000);
            h.game->tmrBp_Timer();
            ++ticks;
            if (h.game->blnPlaying)
                QVERIFY(h.shpJikanK.w > 0);
        }
        QCOMPARE(ticks, 60);
        QCOMPARE(h.game->lngNow, 86373 + 60);
    }

    void newPlayTimeDuringPlayKeepsTheEnd()
    {
        fakes::Loaded h("60,0\r\n", dictionary());
        h.startGame();
        h.cboJikan.pick(u"120"_qs);
        h.clock.advance(30'000);
        h.game->tmrBp_Timer();
        QCOMPARE(h.shpJikanK.w, 2186.0); // 30 / 120 of the bar
        h.game->intMoji = 120;
        h.clock.advance(30'000);
        h.game->tmrBp_Timer();
        QVERIFY(!h.game->blnPlaying);
        QCOMPARE(h.lblByou.text, u"1.00/秒"_qs);
    }

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
        fakes::Loaded h("60,0\r\n", dictionary(), record);
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

        fakes::makeFolder(u"履歴.txt"_qs);
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
        fakes::Loaded h("60,0\r\n", dictionary(), record);
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
        fakes::Loaded h(settings, dictionary(), record);
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
        fakes::makeFolder(u"履歴.txt"_qs);
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
        fakes::makeFolder(u"履歴.txt"_qs);
        h.messages.allowAny = true;
        h.messages.shown.clear();
        h.game->cmdHozon_Click();
        QCOMPARE(h.messages.shown.size(), 1);
        QCOMPARE(h.messages.shown[0].icon, MessageIcon::Critical);
        QCOMPARE(h.program.exitCode, 1);
    }
};

QTEST_GUILESS_MAIN(TestGame)
#include "test_game.moc"
