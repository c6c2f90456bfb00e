// Kana: typed text made wide hiragana, romaji and its guide, the kana layout with ゛ and ゜ and its
// key guide (fuzz_kanakeys holds the key guide to typing every text back, fuzz_kana small kana).
#include "platform/kana/kana.h"
#include "platform/kana/kanalayout.h"
#include "platform/kana/keyguide.h"
#include "platform/kana/romaji.h"
#include "platform/kana/romajiguide.h"

#include <QFile>
#include <QTest>

using platform::KanaKeyboard;

namespace {

// Rows "typed=text", blank-separated.
void addPairs(const QString &pairs)
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("text");
    for (const QString &pair : pairs.split(u' '))
        QTest::newRow(qPrintable(pair)) << pair.section(u'=', 0, 0) << pair.section(u'=', 1);
}

// Types keys as the answer box does: other keys complete what is pending, '\b' is Backspace (a
// pending letter first), the end is Enter.
QString typeRomaji(QStringView keys)
{
    platform::RomajiComposer composer;
    QString text;
    for (QChar c : keys) {
        if (c == u'\b') {
            if (!composer.backspace())
                text.chop(1);
        } else if (platform::RomajiComposer::composes(c)) {
            text += composer.feed(c);
        } else {
            text += composer.flush() + c;
        }
    }
    return text + composer.flush();
}

} // namespace

class TestKana : public QObject {
    Q_OBJECT
private slots:
    void convertsTypedTextToWideHiragana_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("answer");
        QTest::newRow("katakana, ァ to ヶ, long mark stays")
            << u"ァアィガッヅパポャヮヰヱヲンヴヵヶコーヒー"_qs << u"ぁあぃがっづぱぽゃゎゐゑをんゔゕゖこーひー"_qs;
        QTest::newRow("half-width") << u"ｱｲｳｴｵｧｨｩｪｫﾅﾆﾇﾈﾉﾏﾐﾑﾒﾓﾔﾕﾖﾗﾘﾙﾚﾛﾜｦﾝｬｭｮｯ"_qs
                                    << u"あいうえおぁぃぅぇぉなにぬねのまみむめもやゆよらりるれろわをんゃゅょっ"_qs;
        QTest::newRow("half-width with marks") << u"ｶﾞｷﾞｸﾞｹﾞｺﾞｻﾞｼﾞｽﾞｾﾞｿﾞﾀﾞﾁﾞﾂﾞﾃﾞﾄﾞﾊﾞﾊﾟﾋﾞﾋﾟﾌﾞﾌﾟﾍﾞﾍﾟﾎﾞﾎﾟｳﾞ"_qs
                                               << u"がぎぐげござじずぜぞだぢづでどばぱびぴぶぷべぺぼぽゔ"_qs;
        QTest::newRow("half-width mark that composes nothing") << u"ｱﾞﾏﾟﾞ"_qs << u"あ゛ま゜゛"_qs;
        QTest::newRow("half-width punctuation and long mark") << u"｡｢｣､･ｰ"_qs << u"。「」、・ー"_qs;
        QTest::newRow("ascii") << u"abcXYZ019!\"#~\\,"_qs << u"ａｂｃＸＹＺ０１９！＂＃～＼，"_qs;
        QTest::newRow("space to ideographic space, not trimmed") << u" ね こ "_qs << u"　ね　こ　"_qs;
        QTest::newRow("kanji and hiragana pass") << u"猫ねこ①"_qs << u"猫ねこ①"_qs;
        QTest::newRow("empty") << QString() << QString();
    }

    void convertsTypedTextToWideHiragana()
    {
        QFETCH(QString, typed);
        QFETCH(QString, answer);
        QCOMPARE(platform::toWideHiragana(typed), answer);
    }

    void romajiComposition_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("text");
        QTest::newRow("alternate spellings") << u"situtyacyowhoxn"_qs << u"しつちゃちょうぉん"_qs;
        QTest::newRow("small kana, x and l") << u"xyalyoxkalke"_qs << u"ゃょゕゖ"_qs;
        QTest::newRow("nnya is ん and にゃ") << u"konnya"_qs << u"こんにゃ"_qs;
        QTest::newRow("n' before a vowel") << u"n'a"_qs << u"んあ"_qs;
        QTest::newRow("nnn keeps one n for the next kana") << u"konnnichiha"_qs << u"こんにちは"_qs;
        QTest::newRow("n before a hyphen") << u"n-"_qs << u"んー"_qs;
        QTest::newRow("double consonant before ch") << u"maccha"_qs << u"まっちゃ"_qs;
        QTest::newRow("upper case") << u"GoRIRA"_qs << u"ごりら"_qs;
        QTest::newRow("q before a vowel") << u"qa"_qs << u"qあ"_qs;
        QTest::newRow("unfinished letters kept on Enter") << u"aky"_qs << u"あky"_qs;
        QTest::newRow("letters that continue nothing stay as typed") << u"kyk"_qs << u"kyk"_qs;
        QTest::newRow("digit completes the n first") << u"n1"_qs << u"ん1"_qs;
        QTest::newRow("backspace keeps the completed kana") << u"ky\bo"_qs << u"こ"_qs;
        QTest::newRow("backspace after the doubled consonant") << u"kk\ba"_qs << u"っあ"_qs;
    }

    void romajiComposition()
    {
        QFETCH(QString, keys);
        QFETCH(QString, text);
        QCOMPARE(typeRomaji(keys), text);
    }

    void romajiLettersWaitUntilTheyCompleteAKana()
    {
        QStringList shown;
        for (const QString keys : {u"gor"_qs, u"kk"_qs, u"nn"_qs, u"nk"_qs}) {
            platform::RomajiComposer composer;
            QString text;
            for (QChar c : keys)
                text += composer.feed(c);
            shown << text + u'|' + composer.pending();
        }
        QCOMPARE(shown, (QStringList{u"ご|r"_qs, u"っ|k"_qs, u"|nn"_qs, u"ん|k"_qs})); // nn waits for a vowel
    }

    // The guide under the computer's word: Hepburn where the table allows, typing back the same kana.
    void theRomajiGuideSpellsWhatTypesBackToTheWord_data()
    {
        addPairs(u"かぼちゃ=kabocha つくえ=tsukue しんぶん=shinbun ほんや=hon'ya ほんにゃ=honnya きんえん=kin'en "
                 "まっちゃ=matcha あっ=axtu こーひー=ko-hi- ぢぁ=dixa ゴリラ=ゴリラ"_qs);
    }

    void theRomajiGuideSpellsWhatTypesBackToTheWord()
    {
        QFETCH(QString, typed);
        QFETCH(QString, text);
        QCOMPARE(platform::RomajiSpeller().spell(typed), text);
        QCOMPARE(typeRomaji(text), typed);
    }

    void theRomajiGuideTypesBackEveryStarterWord()
    {
        QFile file(QStringLiteral(KANARINKA_WORD_LIST));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const platform::RomajiSpeller speller;
        QStringList wrong;
        for (const QString &word : QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts))
            if (typeRomaji(speller.spell(word)) != word)
                wrong << word + u':' + speller.spell(word);
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(u' ')));
    }

    // The built-in table has no line its parser refuses; a refused line is named and left out.
    void theRomajiTableHasNoBadLine()
    {
        platform::RomajiTable::standard(); // registers the table's resource
        QFile file(u":/platform/romaji.txt"_qs);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QStringList errors;
        platform::RomajiTable::parse(QString::fromUtf8(file.readAll()), u"romaji.txt"_qs, &errors);
        QVERIFY2(errors.isEmpty(), qPrintable(errors.join(u'\n')));
        const auto table =
            platform::RomajiTable::parse(u"ka\tか\nki き\nKa\tか\nkk\tっ\tkk\nka\tカ"_qs, u"t.txt"_qs, &errors);
        QCOMPARE(errors.size(), 4);
        QVERIFY(errors[0].startsWith(u"t.txt line 2: "_qs) && errors[3].startsWith(u"t.txt line 5: "_qs));
        QCOMPARE(table.rules().size(), 1);
    }

    // Keys the layout's logic decides: Shift, keys one board lacks, the US ` key, keys with no kana.
    void eachKeyPlaceTypesItsKanaOnEachBoard_data()
    {
        QTest::addColumn<KanaKeyboard>("keyboard");
        QTest::addColumn<quint32>("scanCode");
        QTest::addColumn<QString>("kana"); // plain, then with Shift
        for (const QString &row :
             u"jis 10 ぬぬ, jis 12 あぁ, jis 19 わを, jis 132 ーー, jis 34 ゛゛, jis 35 ゜「, "
             "jis 51 む」, jis 52 つっ, jis 61 め・, jis 97 ろろ, jis 49, jis 36, "
             "us 59 ね、, us 34 ゛゛, us 51 む」, us 49 ーろ, us 132, us 97, us 36"_qs.split(u", "_qs))
            QTest::newRow(qPrintable(row)) << (row.startsWith(u"jis") ? KanaKeyboard::Jis : KanaKeyboard::Us)
                                           << row.section(u' ', 1, 1).toUInt() << row.section(u' ', 2);
    }

    void eachKeyPlaceTypesItsKanaOnEachBoard()
    {
        QFETCH(KanaKeyboard, keyboard);
        QFETCH(quint32, scanCode);
        QFETCH(QString, kana);
        const auto &layout = platform::KanaLayout::of(keyboard);
        QCOMPARE(QString(QString(layout.kana(scanCode, false)) + layout.kana(scanCode, true)).remove(QChar()), kana);
    }

    void marksChangeTheKanaBeforeThemOrStayStray_data()
    {
        addPairs(u"か゛=が そ゛=ぞ つ゛=づ は゜=ぱ ひ゛=び ほ゜=ぽ う゛=ゔ ゛=゛ ま゛=ま゛ が゛=が゛ ぱ゜=ぱ゜ っ゛=っ゛ "
                 "ー゛=ー゛ ん゜か゛=ん゜が"_qs);
    }

    void marksChangeTheKanaBeforeThemOrStayStray()
    {
        QFETCH(QString, typed);
        QFETCH(QString, text);
        QString box;
        for (QChar c : typed)
            platform::appendKana(box, c);
        QCOMPARE(box, text);
    }

    void theKeyGuideSpellsTheKeys_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("jis");
        QTest::addColumn<QString>("us");
        QTest::newRow("ねこ") << u"ねこ"_qs << u"ね=, こ=B"_qs << u"ね=, こ=B"_qs;
        QTest::newRow("がっこう") << u"がっこう"_qs << u"が=T@ っ=⇧Z こ=B う=4"_qs << u"が=T[ っ=⇧Z こ=B う=4"_qs;
        QTest::newRow("ろーぷ") << u"ろーぷ"_qs << u"ろ=\\ ー=¥ ぷ=2["_qs << u"ろ=⇧` ー=` ぷ=2]"_qs;
        QTest::newRow("no key") << u"ゐカ"_qs << u"ゐ カ"_qs << u"ゐ カ"_qs;
    }

    void theKeyGuideSpellsTheKeys()
    {
        QFETCH(QString, word);
        QFETCH(QString, jis);
        QFETCH(QString, us);
        QCOMPARE(platform::KanaKeyGuide(KanaKeyboard::Jis).spell(word), jis);
        QCOMPARE(platform::KanaKeyGuide(KanaKeyboard::Us).spell(word), us);
    }
};

QTEST_APPLESS_MAIN(TestKana)
#include "test_kana.moc"
