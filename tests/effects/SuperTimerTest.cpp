#include "effects/SuperTimer.h"

#include "EventPump.h"
#include "effects/TimerThread.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>
#include <memory>
#include <stdexcept>

namespace {

// Counts the ticks of a timer through a counter that outlives the timer.
std::shared_ptr<int> countTicks(TSuperTimer& timer)
{
    auto count = std::make_shared<int>(0);
    timer.setOnTimer([count](TSuperTimer*) { ++*count; });
    return count;
}

TEST(PreciseSleep, LateTicksShortenAndEarlyTicksLengthenTheSleep)
{
    EXPECT_EQ(PreciseSleep(10, 1000, 10, 1010), 10u);
    EXPECT_EQ(PreciseSleep(10, 1000, 10, 1013), 7u);
    EXPECT_EQ(PreciseSleep(10, 1000, 20, 1023), 7u);
    EXPECT_EQ(PreciseSleep(10, 1000, 10, 1008), 12u);
    // The correction does not pile up: a tick back on time sleeps the plain interval again.
    EXPECT_EQ(PreciseSleep(10, 1000, 30, 1030), 10u);
}

TEST(PreciseSleep, StaysBoundedWhateverTheLag)
{
    EXPECT_EQ(PreciseSleep(10, 1000, 10, 1020), 0u);
    EXPECT_EQ(PreciseSleep(10, 1000, 10, 1030), 0u);
    EXPECT_EQ(PreciseSleep(1, 1000, 1, 900000), 0u);
    EXPECT_EQ(PreciseSleep(0, 1000, 0, 1005), 0u);
    EXPECT_EQ(PreciseSleep(10, 1000, 100, 1000), 20u);
    EXPECT_EQ(PreciseSleep(2, 5000, 4, 5007), 0u);
}

TEST(PreciseSleep, SurvivesTheClockWrapping)
{
    const quint32 start = 0xFFFFFFF0u;
    EXPECT_EQ(PreciseSleep(10, start, 20, start + 23), 7u);
    EXPECT_EQ(PreciseSleep(10, start, 20, start + 17), 13u);
}

TEST(SuperTimer, StartsDisabledWithTheDefaults)
{
    TSuperTimer timer;
    EXPECT_FALSE(timer.Enabled());
    EXPECT_EQ(timer.Interval(), 1000);
    EXPECT_FALSE(timer.Precise());
    EXPECT_EQ(timer.Priority(), QThread::HighPriority);
    EXPECT_EQ(timer.TickCount(), 0u);
}

TEST(SuperTimer, DeliversTicksOnTheGuiThreadByCallbackAndSignal)
{
    TSuperTimer timer;
    QList<QThread*> threads;
    int emitted = 0;
    timer.setOnTimer([&](TSuperTimer* sender) {
        EXPECT_EQ(sender, &timer);
        threads.append(QThread::currentThread());
    });
    QObject::connect(&timer, &TSuperTimer::timer, [&] { ++emitted; });
    timer.SetInterval(1);
    timer.SetEnabled(true);
    ASSERT_TRUE(pumpUntil([&] { return threads.size() >= 5; }));
    timer.SetEnabled(false);
    for (QThread* thread : threads) {
        EXPECT_EQ(thread, QCoreApplication::instance()->thread());
    }
    EXPECT_EQ(emitted, threads.size());
    EXPECT_EQ(timer.TickCount(), quint32(threads.size()));
}

TEST(SuperTimer, EnablingAgainRestartsTheCount)
{
    TSuperTimer timer;
    timer.SetInterval(1);
    timer.SetEnabled(true);
    ASSERT_TRUE(pumpUntil([&] { return timer.TickCount() >= 3; }));
    timer.SetEnabled(false);
    const quint32 firstStart = timer.StartTime();
    EXPECT_GE(timer.TickCount(), 3u);
    QThread::msleep(5);
    timer.SetEnabled(true);
    EXPECT_EQ(timer.TickCount(), 0u);
    EXPECT_EQ(timer.Elapsed(), 0u);
    EXPECT_GE(timer.StartTime() - firstStart, 5u);
    ASSERT_TRUE(pumpUntil([&] { return timer.TickCount() >= 2; }));
}

TEST(SuperTimer, NoTickReachesOnTimerAfterDisabling)
{
    for (quint16 interval : {quint16(0), quint16(1), quint16(2)}) {
        TSuperTimer timer;
        const auto count = countTicks(timer);
        timer.SetInterval(interval);
        for (int round = 0; round < 5; ++round) {
            timer.SetEnabled(true);
            pumpEvents(15);
            QThread::msleep(3); // let the worker hand a tick over that is never run
            timer.SetEnabled(false);
            const int seen = *count;
            pumpEvents(30);
            EXPECT_EQ(*count, seen) << "interval " << interval;
        }
        EXPECT_GT(*count, 0);
    }
}

TEST(SuperTimer, DisablingInsideOnTimerEndsTheTicks)
{
    TSuperTimer timer;
    int count = 0;
    timer.setOnTimer([&](TSuperTimer* sender) {
        if (++count == 3) {
            sender->SetEnabled(false);
        }
    });
    timer.SetInterval(0);
    timer.SetEnabled(true);
    ASSERT_TRUE(pumpUntil([&] { return count >= 3; }));
    pumpEvents(30);
    EXPECT_EQ(count, 3);
}

TEST(SuperTimer, WorkerWaitsUntilEachTickHasRun)
{
    TSuperTimer timer;
    int count = 0;
    timer.setOnTimer([&](TSuperTimer*) {
        ++count;
        QThread::msleep(20);
    });
    timer.SetInterval(0);
    QElapsedTimer clock;
    clock.start();
    timer.SetEnabled(true);
    pumpEvents(200);
    timer.SetEnabled(false);
    // Every tick blocks the GUI thread for 20 ms, so about ten fit into the 200 ms; a worker
    // that did not wait would have queued thousands of ticks at interval 0 meanwhile.
    EXPECT_GE(count, 1);
    EXPECT_LE(count, 200 / 20 + 3);
    EXPECT_LT(clock.elapsed(), 1000);
}

TEST(SuperTimer, DestroyingTheTimerWhileTickingIsSafe)
{
    for (int round = 0; round < 150; ++round) {
        auto timer = std::make_unique<TSuperTimer>();
        const auto count = countTicks(*timer);
        timer->SetInterval(quint16(round % 3));
        timer->SetPrecise(round % 2 == 0);
        timer->SetEnabled(true);
        pumpEvents(round % 4);
        if (round % 5 == 0) {
            QThread::msleep(2); // the worker now waits for a tick nobody has run
        }
        timer.reset();
        const int seen = *count;
        QCoreApplication::processEvents();
        EXPECT_EQ(*count, seen);
    }
}

TEST(SuperTimer, DestroyingReleasesAWorkerWaitingForItsTick)
{
    QElapsedTimer clock;
    clock.start();
    {
        TSuperTimer timer;
        timer.SetInterval(0);
        timer.SetEnabled(true);
        QThread::msleep(20);
    }
    EXPECT_LT(clock.elapsed(), 1000);
}

TEST(SuperTimer, IntervalChangeWhileEnabledRestartsWithTheNewInterval)
{
    TSuperTimer timer;
    timer.SetInterval(1);
    timer.SetEnabled(true);
    ASSERT_TRUE(pumpUntil([&] { return timer.TickCount() >= 3; }));
    timer.SetInterval(40);
    EXPECT_EQ(timer.TickCount(), 0u);
    EXPECT_EQ(timer.Elapsed(), 0u);
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(pumpUntil([&] { return timer.TickCount() >= 2; }));
    EXPECT_GE(clock.elapsed(), 75);
    EXPECT_EQ(timer.Elapsed() % 40, 0u);
    EXPECT_GE(timer.Elapsed(), timer.TickCount() * 40);
}

TEST(SuperTimer, ExceptionsFromOnTimerAreSwallowed)
{
    TSuperTimer timer;
    int count = 0;
    timer.setOnTimer([&](TSuperTimer*) {
        ++count;
        throw std::runtime_error("tick failed");
    });
    EXPECT_NO_THROW(timer.DoTimer());
    EXPECT_EQ(timer.TickCount(), 1u);
    timer.SetInterval(1);
    timer.SetEnabled(true);
    ASSERT_TRUE(pumpUntil([&] { return count >= 4; }));
}

} // namespace
