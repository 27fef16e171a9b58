#pragma once

// What the whole-program tests share: the program and the demo disc under
// test, waiting, screenshots, the pointer, and one discshell run.

#include "TempDir.h"
#include "platform/Instances.h"
#include "platform/WindowRegistry.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QThread>
#include <gtest/gtest.h>

namespace e2e {

inline QString discshell()
{
    return qEnvironmentVariable("DISCSHELL_BIN");
}

inline QString demoDisc()
{
    return qEnvironmentVariable("DISCSHELL_DEMO_DISC");
}

template <typename Condition> bool waitFor(Condition condition, int milliseconds)
{
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > milliseconds) {
            return false;
        }
        QThread::msleep(20);
    }
    return true;
}

// Copies a folder tree (the demo disc) into another.
inline bool copyTree(const QString& from, const QString& to)
{
    QDirIterator it(from, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + QLatin1Char('/') + QDir(from).relativeFilePath(source);
        if (!QDir().mkpath(QFileInfo(target).path()) || !QFile::copy(source, target)) {
            return false;
        }
    }
    return true;
}

inline QImage screenshot()
{
    return QGuiApplication::primaryScreen()->grabWindow(0).toImage().convertToFormat(
        QImage::Format_RGB32);
}

// Makes a folder below the test's home private (0700, as the program wants
// its runtime folder); its path.
inline QString privateFolder(const TempDir& home, const QString& name)
{
    const QString folder = home.file(name);
    QDir().mkpath(folder);
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return folder;
}

// Joins the program's instances from a runtime folder of the test's own (0700,
// as the program wants it) with one visible window of that caption; 0 when
// the instances cannot start.
inline TWindowHandle joinInstances(const TempDir& home, const QString& caption)
{
    privateFolder(home, QStringLiteral("runtime"));
    const QString folder = privateFolder(home, QStringLiteral("runtime/discshell"));
    if (!Instances::Start(folder)) {
        return 0;
    }
    WindowRegistry::Window window;
    window.caption = [caption] { return caption; };
    window.visible = [] { return true; };
    window.message = [](quint32, quint64, qint64) {};
    return WindowRegistry::instance().Register(window);
}

inline void pointer(const QStringList& arguments)
{
    ASSERT_EQ(QProcess::execute(QStringLiteral("xdotool"), arguments), 0) << "xdotool is needed";
}

// Whether two colours differ by at most tolerance in every channel.
inline bool near(QRgb a, QRgb b, int tolerance)
{
    return qAbs(qRed(a) - qRed(b)) <= tolerance && qAbs(qGreen(a) - qGreen(b)) <= tolerance &&
           qAbs(qBlue(a) - qBlue(b)) <= tolerance;
}

// Waits for a condition while this process's own events are handled.
template <typename Condition> bool pumpUntil(Condition condition, int milliseconds)
{
    return waitFor(
        [&] {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            return condition();
        },
        milliseconds);
}

// Keeps a screenshot in $DISCSHELL_E2E_SHOTS when it is set.
inline void saveShot(const QImage& shot, const char* name)
{
    const QString folder = qEnvironmentVariable("DISCSHELL_E2E_SHOTS");
    if (!folder.isEmpty()) {
        shot.save(folder + QLatin1Char('/') + QLatin1String(name));
    }
}

// Settings that switch the demo disc's intro clip off, written before the
// first run of a test's home.
inline void switchIntroOff(const TempDir& home)
{
    const QString registry = home.file(QStringLiteral("config/discshell/user.reg"));
    if (QFile::exists(registry)) {
        return;
    }
    QDir().mkpath(home.file(QStringLiteral("config/discshell")));
    QFile file(registry);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(QStringLiteral("Windows Registry Editor Version 5.00\n\n"
                                  "[HKEY_CURRENT_USER\\SOFTWARE\\Pallidrome\\"
                                  "Демонстрационный диск]\n\"Clip\"=dword:00000000\n")
                       .toUtf8());
    }
}

// A test that talks to the program as one more of its instances, with a
// window of its own caption; skipped without an X server.
class JoinedTest : public testing::Test {
protected:
    explicit JoinedTest(QString caption) : caption_(std::move(caption)) {}
    void SetUp() override
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb")) {
            GTEST_SKIP() << "needs an X server (run under xvfb-run)";
        }
        ASSERT_FALSE(discshell().isEmpty());
        ours = joinInstances(home, caption_);
        ASSERT_NE(ours, TWindowHandle(0));
    }
    void TearDown() override
    {
        if (ours) {
            WindowRegistry::instance().Unregister(ours);
        }
        Instances::Stop();
    }

    TempDir home;
    TWindowHandle ours = 0;

private:
    QString caption_;
};

// One discshell run with its own settings, instance markers and ready file;
// the intro clip plays only when asked for.
class ShellRun {
public:
    // intro: the intro clip plays; disc: what --disc names, the demo disc's
    // folder unless given.
    ShellRun(const TempDir& home, const QString& name, bool intro = false,
             const QString& disc = demoDisc())
        : ready_(home.file(name + QStringLiteral(".ready")))
    {
        if (!intro) {
            switchIntroOff(home);
        }
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.file(QStringLiteral("config")));
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.file(QStringLiteral("runtime")));
        environment.insert(QStringLiteral("DISCSHELL_TEST_READY"), ready_);
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        process_.setProcessEnvironment(environment);
        process_.setProcessChannelMode(QProcess::ForwardedChannels);
        process_.start(discshell(), {QStringLiteral("--disc"), disc});
    }
    ~ShellRun()
    {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished(5000);
        }
    }

    // The window's geometry once the opening animation has ended.
    bool waitUntilReady(QRect& geometry)
    {
        if (!waitFor([this] { return QFile::exists(ready_); }, 20000)) {
            return false;
        }
        QFile file(ready_);
        file.open(QIODevice::ReadOnly);
        const QList<QByteArray> numbers = file.readAll().simplified().split(' ');
        if (numbers.size() != 4) {
            return false;
        }
        geometry =
            QRect(numbers[0].toInt(), numbers[1].toInt(), numbers[2].toInt(), numbers[3].toInt());
        return true;
    }
    bool ready() const { return QFile::exists(ready_); }
    QProcess& process() { return process_; }

private:
    QString ready_;
    QProcess process_;
};

} // namespace e2e
