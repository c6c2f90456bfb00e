// The answer box: what reaches the key handler and what the answer holds when Enter does.
#include "ui/main/answerbox.h"

#include <QAction>
#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QTest>

namespace {

// The text the box holds at each Enter it reports. Like the game, the handler takes the answer,
// clears the box and drops the key.
struct Answers : QStringList {
    explicit Answers(ui::AnswerBox &box)
    {
        QObject::connect(&box, &ui::AnswerBox::keyPress, &box, [this, &box](quint16 &key) {
            if (key == 13)
                append(box.text()), key = 0, box.setText(QString());
        });
    }
};

// Types keys one by one: '\b' is Backspace, '\r' Enter, '\x1b' Escape; other characters
// are keys that produce them, kana included.
void typeKeys(QWidget *w, const QString &keys)
{
    for (QChar c : keys) {
        const Qt::Key key = c == u'\b' ? Qt::Key_Backspace
            : c == u'\r'               ? Qt::Key_Return
            : c == u'\x1b'             ? Qt::Key_Escape
            : c.unicode() < 128        ? Qt::Key(c.toUpper().unicode())
                                       : Qt::Key_unknown;
        QTest::sendKeyEvent(QTest::Click, w, key, QString(c), Qt::NoModifier);
    }
}

// A key known by its place, as X11 and Wayland report it (evdev code + 8); 0 is Enter, 1 Backspace,
// a code above 1000 the same key with Shift.
void pressPlaces(QWidget *w, const QList<int> &codes, Qt::Key key = Qt::Key_unknown)
{
    for (int code : codes) {
        const Qt::Key k = code == 0 ? Qt::Key_Return : code == 1 ? Qt::Key_Backspace : key;
        const quint32 scan = code == 0 ? 36 : code == 1 ? 22 : quint32(code % 1000);
        for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent event(type, k, code > 1000 ? Qt::ShiftModifier : Qt::NoModifier, scan, 0, 0,
                            code == 0 ? u"\r"_qs : QString());
            QApplication::sendEvent(w, &event);
        }
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
    void typedKeysReachTheAnswerAsComposedKana_data()
    {
        QTest::addColumn<QString>("board"); // kana input on a jis or us board; empty: romaji
        QTest::addColumn<QString>("keys");  // on a board, key places (see pressPlaces)
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("counted"); // keys that typed or erased, of them erasing
        QTest::newRow("romaji") << QString() << u"gorira"_qs << u"ごりら"_qs << u"6 0"_qs;
        QTest::newRow("trailing n completed by Enter") << QString() << u"hon"_qs << u"ほん"_qs << u"3 0"_qs;
        QTest::newRow("backspace over a pending letter") << QString() << u"gorik\bra"_qs << u"ごりら"_qs << u"8 1"_qs;
        QTest::newRow("backspace deletes a kana when nothing is pending")
            << QString() << u"gorira\b\bi"_qs << u"ごい"_qs << u"9 2"_qs;
        QTest::newRow("escape drops pending letters") << QString() << u"kas\x1bsa"_qs << u"かさ"_qs << u"5 0"_qs;
        QTest::newRow("kana keys go in untouched") << QString() << u"nアイス"_qs << u"んアイス"_qs << u"4 0"_qs;
        QTest::newRow("kana input") << u"jis"_qs << u"59 56"_qs << u"ねこ"_qs << u"2 0"_qs;
        QTest::newRow("kana input on a US board") << u"us"_qs << u"59 56"_qs << u"ねこ"_qs << u"2 0"_qs;
        QTest::newRow("marks and Shift") << u"jis"_qs << u"28 34 1052 56 41 35"_qs << u"がっこぱ"_qs << u"6 0"_qs;
        QTest::newRow("Backspace takes the whole kana") << u"jis"_qs << u"28 34 1 56"_qs << u"こ"_qs << u"4 1"_qs;
        QTest::newRow("the ろ key, Shift for を") << u"jis"_qs << u"97 1019"_qs << u"ろを"_qs << u"2 0"_qs;
        QTest::newRow("US ` gives ー and ろ") << u"us"_qs << u"56 49 1049"_qs << u"こーろ"_qs << u"3 0"_qs;
    }

    void typedKeysReachTheAnswerAsComposedKana()
    {
        QFETCH(QString, board);
        QFETCH(QString, keys);
        QFETCH(QString, answer);
        QFETCH(QString, counted);
        ui::AnswerBox box;
        if (!board.isEmpty())
            box.setKanaInput(
                &platform::KanaLayout::of(board == u"us" ? platform::KanaKeyboard::Us : platform::KanaKeyboard::Jis));
        Answers answers(box);
        int typed = 0, erased = 0;
        QObject::connect(&box, &ui::AnswerBox::keyTyped, [&](bool erases) { ++typed, erased += erases; });
        if (board.isEmpty()) {
            typeKeys(&box, keys + u'\r');
        } else {
            QList<int> places;
            for (const QString &place : keys.split(u' '))
                places << place.toInt();
            // Under a jp layout the ` key is 半角/全角: on a US board kana input takes it as a kana.
            pressPlaces(&box, places, board == u"us" ? Qt::Key_Zenkaku_Hankaku : Qt::Key_unknown);
            QVERIFY(box.hiraganaMode());
            pressPlaces(&box, {0});
        }
        QCOMPARE(answers, QStringList{answer});
        QCOMPARE(box.text(), QString());
        QCOMPARE(u"%1 %2"_qs.arg(typed).arg(erased), counted);
    }

    void heldEnterAnswersOncePerPress_data()
    {
        // How a system repeats a held key; X11 sends release/press pairs, not always flagged.
        QTest::addColumn<bool>("flagged");
        QTest::addColumn<bool>("pairs");
        QTest::newRow("flagged presses") << true << false;
        QTest::newRow("unflagged presses") << false << false;
        QTest::newRow("unflagged release/press pairs") << false << true;
    }

    void heldEnterAnswersOncePerPress()
    {
        QFETCH(bool, flagged);
        QFETCH(bool, pairs);
        ui::AnswerBox box;
        Answers answers(box);
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
        QCOMPARE(answers.size(), 1);
        enter(QEvent::KeyPress, 1800, false);
        QCOMPARE(answers.size(), 2);
    }

    void switchingHiraganaModeOffKeepsLatinLetters_data()
    {
        QTest::addColumn<bool>("byKey");
        QTest::newRow("half/full-width key") << true;
        QTest::newRow("context menu entry") << false;
    }

    void switchingHiraganaModeOffKeepsLatinLetters()
    {
        QFETCH(bool, byKey);
        ui::AnswerBox box;
        auto *action = box.findChild<QAction *>(u"hiraganaModeAction"_qs);
        QVERIFY(action);
        QVERIFY(box.hiraganaMode() && action->isChecked());
        auto toggle = [&] {
            byKey ? QTest::sendKeyEvent(QTest::Click, &box, Qt::Key_Zenkaku_Hankaku, QString(), {}) : action->trigger();
        };
        typeKeys(&box, u"gok"_qs); // switching completes what was typed
        toggle();
        QVERIFY(!box.hiraganaMode() && !action->isChecked());
        typeKeys(&box, u"rira"_qs);
        QCOMPARE(box.text(), u"ごkrira"_qs);
        toggle();
        typeKeys(&box, u"ra"_qs);
        QCOMPARE(box.text(), u"ごkriraら"_qs);
    }

    void onlyKanaIsAnsweredWhateverTypedIt_data()
    {
        QTest::addColumn<bool>("romaji");        // the box's own romaji on
        QTest::addColumn<QString>("typed");      // keys, or after "=" what an input method composes
        QTest::addColumn<QStringList>("marked"); // empty: answered
        QTest::newRow("romaji letter that made no kana") << true << u"kxusuri"_qs << QStringList{u"k"_qs};
        QTest::newRow("romaji off: Latin letters") << false << u"kxusuri"_qs << QStringList{u"kxusuri"_qs};
        QTest::newRow("converted to kanji") << false << u"=お茶"_qs << QStringList{u"茶"_qs};
        QTest::newRow("kanji first") << false << u"=駱駝だ"_qs << QStringList{u"駱駝"_qs};
        QTest::newRow("a letter left in the composition") << false << u"=らっｐ"_qs << QStringList{u"ｐ"_qs};
        QTest::newRow("digits and a space") << true << u"go3ma "_qs << QStringList{u"3"_qs, u" "_qs};
        QTest::newRow("a mark no half-width kana takes") << false << u"=ｱﾞｶﾞ"_qs << QStringList{u"ﾞ"_qs};
        QTest::newRow("katakana and half-width kana") << false << u"=ゴリラｺﾞﾘﾗヴー"_qs << QStringList();
        QTest::newRow("empty: the game judges it") << true << QString() << QStringList();
    }

    void onlyKanaIsAnsweredWhateverTypedIt()
    {
        QFETCH(bool, romaji);
        QFETCH(QString, typed);
        QFETCH(QStringList, marked);
        ui::AnswerBox box;
        box.setHiraganaMode(romaji);
        Answers answers(box);
        QStringList refused;
        QObject::connect(&box, &ui::AnswerBox::strayLettersRefused, [&](const QString &text) { refused << text; });
        if (typed.startsWith(u'=')) {
            compose(&box, typed.mid(1));
            typeKeys(&box, u"\r"_qs); // the input method's: it commits
            compose(&box, QString(), typed.mid(1));
        } else {
            typeKeys(&box, typed);
        }
        const QString text = box.text();
        typeKeys(&box, u"\r"_qs);
        QStringList found;
        for (const auto &[start, length] : box.strayLetters())
            found << text.mid(start, length);
        QCOMPARE(found, marked);
        QCOMPARE(answers, marked.isEmpty() ? QStringList{text} : QStringList());
        QCOMPARE(refused, marked.isEmpty() ? QStringList() : QStringList{text});
        if (!marked.isEmpty()) {
            QCOMPARE(box.text(), text); // left in the box to correct
            typeKeys(&box, u"\b"_qs);
            QVERIFY(box.strayLetters().isEmpty());
        }
    }

    void kanaInputLeavesKeysToAnInputMethod()
    {
        ui::AnswerBox box;
        box.setKanaInput(&platform::KanaLayout::of(platform::KanaKeyboard::Jis));
        compose(&box, u"ね"_qs);
        pressPlaces(&box, {56});
        QVERIFY(!box.text().contains(u'こ'));
        box.setHiraganaMode(false); // the input method alone: letters go in as typed
        compose(&box, QString(), u"ねこ"_qs);
        typeKeys(&box, u"b"_qs);
        QCOMPARE(box.text(), u"ねこb"_qs);
    }

    void textSetFromOutsideDropsPendingLetters()
    {
        ui::AnswerBox box;
        typeKeys(&box, u"kak"_qs);
        box.setText(u"ねこ"_qs);
        typeKeys(&box, u"a"_qs);
        QCOMPARE(box.text(), u"ねこあ"_qs);
    }
};

QTEST_MAIN(TestAnswerBox)
#include "test_answerbox.moc"
