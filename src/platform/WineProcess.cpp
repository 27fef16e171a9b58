#include "platform/WineProcess.h"

#include "platform/Processes.h"
#include "platform/Refusal.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <algorithm>

namespace {

const QString LineVariable = QStringLiteral("DISCSHELL_COMMAND_LINE");
constexpr int KillWaitMs = 1000;

// Runs a host program and waits at most timeoutMs; a program still running
// then is killed.
bool RunBounded(QProcess& process, const QString& program, const QStringList& arguments,
                int timeoutMs)
{
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(program, arguments);
    if (!process.waitForStarted()) {
        return false;
    }
    if (!process.waitForFinished(std::max(timeoutMs, 1))) {
        process.kill();
        process.waitForFinished(KillWaitMs);
        return false;
    }
    return true;
}

} // namespace

namespace WineProcess {

bool CanHandOver(const QString& commandLine)
{
    bool quoted = false;
    for (const QChar c : commandLine) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F) {
            return false;
        }
        if (c == QLatin1Char('"')) {
            quoted = !quoted;
        } else if (!quoted && QStringLiteral("&|<>^()").contains(c)) {
            return false;
        }
    }
    return !commandLine.trimmed().isEmpty();
}

bool RunAndWait(const QString& commandLine, const QString& hostFolder, int timeoutMs)
{
    const QString wine = ProcessLauncher().FindExecutable(QStringLiteral("wine"));
    if (wine.isEmpty()) {
        return false;
    }
    if (!CanHandOver(commandLine)) {
        Refusal::log(QStringLiteral("a Windows command line with interpreter operators"),
                     commandLine);
        return false;
    }
    QElapsedTimer clock;
    clock.start();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(LineVariable, commandLine);
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(hostFolder);
    // The interpreter expands the variable once and runs the result as typed.
    const QStringList arguments{QStringLiteral("cmd"), QStringLiteral("/c"),
                                QLatin1Char('%') + LineVariable + QLatin1Char('%')};
    if (!RunBounded(process, wine, arguments, timeoutMs)) {
        if (process.error() != QProcess::FailedToStart) {
            Refusal::log(QStringLiteral("a longer wait for a Windows program"), commandLine);
        }
        return process.error() != QProcess::FailedToStart;
    }
    WaitForServer(int(std::max<qint64>(timeoutMs - clock.elapsed(), 1)));
    return true;
}

// A program that ended may have left others of its own running (an
// uninstaller often hands over to a copy of itself); the server ends only
// with the last of them.
bool WaitForServer(int timeoutMs)
{
    const QString server = ProcessLauncher().FindExecutable(QStringLiteral("wineserver"));
    if (server.isEmpty()) {
        return false;
    }
    QProcess wait;
    return RunBounded(wait, server, {QStringLiteral("-w")}, timeoutMs);
}

} // namespace WineProcess
