#include "savedgames.h"

#include "answerrecord.h"
#include "files/history.h"

namespace progress {

double SavedGame::accuracy() const
{
    const int judged = accepted + rejected;
    return judged > 0 ? 100.0 * accepted / judged : 0.0;
}

SavedGames readSavedGames(const files::History &history)
{
    SavedGames out;
    out.games.reserve(history.count());
    for (int i = 0; i < history.count(); ++i) {
        SavedGame game;
        game.savedAt = readDateTime(history.field(i, 0) + u' ' + history.field(i, 1));
        game.accepted = history.field(i, 3).toInt();
        game.rejected = history.field(i, 4).toInt();
        game.characters = history.field(i, 5).toInt();
        QString seconds = history.field(i, 8);
        if (seconds.endsWith(u'秒'))
            seconds.chop(1);
        bool ok = false;
        game.playSeconds = seconds.toInt(&ok);
        if (!game.savedAt.isValid() || !ok || game.playSeconds <= 0) {
            ++out.unreadable;
            continue;
        }
        out.games.append(game);
    }
    return out;
}

QList<double> movingAverage(const QList<double> &values, int window)
{
    QList<double> out;
    out.reserve(values.size());
    double sum = 0;
    for (qsizetype i = 0; i < values.size(); ++i) {
        sum += values[i];
        if (i >= window)
            sum -= values[i - window];
        out.append(sum / double(std::min<qsizetype>(i + 1, window)));
    }
    return out;
}

} // namespace progress
