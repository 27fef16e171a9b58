#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

// Runs the event loop of the test's thread for a while, or until a condition holds.
inline void pumpEvents(int milliseconds)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < milliseconds) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::usleep(200);
    }
}

template <typename Condition> bool pumpUntil(Condition condition, int timeoutMilliseconds = 5000)
{
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > timeoutMilliseconds) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::usleep(200);
    }
    return true;
}
