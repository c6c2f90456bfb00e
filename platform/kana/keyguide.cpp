#include "keyguide.h"

namespace platform {

KanaKeyGuide::KanaKeyGuide(KanaKeyboard keyboard) : layout_(KanaLayout::of(keyboard)) {}

QList<KanaKeyGuide::Press> KanaKeyGuide::presses(QChar kana) const
{
    bool shift = false;
    if (const KanaLayout::Key *key = layout_.keyFor(kana, &shift))
        return {{key, shift}};
    // が is か and ゛: Unicode's decomposition names the two.
    const QString parts = QString(kana).normalized(QString::NormalizationForm_D);
    if (parts.size() != 2)
        return {};
    const QChar mark = parts[1] == u'\u3099' ? kVoicedMark : parts[1] == u'\u309A' ? kSemiVoicedMark : QChar();
    QList<Press> both = presses(parts[0]);
    bool markShift = false;
    const KanaLayout::Key *markKey = mark.isNull() ? nullptr : layout_.keyFor(mark, &markShift);
    if (both.size() != 1 || !markKey)
        return {};
    both.append({markKey, markShift});
    return both;
}

QString KanaKeyGuide::spell(QStringView word) const
{
    QStringList pieces;
    for (QChar c : word) {
        const QList<Press> keys = presses(c);
        if (keys.isEmpty()) {
            pieces.append(QString(c));
            continue;
        }
        QString piece = QString(c) + u'=';
        for (const Press &press : keys)
            piece += (press.shift ? QStringLiteral("⇧") : QString()) + press.key->cap;
        pieces.append(piece);
    }
    return pieces.join(u' ');
}

} // namespace platform
