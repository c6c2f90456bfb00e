#pragma once
// How keys type kana, one choice for the answer box and the word list's finder: by their
// place on a kana keyboard (kana input), as letters of romaji made into hiragana, or as they
// come (off: the input method alone, or Latin letters). Shortcuts type nothing here either way.
#include "platform/kana/kanalayout.h"

class QKeyEvent;

namespace ui {

struct KanaKeys {
    bool on = true;
    const platform::KanaLayout *layout = nullptr; // kana by the key's place; null: romaji

    // The kana of the key's place in kana input; null otherwise, for shortcuts and for keys
    // without one.
    QChar kanaOf(const QKeyEvent &event) const;
    // Whether a typed character is a letter to compose as romaji.
    bool composes(QChar c) const;
    // Whether a key types one letter to compose as romaji (no shortcut).
    bool composes(const QKeyEvent &event) const;
};

} // namespace ui
