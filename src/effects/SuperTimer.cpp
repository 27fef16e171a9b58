#include "effects/SuperTimer.h"

#include "effects/TimerThread.h"

#include <QCoreApplication>
#include <QPointer>

TSuperTimer::TSuperTimer(QObject* owner) : QObject(owner), shared_(std::make_unique<TTimerShared>())
{
}

TSuperTimer::~TSuperTimer()
{
    if (!worker_) {
        return;
    }
    {
        std::lock_guard lock(shared_->Mutex);
        shared_->Terminated = true;
    }
    shared_->Changed.notify_all();
    worker_->wait();
}

void TSuperTimer::SetEnabled(bool value)
{
    if (value == enabled_) {
        return;
    }
    enabled_ = value;
    UpdateWorker();
}

void TSuperTimer::SetInterval(quint16 milliseconds)
{
    if (milliseconds == interval_) {
        return;
    }
    interval_ = milliseconds;
    {
        std::lock_guard lock(shared_->Mutex);
        shared_->Interval = milliseconds;
    }
    if (enabled_) {
        UpdateWorker();
    }
}

void TSuperTimer::SetPrecise(bool value)
{
    precise_ = value;
    std::lock_guard lock(shared_->Mutex);
    shared_->Precise = value;
}

void TSuperTimer::SetPriority(QThread::Priority priority)
{
    priority_ = priority;
}

quint32 TSuperTimer::StartTime() const
{
    std::lock_guard lock(shared_->Mutex);
    return shared_->StartTime;
}

quint32 TSuperTimer::Elapsed() const
{
    std::lock_guard lock(shared_->Mutex);
    return shared_->Elapsed;
}

// Every call ends the current span of ticking: the worker leaves its sleep or its wait for a
// tick, and the ticks it has handed over are voided. When enabled a new span starts.
void TSuperTimer::UpdateWorker()
{
    {
        std::lock_guard lock(shared_->Mutex);
        shared_->Enabled = enabled_;
        shared_->TickPending = false;
        ++shared_->Period;
        if (enabled_) {
            shared_->Elapsed = 0;
            shared_->StartTime = MonotonicMilliseconds();
        }
    }
    shared_->Changed.notify_all();
    if (enabled_) {
        tickCount_ = 0;
        startWorker();
    }
}

// The worker starts with the first enabling rather than with the timer, so that the many
// timers of idle button effects cost no threads.
void TSuperTimer::startWorker()
{
    if (worker_) {
        return;
    }
    worker_ =
        std::make_unique<TTimerThread>(*shared_, [this](quint64 period) { handOver(period); });
    worker_->start(priority_);
}

// Runs on the worker. A queued call with this timer as its context is dropped by Qt when the
// timer is destroyed first.
void TSuperTimer::handOver(quint64 period)
{
    QMetaObject::invokeMethod(
        this, [this, period] { deliverTick(period); }, Qt::QueuedConnection);
}

void TSuperTimer::deliverTick(quint64 period)
{
    {
        std::lock_guard lock(shared_->Mutex);
        if (period != shared_->Period || !shared_->Enabled) {
            return;
        }
    }
    const QPointer<TSuperTimer> alive(this);
    DoTimer();
    if (alive) {
        finishTick(period);
    }
}

void TSuperTimer::finishTick(quint64 period)
{
    {
        std::lock_guard lock(shared_->Mutex);
        if (period != shared_->Period) {
            return;
        }
        shared_->TickPending = false;
    }
    shared_->Changed.notify_all();
}

void TSuperTimer::DoTimer()
{
    if (QCoreApplication::closingDown()) {
        return;
    }
    ++tickCount_;
    try {
        if (onTimer_) {
            onTimer_(this);
        }
        emit timer();
    } catch (...) {
        // A failing tick handler ends only this tick.
    }
}
