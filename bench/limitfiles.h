#pragma once
// The three files at their limits, written the way the game writes them (CP932, CR LF).
#include <QDateTime>
#include <QString>

namespace bench {

// Hiragana words of 2 to 7 characters that never end in ん or ー, all different.
QStringList makeWords(int count);

// A folder holding 設定.txt, 辞書.txt with `words` words and 履歴.txt with `records` records,
// saved a few a day over the years, at three play times.
void writeFolder(const QString &folder, int words, int records);

// A review list (復習.txt) holding the first `words` words of a folder written by writeFolder,
// each added and met once and most answered, as a player who reviewed them all would have it.
void writeReviewList(const QString &folder, int words);

// The answer record of a player who answered `lines` times, in games of about 30 answers,
// a few games a day. Returns when the last game started.
QDateTime writeAnswerRecord(const QString &folder, int lines);

} // namespace bench
