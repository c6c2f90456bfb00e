#include "numberformat.h"

#include <QCoreApplication>

namespace platform {
namespace {

// numerator / denominator scaled by 10^decimals, rounded half away from zero, as text
// with that many decimals. A zero denominator has no ratio to show and gives zero.
QString formatFixed(qint64 numerator, qint64 denominator, int decimals)
{
    if (denominator == 0)
        numerator = 0, denominator = 1;
    if (denominator < 0)
        numerator = -numerator, denominator = -denominator;
    qint64 scale = 1;
    for (int i = 0; i < decimals; ++i)
        scale *= 10;
    const bool negative = numerator < 0;
    const qint64 magnitude = negative ? -numerator : numerator;
    // (2 * m * scale + d) / (2 * d) rounds halves up in magnitude.
    const qint64 scaled = (2 * magnitude * scale + denominator) / (2 * denominator);
    QString digits = QString::number(scaled / scale);
    const QString fraction = QString::number(scaled % scale).rightJustified(decimals, u'0');
    return (negative && scaled != 0 ? QStringLiteral("-") : QString()) + digits + u'.' + fraction;
}

} // namespace

QString formatPercent(qint64 numerator, qint64 denominator)
{
    return formatFixed(numerator * 100, denominator, 1) + u'%';
}

QString formatPerSecond(qint64 numerator, qint64 denominator)
{
    return formatFixed(numerator, denominator, 2) + QStringLiteral("/秒");
}

QString formatPerSecondShown(qint64 numerator, qint64 denominator)
{
    return perSecondShown(formatFixed(numerator, denominator, 2));
}

QString perSecondShown(const QString &figure)
{
    return QCoreApplication::translate("NumberFormat", "%1/秒").arg(figure);
}

QString formatDate(const QDateTime &when)
{
    return when.toString(QStringLiteral("yyyy/MM/dd"));
}

QString formatTime(const QDateTime &when)
{
    return when.toString(QStringLiteral("HH:mm:ss"));
}

} // namespace platform
