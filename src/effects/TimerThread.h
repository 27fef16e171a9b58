#pragma once

#include <QThread>
#include <condition_variable>
#include <functional>
#include <mutex>

// The state a TSuperTimer shares with its worker thread, guarded by Mutex. Period numbers the
// spans of ticking: it changes whenever ticking stops or restarts, which releases a worker that
// sleeps or waits for a tick and voids the ticks it has already handed over.
struct TTimerShared {
    std::mutex Mutex;
    std::condition_variable Changed;
    bool Enabled = false;
    bool Precise = false;
    bool Terminated = false;
    bool TickPending = false;
    quint16 Interval = 1000;
    quint32 StartTime = 0;
    quint32 Elapsed = 0;
    quint64 Period = 0;
};

// Milliseconds of a monotonic clock, wrapping at 32 bits like the multimedia time.
quint32 MonotonicMilliseconds();

// The sleep before the next tick of a precise timer that started at startTime and has slept
// elapsed milliseconds of intervals: the interval less the lag of the clock behind that sum, so
// a late tick shortens the next sleep and an early one lengthens it. Never below zero however
// large the lag, and never more than twice the interval.
quint32 PreciseSleep(quint16 interval, quint32 startTime, quint32 elapsed, quint32 now);

// The worker of a TSuperTimer. While the timer is disabled it waits on the shared condition;
// while enabled it sleeps an interval, hands a tick over and waits until the tick has run or the
// period has ended. Setting Terminated (and notifying) ends it.
class TTimerThread : public QThread {
public:
    // Posts the tick of a period to the timer's thread; it must not block.
    using THandOver = std::function<void(quint64 period)>;

    TTimerThread(TTimerShared& shared, THandOver handOver);

protected:
    void run() override;

private:
    void runPeriod(std::unique_lock<std::mutex>& lock);
    bool periodGoesOn(quint64 period) const;
    quint32 nextSleep() const;

    TTimerShared& shared_;
    THandOver handOver_;
};
