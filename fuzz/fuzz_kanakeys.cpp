// Kana typed key by key as the answer box types them, with Backspace: the text only ever holds
// kana, the layout's punctuation and marks that no kana took, and the key guide for it types
// the same text back.
#include "fuzzinput.h"
#include "platform/kana/keyguide.h"

namespace {

void typeInto(QString &text, const platform::KanaLayout &layout, quint32 scanCode, bool shift)
{
    if (const QChar kana = layout.kana(scanCode, shift); !kana.isNull())
        platform::appendKana(text, kana);
}

bool allowed(QChar c)
{
    return (c >= u'ぁ' && c <= u'ゔ') || QStringView(u"ー「」、。・゛゜").contains(c);
}

} // namespace

// The first byte picks the board; each further byte is a key: its top bit Shift, the rest the
// scan code (0 for Backspace, 127 for the ¥ key).
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const auto keyboard = data[0] % 2 ? platform::KanaKeyboard::Us : platform::KanaKeyboard::Jis;
    const platform::KanaLayout &layout = platform::KanaLayout::of(keyboard);
    QString text;
    for (size_t i = 1; i < size; ++i) {
        const quint32 code = data[i] & 0x7F;
        if (code == 0)
            text.chop(1);
        else
            typeInto(text, layout, code == 127 ? 132 : code, data[i] & 0x80);
    }
    for (qsizetype i = 0; i < text.size(); ++i) {
        FUZZ_CHECK(allowed(text[i]), u"not a kana: "_qs + text);
        if (platform::isKanaMark(text[i]) && i > 0)
            FUZZ_CHECK(platform::withKanaMark(text[i - 1], text[i]).isNull(), u"a mark was not taken: "_qs + text);
    }
    const platform::KanaKeyGuide guide(keyboard);
    QString again;
    for (QChar c : text) {
        const auto presses = guide.presses(c);
        FUZZ_CHECK(!presses.isEmpty(), u"no keys for "_qs + c);
        for (const auto &press : presses)
            typeInto(again, layout, press.key->scanCode, press.shift);
    }
    FUZZ_CHECK(again == text, u"the guide types "_qs + again + u" for "_qs + text);
    return 0;
}
