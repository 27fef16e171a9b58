// First frames of discshell on the demo disc, on an X server (the one in
// $DISPLAY, or an Xvfb started here). The program writes the wall-clock time
// of its first frame to the file named by DISCSHELL_FIRST_FRAME and that of
// the intro clip's first picture to DISCSHELL_INTRO_FRAME; the opening
// animation runs after the first frame and is not counted. One warm-up run,
// then the median of the measured runs, for:
//   first_frame        process start to the skinned window, the intro clip
//                      switched off in the settings
//   intro_first_frame  process start to the intro clip's first picture
//   esc_first_frame    Esc in the intro clip's window to the skinned window
//                      (needs xdotool)
//
//   first_frame_bench DISCSHELL DEMO_DISC
//   BENCH first_frame ours=<ms> unit=ms

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
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

enum class Measure { FirstFrame, IntroFrame, EscToFirstFrame };

// The settings of the demo disc with the intro clip switched off.
void switchIntroOff(const QTemporaryDir& home, bool off)
{
    const QString registry = home.filePath(QStringLiteral("config/discshell/user.reg"));
    QFile::remove(registry);
    if (!off) {
        return;
    }
    QDir().mkpath(home.filePath(QStringLiteral("config/discshell")));
    QFile file(registry);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(QStringLiteral("Windows Registry Editor Version 5.00\n\n"
                                  "[HKEY_CURRENT_USER\\SOFTWARE\\Pallidrome\\"
                                  "Демонстрационный диск]\n\"Clip\"=dword:00000000\n")
                       .toUtf8());
    }
}

qint64 timeIn(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().trimmed().toLongLong() : 0;
}

// Esc to the intro clip's window, which has the focus; the wall-clock time just before it goes.
qint64 pressEscape(const QString& display)
{
    QProcess xdotool;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), display);
    xdotool.setProcessEnvironment(environment);
    const qint64 pressed = QDateTime::currentMSecsSinceEpoch();
    // The clip window takes the focus when it shows.
    xdotool.start(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("Escape")});
    return xdotool.waitForFinished(5000) && xdotool.exitCode() == 0 ? pressed : 0;
}

bool waitForFile(const QString& path, const QProcess& shell)
{
    return waitFor([&] { return QFile(path).size() > 0 || shell.state() == QProcess::NotRunning; },
                   kTimeoutMs) &&
           QFile(path).size() > 0;
}

// Milliseconds of one measure; nothing on failure.
std::optional<qint64> measureOnce(const QString& program, const QString& disc,
                                  const QString& display, const QTemporaryDir& home,
                                  Measure measure)
{
    const QString frameFile = home.filePath(QStringLiteral("first-frame"));
    const QString introFile = home.filePath(QStringLiteral("intro-frame"));
    QFile::remove(frameFile);
    QFile::remove(introFile);
    switchIntroOff(home, measure == Measure::FirstFrame);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), display);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.filePath(QStringLiteral("runtime")));
    environment.insert(QStringLiteral("DISCSHELL_FIRST_FRAME"), frameFile);
    environment.insert(QStringLiteral("DISCSHELL_INTRO_FRAME"), introFile);
    QProcess shell;
    shell.setProcessEnvironment(environment);
    shell.setProcessChannelMode(QProcess::ForwardedChannels);
    const qint64 started = QDateTime::currentMSecsSinceEpoch();
    shell.start(program, {QStringLiteral("--disc"), disc});
    std::optional<qint64> result;
    if (measure == Measure::FirstFrame && waitForFile(frameFile, shell)) {
        result = timeIn(frameFile) - started;
    } else if (measure != Measure::FirstFrame && waitForFile(introFile, shell)) {
        if (measure == Measure::IntroFrame) {
            result = timeIn(introFile) - started;
        } else if (const qint64 pressed = pressEscape(display);
                   pressed > 0 && waitForFile(frameFile, shell)) {
            result = timeIn(frameFile) - pressed;
        }
    }
    shell.kill();
    shell.waitForFinished(5000);
    return result;
}

// The median of the measured runs after one warm-up; nothing when a run failed.
std::optional<qint64> median(const QStringList& arguments, const QString& display,
                             const QTemporaryDir& home, Measure measure)
{
    std::vector<qint64> times;
    for (int run = 0; run <= kMeasuredRuns; ++run) {
        const auto time = measureOnce(arguments[1], arguments[2], display, home, measure);
        if (!time) {
            return std::nullopt;
        }
        if (run > 0) {
            times.push_back(*time);
        }
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
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

    const std::pair<Measure, const char*> measures[] = {
        {Measure::FirstFrame, "first_frame"},
        {Measure::IntroFrame, "intro_first_frame"},
        {Measure::EscToFirstFrame, "esc_first_frame"}};
    int status = 0;
    for (const auto& [measure, name] : measures) {
        if (measure == Measure::EscToFirstFrame &&
            QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty()) {
            std::fprintf(stderr, "first_frame_bench: no xdotool, %s left out\n", name);
            continue;
        }
        if (const std::optional<qint64> time = median(arguments, display, home, measure)) {
            std::printf("BENCH %s ours=%lld unit=ms\n", name, static_cast<long long>(*time));
            std::fflush(stdout);
        } else {
            std::fprintf(stderr, "first_frame_bench: no frame for %s\n", name);
            status = 1;
        }
    }
    if (server) {
        server->terminate();
        server->waitForFinished(5000);
    }
    return status;
}
