#include "savedgames.h"

#include "files/history.h"
#include "progress/record/answerfile.h"

#include <algorithm>
#include <span>

namespace progress {

double SavedGame::accuracy() const
{
    const int judged = accepted + rejected;
    return judged > 0 ? 100.0 * accepted / judged : 0.0;
}

qint64 EpochMs::operator()(const WallTime &wall)
{
    if (wall.date != day_) {
        day_ = wall.date;
        midnight_ = QDateTime(wall.date, QTime(0, 0), zone_).toMSecsSinceEpoch();
    }
    return midnight_ + wall.time.msecsSinceStartOfDay();
}

SavedGames readSavedGames(const files::History &history)
{
    SavedGames out;
    EpochMs epochMs;
    out.games.reserve(history.count());
    for (int i = 0; i < history.count(); ++i) {
        SavedGame game;
        const std::optional<WallTime> saved = readWallTime(history.field(i, 0) + u' ' + history.field(i, 1));
        game.accepted = history.field(i, 3).toInt();
        game.rejected = history.field(i, 4).toInt();
        game.characters = history.field(i, 5).toInt();
        const std::optional<int> seconds = history.playSeconds(i);
        game.playSeconds = seconds.value_or(0);
        // Counts no game can leave (hand-edited) would be drawn off the chart.
        if (!saved || game.playSeconds <= 0 || game.accepted < 0 || game.rejected < 0 || game.characters < 0) {
            ++out.unreadable;
            continue;
        }
        game.savedAtMs = epochMs(*saved);
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

QList<QPointF> thinned(const QList<QPointF> &points, int runs)
{
    if (points.size() <= 2 * qsizetype(runs))
        return points;
    const qsizetype length = (points.size() + runs - 1) / runs;
    QList<QPointF> out;
    out.reserve(2 * runs);
    for (qsizetype from = 0; from < points.size(); from += length) {
        const std::span<const QPointF> run(points.constData() + from, std::min(length, points.size() - from));
        const auto [low, high] = std::minmax_element(run.begin(), run.end(),
                                                     [](const QPointF &a, const QPointF &b) { return a.y() < b.y(); });
        out.append(*std::min(low, high));
        if (low != high)
            out.append(*std::max(low, high));
    }
    return out;
}

} // namespace progress
