// Kana layout: which key gives which kana on each keyboard, how ゛ and ゜ change the kana
// before them, and the key guide, which must type back to the word it spells.
#include "platform/kana/kanalayout.h"
#include "platform/kana/keyguide.h"

#include <QTest>

using platform::KanaKeyboard;

namespace {

// Types presses as the answer box does, at the end of the text.
QString type(const QList<platform::KanaKeyGuide::Press> &presses, KanaKeyboard keyboard)
{
    QString text;
    for (const auto &press : presses) {
        platform::appendKana(text, platform::KanaLayout::of(keyboard).kana(press.key->scanCode, press.shift));
    }
    return text;
}

void addKeys(const char16_t *rows[][3])
{
    QTest::addColumn<quint32>("scanCode");
    QTest::addColumn<QString>("plain");
    QTest::addColumn<QString>("shifted");
    for (; rows[0][0]; ++rows) {
        const QString key = QString::fromUtf16(rows[0][0]);
        QTest::newRow(key.toUtf8()) << key.section(u' ', 0, 0).toUInt() << QString::fromUtf16(rows[0][1])
                                    << QString::fromUtf16(rows[0][2]);
    }
}

void checkKey(KanaKeyboard keyboard)
{
    QFETCH(quint32, scanCode);
    QFETCH(QString, plain);
    QFETCH(QString, shifted);
    const auto &layout = platform::KanaLayout::of(keyboard);
    QCOMPARE(QString(layout.kana(scanCode, false)).remove(QChar()), plain);
    QCOMPARE(QString(layout.kana(scanCode, true)).remove(QChar()), shifted);
}

} // namespace

class TestKanaLayout : public QObject {
    Q_OBJECT
private slots:
    void jisKeys_data()
    {
        // Scan code and the key's name, its kana, its kana with Shift.
        const char16_t *rows[][3] = {
            {u"10 1", u"ぬ", u"ぬ"},     {u"12 3", u"あ", u"ぁ"},  {u"16 7", u"や", u"ゃ"},     {u"19 0", u"わ", u"を"},
            {u"21 ^", u"へ", u"へ"},     {u"132 ¥", u"ー", u"ー"}, {u"26 E", u"い", u"ぃ"},     {u"28 T", u"か", u"か"},
            {u"34 @", u"゛", u"゛"},     {u"35 [", u"゜", u"「"},  {u"48 :", u"け", u"け"},     {u"51 ]", u"む", u"」"},
            {u"52 Z", u"つ", u"っ"},     {u"56 B", u"こ", u"こ"},  {u"59 ,", u"ね", u"、"},     {u"60 .", u"る", u"。"},
            {u"61 /", u"め", u"・"},     {u"97 ろ", u"ろ", u"ろ"}, {u"49 半角/全角", u"", u""}, {u"36 Enter", u"", u""},
            {nullptr, nullptr, nullptr},
        };
        addKeys(rows);
    }
    void jisKeys() { checkKey(KanaKeyboard::Jis); }

    void usKeys_data()
    {
        const char16_t *rows[][3] = {
            {u"59 ,", u"ね", u"、"},     {u"56 B", u"こ", u"こ"}, {u"34 [", u"゛", u"゛"},
            {u"51 \\", u"む", u"」"},    {u"49 `", u"ー", u"ろ"}, {u"132 no ¥ key", u"", u""},
            {u"97 no ろ key", u"", u""}, {u"36 Enter", u"", u""}, {nullptr, nullptr, nullptr},
        };
        addKeys(rows);
    }
    void usKeys() { checkKey(KanaKeyboard::Us); }

    void marks_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("text");
        const char16_t *rows[][2] = {
            {u"か゛", u"が"},
            {u"そ゛", u"ぞ"},
            {u"つ゛", u"づ"},
            {u"は゜", u"ぱ"},
            {u"ひ゛", u"び"},
            {u"ほ゜", u"ぽ"},
            {u"う゛", u"ゔ"},
            // Refused: left in the text as stray marks.
            {u"゛", u"゛"},
            {u"ま゛", u"ま゛"},
            {u"が゛", u"が゛"},
            {u"ぱ゜", u"ぱ゜"},
            {u"っ゛", u"っ゛"},
            {u"ー゛", u"ー゛"},
            {u"ん゜か゛", u"ん゜が"},
        };
        for (const auto &[typed, text] : rows)
            QTest::newRow(QString::fromUtf16(typed).toUtf8()) << QString::fromUtf16(typed) << QString::fromUtf16(text);
    }

    void marks()
    {
        QFETCH(QString, typed);
        QFETCH(QString, text);
        QString box;
        for (QChar c : typed)
            platform::appendKana(box, c);
        QCOMPARE(box, text);
    }

    void theGuideSpellsTheKeys_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("jis");
        QTest::addColumn<QString>("us");
        QTest::newRow("ねこ") << u"ねこ"_qs << u"ね=, こ=B"_qs << u"ね=, こ=B"_qs;
        QTest::newRow("がっこう") << u"がっこう"_qs << u"が=T@ っ=⇧Z こ=B う=4"_qs << u"が=T[ っ=⇧Z こ=B う=4"_qs;
        QTest::newRow("ろーぷ") << u"ろーぷ"_qs << u"ろ=\\ ー=¥ ぷ=2["_qs << u"ろ=⇧` ー=` ぷ=2]"_qs;
        QTest::newRow("no key") << u"ゐカ"_qs << u"ゐ カ"_qs << u"ゐ カ"_qs;
    }

    void theGuideSpellsTheKeys()
    {
        QFETCH(QString, word);
        QFETCH(QString, jis);
        QFETCH(QString, us);
        QCOMPARE(platform::KanaKeyGuide(KanaKeyboard::Jis).spell(word), jis);
        QCOMPARE(platform::KanaKeyGuide(KanaKeyboard::Us).spell(word), us);
    }

    // Every kana a player needs, on both boards.
    void theGuideTypesBackEveryKana()
    {
        for (KanaKeyboard keyboard : {KanaKeyboard::Jis, KanaKeyboard::Us}) {
            const platform::KanaKeyGuide guide(keyboard);
            for (char16_t c = u'ぁ'; c <= u'ゔ'; ++c) {
                if (c == u'ゎ' || c == u'ゐ' || c == u'ゑ')
                    continue;
                QCOMPARE(type(guide.presses(QChar(c)), keyboard), QString(QChar(c)));
            }
            QCOMPARE(type(guide.presses(u'ー'), keyboard), u"ー"_qs);
        }
    }
};

QTEST_APPLESS_MAIN(TestKanaLayout)
#include "test_kanalayout.moc"
