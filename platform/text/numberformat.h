#pragma once
#include <QDateTime>
#include <QString>

namespace platform {

// The game's figures are ratios of whole counts, so they are rounded exactly, halves
// away from zero, with "." as the decimal point whatever the locale.

// "0.0%": numerator / denominator times 100 with one decimal (1 of 16 gives "6.3%").
QString formatPercent(qint64 numerator, qint64 denominator);

// "0.00/秒": numerator / denominator with two decimals (158 of 60 gives "2.63/秒").
QString formatPerSecond(qint64 numerator, qint64 denominator);
// The same figure as the window shows it, in the player's language ("2.63/秒", "2.63/s");
// files keep formatPerSecond's.
QString formatPerSecondShown(qint64 numerator, qint64 denominator);
QString perSecondShown(const QString &figure);

// "yyyy/mm/dd" and "hh:nn:ss" (24-hour clock).
QString formatDate(const QDateTime &when);
QString formatTime(const QDateTime &when);

} // namespace platform
