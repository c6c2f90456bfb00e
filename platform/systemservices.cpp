#include "systemservices.h"

#include <cmath>
#include <limits>

namespace platform {

SystemClock::SystemClock()
{
    monotonic_.start();
}

double SystemClock::secondsSinceMidnight() const
{
    const QTime t = QTime::currentTime();
    return t.msecsSinceStartOfDay() / 1000.0;
}

QDateTime SystemClock::now() const
{
    return QDateTime::currentDateTime();
}

qint64 SystemClock::monotonicMs() const
{
    return monotonic_.elapsed();
}

SystemRandom::SystemRandom(const Clock &clock) : clock_(clock)
{
    reseedFromClock();
}

void SystemRandom::reseedFromClock()
{
    // Wall time and monotonic time together, so two games in one second differ.
    const quint64 ms = quint64(clock_.now().toMSecsSinceEpoch());
    generator_.seed(quint32(ms ^ (ms >> 32)) ^ quint32(clock_.monotonicMs() * 2654435761u));
}

float SystemRandom::next()
{
    // Uniform in [0, 1); the float conversion may round up to 1, which is outside the range.
    const float r = float(generator_.generateDouble());
    return r < 1.0f ? r : std::nextafter(1.0f, 0.0f);
}

} // namespace platform
