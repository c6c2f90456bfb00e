#pragma once
// Kana typed by the place of the key, as printed on a JIS keyboard: each key is a kana, and
// ゛ and ゜ are keys of their own that change the kana before them. Keys are told apart by
// their scan code (the evdev code + 8 that X11 and Wayland report), so the kana do not depend
// on the keyboard layout the desktop is set to.
#include <QChar>
#include <QList>
#include <QString>
#include <QStringView>

namespace platform {

// JIS: the 106/109-key board. US: a board without the JIS ¥ and ろ keys; its ` key (where a JIS
// board has 半角/全角) carries ー, and with Shift ろ.
enum class KanaKeyboard { Jis, Us };

inline constexpr QChar kVoicedMark = u'゛';
inline constexpr QChar kSemiVoicedMark = u'゜';

class KanaLayout {
public:
    struct Key {
        quint32 scanCode = 0;
        QString cap;   // what the key's Latin side reads on this keyboard: "G", "@", "`"
        QChar kana;    // without Shift
        QChar shifted; // with Shift: a small kana, を or punctuation; else the same kana
    };

    static const KanaLayout &of(KanaKeyboard keyboard);

    // The kana this key gives, or null for a key that has none (F-keys, arrows, Tab, Enter).
    QChar kana(quint32 scanCode, bool shift) const;
    // The key that gives this kana or mark, and whether Shift is held; null when none does.
    const Key *keyFor(QChar kana, bool *shift) const;
    const QList<Key> &keys() const { return keys_; }

private:
    explicit KanaLayout(KanaKeyboard keyboard);
    QList<Key> keys_;
};

inline bool isKanaMark(QChar c)
{
    return c == kVoicedMark || c == kSemiVoicedMark;
}

// The kana that ゛ or ゜ makes of this one (か゛→が, は゜→ぱ, う゛→ゔ); null when it takes none.
QChar withKanaMark(QChar kana, QChar mark);

// What one key's kana does to the text before the cursor: a mark the kana before it takes
// replaces that kana; anything else, a mark that nothing takes among them, is added.
struct KanaEdit {
    bool replacesPrevious = false;
    QChar text;
};
KanaEdit typeKana(QChar previous, QChar typed);
// The same at the end of a text.
void appendKana(QString &text, QChar typed);

} // namespace platform
