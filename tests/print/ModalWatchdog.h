#pragma once

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>
#include <chrono>
#include <gtest/gtest.h>

// Bounds every wait of a test on a modal window: once the test has run for
// the limit, whatever event loop is still running fails the test, rejects
// every modal window still up and is told to end, so that a window nobody
// answers ends in a failure instead of a hang. (Event loops started later in
// the same process then end at once; the failure is already reported.)
class ModalWatchdog {
public:
    explicit ModalWatchdog(std::chrono::milliseconds limit = std::chrono::seconds(30))
        : limit_(limit)
    {
        clock_.start();
        timer_.setInterval(std::chrono::milliseconds(250));
        QObject::connect(&timer_, &QTimer::timeout, [this] { check(); });
        timer_.start();
    }
    bool Fired() const { return fired_; }

private:
    void check()
    {
        if (clock_.elapsed() < limit_.count()) {
            return;
        }
        if (!fired_) {
            fired_ = true;
            ADD_FAILURE() << "a modal window or an event loop still waited after " << limit_.count()
                          << " ms";
        }
        for (QWidget* window : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<QDialog*>(window);
            if (dialog && dialog->isVisible() && dialog->isModal()) {
                dialog->reject();
            }
        }
        QCoreApplication::exit(1);
    }

    std::chrono::milliseconds limit_;
    QElapsedTimer clock_;
    QTimer timer_;
    bool fired_ = false;
};
