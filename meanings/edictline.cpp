#include "edictline.h"

#include "platform/kana/kana.h"

#include <QStringTokenizer>
#include <algorithm>
#include <array>

namespace meanings {
namespace {

// The part-of-speech, usage and field codes EDICT puts in parentheses before a gloss. A word in
// parentheses that is not one of them, as in 「(eating) noisily」, belongs to the gloss.
constexpr QLatin1StringView kTags[] = {
    // parts of speech
    QLatin1StringView("adj"),
    QLatin1StringView("adj-f"),
    QLatin1StringView("adj-i"),
    QLatin1StringView("adj-ix"),
    QLatin1StringView("adj-kari"),
    QLatin1StringView("adj-ku"),
    QLatin1StringView("adj-na"),
    QLatin1StringView("adj-nari"),
    QLatin1StringView("adj-no"),
    QLatin1StringView("adj-pn"),
    QLatin1StringView("adj-shiku"),
    QLatin1StringView("adj-t"),
    QLatin1StringView("adv"),
    QLatin1StringView("adv-n"),
    QLatin1StringView("adv-to"),
    QLatin1StringView("aux"),
    QLatin1StringView("aux-adj"),
    QLatin1StringView("aux-v"),
    QLatin1StringView("conj"),
    QLatin1StringView("cop"),
    QLatin1StringView("cop-da"),
    QLatin1StringView("ctr"),
    QLatin1StringView("exp"),
    QLatin1StringView("int"),
    QLatin1StringView("iv"),
    QLatin1StringView("n"),
    QLatin1StringView("n-adv"),
    QLatin1StringView("n-pr"),
    QLatin1StringView("n-pref"),
    QLatin1StringView("n-suf"),
    QLatin1StringView("n-t"),
    QLatin1StringView("num"),
    QLatin1StringView("pn"),
    QLatin1StringView("pref"),
    QLatin1StringView("prt"),
    QLatin1StringView("suf"),
    QLatin1StringView("unc"),
    QLatin1StringView("v-unspec"),
    QLatin1StringView("vi"),
    QLatin1StringView("vk"),
    QLatin1StringView("vn"),
    QLatin1StringView("vr"),
    QLatin1StringView("vs"),
    QLatin1StringView("vs-c"),
    QLatin1StringView("vs-i"),
    QLatin1StringView("vs-s"),
    QLatin1StringView("vt"),
    QLatin1StringView("vz"),
    // usage
    QLatin1StringView("P"),
    QLatin1StringView("X"),
    QLatin1StringView("abbr"),
    QLatin1StringView("arch"),
    QLatin1StringView("ateji"),
    QLatin1StringView("chn"),
    QLatin1StringView("col"),
    QLatin1StringView("dated"),
    QLatin1StringView("derog"),
    QLatin1StringView("eK"),
    QLatin1StringView("ek"),
    QLatin1StringView("euph"),
    QLatin1StringView("fam"),
    QLatin1StringView("fem"),
    QLatin1StringView("form"),
    QLatin1StringView("gikun"),
    QLatin1StringView("hist"),
    QLatin1StringView("hon"),
    QLatin1StringView("hum"),
    QLatin1StringView("iK"),
    QLatin1StringView("id"),
    QLatin1StringView("ik"),
    QLatin1StringView("io"),
    QLatin1StringView("joc"),
    QLatin1StringView("litf"),
    QLatin1StringView("m-sl"),
    QLatin1StringView("male"),
    QLatin1StringView("male-sl"),
    QLatin1StringView("net-sl"),
    QLatin1StringView("oK"),
    QLatin1StringView("obs"),
    QLatin1StringView("obsc"),
    QLatin1StringView("ok"),
    QLatin1StringView("on-mim"),
    QLatin1StringView("poet"),
    QLatin1StringView("pol"),
    QLatin1StringView("proverb"),
    QLatin1StringView("quote"),
    QLatin1StringView("rare"),
    QLatin1StringView("rK"),
    QLatin1StringView("rk"),
    QLatin1StringView("sK"),
    QLatin1StringView("sens"),
    QLatin1StringView("sk"),
    QLatin1StringView("sl"),
    QLatin1StringView("uK"),
    QLatin1StringView("uk"),
    QLatin1StringView("vulg"),
    QLatin1StringView("yoji"),
    // fields
    QLatin1StringView("Buddh"),
    QLatin1StringView("Christn"),
    QLatin1StringView("MA"),
    QLatin1StringView("Shinto"),
    QLatin1StringView("agric"),
    QLatin1StringView("anat"),
    QLatin1StringView("archeol"),
    QLatin1StringView("archit"),
    QLatin1StringView("art"),
    QLatin1StringView("astron"),
    QLatin1StringView("audvid"),
    QLatin1StringView("aviat"),
    QLatin1StringView("baseb"),
    QLatin1StringView("biochem"),
    QLatin1StringView("biol"),
    QLatin1StringView("bot"),
    QLatin1StringView("bus"),
    QLatin1StringView("chem"),
    QLatin1StringView("comp"),
    QLatin1StringView("cryst"),
    QLatin1StringView("ecol"),
    QLatin1StringView("econ"),
    QLatin1StringView("elec"),
    QLatin1StringView("electr"),
    QLatin1StringView("embryo"),
    QLatin1StringView("engr"),
    QLatin1StringView("ent"),
    QLatin1StringView("finc"),
    QLatin1StringView("fish"),
    QLatin1StringView("food"),
    QLatin1StringView("gardn"),
    QLatin1StringView("genet"),
    QLatin1StringView("geogr"),
    QLatin1StringView("geol"),
    QLatin1StringView("geom"),
    QLatin1StringView("go"),
    QLatin1StringView("golf"),
    QLatin1StringView("gramm"),
    QLatin1StringView("grmyth"),
    QLatin1StringView("hanaf"),
    QLatin1StringView("horse"),
    QLatin1StringView("law"),
    QLatin1StringView("ling"),
    QLatin1StringView("logic"),
    QLatin1StringView("mahj"),
    QLatin1StringView("math"),
    QLatin1StringView("mech"),
    QLatin1StringView("med"),
    QLatin1StringView("met"),
    QLatin1StringView("mil"),
    QLatin1StringView("music"),
    QLatin1StringView("ornith"),
    QLatin1StringView("paleo"),
    QLatin1StringView("pathol"),
    QLatin1StringView("pharm"),
    QLatin1StringView("phil"),
    QLatin1StringView("photo"),
    QLatin1StringView("physics"),
    QLatin1StringView("physiol"),
    QLatin1StringView("print"),
    QLatin1StringView("psych"),
    QLatin1StringView("shogi"),
    QLatin1StringView("sports"),
    QLatin1StringView("stat"),
    QLatin1StringView("sumo"),
    QLatin1StringView("telec"),
    QLatin1StringView("tradem"),
    QLatin1StringView("vidg"),
    QLatin1StringView("zool"),
};

bool isVerbClass(QStringView code)
{
    // v1, v1-s, v2a-s ... v4r, v5aru, v5k-s, v5u-s ...: the verb classes, too many to list.
    return code.size() >= 2 && code.size() <= 6 && code[0] == u'v' && code[1] >= u'1' && code[1] <= u'5'
        && std::ranges::all_of(code, [](QChar c) { return c.isLetterOrNumber() || c == u'-'; });
}

bool isTag(QStringView code)
{
    code = code.trimmed();
    if (code.isEmpty())
        return false;
    if (std::ranges::all_of(code, [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return true; // a sense number
    if (code.endsWith(u':') && code.size() <= 6)
        return true; // a dialect: ksb:, ktb: ...
    return isVerbClass(code) || std::ranges::any_of(kTags, [&](QLatin1StringView tag) { return tag == code; });
}

// "(n,vs) (1) (See 強化) gloss" -> "gloss".
QStringView withoutTags(QStringView gloss)
{
    for (;;) {
        gloss = gloss.trimmed();
        if (!gloss.startsWith(u'('))
            return gloss;
        const qsizetype close = gloss.indexOf(u')');
        if (close < 0)
            return gloss;
        const QStringView inside = gloss.sliced(1, close - 1);
        const bool note = inside.startsWith(u"See ") || inside.startsWith(u"ant: ");
        if (!note && !std::ranges::all_of(QStringTokenizer(inside, u','), isTag))
            return gloss;
        gloss = gloss.sliced(close + 1);
    }
}

// "llama (Lama glama) (spa:)" -> "llama (Lama glama)": the language a loan word came from.
QStringView withoutSource(QStringView gloss)
{
    while (gloss.endsWith(u')')) {
        const qsizetype open = gloss.lastIndexOf(u'(');
        const QStringView inside = open < 0 ? QStringView() : gloss.sliced(open + 1, gloss.size() - open - 2);
        const qsizetype colon = inside.indexOf(u':');
        if (colon < 2 || colon > 3
            || !std::ranges::all_of(inside.first(colon), [](QChar c) { return c >= u'a' && c <= u'z'; }))
            break;
        gloss = gloss.first(open).trimmed();
    }
    return gloss;
}

// The head of a line, before its first '/': the written form and, in brackets, the reading.
template <typename View>
bool splitHead(View head, View &headword, View &reading)
{
    const qsizetype space = head.indexOf(' ');
    headword = space < 0 ? head : head.first(space);
    View rest = space < 0 ? View() : head.sliced(space);
    while (!rest.isEmpty() && rest.front() == ' ')
        rest = rest.sliced(1);
    while (!rest.isEmpty() && rest.back() == ' ')
        rest.chop(1);
    if (rest.isEmpty()) {
        reading = headword;
    } else if (rest.size() > 2 && rest.front() == '[' && rest.back() == ']') {
        reading = rest.sliced(1, rest.size() - 2);
    } else {
        return false;
    }
    return !headword.isEmpty() && !reading.isEmpty();
}

} // namespace

std::optional<EdictEntry> parseEdictLine(QStringView line)
{
    while (line.endsWith(u'\r') || line.endsWith(u'\n'))
        line.chop(1);
    const qsizetype slash = line.indexOf(u'/');
    QStringView headword, reading;
    if (slash < 0 || !splitHead(line.first(slash), headword, reading))
        return std::nullopt;
    // The file's first line starts with an ideographic space; no word does.
    if (std::ranges::any_of(headword, [](QChar c) { return c.isSpace(); }))
        return std::nullopt;

    EdictEntry entry;
    entry.reading = platform::toWideHiragana(reading);
    if (headword != entry.reading)
        entry.written = headword.toString();
    // The fields between slashes; anything after the last one is no field. (P) stands last.
    QStringView fields = line.sliced(slash);
    fields = fields.first(fields.lastIndexOf(u'/') + 1);
    entry.common = fields.endsWith(u"/(P)/");
    fields = fields.sliced(1);
    for (qsizetype end; (end = fields.indexOf(u'/')) >= 0; fields = fields.sliced(end + 1)) {
        const QStringView field = fields.first(end);
        if (entry.glosses.size() < kGlossesKept && field != u"(P)" && !field.startsWith(u"EntL")) {
            const QStringView gloss = withoutSource(withoutTags(field));
            if (!gloss.isEmpty())
                entry.glosses.append(gloss.toString());
        }
    }
    if (entry.glosses.isEmpty())
        return std::nullopt;
    return entry;
}

EdictKeys scanEdictLine(QByteArrayView line)
{
    const qsizetype slash = line.indexOf('/');
    QByteArrayView headword, reading;
    if (slash < 0 || !splitHead(line.first(slash), headword, reading))
        return {};
    QByteArrayView fields = line.sliced(slash);
    // Anything after the last slash is no field.
    fields = fields.first(fields.lastIndexOf('/') + 1);
    return {reading, fields.endsWith("/(P)/")};
}

} // namespace meanings
