#pragma once

#include <QObject>
#include <QThread>
#include <functional>
#include <memory>

struct TTimerShared;
class TTimerThread;

// A timer driven by a worker thread, for the short periods (0 to 2 ms) of the fades and window
// animations that the event loop's timers serve too coarsely. The worker sleeps and hands each
// tick to the thread the timer lives in (the GUI thread), waiting until the tick has run, so
// OnTimer never runs on another thread. Disabling stops the ticks at once: once SetEnabled(false)
// has returned, OnTimer is not called again until the timer is enabled anew. Destroying the
// timer ends its worker first. Use a timer only from its own thread.
class TSuperTimer : public QObject {
    Q_OBJECT
public:
    using TTimerEvent = std::function<void(TSuperTimer* sender)>;

    explicit TSuperTimer(QObject* owner = nullptr);
    ~TSuperTimer() override;

    bool Enabled() const { return enabled_; }
    // Enabling restarts the timing: StartTime is now, Elapsed and TickCount are 0.
    void SetEnabled(bool value);

    // Milliseconds between ticks, 1000 by default; 0 ticks as fast as the ticks are run.
    quint16 Interval() const { return interval_; }
    // A change while enabled restarts the timing as enabling does.
    void SetInterval(quint16 milliseconds);

    // Precise timers shorten or lengthen each sleep by the lag of the clock behind the sum of
    // the intervals slept, so the ticks keep to the start time's grid.
    bool Precise() const { return precise_; }
    void SetPrecise(bool value);

    // The worker's priority, one step above normal by default; taken when it first starts.
    QThread::Priority Priority() const { return priority_; }
    void SetPriority(QThread::Priority priority);

    // Called once per tick on the timer's thread; the timer() signal follows it.
    void setOnTimer(TTimerEvent handler) { onTimer_ = std::move(handler); }

    quint32 StartTime() const; // monotonic milliseconds when the timing last restarted
    quint32 Elapsed() const;   // sum of the intervals slept since then
    quint32 TickCount() const { return tickCount_; }

    // Runs one tick here and now: counts it and calls OnTimer, swallowing what that throws.
    // Does nothing while the application is closing down. The worker's ticks end up here;
    // tests drive effects through it directly.
    void DoTimer();

signals:
    void timer();

private:
    void UpdateWorker();
    void startWorker();
    void handOver(quint64 period);
    void deliverTick(quint64 period);
    void finishTick(quint64 period);

    std::unique_ptr<TTimerShared> shared_;
    std::unique_ptr<TTimerThread> worker_;
    TTimerEvent onTimer_;
    QThread::Priority priority_ = QThread::HighPriority;
    quint32 tickCount_ = 0;
    quint16 interval_ = 1000;
    bool enabled_ = false;
    bool precise_ = false;
};
