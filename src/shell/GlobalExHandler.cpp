#include "shell/GlobalExHandler.h"

#include "shell/ShellLog.h"

#include <exception>

TGlobalExHandler::TGlobalExHandler(int& argc, char** argv) : QApplication(argc, argv) {}

bool TGlobalExHandler::notify(QObject* receiver, QEvent* event)
{
    bool handled = false;
    Guarded("event handler", [&] { handled = QApplication::notify(receiver, event); });
    return handled;
}

bool TGlobalExHandler::Guarded(const char* where, const std::function<void()>& step)
{
    try {
        step();
        return true;
    } catch (const std::exception& error) {
        LogSwallowed(QString::fromLatin1(where), QString::fromLocal8Bit(error.what()));
    } catch (...) {
        LogSwallowed(QString::fromLatin1(where), QStringLiteral("unknown exception"));
    }
    return false;
}
