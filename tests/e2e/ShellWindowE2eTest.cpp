// The skinned window as a user meets it, on a real X server (run under
// xvfb-run by ctest): discshell opens the demo disc, the window appears
// shaped, its close button reacts to the pointer and closes the program, and
// a second start of the same disc ends without a window.

#include "DemoReader.h"
#include "E2eSupport.h"
#include "TempDir.h"
#include "interface/InterfaceParser.h"
#include "platform/VirtualFs.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QThread>
#include <gtest/gtest.h>

namespace {

using e2e::demoDisc;
using e2e::discshell;
using e2e::pointer;
using e2e::screenshot;
using e2e::ShellRun;

// The demo disc's interface description, as the shell reads it.
struct DemoInterface {
    TInterfaceDescription description;
    QRect closeButton;
};

DemoInterface readDemoInterface()
{
    const e2e::DemoReader reader;
    DemoInterface demo;
    demo.description = reader.description();
    const RBtn& close = demo.description.CloseButton;
    demo.closeButton = reader.pictureBounds(close.Left, close.Top, close.PicUp);
    return demo;
}

// The registry lines the switches that store their state leave at exit,
// untouched since the start: "SwOne" or "SwGrp", screen and index.
QList<QByteArray> storedSwitchLines(const TInterfaceDescription& description)
{
    QList<QByteArray> lines;
    auto add = [&lines](const char* prefix, int screen, int index, bool state) {
        lines << QStringLiteral("\"%1%2%3\"=dword:0000000%4")
                     .arg(QLatin1String(prefix))
                     .arg(screen)
                     .arg(index)
                     .arg(state ? 1 : 0)
                     .toUtf8();
    };
    for (int screen = 0; screen < description.Switches.size(); ++screen) {
        for (int i = 0; i < description.Switches[screen].size(); ++i) {
            const RSwthOne& element = description.Switches[screen][i];
            if (element.Store) {
                add("SwOne", screen, i, element.State);
            }
        }
    }
    for (int screen = 0; screen < description.SwitchGroups.size(); ++screen) {
        for (int i = 0; i < description.SwitchGroups[screen].size(); ++i) {
            const RSwthGrp& element = description.SwitchGroups[screen][i];
            if (element.Store) {
                add("SwGrp", screen, i, element.State);
            }
        }
    }
    return lines;
}

class ShellWindowE2eTest : public testing::Test {
protected:
    void SetUp() override
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb")) {
            GTEST_SKIP() << "needs an X server (run under xvfb-run)";
        }
        ASSERT_FALSE(discshell().isEmpty());
        e2e::privateFolder(home, QStringLiteral("runtime"));
    }

    QByteArray userRegistry() const
    {
        QFile file(home.file(QStringLiteral("config/discshell/user.reg")));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    TempDir home;
};

TEST_F(ShellWindowE2eTest, TheWindowOpensShapedAndItsCloseButtonEndsTheProgram)
{
    const QImage before = screenshot();
    ShellRun run(home, QStringLiteral("first"));
    QRect window;
    ASSERT_TRUE(run.waitUntilReady(window));
    EXPECT_EQ(window.size(), QSize(800, 600));
    QThread::msleep(200);
    const QImage opened = screenshot();
    const QString shots = qEnvironmentVariable("DISCSHELL_E2E_SHOTS");
    if (!shots.isEmpty()) {
        opened.save(shots + QStringLiteral("/shell-window.png"));
    }

    int ours = 0;
    for (int y = window.top() + 40; y < window.bottom() - 40; y += 37) {
        for (int x = window.left() + 40; x < window.right() - 40; x += 41) {
            ours += opened.pixel(x, y) != before.pixel(x, y);
        }
    }
    EXPECT_GT(ours, 150) << "the window's face is on the screen";
    for (const QPoint corner :
         {window.topLeft() + QPoint(1, 1), window.bottomRight() - QPoint(1, 1),
          QPoint(window.right() - 1, window.top() + 1)}) {
        EXPECT_EQ(opened.pixel(corner), before.pixel(corner))
            << "outside the polygon the screen shows through at " << corner.x() << ","
            << corner.y();
    }

    const DemoInterface demo = readDemoInterface();
    const QRect close = demo.closeButton.translated(window.topLeft());
    const QPoint target = close.center();
    pointer(
        {QStringLiteral("mousemove"), QString::number(target.x()), QString::number(target.y())});
    QThread::msleep(500);
    const QImage hovered = screenshot();
    int changed = 0;
    for (int y = close.top() + 1; y < close.bottom(); ++y) {
        for (int x = close.left() + 1; x < close.right(); ++x) {
            changed += hovered.pixel(x, y) != opened.pixel(x, y);
        }
    }
    EXPECT_GT(changed, 0) << "the close button shows its mouse-over picture";

    pointer({QStringLiteral("click"), QStringLiteral("1")});
    ASSERT_TRUE(run.process().waitForFinished(15000)) << "the closing animation ends the program";
    EXPECT_EQ(run.process().exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(run.process().exitCode(), 0);
    const QByteArray registry = userRegistry();
    EXPECT_TRUE(registry.contains(
        QStringLiteral("[HKEY_CURRENT_USER\\SOFTWARE\\Pallidrome\\Демонстрационный диск]")
            .toUtf8()));
    const QList<QByteArray> stored = storedSwitchLines(demo.description);
    EXPECT_FALSE(stored.isEmpty()) << "the demo disc has a switch that stores its state";
    for (const QByteArray& line : stored) {
        EXPECT_TRUE(registry.contains(line)) << line.constData() << "\n" << registry.constData();
    }
}

TEST_F(ShellWindowE2eTest, ASecondStartEndsWithoutWindowUntilTheFirstIsGone)
{
    auto first = std::make_unique<ShellRun>(home, QStringLiteral("first"));
    QRect window;
    ASSERT_TRUE(first->waitUntilReady(window));
    const QByteArray registry = userRegistry();

    ShellRun second(home, QStringLiteral("second"));
    ASSERT_TRUE(second.process().waitForFinished(10000));
    EXPECT_EQ(second.process().exitCode(), 0);
    EXPECT_FALSE(second.ready());
    EXPECT_EQ(userRegistry(), registry) << "a second start writes nothing";

    first->process().kill();
    first->process().waitForFinished(5000);
    first.reset();
    ShellRun third(home, QStringLiteral("third"));
    EXPECT_TRUE(third.waitUntilReady(window)) << "the marker went with the process that held it";
}

} // namespace
