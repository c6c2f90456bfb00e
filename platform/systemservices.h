#pragma once
// The real clock and random source.
#include "services.h"

#include <QElapsedTimer>
#include <QRandomGenerator>

namespace platform {

class SystemClock : public Clock {
public:
    SystemClock();
    double secondsSinceMidnight() const override;
    QDateTime now() const override;
    qint64 monotonicMs() const override;

private:
    QElapsedTimer monotonic_;
};

class SystemRandom : public RandomSource {
public:
    explicit SystemRandom(const Clock &clock);
    void reseedFromClock() override;
    float next() override;

private:
    const Clock &clock_;
    QRandomGenerator generator_;
};

} // namespace platform
