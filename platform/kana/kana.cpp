#include "kana.h"

#include <algorithm>
#include <array>

namespace platform {
namespace {

// Half-width katakana U+FF61..U+FF9F and the full-width character each one stands for.
constexpr char16_t kHalfWidthStart = 0xFF61;
constexpr std::u16string_view kHalfWidthToFull =
    u"。「」、・ヲァィゥェォャュョッー"
    u"アイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワン"
    u"゛゜";

// Full-width katakana that take a voiced mark, with the result.
struct Composition {
    char16_t base;
    char16_t voiced;
    char16_t semiVoiced;
};
constexpr std::array<Composition, 23> kCompositions = {{
    {u'カ', u'ガ', 0},     {u'キ', u'ギ', 0},     {u'ク', u'グ', 0},     {u'ケ', u'ゲ', 0},     {u'コ', u'ゴ', 0},
    {u'サ', u'ザ', 0},     {u'シ', u'ジ', 0},     {u'ス', u'ズ', 0},     {u'セ', u'ゼ', 0},     {u'ソ', u'ゾ', 0},
    {u'タ', u'ダ', 0},     {u'チ', u'ヂ', 0},     {u'ツ', u'ヅ', 0},     {u'テ', u'デ', 0},     {u'ト', u'ド', 0},
    {u'ハ', u'バ', u'パ'}, {u'ヒ', u'ビ', u'ピ'}, {u'フ', u'ブ', u'プ'}, {u'ヘ', u'ベ', u'ペ'}, {u'ホ', u'ボ', u'ポ'},
    {u'ウ', u'ヴ', 0},     {u'ワ', u'ヷ', 0},     {u'ヲ', u'ヺ', 0},
}};

constexpr char16_t kHalfVoiced = 0xFF9E;
constexpr char16_t kHalfSemiVoiced = 0xFF9F;

// Katakana letters with a hiragana counterpart: ァ..ヶ map to ぁ..ゖ at a fixed distance.
constexpr char16_t kKatakanaFirst = u'ァ';
constexpr char16_t kKatakanaLast = u'ヶ';
constexpr char16_t kKatakanaToHiragana = u'ァ' - u'ぁ';

constexpr std::array<std::pair<char16_t, char16_t>, 8> kSmallKana = {{
    {u'ぁ', u'あ'},
    {u'ぃ', u'い'},
    {u'ぅ', u'う'},
    {u'ぇ', u'え'},
    {u'ぉ', u'お'},
    {u'ゃ', u'や'},
    {u'ゅ', u'ゆ'},
    {u'ょ', u'よ'},
}};

char16_t composed(char16_t base, char16_t mark)
{
    for (const Composition &c : kCompositions) {
        if (c.base == base)
            return mark == kHalfVoiced ? c.voiced : c.semiVoiced;
    }
    return 0;
}

char16_t toWide(char16_t c)
{
    if (c == u' ')
        return 0x3000;
    if (c >= 0x21 && c <= 0x7E)
        return c - 0x21 + 0xFF01;
    if (c >= kHalfWidthStart && c < kHalfWidthStart + kHalfWidthToFull.size())
        return kHalfWidthToFull[c - kHalfWidthStart];
    return c;
}

char16_t toHiragana(char16_t c)
{
    if (c >= kKatakanaFirst && c <= kKatakanaLast)
        return c - kKatakanaToHiragana;
    return c;
}

// Each character the conversion makes, with the stretch of the text it was made from: one
// character, or a half-width kana with the mark it takes.
template <typename Visit>
void convert(QStringView text, Visit visit)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype from = i;
        const char16_t c = text[i].unicode();
        char16_t wide = toWide(c);
        const bool halfKana = c >= kHalfWidthStart && c <= 0xFF9D;
        if (halfKana && i + 1 < text.size()) {
            const char16_t next = text[i + 1].unicode();
            if (next == kHalfVoiced || next == kHalfSemiVoiced) {
                if (const char16_t voiced = composed(wide, next)) {
                    wide = voiced;
                    ++i;
                }
            }
        }
        visit(QChar(toHiragana(wide)), from, i + 1 - from);
    }
}

} // namespace

QString toWideHiragana(QStringView text)
{
    QString out;
    out.reserve(text.size());
    convert(text, [&out](QChar c, qsizetype, qsizetype) { out.append(c); });
    return out;
}

bool isWordKana(QChar c)
{
    return (c >= u'ぁ' && c <= u'ゖ') || c == u'ー';
}

bool isKanaWord(QStringView text)
{
    return std::all_of(text.begin(), text.end(), isWordKana);
}

QList<std::pair<int, int>> notKana(QStringView text)
{
    QList<std::pair<int, int>> runs;
    convert(text, [&runs](QChar c, qsizetype from, qsizetype length) {
        if (isWordKana(c))
            return;
        if (!runs.isEmpty() && runs.back().first + runs.back().second == from)
            runs.back().second += int(length);
        else
            runs.append({int(from), int(length)});
    });
    return runs;
}

QChar normaliseSmallKana(QChar c)
{
    char16_t u = c.unicode();
    for (const auto &[small, large] : kSmallKana) {
        if (u == small)
            u = large;
    }
    return QChar(u);
}

} // namespace platform
