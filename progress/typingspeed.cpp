#include "typingspeed.h"

namespace progress {

void KeystrokeTally::add(const AnswerRow &row)
{
    if (!row.keys)
        return;
    if (games_.isEmpty() || games_.back().game != row.game)
        games_.append({row.game});
    games_.back().keys += row.keys->all;
    games_.back().typingMs += row.typingMs;
}

QList<GameKeystrokes> KeystrokeTally::games() const
{
    QList<GameKeystrokes> out = games_;
    out.removeIf([](const GameKeystrokes &g) { return g.typingMs <= 0; });
    return out;
}

} // namespace progress
