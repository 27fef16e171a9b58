#include "effects/TimerThread.h"

#include <algorithm>
#include <chrono>

quint32 MonotonicMilliseconds()
{
    using namespace std::chrono;
    return quint32(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

quint32 PreciseSleep(quint16 interval, quint32 startTime, quint32 elapsed, quint32 now)
{
    // Differences of the wrapping clock stay right across a wrap when taken modulo 2^32.
    const qint64 lag = qint32(now - startTime - elapsed);
    const qint64 sleep = qint64(interval) - lag;
    return quint32(std::clamp<qint64>(sleep, 0, 2 * qint64(interval)));
}

TTimerThread::TTimerThread(TTimerShared& shared, THandOver handOver)
    : shared_(shared), handOver_(std::move(handOver))
{
}

void TTimerThread::run()
{
    std::unique_lock lock(shared_.Mutex);
    while (!shared_.Terminated) {
        if (shared_.Enabled) {
            runPeriod(lock);
        } else {
            shared_.Changed.wait(lock, [this] { return shared_.Terminated || shared_.Enabled; });
        }
    }
}

bool TTimerThread::periodGoesOn(quint64 period) const
{
    return !shared_.Terminated && shared_.Enabled && shared_.Period == period;
}

quint32 TTimerThread::nextSleep() const
{
    if (!shared_.Precise) {
        return shared_.Interval;
    }
    return PreciseSleep(shared_.Interval, shared_.StartTime, shared_.Elapsed,
                        MonotonicMilliseconds());
}

// One span of ticking, from enabling (or a restart of the timing) to its end. The lag of a
// precise timer is measured just before each sleep, so the time the tick itself took on the
// GUI thread is made up too.
void TTimerThread::runPeriod(std::unique_lock<std::mutex>& lock)
{
    const quint64 period = shared_.Period;
    const auto ended = [this, period] { return !periodGoesOn(period); };
    quint32 sleep = shared_.Interval;
    while (periodGoesOn(period)) {
        const auto due = std::chrono::steady_clock::now() + std::chrono::milliseconds(sleep);
        if (shared_.Changed.wait_until(lock, due, ended)) {
            return;
        }
        shared_.Elapsed += shared_.Interval;
        shared_.TickPending = true;
        lock.unlock();
        handOver_(period);
        lock.lock();
        shared_.Changed.wait(lock, [&] { return ended() || !shared_.TickPending; });
        sleep = nextSleep();
    }
}
