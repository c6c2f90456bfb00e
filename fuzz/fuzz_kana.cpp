// Conversion of an answer to full width and hiragana: no ASCII, half-width katakana or
// convertible katakana is left, the text never grows, a second conversion changes nothing,
// and small-kana normalisation only touches the eight small kana.
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

    static const QString small = QStringLiteral("ぁぃぅぇぉゃゅょ");
    static const QString large = QStringLiteral("あいうえおやゆよ");
    for (QChar c : text) {
        const qsizetype i = small.indexOf(c);
        FUZZ_CHECK(platform::normaliseSmallKana(c) == (i < 0 ? c : large[i]),
                   QStringLiteral("U+%1").arg(c.unicode(), 4, 16, QChar(u'0')));
    }
    return 0;
}
