#include "kanalayout.h"

namespace platform {
namespace {

// One key a line: scan code, its Latin cap on a JIS board and on a US board (null where the
// board has no such key), its kana, and the kana with Shift where that differs.
struct KeyRow {
    quint32 scanCode;
    const char16_t *jisCap;
    const char16_t *usCap;
    char16_t kana;
    char16_t shifted;
};

constexpr KeyRow kKeys[] = {
    // The number row.
    {10, u"1", u"1", u'ぬ', 0},
    {11, u"2", u"2", u'ふ', 0},
    {12, u"3", u"3", u'あ', u'ぁ'},
    {13, u"4", u"4", u'う', u'ぅ'},
    {14, u"5", u"5", u'え', u'ぇ'},
    {15, u"6", u"6", u'お', u'ぉ'},
    {16, u"7", u"7", u'や', u'ゃ'},
    {17, u"8", u"8", u'ゆ', u'ゅ'},
    {18, u"9", u"9", u'よ', u'ょ'},
    {19, u"0", u"0", u'わ', u'を'},
    {20, u"-", u"-", u'ほ', 0},
    {21, u"^", u"=", u'へ', 0},
    {132, u"¥", nullptr, u'ー', 0},
    // Q to the ゜ key.
    {24, u"Q", u"Q", u'た', 0},
    {25, u"W", u"W", u'て', 0},
    {26, u"E", u"E", u'い', u'ぃ'},
    {27, u"R", u"R", u'す', 0},
    {28, u"T", u"T", u'か', 0},
    {29, u"Y", u"Y", u'ん', 0},
    {30, u"U", u"U", u'な', 0},
    {31, u"I", u"I", u'に', 0},
    {32, u"O", u"O", u'ら', 0},
    {33, u"P", u"P", u'せ', 0},
    {34, u"@", u"[", u'゛', 0},
    {35, u"[", u"]", u'゜', u'「'},
    // A to the む key.
    {38, u"A", u"A", u'ち', 0},
    {39, u"S", u"S", u'と', 0},
    {40, u"D", u"D", u'し', 0},
    {41, u"F", u"F", u'は', 0},
    {42, u"G", u"G", u'き', 0},
    {43, u"H", u"H", u'く', 0},
    {44, u"J", u"J", u'ま', 0},
    {45, u"K", u"K", u'の', 0},
    {46, u"L", u"L", u'り', 0},
    {47, u";", u";", u'れ', 0},
    {48, u":", u"'", u'け', 0},
    {51, u"]", u"\\", u'む', u'」'},
    // Z to the ろ key.
    {52, u"Z", u"Z", u'つ', u'っ'},
    {53, u"X", u"X", u'さ', 0},
    {54, u"C", u"C", u'そ', 0},
    {55, u"V", u"V", u'ひ', 0},
    {56, u"B", u"B", u'こ', 0},
    {57, u"N", u"N", u'み', 0},
    {58, u"M", u"M", u'も', 0},
    {59, u",", u",", u'ね', u'、'},
    {60, u".", u".", u'る', u'。'},
    {61, u"/", u"/", u'め', u'・'},
    {97, u"\\", nullptr, u'ろ', 0},
    // A US board has neither ¥ nor ろ: its ` key, left of 1, gives the more frequent ー
    // (in the number row, as ¥ is) and ろ with Shift. On a JIS board that key is 半角/全角.
    {49, nullptr, u"`", u'ー', u'ろ'},
};

} // namespace

KanaLayout::KanaLayout(KanaKeyboard keyboard)
{
    for (const KeyRow &row : kKeys) {
        const char16_t *cap = keyboard == KanaKeyboard::Jis ? row.jisCap : row.usCap;
        if (cap)
            keys_.append(
                {row.scanCode, QString::fromUtf16(cap), QChar(row.kana), QChar(row.shifted ? row.shifted : row.kana)});
    }
}

const KanaLayout &KanaLayout::of(KanaKeyboard keyboard)
{
    static const KanaLayout jis(KanaKeyboard::Jis);
    static const KanaLayout us(KanaKeyboard::Us);
    return keyboard == KanaKeyboard::Us ? us : jis;
}

QChar KanaLayout::kana(quint32 scanCode, bool shift) const
{
    for (const Key &key : keys_) {
        if (key.scanCode == scanCode)
            return shift ? key.shifted : key.kana;
    }
    return {};
}

const KanaLayout::Key *KanaLayout::keyFor(QChar kana, bool *shift) const
{
    // A kana on a key of its own wins over the same kana with Shift (ろ on a US board).
    for (const Key &key : keys_) {
        if (key.kana == kana) {
            *shift = false;
            return &key;
        }
    }
    for (const Key &key : keys_) {
        if (key.shifted == kana) {
            *shift = true;
            return &key;
        }
    }
    return nullptr;
}

QChar withKanaMark(QChar kana, QChar mark)
{
    // Unicode composes the combining forms of the marks with exactly the kana that take them.
    const char16_t combining = mark == kVoicedMark ? u'\u3099' : mark == kSemiVoicedMark ? u'\u309A' : 0;
    if (!combining || kana.unicode() < u'ぁ' || kana.unicode() > u'ゖ')
        return {};
    const QString composed = (QString(kana) + QChar(combining)).normalized(QString::NormalizationForm_C);
    return composed.size() == 1 ? composed.front() : QChar();
}

KanaEdit typeKana(QChar previous, QChar typed)
{
    if (isKanaMark(typed)) {
        if (const QChar marked = withKanaMark(previous, typed); !marked.isNull())
            return {true, marked};
    }
    return {false, typed};
}

void appendKana(QString &text, QChar typed)
{
    const KanaEdit edit = typeKana(text.isEmpty() ? QChar() : text.back(), typed);
    if (edit.replacesPrevious)
        text.chop(1);
    text += edit.text;
}

} // namespace platform
