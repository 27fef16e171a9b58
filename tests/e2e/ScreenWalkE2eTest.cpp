// A reader's walk through every screen of the demo disc on a real X server:
// every button and switch of every screen is pressed once, a window that
// opens is closed with Esc, and after each step the parts of the screen that
// no element covers must still show the screen's own background (a panel or
// tree left over from another screen shows up there). The walk ends with the
// exit button, and the program must end with status 0.

#include "DemoReader.h"
#include "E2eSupport.h"
#include "TempDir.h"
#include "platform/VirtualFs.h"

#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QThread>
#include <functional>
#include <gtest/gtest.h>
#include <iostream>
#include <optional>

namespace {

using e2e::demoDisc;
using e2e::DemoReader;
using e2e::pointer;
using e2e::screenshot;
using e2e::ShellRun;

// One thing to press on a screen: its place in the window and the command
// it gives (for a switch, the command of its next state).
struct Control {
    QRect bounds;
    QString command;
};

// What the walk knows of the disc: the controls of every screen, the places
// elements may paint over, and each screen's background picture.
struct DemoScreens {
    QList<QList<Control>> controls;
    QList<QList<QRect>> painted;
    QList<QImage> backgrounds;
    Control exitButton;
};

QRect edges(int left, int top, int right, int bottom)
{
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

void addScreenControls(const DemoReader& reader, const TInterfaceDescription& description,
                       int screen, DemoScreens& screens)
{
    QList<Control>& controls = screens.controls[screen];
    for (const RBtn& button : description.Buttons[screen]) {
        controls << Control{reader.pictureBounds(button.Left, button.Top, button.PicUp),
                            button.Command};
    }
    for (const RSwthOne& one : description.Switches[screen]) {
        controls << Control{reader.pictureBounds(one.Left, one.Top, one.PicUp),
                            one.State ? one.CmdUp : one.CmdDown};
    }
    for (const RSwthGrp& member : description.SwitchGroups[screen]) {
        controls << Control{reader.pictureBounds(member.Left, member.Top, member.PicUp),
                            member.Command};
    }
    for (const Control& control : controls) {
        screens.painted[screen] << control.bounds;
    }
}

// Every rectangle an element of a screen may paint into, slightly enlarged
// for captions, shadows and focus frames.
void addPaintedAreas(const TInterfaceDescription& description, DemoScreens& screens)
{
    auto add = [&screens](int screen, const QRect& area) {
        if (screen >= 0 && screen < screens.painted.size()) {
            screens.painted[screen] << area.adjusted(-4, -4, 4, 4);
        }
    };
    for (const RHTML& panel : description.Html) {
        add(panel.Screen, edges(panel.Left, panel.Top, panel.Right, panel.Bottom));
    }
    for (const RFindTxt& field : description.FindTxt) {
        add(field.Screen, edges(field.Left, field.Top, field.Right, field.Bottom));
    }
    for (const RPathInput& field : description.PathInput) {
        add(field.Screen, edges(field.Left, field.Top, field.Right, field.Bottom));
    }
    for (const RClip& clip : description.Clips) {
        add(clip.Screen, edges(clip.Left, clip.Top, clip.Right, clip.Bottom));
    }
    for (const RImage& image : description.Images) {
        add(image.Screen, edges(image.Left, image.Top, image.Right, image.Bottom));
    }
    for (const RText& text : description.Texts) {
        const int lineHeight = 2 * qMax(text.Size, 10);
        add(text.Screen, edges(text.Left, text.Top, text.Right, text.Top + 2 * lineHeight));
    }
    // The start screen's 3-D clip plays in the shell's fixed area.
    add(0, QRect(QPoint(31, 135), QPoint(686, 393)));
}

DemoScreens readDemoScreens()
{
    const DemoReader reader;
    const TInterfaceDescription description = reader.description();
    DemoScreens screens;
    const int count = description.screenCount();
    screens.controls.resize(count);
    screens.painted.resize(count);
    for (int screen = 0; screen < count; ++screen) {
        addScreenControls(reader, description, screen, screens);
        screens.backgrounds << reader.picture(description.ScreenBackgrounds.value(screen));
        for (const RBtn* system : {&description.MinimizeButton, &description.CloseButton}) {
            screens.painted[screen]
                << reader.pictureBounds(system->Left, system->Top, system->PicUp);
        }
    }
    addPaintedAreas(description, screens);
    // Every screen lists the system buttons too. The walk ends with the start
    // screen's own exit button; the other exits (the close button does the
    // same) are left out, since they can be pressed only once.
    for (int screen = 0; screen < count; ++screen) {
        QList<Control>& controls = screens.controls[screen];
        for (int i = controls.size() - 1; i >= 0; --i) {
            if (controls[i].command == QLatin1String("exit")) {
                const Control exit = controls.takeAt(i);
                if (screen == 0 && exit.bounds.topLeft() != QPoint(description.CloseButton.Left,
                                                                   description.CloseButton.Top)) {
                    screens.exitButton = exit;
                }
            }
        }
    }
    return screens;
}

// The screen a command switches to ("screen2", "screen2=page", a plain "2"),
// if it switches at all.
std::optional<int> targetScreen(const QString& command)
{
    static const QRegularExpression form(QStringLiteral("^(?:screen)?(\\d+)(?:=.*)?$"));
    const QRegularExpressionMatch match = form.match(command.trimmed());
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    return match.captured(1).toInt() - 1;
}

QList<quint64> visibleWindows()
{
    QProcess search;
    search.start(QStringLiteral("xdotool"),
                 {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                  QStringLiteral("--name"), QString()});
    search.waitForFinished(5000);
    QList<quint64> windows;
    for (const QByteArray& line : search.readAllStandardOutput().split('\n')) {
        if (!line.trimmed().isEmpty()) {
            windows << line.trimmed().toULongLong();
        }
    }
    return windows;
}

class ScreenWalkE2eTest : public testing::Test {
protected:
    void SetUp() override
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb")) {
            GTEST_SKIP() << "needs an X server (run under xvfb-run)";
        }
        ASSERT_FALSE(e2e::discshell().isEmpty());
        e2e::privateFolder(home, QStringLiteral("runtime"));
        screens = readDemoScreens();
        ASSERT_FALSE(screens.controls.isEmpty());
        ASSERT_FALSE(screens.exitButton.command.isEmpty()) << "the start screen has an exit";
    }

    void press(const Control& control)
    {
        const QPoint target = window.topLeft() + control.bounds.center();
        pointer({QStringLiteral("mousemove"), QString::number(target.x()),
                 QString::number(target.y())});
        QThread::msleep(150);
        pointer({QStringLiteral("click"), QStringLiteral("1")});
        QThread::msleep(900);
    }

    // Esc closes what the step opened: first to the main window (dialog and
    // popups), then to each window still open besides those of the start.
    void closeOpenedWindows()
    {
        pointer({QStringLiteral("mousemove"), QStringLiteral("2"), QStringLiteral("2")});
        for (int round = 0; round < 3; ++round) {
            const QList<quint64> extra = openedWindows();
            if (extra.isEmpty()) {
                return;
            }
            if (round == 0) {
                windowsOpened << step;
            }
            const quint64 target = round == 0 ? mainWindow : extra.last();
            QProcess::execute(QStringLiteral("xdotool"),
                              {QStringLiteral("windowfocus"), QString::number(target)});
            QProcess::execute(QStringLiteral("xdotool"),
                              {QStringLiteral("key"), QStringLiteral("Escape")});
            QThread::msleep(700);
        }
    }

    QList<quint64> openedWindows() const
    {
        QList<quint64> extra;
        for (quint64 id : visibleWindows()) {
            if (!startWindows.contains(id)) {
                extra << id;
            }
        }
        return extra;
    }

    // The share of sample points outside every element that show the
    // screen's background picture.
    double backgroundShare(int screen, const QImage& shot) const
    {
        const QImage& background = screens.backgrounds.value(screen);
        int sampled = 0;
        int matching = 0;
        for (int y = 30; y < window.height() - 30; y += 13) {
            for (int x = 30; x < window.width() - 30; x += 17) {
                const QPoint point(x, y);
                bool covered = false;
                for (const QRect& area : screens.painted[screen]) {
                    covered = covered || area.contains(point);
                }
                if (covered || !background.rect().contains(point)) {
                    continue;
                }
                ++sampled;
                matching +=
                    e2e::near(shot.pixel(window.topLeft() + point), background.pixel(point), 12);
            }
        }
        return sampled == 0 ? 0.0 : double(matching) / sampled;
    }

    void checkStep(int screen, const QString& what)
    {
        ++step;
        stepCommands << what;
        closeOpenedWindows();
        QThread::msleep(300);
        const QImage shot = screenshot();
        const QString shots = qEnvironmentVariable("DISCSHELL_E2E_SHOTS");
        if (!shots.isEmpty()) {
            shot.save(QStringLiteral("%1/walk-%2.png").arg(shots).arg(step, 3, 10, QChar('0')));
        }
        ASSERT_FALSE(run->process().waitForFinished(10))
            << "the program ended after " << what.toStdString();
        EXPECT_TRUE(openedWindows().isEmpty())
            << "Esc leaves a window open after " << what.toStdString();
        EXPECT_GT(backgroundShare(screen, shot), 0.97)
            << "screen " << screen + 1 << " shows something outside its elements after "
            << what.toStdString() << " (step " << step << ")";
    }

    // A shortest way from one screen to another through the switching
    // controls, as the controls to press.
    QList<Control> wayBetween(int from, int to) const
    {
        QList<QList<Control>> ways(screens.controls.size());
        QSet<int> reached{from};
        QList<int> queue{from};
        while (!queue.isEmpty()) {
            const int screen = queue.takeFirst();
            for (const Control& control : screens.controls[screen]) {
                const std::optional<int> next = targetScreen(control.command);
                if (next && *next >= 0 && *next < ways.size() && !reached.contains(*next)) {
                    reached.insert(*next);
                    ways[*next] = ways[screen] + QList<Control>{control};
                    queue << *next;
                }
            }
        }
        return ways.value(to);
    }

    void walk(int screen)
    {
        walked.insert(screen);
        const QList<Control>& controls = screens.controls[screen];
        for (const Control& control : controls) {
            if (!targetScreen(control.command)) {
                press(control);
                checkStep(screen, control.command);
            }
        }
        for (const Control& control : controls) {
            const std::optional<int> next = targetScreen(control.command);
            if (!next || *next < 0 || *next >= screens.controls.size()) {
                continue;
            }
            press(control);
            checkStep(*next, control.command);
            if (!walked.contains(*next)) {
                walk(*next);
            }
            goTo(*next, screen);
        }
    }

    void goTo(int from, int to)
    {
        const QList<Control> way = wayBetween(from, to);
        ASSERT_TRUE(from == to || !way.isEmpty())
            << "screen " << to + 1 << " is reachable from " << from + 1;
        for (const Control& control : way) {
            press(control);
            checkStep(*targetScreen(control.command), control.command);
        }
    }

    TempDir home;
    DemoScreens screens;
    std::unique_ptr<ShellRun> run;
    QRect window;
    quint64 mainWindow = 0;
    QList<quint64> startWindows;
    QSet<int> walked;
    QList<int> windowsOpened;
    QStringList stepCommands;
    int step = 0;
};

TEST_F(ScreenWalkE2eTest, EveryControlOfEveryScreenOnceThenTheExitButton)
{
    run = std::make_unique<ShellRun>(home, QStringLiteral("walk"));
    ASSERT_TRUE(run->process().waitForStarted(10000));
    ASSERT_TRUE(run->waitUntilReady(window));
    QThread::msleep(300);
    startWindows = visibleWindows();
    for (quint64 id : startWindows) {
        QProcess geometry;
        geometry.start(QStringLiteral("xdotool"),
                       {QStringLiteral("getwindowgeometry"), QString::number(id)});
        geometry.waitForFinished(5000);
        if (geometry.readAllStandardOutput().contains(
                QStringLiteral("%1x%2").arg(window.width()).arg(window.height()).toUtf8())) {
            mainWindow = id;
        }
    }
    ASSERT_NE(mainWindow, 0u);
    checkStep(0, QStringLiteral("the start"));

    walk(0);
    EXPECT_EQ(walked.size(), screens.controls.size()) << "every screen was reached";
    // The demo's popups, dialogs and the thesaurus open windows of their own.
    EXPECT_GE(windowsOpened.size(), 3);
    std::cout << "steps " << step << ", a window opened and was closed with Esc at steps";
    for (int opened : windowsOpened) {
        std::cout << ' ' << opened << " (" << stepCommands.value(opened - 1).toStdString() << ')';
    }
    std::cout << std::endl;

    press(screens.exitButton);
    ASSERT_TRUE(run->process().waitForFinished(15000)) << "the exit button ends the program";
    EXPECT_EQ(run->process().exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(run->process().exitCode(), 0);
}

} // namespace
