#pragma once
// The game's rules on their own, as plain functions: what an answer must start with, which
// rule it meets first, and the computer's reply when nothing aims it.
#include "gameevents.h"

#include <QChar>
#include <QString>

namespace game {

// The reply the answer check takes among n candidates when no draw is set: floor(n * r + 1) - 1.
int uniformReplyIndex(int n, double r);

// The kana an answer to this word must start with: its last character, small kana made large.
QChar expectedKana(const QString &word);

// The rule an answer meets first, in the order the answer check applies them.
AnswerVerdict judgeAnswer(const QString &answer, const QString &current, const platform::ListBox &previousAnswers);

} // namespace game
