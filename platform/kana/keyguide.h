#pragma once
// The keys that type a word in kana layout, for the guide under the computer's word: the
// kana layout read in reverse, a kana with ゛ or ゜ as its two keys.
#include "kanalayout.h"

namespace platform {

class KanaKeyGuide {
public:
    struct Press {
        const KanaLayout::Key *key;
        bool shift;
    };

    explicit KanaKeyGuide(KanaKeyboard keyboard = KanaKeyboard::Jis);

    // The presses for one character; none for what no key types (katakana, kanji, ゐ).
    QList<Press> presses(QChar kana) const;
    // Each kana with its keys, "ね=, こ=B が=T@ ぁ=⇧3"; other characters stay as they are.
    QString spell(QStringView word) const;

private:
    const KanaLayout &layout_;
};

} // namespace platform
