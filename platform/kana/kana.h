#pragma once
#include <QChar>
#include <QString>

namespace platform {

// Full width and hiragana, as a Japanese locale maps typed text: ASCII to U+FF01..U+FF5E,
// the space to U+3000, half-width katakana to full width (with their voiced marks
// composed), and katakana letters to hiragana. "ー", kanji and the rest stay; nothing is trimmed.
QString toWideHiragana(QStringView text);

// The small kana ぁぃぅぇぉゃゅょ stand for their large forms at the end of a word.
// Every other character, っ and ゎ among them, is returned unchanged.
QChar normaliseSmallKana(QChar c);

} // namespace platform
