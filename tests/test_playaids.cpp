// What the window adds to play: the game's events, the cue, preferences, mistakes in the window, the
// end, forgetting a word, held messages, a name for a screen reader on every control.
#include "aidedwindow.h"
#include "ui/aids/heldmessages.h"
#include "ui/aids/notelabel.h"
#include "ui/aids/wordcue.h"
#include "ui/base/fonts.h"
#include "ui/main/views/wordlist.h"

#include <QAccessible>
#include <QApplication>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QSettings>

using game::AnswerVerdict;

namespace {

// Everything the game reports, as text.
struct Recorder : game::GameEvents {
    QStringList events;
    void gameStarted() override { events << u"started"_qs; }
    void countdownTick(int step) override { events << u"tick %1"_qs.arg(step); }
    void wordShown(const QString &word) override { events << u"word "_qs + word; }
    void answerJudged(const game::AnswerJudgement &j) override
    {
        events << u"judged %1 %2 %3 %4 %5"_qs.arg(j.answer, QString(j.expected))
                      .arg(int(j.verdict))
                      .arg(j.counted)
                      .arg(j.learned);
    }
    void gameEnded(const game::GameResult &r) override
    {
        events << u"ended %1 %2 %3"_qs.arg(r.accepted).arg(r.rejected).arg(r.newWords);
    }
};

// The window with the aids on the words りんご, ごりら, らっぱ, a game begun.
struct AidedRun : AidedWindow {
    explicit AidedRun(platform::Preferences preferences = {}) : AidedWindow(preferences)
    {
        load();
        start();
    }
};

// The learned-words list as text, a bold word followed by "*".
QStringList listed(const ui::WordList *list)
{
    QStringList rows;
    for (int i = 0; i < list->count(); ++i)
        rows << list->item(i) + (list->model()->index(i, 0).data(Qt::FontRole).value<QFont>().bold() ? u"*"_qs : u""_qs);
    return rows;
}

} // namespace

class TestPlayAids : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { ui::useJapaneseFonts(); }

    void theGameReportsEachStepWithTheVerdictTheRulesReach()
    {
        fakes::Harness h("60,0\r\n", fakes::cp932(u"りんご\r\nごりら\r\nらっぱ\r\n"_qs), "");
        Recorder recorder;
        h.game->setEvents(&recorder);
        h.messages.allowAny = true;
        QVERIFY(h.load());
        h.startGame();
        for (const QString &answer : u"ごりん ごりらー ごま ごま りす"_qs.split(u' '))
            h.answer(answer);
        h.playOut();
        h.answer(u"まくら"_qs); // after the end: learned and answered, but counted nowhere
        // answer, kana it had to start with, verdict, counted, learned
        QCOMPARE(recorder.events,
                 QStringList({u"started"_qs, u"tick 1"_qs, u"tick 2"_qs, u"tick 3"_qs, u"word りんご"_qs,
                              u"judged ごりん ご 1 1 0"_qs, u"judged ごりらー ご 2 0 0"_qs, u"judged ごま ご 0 1 1"_qs,
                              u"word ごま"_qs, u"judged ごま ま 3 1 0"_qs, u"judged りす ま 4 1 0"_qs,
                              u"ended 1 3 1"_qs, u"judged まくら ま 0 0 1"_qs, u"word らっぱ"_qs}));
    }

    void theCueNamesTheKanaTheRulesWantWhereTheWordDoesNotShowIt_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("badge");
        QTest::newRow("plain kana") << u"りんご"_qs << QString();
        QTest::newRow("small ゃ after し") << u"かいしゃ"_qs << u"つぎ：や"_qs;
        QTest::newRow("small ぁ") << u"ふぁ"_qs << u"つぎ：あ"_qs;
        QTest::newRow("small っ stays") << u"あっ"_qs << u"つぎ：っ"_qs;
        QTest::newRow("long sound stays") << u"こーひー"_qs << u"つぎ：ー"_qs;
        QTest::newRow("no word") << QString() << QString();
    }

    void theCueNamesTheKanaTheRulesWantWhereTheWordDoesNotShowIt()
    {
        QFETCH(QString, word);
        QFETCH(QString, badge);
        QCOMPARE(ui::cueBadge(word), badge);
    }

    void preferencesAreSavedAndReadBackAndNonsenseKeepsTheDefault()
    {
        QTemporaryDir dir;
        const QString ini = dir.filePath(u"prefs.ini"_qs);
        platform::SettingsPreferenceStore store(ini);
        QCOMPARE(store.load(), platform::Preferences{});
        platform::Preferences flipped{false, true, platform::InputMode::Kana, true, true, false, false};
        flipped.dailyGoalMinutes = 25;
        QString error;
        QVERIFY(store.save(flipped, error));
        QCOMPARE(platform::SettingsPreferenceStore(ini).load(), flipped);
        QSettings(ini, QSettings::IniFormat).setValue(u"play/sounds"_qs, u"maybe"_qs);
        QSettings(ini, QSettings::IniFormat).setValue(u"progress/dailyGoalMinutes"_qs, u"0"_qs);
        QCOMPARE(store.load().sounds, true);
        QCOMPARE(store.load().dailyGoalMinutes, 10);
    }

    void theInputModeReadsOlderAndUnknownValues_data()
    {
        QTest::addColumn<QString>("inputMode");
        QTest::addColumn<QString>("romajiInput");
        QTest::addColumn<platform::InputMode>("read");
        QTest::newRow("romaji input off was the input method") << QString() << u"false"_qs << platform::InputMode::Ime;
        QTest::newRow("romaji input on") << QString() << u"true"_qs << platform::InputMode::Romaji;
        QTest::newRow("kana") << u"kana"_qs << u"false"_qs << platform::InputMode::Kana;
        QTest::newRow("unknown is romaji") << u"katakana"_qs << u"false"_qs << platform::InputMode::Romaji;
    }

    void theInputModeReadsOlderAndUnknownValues()
    {
        QFETCH(QString, inputMode);
        QFETCH(QString, romajiInput);
        QFETCH(platform::InputMode, read);
        QTemporaryDir dir;
        const QString ini = dir.filePath(u"prefs.ini"_qs);
        {
            QSettings settings(ini, QSettings::IniFormat);
            settings.setValue(u"play/romajiInput"_qs, romajiInput);
            if (!inputMode.isEmpty())
                settings.setValue(u"play/inputMode"_qs, inputMode);
        }
        QCOMPARE(platform::SettingsPreferenceStore(ini).load().inputMode, read);
    }

    void mistakesInTheWindowAreCountedAsInABoxAndLeaveTheAnswerToCorrect_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("rejections");
        QTest::addColumn<QString>("note");
        QTest::newRow("ends in ー, not counted")
            << u"ごりー"_qs << u"0"_qs << u"最後の 『ー』 は 『ぃ』 とか 『ぅ』 とかに置き換えてください！"_qs;
        QTest::newRow("broken chain") << u"らっぱ"_qs << u"1"_qs << u"しりとりになっていません！"_qs;
    }

    void mistakesInTheWindowAreCountedAsInABoxAndLeaveTheAnswerToCorrect()
    {
        QFETCH(QString, answer);
        QFETCH(QString, rejections);
        QFETCH(QString, note);
        AidedRun run({.mistakesInWindow = true}); // an unexpected message box fails the test
        run.answer(answer);
        QCOMPARE(run.find<QLabel>("lblNg")->text(), rejections);
        QVERIFY(run.find<QLabel>("mistakeNote")->isVisible());
        QCOMPARE(run.find<QLabel>("mistakeNote")->text(), note);
        auto *box = run.find<ui::AnswerBox>("txtKaitou");
        QCOMPARE(box->selectedText(), answer);
        run.answer(u"ごりら"_qs);
        QCOMPARE(run.find<QLabel>("lblOk")->text(), u"1"_qs);
        QVERIFY(!run.find<QLabel>("mistakeNote")->isVisible() && box->text().isEmpty());
    }

    void enterDoesNothingForHalfASecondAfterTheEnd()
    {
        AidedRun run;
        run.playOut();
        QVERIFY(!run.game->blnPlaying && run.find<QLabel>("endMarker")->isVisible());
        run.answer(u"ごりら"_qs);
        QCOMPARE(run.find<QLabel>("lblMondai")->text(), u"りんご"_qs);
        run.clock.advance(500);
        QTest::keyClick(run.find("txtKaitou"), Qt::Key_Return);
        QCOMPARE(run.find<QLabel>("lblMondai")->text(), u"らっぱ"_qs);
        QCOMPARE(run.sounds.played,
                 (QList{platform::Tone::Countdown, platform::Tone::Countdown, platform::Tone::CountdownLast,
                        platform::Tone::TimeUp, platform::Tone::Accepted}));
    }

    // What was being composed reaches the box after the end, under 終了！; the focus goes to the list in view.
    void theEndShowsWhateverWasBeingTypedAndFocusesTheListInView_data()
    {
        QTest::addColumn<bool>("chainShown");
        QTest::addColumn<bool>("inputMethod");
        QTest::newRow("romaji pending, the chain in front") << true << false;
        QTest::newRow("a late commit, the learned words in front") << false << true;
    }

    void theEndShowsWhateverWasBeingTypedAndFocusesTheListInView()
    {
        QFETCH(bool, chainShown);
        QFETCH(bool, inputMethod);
        AidedRun run;
        if (!chainShown)
            run.game->fraRireki_Click();
        auto *box = run.find<ui::AnswerBox>("txtKaitou");
        auto *marker = run.find<QLabel>("endMarker");
        QTest::keyClicks(box, u"rapp"_qs);
        run.playOut();
        if (inputMethod) {
            QInputMethodEvent late;
            late.setCommitString(u"ぱ"_qs);
            QApplication::sendEvent(box, &late);
        }
        QVERIFY(marker->isVisible());
        QCOMPARE(box->text(), inputMethod ? u"らっpぱ"_qs : u"らっp"_qs);
        QCOMPARE(QApplication::focusWidget(), run.find(chainShown ? "lstRireki" : "lstJisyo"));
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Backspace);
        QVERIFY(!marker->isVisible());
    }

    void wordsAGameTaughtJoinTheListInBoldAndDeleteForgetsOne()
    {
        AidedRun run;
        run.messages.allowAny = true;
        run.answer(u"ごま"_qs); // no word begins with ま: the computer says ごま back
        run.answer(u"まくら"_qs);
        run.playOut();
        auto *list = run.find<ui::WordList>("lstJisyo");
        auto *frame = run.find<QGroupBox>("fraJisyo");
        QCOMPARE(listed(list), (QStringList{u"ごま*"_qs, u"ごりら"_qs, u"まくら*"_qs, u"らっぱ"_qs, u"りんご"_qs}));
        QCOMPARE(frame->title(), u"覚えた言葉 5個"_qs);
        run.game->fraRireki_Click(); // the learned words come in front
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(0, 0)).center());
        QTest::keyClick(list, Qt::Key_Delete);
        QCOMPARE(run.messages.shown.last().buttons, platform::MessageButtons::OkCancel);
        QVERIFY(run.messages.shown.last().prompt.startsWith(u"「ごま」を忘れますか？"_qs));
        QCOMPARE(listed(list), (QStringList{u"ごりら"_qs, u"まくら*"_qs, u"らっぱ"_qs, u"りんご"_qs}));
        QCOMPARE(frame->title(), u"覚えた言葉 4個"_qs);
        QCOMPARE(fakes::fileBytes(u"辞書.txt"_qs), fakes::cp932(u"りんご\r\nごりら\r\nらっぱ\r\nまくら\r\n"_qs));
    }

    void forgettingIsRefusedWithTheReasonAndChangesNothing_data()
    {
        QTest::addColumn<QString>("when");
        QTest::addColumn<QString>("reason");
        QTest::newRow("while a game is played") << u"playing"_qs << u"ゲームの間は"_qs;
        QTest::newRow("file changed by another program") << u"changed"_qs << u"書き換えられた"_qs;
        QTest::newRow("the rewrite fails") << u"write fails"_qs << u"に書き込めません"_qs;
    }

    void forgettingIsRefusedWithTheReasonAndChangesNothing()
    {
        QFETCH(QString, when);
        QFETCH(QString, reason);
        AidedRun run;
        run.messages.allowAny = true;
        if (when != u"playing")
            run.playOut();
        if (when == u"changed")
            fakes::writeBytes(u"辞書.txt"_qs, fakes::fileBytes(u"辞書.txt"_qs) + fakes::cp932(u"ねこ\r\n"_qs));
        const QByteArray before = fakes::fileBytes(u"辞書.txt"_qs);
        auto *list = run.find<ui::WordList>("lstJisyo");
        list->setCurrentIndex(list->model()->index(0, 0));
        {
            std::optional<fakes::ResourceLimit> limit;
            if (when == u"write fails")
                limit.emplace(RLIMIT_FSIZE, 1);
            list->findChild<QAction *>(u"forgetWordAction"_qs)->trigger();
        }
        QCOMPARE(fakes::fileBytes(u"辞書.txt"_qs), before);
        QCOMPARE(listed(list), (QStringList{u"ごりら"_qs, u"らっぱ"_qs, u"りんご"_qs}));
        QCOMPARE(run.find<QGroupBox>("fraJisyo")->title(), u"覚えた言葉 3個"_qs);
        const QString told = run.messages.shown.last().prompt;
        QVERIFY2(told.contains(u"「辞書.txt」"_qs) && told.contains(reason), qPrintable(told));
    }

    // What a game must not be interrupted by waits for its end, and for the last box then open.
    void aHeldMessageWaitsForTheGameToBeIdleAndItsLastBoxToClose()
    {
        fakes::Messages boxes;
        boxes.allowAny = true;
        game::Phase phase;
        ui::HeldMessages held(boxes, phase);
        const auto enter = [&](game::GamePhase now) {
            phase.phaseChanged(now);
            held.phaseChanged(now);
            QCoreApplication::processEvents();
        };
        enter(game::GamePhase::Playing);
        held.tell(u"held"_qs, u"回答記録"_qs);
        bool reviewed = false;
        held.whenIdle([&] { reviewed = true; });
        boxes.whileShown = [&] { enter(game::GamePhase::Idle); }; // the game ends behind a mistake's box
        held.show(u"mistake"_qs, u"間違い"_qs, platform::MessageIcon::Critical, platform::MessageButtons::Ok);
        QCOMPARE(boxes.shown.size(), 1);
        QCoreApplication::processEvents();
        QCOMPARE(boxes.shown.size(), 2);
        QCOMPARE(boxes.shown[1].prompt, u"held"_qs);
        QVERIFY(reviewed);
    }

    void everyControlAPlayerCanReachHasANameForAScreenReader()
    {
        AidedRun run;
        QStringList unnamed;
        // Controls are the nodes with a widget of their own; items, cells and headers are parts of them.
        std::function<void(QAccessibleInterface *)> walk = [&](QAccessibleInterface *node) {
            const auto *widget = qobject_cast<QWidget *>(node->object());
            if (!widget || node->state().invisible)
                return;
            if (node->text(QAccessible::Name).isEmpty())
                unnamed << widget->objectName() + u'/' + QLatin1String(widget->metaObject()->className());
            for (int i = 0; i < node->childCount(); ++i)
                walk(node->child(i));
        };
        walk(QAccessible::queryAccessibleInterface(&run.window));
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(u", ")));
    }
};

QTEST_MAIN(TestPlayAids)
#include "test_playaids.moc"
