#include "ui/answerbox.h"

#include <QAction>
#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QTest>

namespace {

// Every keyPress the box reports, with the text the handler would read at that moment.
struct Recorder {
    QList<quint16> codes;
    QStringList texts;
    void attach(ui::AnswerBox &box, bool consumeEnter = true)
    {
        QObject::connect(&box, &ui::AnswerBox::keyPress, &box, [this, &box, consumeEnter](quint16 &k) {
            codes << k;
            texts << box.text();
            if (k == 13 && consumeEnter) {
                k = 0;
                box.clear();
            }
        });
    }
    int enters() const { return int(codes.count(13)); }
};

void send(QWidget *w, QEvent::Type type, Qt::Key key, const QString &text, bool autoRepeat = false)
{
    QKeyEvent event(type, key, Qt::NoModifier, text, autoRepeat);
    QApplication::sendEvent(w, &event);
}

// Types keys one by one: '\b' is Backspace, '\r' Enter, '\x1b' Escape; other characters
// are keys that produce them, kana included.
void typeKeys(QWidget *w, const QString &keys)
{
    for (QChar c : keys) {
        Qt::Key key = Qt::Key_unknown;
        QString text(c);
        if (c == u'\b')
            key = Qt::Key_Backspace;
        else if (c == u'\r')
            key = Qt::Key_Return;
        else if (c == u'\x1b')
            key = Qt::Key_Escape;
        else if (c.unicode() < 128)
            key = Qt::Key(c.toUpper().unicode());
        send(w, QEvent::KeyPress, key, text);
        send(w, QEvent::KeyRelease, key, text);
    }
}

void compose(QWidget *w, const QString &preedit, const QString &commit = QString())
{
    QInputMethodEvent event(preedit, {});
    event.setCommitString(commit);
    QApplication::sendEvent(w, &event);
}

} // namespace

class TestAnswerBox : public QObject {
    Q_OBJECT
private slots:
    void romajiTypedKeyByKeyIsAnsweredAsHiragana();
    void typedTextReachesTheAnswerAsComposed_data();
    void typedTextReachesTheAnswerAsComposed();
    void enterConfirmingAnInputMethodCompositionDoesNotAnswer();
    void heldEnterAnswersOncePerPress_data();
    void heldEnterAnswersOncePerPress();
    void printableKeysAreReportedAndAConsumedKeyIsDropped();
    void switchingHiraganaModeOffKeepsLatinLetters_data();
    void switchingHiraganaModeOffKeepsLatinLetters();
    void textSetFromOutsideDropsPendingLetters();
};

void TestAnswerBox::romajiTypedKeyByKeyIsAnsweredAsHiragana()
{
    ui::AnswerBox box;
    Recorder rec;
    rec.attach(box);
    QTest::keyClicks(&box, "gorira");
    QTest::keyClick(&box, Qt::Key_Return);
    QCOMPARE(rec.enters(), 1);
    QCOMPARE(rec.texts.at(rec.codes.indexOf(13)), u"ごりら"_qs);
    QCOMPARE(box.text(), QString());
}

void TestAnswerBox::typedTextReachesTheAnswerAsComposed_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("answer");
    QTest::newRow("trailing n completed by Enter") << u"hon"_qs << u"ほん"_qs;
    QTest::newRow("backspace over a pending letter") << u"gorik\bra"_qs << u"ごりら"_qs;
    QTest::newRow("backspace deletes a kana when nothing is pending") << u"gorira\b\bi"_qs
                                                                       << u"ごい"_qs;
    QTest::newRow("escape drops pending letters") << u"kas\x1bsa"_qs << u"かさ"_qs;
    QTest::newRow("kana keys go in untouched") << u"kアイス"_qs << u"kアイス"_qs;
    QTest::newRow("digits go in untouched") << u"n1ban"_qs << u"ん1ばん"_qs;
}

void TestAnswerBox::typedTextReachesTheAnswerAsComposed()
{
    QFETCH(QString, keys);
    QFETCH(QString, answer);
    ui::AnswerBox box;
    Recorder rec;
    rec.attach(box);
    typeKeys(&box, keys + u'\r');
    QCOMPARE(rec.enters(), 1);
    QCOMPARE(rec.texts.at(rec.codes.indexOf(13)), answer);
}

void TestAnswerBox::enterConfirmingAnInputMethodCompositionDoesNotAnswer()
{
    ui::AnswerBox box;
    Recorder rec;
    rec.attach(box);
    compose(&box, u"ごりら"_qs);
    QTest::keyClick(&box, Qt::Key_Return);
    QCOMPARE(rec.enters(), 0);

    // The input method's text goes in as it is, katakana and all.
    compose(&box, QString(), u"ゴリラ"_qs);
    QCOMPARE(box.text(), u"ゴリラ"_qs);
    QTest::keyClick(&box, Qt::Key_Return);
    QCOMPARE(rec.enters(), 1);
    QCOMPARE(rec.texts.last(), u"ゴリラ"_qs);
}

void TestAnswerBox::heldEnterAnswersOncePerPress_data()
{
    // How a system repeats a held key: flagged presses; unflagged presses with no release;
    // or, as X11 does, release/press pairs sharing a timestamp that are not always flagged.
    QTest::addColumn<bool>("flagged");
    QTest::addColumn<bool>("pairs");
    QTest::newRow("flagged presses") << true << false;
    QTest::newRow("unflagged presses") << false << false;
    QTest::newRow("unflagged release/press pairs") << false << true;
}

void TestAnswerBox::heldEnterAnswersOncePerPress()
{
    QFETCH(bool, flagged);
    QFETCH(bool, pairs);
    ui::AnswerBox box;
    Recorder rec;
    rec.attach(box);
    auto enter = [&](QEvent::Type type, quint64 time, bool repeat) {
        QKeyEvent event(type, Qt::Key_Return, Qt::NoModifier, u"\r"_qs, repeat);
        event.setTimestamp(time);
        QApplication::sendEvent(&box, &event);
    };
    enter(QEvent::KeyPress, 1000, false);
    for (quint64 t = 1500; t < 1700; t += 40) {
        if (pairs)
            enter(QEvent::KeyRelease, t, flagged);
        enter(QEvent::KeyPress, t, flagged);
    }
    enter(QEvent::KeyRelease, 1720, false);
    QCOMPARE(rec.enters(), 1);
    enter(QEvent::KeyPress, 1800, false);
    QCOMPARE(rec.enters(), 2);
}

void TestAnswerBox::printableKeysAreReportedAndAConsumedKeyIsDropped()
{
    ui::AnswerBox box;
    QList<quint16> seen;
    connect(&box, &ui::AnswerBox::keyPress, &box, [&](quint16 &k) {
        seen << k;
        if (k == u'x')
            k = 0;
    });
    typeKeys(&box, u"ax1"_qs);
    QCOMPARE(seen, (QList<quint16>{u'a', u'x', u'1'}));
    QCOMPARE(box.text(), u"あ1"_qs);
}

void TestAnswerBox::switchingHiraganaModeOffKeepsLatinLetters_data()
{
    QTest::addColumn<bool>("byKey");
    QTest::newRow("half/full-width key") << true;
    QTest::newRow("context menu entry") << false;
}

void TestAnswerBox::switchingHiraganaModeOffKeepsLatinLetters()
{
    QFETCH(bool, byKey);
    ui::AnswerBox box;
    auto *action = box.findChild<QAction *>(u"hiraganaModeAction"_qs);
    QVERIFY(action);
    QVERIFY(box.hiraganaMode());
    QVERIFY(action->isChecked());

    auto toggle = [&] {
        if (byKey) {
            send(&box, QEvent::KeyPress, Qt::Key_Zenkaku_Hankaku, QString());
            send(&box, QEvent::KeyRelease, Qt::Key_Zenkaku_Hankaku, QString());
        } else {
            action->trigger();
        }
    };
    typeKeys(&box, u"gok"_qs); // switching completes what was typed
    toggle();
    QVERIFY(!box.hiraganaMode());
    QVERIFY(!action->isChecked());
    typeKeys(&box, u"rira"_qs);
    QCOMPARE(box.text(), u"ごkrira"_qs);

    toggle();
    QVERIFY(box.hiraganaMode());
    typeKeys(&box, u"ra"_qs);
    QCOMPARE(box.text(), u"ごkriraら"_qs);
}

void TestAnswerBox::textSetFromOutsideDropsPendingLetters()
{
    ui::AnswerBox box;
    typeKeys(&box, u"kak"_qs);
    box.setText(u"ねこ"_qs);
    QCOMPARE(box.composition(), QString());
    typeKeys(&box, u"a"_qs);
    QCOMPARE(box.text(), u"ねこあ"_qs);
}

QTEST_MAIN(TestAnswerBox)
#include "test_answerbox.moc"
