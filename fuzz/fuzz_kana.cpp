// Conversion of an answer to full width and hiragana: no ASCII, half-width katakana or
// convertible katakana is left, the text never grows, a second conversion changes nothing,
// and small-kana normalisation only touches the eight small kana. The stretches that are not
// kana lie in the text, in order, apart, and are exactly what keeps its conversion from being
// a word of kana.
#include "fuzzinput.h"
#include "platform/kana/kana.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = fuzz::utf16(fuzz::bytes(data, size));
    const QString wide = platform::toWideHiragana(text);

    FUZZ_CHECK(wide.size() <= text.size(), u"grew: "_qs + wide);
    for (QChar c : wide) {
        const char16_t u = c.unicode();
        FUZZ_CHECK(!(u >= 0x20 && u <= 0x7E), u"ASCII left in "_qs + wide);
        FUZZ_CHECK(!(u >= 0xFF61 && u <= 0xFF9F), u"half-width kana left in "_qs + wide);
        FUZZ_CHECK(!(u >= u'ァ' && u <= u'ヶ'), u"katakana left in "_qs + wide);
    }
    FUZZ_CHECK(platform::toWideHiragana(wide) == wide, u"second conversion changed "_qs + wide);

    const QList<std::pair<int, int>> stray = platform::notKana(text);
    QString kept;
    int from = 0;
    for (const auto &[start, length] : stray) {
        FUZZ_CHECK(start >= from && length > 0 && start + length <= text.size(), u"a stretch out of place in "_qs + text);
        FUZZ_CHECK(!platform::isKanaWord(platform::toWideHiragana(QStringView(text).sliced(start, length))),
                   u"kana marked in "_qs + text);
        kept += QStringView(text).sliced(from, start - from);
        from = start + length;
    }
    kept += QStringView(text).sliced(from);
    FUZZ_CHECK(stray.isEmpty() == platform::isKanaWord(wide), u"kana-only disagrees on "_qs + text);
    FUZZ_CHECK(platform::isKanaWord(platform::toWideHiragana(kept)), u"not kana left unmarked in "_qs + text);

    static const QString small = QStringLiteral("ぁぃぅぇぉゃゅょ");
    static const QString large = QStringLiteral("あいうえおやゆよ");
    for (QChar c : text) {
        const qsizetype i = small.indexOf(c);
        FUZZ_CHECK(platform::normaliseSmallKana(c) == (i < 0 ? c : large[i]),
                   QStringLiteral("U+%1").arg(c.unicode(), 4, 16, QChar(u'0')));
    }
    return 0;
}
