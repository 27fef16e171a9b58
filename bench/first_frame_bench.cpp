// Time from the start of a discshell process to the first painted frame of the
// skinned window on the demo disc, on an X server (the one in $DISPLAY, or an
// Xvfb started here). The program writes the wall-clock time of its first
// frame to the file named by DISCSHELL_FIRST_FRAME; the opening animation
// runs after that moment and is not counted. One warm-up run, then the median
// of the measured runs.
//
//   first_frame_bench DISCSHELL DEMO_DISC
//   BENCH first_frame ours=<ms> unit=ms

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>
#include <vector>

namespace {

constexpr int kMeasuredRuns = 7;
constexpr int kTimeoutMs = 15000;

template <typename Condition> bool waitFor(Condition condition, int milliseconds)
{
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > milliseconds) {
            return false;
        }
        QThread::msleep(2);
    }
    return true;
}

// An Xvfb of our own on the first free display number from :90 on.
std::unique_ptr<QProcess> startXvfb(QString& display)
{
    for (int number = 90; number < 130; ++number) {
        if (QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(number))) {
            continue;
        }
        auto server = std::make_unique<QProcess>();
        server->start(QStringLiteral("Xvfb"),
                      {QStringLiteral(":%1").arg(number), QStringLiteral("-screen"),
                       QStringLiteral("0"), QStringLiteral("1024x768x24"),
                       QStringLiteral("-nolisten"), QStringLiteral("tcp")});
        const QString socket = QStringLiteral("/tmp/.X11-unix/X%1").arg(number);
        if (server->waitForStarted(5000) &&
            waitFor(
                [&] { return QFile::exists(socket) || server->state() == QProcess::NotRunning; },
                5000) &&
            server->state() == QProcess::Running) {
            display = QStringLiteral(":%1").arg(number);
            return server;
        }
    }
    return nullptr;
}

// Milliseconds from the process start to its first frame; nothing on failure.
std::optional<qint64> measureOnce(const QString& program, const QString& disc,
                                  const QString& display, const QTemporaryDir& home)
{
    const QString frameFile = home.filePath(QStringLiteral("first-frame"));
    QFile::remove(frameFile);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), display);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.filePath(QStringLiteral("runtime")));
    environment.insert(QStringLiteral("DISCSHELL_FIRST_FRAME"), frameFile);
    QProcess shell;
    shell.setProcessEnvironment(environment);
    shell.setProcessChannelMode(QProcess::ForwardedChannels);
    const qint64 started = QDateTime::currentMSecsSinceEpoch();
    shell.start(program, {QStringLiteral("--disc"), disc});
    const bool painted = waitFor(
        [&] { return QFile(frameFile).size() > 0 || shell.state() == QProcess::NotRunning; },
        kTimeoutMs);
    std::optional<qint64> result;
    QFile file(frameFile);
    if (painted && file.open(QIODevice::ReadOnly)) {
        result = file.readAll().trimmed().toLongLong() - started;
    }
    shell.kill();
    shell.waitForFinished(5000);
    return result;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() != 3) {
        std::fprintf(stderr, "usage: first_frame_bench DISCSHELL DEMO_DISC\n");
        return 2;
    }
    QString display = qEnvironmentVariable("DISPLAY");
    std::unique_ptr<QProcess> server;
    if (display.isEmpty()) {
        server = startXvfb(display);
        if (!server) {
            std::fprintf(stderr, "first_frame_bench: no X server and Xvfb did not start\n");
            return 1;
        }
    }
    QTemporaryDir home;
    QDir().mkpath(home.filePath(QStringLiteral("runtime")));
    QFile::setPermissions(home.filePath(QStringLiteral("runtime")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    std::vector<qint64> times;
    for (int run = 0; run <= kMeasuredRuns; ++run) {
        const auto time = measureOnce(arguments[1], arguments[2], display, home);
        if (!time) {
            std::fprintf(stderr, "first_frame_bench: discshell painted no frame\n");
            return 1;
        }
        if (run > 0) {
            times.push_back(*time);
        }
    }
    std::sort(times.begin(), times.end());
    std::printf("BENCH first_frame ours=%lld unit=ms\n",
                static_cast<long long>(times[times.size() / 2]));
    if (server) {
        server->terminate();
        server->waitForFinished(5000);
    }
    return 0;
}
