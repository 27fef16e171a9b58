// Screen switches of the real main window on the demo disc (offscreen): the
// new face is painted, the old controls go, the switches of the new screen
// replay their commands, and the start screen's animation follows.

#include "DemoDisc.h"
#include "QuietMasks.h"
#include "RecordingComponents.h"
#include "ShellTestDisc.h"
#include "TempDir.h"
#include "data/ProcessPaths.h"
#include "data/ReadBin.h"
#include "data/ValueReaders.h"
#include "effects/EffBtnCar.h"
#include "platform/VirtualFs.h"
#include "shell/MainForm.h"
#include "shell/MyControl.h"
#include "shell/ScreenPictures.h"
#include "shell/ShellGlobals.h"
#include "shell/WindowAnimation.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QMovie>
#include <QTimer>
#include <gtest/gtest.h>

using shelltest::CallLog;
using shelltest::RecordingComponents;

namespace {

void finishAnimation(TMainForm& form)
{
    for (int tick = 0; form.Animation().Running() && tick < 2000; ++tick) {
        form.Animation().Tick();
    }
}

void deleteLeftovers()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The hover controls on the window, by their hints.
QStringList controlHints(TMainForm& form)
{
    QStringList hints;
    for (const TMyControl* control : form.findChildren<TMyControl*>()) {
        hints << control->toolTip();
    }
    hints.sort();
    return hints;
}

QStringList elementHints(TInterfaceDescription& description, int screen)
{
    QStringList hints;
    for (const RBtn& element : description.Buttons[screen]) {
        hints << element.Hint;
    }
    for (const RSwthOne& element : description.Switches[screen]) {
        hints << element.Hint;
    }
    for (const RSwthGrp& element : description.SwitchGroups[screen]) {
        hints << element.Hint;
    }
    hints.sort();
    return hints;
}

class DemoScreenSwitchTest : public testing::Test {
protected:
    void SetUp() override
    {
        form = std::make_unique<TMainForm>(demo.context());
        form->FormCreate();
        ASSERT_FALSE(form->TerminationRequested());
        finishAnimation(*form);
        bin.Open(demo.appDir() + QStringLiteral("Mev.dhl"));
    }

    QImage picture(const QString& name)
    {
        QByteArray bytes;
        bin.ReadToBuffer(name, bytes);
        return QImage::fromData(bytes).convertToFormat(QImage::Format_RGB32);
    }

    // Presses and releases the button, as the mouse does.
    void click(const RBtn& button)
    {
        const QPoint centre((button.Left + button.Right) / 2, (button.Top + button.Bottom) / 2);
        form->FormMouseMove(Qt::NoButton, Qt::NoModifier, centre);
        form->FormMouseDown(Qt::LeftButton, Qt::NoModifier, centre);
        form->FormMouseUp(Qt::LeftButton, Qt::NoModifier, centre);
    }

    const RBtn& button(int screen, const char* command)
    {
        for (const RBtn& element : form->Interface().Buttons[screen]) {
            if (element.Command == QLatin1String(command)) {
                return element;
            }
        }
        ADD_FAILURE() << "no button " << command;
        static RBtn none;
        return none;
    }

    shelltest::DemoDisc demo;
    std::unique_ptr<TMainForm> form;
    TReadBin bin;
};

TEST_F(DemoScreenSwitchTest, ReadingSwitchesToTheContentScreenWithItsOwnFaceAndControls)
{
    ASSERT_EQ(controlHints(*form), elementHints(form->Interface(), 0));
    click(button(0, "screen2=index.htm"));
    EXPECT_EQ(Shell().CurrentScreen, 1);
    deleteLeftovers();
    EXPECT_EQ(controlHints(*form), elementHints(form->Interface(), 1))
        << "the controls are those of the new screen only";

    const QImage face = form->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage background = picture(QStringLiteral("scr2.bmp"));
    ASSERT_FALSE(background.isNull());
    EXPECT_EQ(face.pixel(400, 20), background.pixel(400, 20)) << "the new background";
    const RBtn& back = button(1, "back");
    const QImage up = picture(QStringLiteral("back_u.bmp"));
    const QPoint inside((back.Right - back.Left) / 2, (back.Bottom - back.Top) / 2);
    EXPECT_EQ(face.pixel(QPoint(back.Left, back.Top) + inside), up.pixel(inside))
        << "its buttons' up pictures";
    const RSwthOne& tree = form->Interface().Switches[1][0];
    ASSERT_TRUE(tree.State);
    const QPoint corner(3, 3);
    EXPECT_EQ(face.pixel(QPoint(tree.Left, tree.Top) + corner),
              picture(QStringLiteral("tree_1.bmp")).pixel(corner))
        << "a switch that is on shows its down picture";

    click(button(1, "screen1"));
    EXPECT_EQ(Shell().CurrentScreen, 0);
    deleteLeftovers();
    EXPECT_EQ(controlHints(*form), elementHints(form->Interface(), 0))
        << "surplus controls are gone";
    const QImage start = form->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(start.pixel(600, 200), picture(QStringLiteral("scr1.bmp")).pixel(600, 200));
}

TEST_F(DemoScreenSwitchTest, TheComponentsFollowAndTheSwitchesReplayTwice)
{
    CallLog log;
    RecordingComponents components(log);
    form->Components() = components.set;
    click(button(0, "screen2=index.htm"));
    const QString index = Paths().AppDir + QStringLiteral("index.htm");
    const QStringList tree2{"Panels.ReleaseAlignment", "Tree.Show", "Panels.FillPanel",
                            "Tree.ScreenHidden(false)"};
    const QStringList switched{
        "Popups.HideAll",      "Tree.StartFile(" + index + ")", "Find.ShowScreenEdits",
        "Paths.ScreenChanged", "Clip.ShowScreenAreas",          "Slides.ShowScreenPictures",
        "Popups.Rebuild",      "Panels.ScreenChanged",          "Tree.SyncWithScreen"};
    EXPECT_EQ(log.calls, switched + tree2 + tree2);

    Shell().CaseSensitive = true;
    const RSwthGrp& chapter = form->Interface().SwitchGroups[1][1];
    form->FormMouseDown(Qt::LeftButton, Qt::NoModifier,
                        QPoint(chapter.Left + 1, chapter.Top + 1) + QPoint(2, 2));
    log.calls.clear();
    click(button(1, "screen3"));
    click(button(2, "screen2=index.htm"));
    EXPECT_FALSE(Shell().CaseSensitive) << "the case switch replayed its caseoff";
    const QString page = ExpandPath(ValueBetweenEquals(chapter.Command));
    EXPECT_EQ(log.calls.filter(QStringLiteral("Panels.OpenInPanel")),
              QStringList{"Panels.OpenInPanel(1, " + page + ")"})
        << "the selected chapter replays once";
    form->Components() = TComponentSet();
}

TEST_F(DemoScreenSwitchTest, NoFadeOfTheOldScreenOutlivesTheSwitchAndExitRecordsItsButton)
{
    const RBtn& read = button(0, "screen2=index.htm");
    const QPoint centre((read.Left + read.Right) / 2, (read.Top + read.Bottom) / 2);
    form->FormMouseMove(Qt::NoButton, Qt::NoModifier, centre);
    form->FormMouseDown(Qt::LeftButton, Qt::NoModifier, centre);
    const int readIndex = int(&read - form->Interface().Buttons[0].constData());
    ASSERT_TRUE(form->Pictures().Element(TElementKind::Button, readIndex)->Effect->Running());
    form->FormMouseUp(Qt::LeftButton, Qt::NoModifier, centre);
    ASSERT_EQ(Shell().CurrentScreen, 1);
    for (const TElementKind kind :
         {TElementKind::Button, TElementKind::SingleSwitch, TElementKind::SwitchGroup}) {
        for (const TElementPictures& element : form->Pictures().Elements(kind)) {
            EXPECT_FALSE(element.Effect->Running());
        }
    }
    for (const TBtnFlags& flags : form->States().ButtonFlags()) {
        EXPECT_FALSE(flags.Hover || flags.Pressed);
    }

    QString command = QStringLiteral("1");
    QString sound;
    form->ExecuteCommand(command, sound, 0, 0, 1);
    ASSERT_EQ(Shell().CurrentScreen, 0);
    const RBtn& quit = button(0, "exit");
    const int quitIndex = int(&quit - form->Interface().Buttons[0].constData());
    click(quit);
    EXPECT_EQ(form->ExitButton(), quitIndex);
    EXPECT_TRUE(form->Animation().Running()) << "the window closes through its animation";
}

// A window of a test disc whose 3-D view is on, with recording components;
// run() issues a command as a button of the window would.
struct VideoWindow {
    explicit VideoWindow(const QString& structText)
        : disc(QStringLiteral("тестовый диск"), QString(), structText), form(disc.context()),
          components(log)
    {
        form.FormCreate();
        finishAnimation(form);
        form.Components() = components.set;
        components.video.mode3D = true;
        form.Components().VideoPlayer = &components.video;
    }
    void run(const char* command)
    {
        QString text = QString::fromLatin1(command);
        QString sound;
        form.ExecuteCommand(text, sound, 0, 0, 1);
    }

    shelltest::ShellTestDisc disc;
    TMainForm form;
    CallLog log;
    RecordingComponents components;
};

TEST(RestartTimerTest, AHeldClipOfTheStartScreenPlaysOnAMomentAfterTheReturn)
{
    VideoWindow window(
        QStringLiteral("2_screen=bg.bmp\nswitchone=1\nvx=500\nvy=110\nfn1=s_up.bmp\nfn2=s_mvup."
                       "bmp\nfn3=s_mvdn.bmp\nfn4=s_dn.bmp\nstate=on\nstore=off\ngoup=2d\ngodown="
                       "3d\nhint=3D\nwav=no\n"));
    TMainForm& form = window.form;
    CallLog& log = window.log;
    window.components.video.halted = true;
    auto run = [&window](const char* command) { window.run(command); };
    run("2");
    EXPECT_TRUE(log.calls.contains(QStringLiteral("Video.Freeze")));
    EXPECT_EQ(form.RestartTimer(), nullptr);
    log.calls.clear();
    run("1");
    EXPECT_EQ(log.calls.filter(QStringLiteral("Video.")), QStringList{"Video.PaintFrozenFrame"})
        << "the 3d switch is not replayed";
    ASSERT_NE(form.RestartTimer(), nullptr);
    EXPECT_TRUE(form.RestartTimer()->isActive());
    EXPECT_EQ(form.RestartTimer()->interval(), 100);
    QElapsedTimer clock;
    clock.start();
    while (!log.calls.contains(QStringLiteral("Video.Resume")) && clock.elapsed() < 3000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    EXPECT_TRUE(log.calls.contains(QStringLiteral("Video.Resume")));
    EXPECT_FALSE(form.RestartTimer()->isActive());

    window.components.video.halted = false;
    run("2");
    run("1");
    EXPECT_FALSE(form.RestartTimer()->isActive()) << "a clip that plays needs no restart";
}

// The 3-D clip belongs to the start screen: a switch to any other screen
// holds it, and only the start screen gets its held frame drawn back.
TEST(RestartTimerTest, AnyOtherScreenHoldsTheClipAndOnlyTheStartScreenShowsItsFrame)
{
    VideoWindow window(QStringLiteral("2_screen=bg.bmp\n3_screen=bg.bmp\n"));
    CallLog& log = window.log;
    auto run = [&window](const char* command) { window.run(command); };
    run("3");
    ASSERT_EQ(Shell().CurrentScreen, 2);
    EXPECT_EQ(log.calls.filter(QStringLiteral("Video.")), QStringList{"Video.Freeze"})
        << "held, and its frame is not drawn over the third screen";
    log.calls.clear();
    run("1");
    EXPECT_EQ(log.calls.filter(QStringLiteral("Video.")), QStringList{"Video.PaintFrozenFrame"});
}

} // namespace
