#include "romajiguide.h"

namespace platform {
namespace {

bool isVowel(QChar c)
{
    return c == u'a' || c == u'i' || c == u'u' || c == u'e' || c == u'o';
}

// Lower ranks win. Hepburn's shi, chi, tsu, fu, ji, sha ... before the others; spellings for
// small kana alone (xa, la) only when nothing else gives the kana; then the shortest.
std::pair<int, qsizetype> rank(const QString &input)
{
    const bool smallAlone = input.startsWith(u'x') || input.startsWith(u'l');
    const bool hepburn = input.contains(u"sh") || input.contains(u"ch") || input.contains(u"ts") || input.contains(u'j')
        || input.contains(u'f');
    return {smallAlone ? 2 : hepburn ? 0 : 1, input.size()};
}

} // namespace

RomajiSpeller::RomajiSpeller(const RomajiTable &table) : table_(table)
{
    // The table's order breaks ties: its common spellings (ka) come before the others (ca).
    for (const RomajiTable::Rule &rule : table.rules()) {
        if (!rule.pending.isEmpty() || rule.input.contains(u'\''))
            continue;
        const auto chosen = spelling_.constFind(rule.output);
        if (chosen == spelling_.cend() || rank(rule.input) < rank(*chosen))
            spelling_.insert(rule.output, rule.input);
        longestKana_ = std::max(longestKana_, int(rule.output.size()));
    }
}

// っ doubles the letter that follows (kk, tch), as the table's doubling rules read; before a
// vowel, ん or the end it is written alone.
QString RomajiSpeller::spellSokuon(QStringView next) const
{
    QString best;
    qsizetype kept = 0;
    for (const RomajiTable::Rule &rule : table_.rules()) {
        if (rule.output == u"っ" && !rule.pending.isEmpty() && rule.pending.size() > kept
            && next.startsWith(rule.pending)) {
            best = rule.input.chopped(rule.pending.size());
            kept = rule.pending.size();
        }
    }
    return kept > 0 ? best : spelling_.value(QStringLiteral("っ"));
}

QString RomajiSpeller::spell(QStringView kana) const
{
    // Each piece of kana in turn; っ and ん depend on what follows, so they are decided last.
    QStringList pieces;
    QList<QChar> pendingKind; // 'っ' or 'ん' for pieces still to decide, else null
    for (qsizetype i = 0; i < kana.size();) {
        const QChar c = kana[i];
        if (c == u'っ' || c == u'ん') {
            pieces.append(QString());
            pendingKind.append(c);
            ++i;
            continue;
        }
        qsizetype n = std::min<qsizetype>(longestKana_, kana.size() - i);
        for (; n > 0; --n) {
            const auto found = spelling_.constFind(kana.mid(i, n).toString());
            if (found != spelling_.cend()) {
                pieces.append(*found);
                break;
            }
        }
        if (n == 0) {
            pieces.append(QString(c));
            n = 1;
        }
        pendingKind.append(QChar());
        i += n;
    }
    for (qsizetype i = pieces.size() - 1; i >= 0; --i) {
        const QString next = i + 1 < pieces.size() ? pieces[i + 1] : QString();
        if (pendingKind[i] == u'っ') {
            pieces[i] = spellSokuon(next);
        } else if (pendingKind[i] == u'ん') {
            // A vowel or y after a lone n would make な or にゃ of it; so would a second ん.
            const bool apart =
                !next.isEmpty() && (isVowel(next.front()) || next.front() == u'y' || pendingKind.value(i + 1) == u'ん');
            pieces[i] = apart ? QStringLiteral("n'") : QStringLiteral("n");
        }
    }
    return pieces.join(QString());
}

} // namespace platform
