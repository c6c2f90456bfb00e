#include "typingspeed.h"

namespace progress {

QList<GameKeystrokes> keystrokesPerGame(const QList<AnswerRow> &rows)
{
    QList<GameKeystrokes> games;
    for (const AnswerRow &row : rows) {
        if (!row.keys)
            continue;
        if (games.isEmpty() || games.back().game != row.game)
            games.append({row.game});
        games.back().keys += row.keys->all;
        games.back().typingMs += row.typingMs;
    }
    games.removeIf([](const GameKeystrokes &g) { return g.typingMs <= 0; });
    return games;
}

} // namespace progress
