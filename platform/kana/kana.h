#pragma once
#include <QChar>
#include <QList>
#include <QString>

#include <utility>

namespace platform {

// Full width and hiragana, as a Japanese locale maps typed text: ASCII to U+FF01..U+FF5E,
// the space to U+3000, half-width katakana to full width (with their voiced marks
// composed), and katakana letters to hiragana. "ー", kanji and the rest stay; nothing is trimmed.
QString toWideHiragana(QStringView text);

// Whether a character may stand in a word: hiragana ぁ..ゖ (ゔ and the small kana among them)
// or ー. The dictionary holds words of these alone; a word with any other character (a
// kanji, a letter, ゝ, ・, a space) could never be continued by typed kana.
bool isWordKana(QChar c);
// Whether every character of the text is one of those (an empty text is).
bool isKanaWord(QStringView text);

// The stretches of typed text, as (start, length), that are no word kana once made full
// width and hiragana: katakana and half-width kana are kana, letters, kanji and marks are not.
QList<std::pair<int, int>> notKana(QStringView text);

// The small kana ぁぃぅぇぉゃゅょ stand for their large forms at the end of a word.
// Every other character, っ and ゎ among them, is returned unchanged.
QChar normaliseSmallKana(QChar c);

} // namespace platform
