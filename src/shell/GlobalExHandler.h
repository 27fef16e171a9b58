#pragma once

#include <QApplication>
#include <functional>

// The application object with the one guard around every event: whatever an
// event handler throws ends that handler silently and the program goes on
// (logged with DISCSHELL_LOG=1).
class TGlobalExHandler : public QApplication {
    Q_OBJECT
public:
    TGlobalExHandler(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // Runs a step under the same guard; false when it threw.
    static bool Guarded(const char* where, const std::function<void()>& step);
};
