#include "shell/ElementStates.h"

#include <QRect>
#include <QStringList>
#include <functional>
#include <gtest/gtest.h>

namespace {

const char* pictureName(TStatePicture picture)
{
    switch (picture) {
    case TStatePicture::Up:
        return "up";
    case TStatePicture::MoveUp:
        return "mvup";
    case TStatePicture::MoveDown:
        return "mvdn";
    case TStatePicture::Down:
        return "dn";
    }
    return "?";
}

// Records what the state machine asks of its window, one line per request.
class RecordingHost : public TElementHost {
public:
    int CurrentScreen() const override { return screen; }
    void CrossFade(TElementKind kind, int index, TStatePicture from, TStatePicture to) override
    {
        log << QStringLiteral("fade %1:%2 %3>%4")
                   .arg(int(kind))
                   .arg(index)
                   .arg(QLatin1String(pictureName(from)), QLatin1String(pictureName(to)));
    }
    void CopyPicture(TElementKind kind, int index, TStatePicture picture) override
    {
        log << QStringLiteral("copy %1:%2 %3")
                   .arg(int(kind))
                   .arg(index)
                   .arg(QLatin1String(pictureName(picture)));
    }
    void ExecuteCommand(QString& command, QString& sound, int index, int kind, int silent) override
    {
        log << QStringLiteral("run %1 %2 %3:%4 %5")
                   .arg(command, sound)
                   .arg(kind)
                   .arg(index)
                   .arg(silent);
        if (onExecute) {
            onExecute();
        }
    }
    void StartWindowDrag() override { log << QStringLiteral("drag"); }
    void HideAllPopups() override { ++popupsHidden; }
    bool VideoAreaContains(QPoint point) const override { return videoArea.contains(point); }
    void VideoPress(Qt::MouseButton, QPoint) override { log << QStringLiteral("video"); }
    void FreezeVideoForScreenSwitch() override { log << QStringLiteral("freeze"); }

    QStringList take()
    {
        QStringList taken = log;
        log.clear();
        return taken;
    }

    int screen = 0;
    QStringList log;
    std::function<void()> onExecute;
    QRect videoArea;
    int popupsHidden = 0;
};

RBtn button(int left, int top, const QString& command)
{
    RBtn record;
    record.Left = left;
    record.Top = top;
    record.Right = left + 100;
    record.Bottom = top + 30;
    record.Command = command;
    record.Sound = QStringLiteral("click.wav");
    return record;
}

RSwthOne singleSwitch(int left, int top, bool on)
{
    RSwthOne record;
    record.Left = left;
    record.Top = top;
    record.Right = left + 40;
    record.Bottom = top + 40;
    record.State = on;
    record.CmdUp = QStringLiteral("tree1");
    record.CmdDown = QStringLiteral("tree2");
    record.Sound = QStringLiteral("no");
    return record;
}

RSwthGrp member(int left, int group, bool on, const QString& command)
{
    RSwthGrp record;
    record.Left = left;
    record.Top = 400;
    record.Right = left + 40;
    record.Bottom = 440;
    record.Group = group;
    record.State = on;
    record.Command = command;
    record.Sound = QStringLiteral("no");
    return record;
}

class ElementStatesTest : public testing::Test {
protected:
    void SetUp() override
    {
        description.Buttons = {{button(10, 10, QStringLiteral("html1=a.htm")),
                                button(10, 50, QStringLiteral("html1=b.htm"))}};
        description.Switches = {{singleSwitch(300, 10, false)}};
        description.SwitchGroups = {{member(100, 1, false, QStringLiteral("g1")),
                                     member(150, 1, true, QStringLiteral("g2")),
                                     member(200, 1, false, QStringLiteral("g3")),
                                     member(250, 2, true, QStringLiteral("other"))}};
        states.ResetButtons(2);
    }

    void click(QPoint point, Qt::KeyboardModifiers shift = Qt::NoModifier)
    {
        states.FormMouseMove(shift, point);
        states.FormMouseDown(Qt::LeftButton, shift, point);
        states.FormMouseUp(Qt::LeftButton, shift, point);
    }

    TInterfaceDescription description;
    RecordingHost host;
    TElementStates states{description, host};
};

TEST_F(ElementStatesTest, ButtonFiresOnReleaseInsideAfterPressInside)
{
    states.FormMouseMove(Qt::NoModifier, {20, 20});
    EXPECT_EQ(host.take(), QStringList{"fade 0:0 up>mvup"});
    EXPECT_TRUE(states.ButtonFlags()[0].Hover);

    states.FormMouseDown(Qt::LeftButton, Qt::NoModifier, {20, 20});
    EXPECT_EQ(host.take(), QStringList{"fade 0:0 mvup>dn"});
    EXPECT_TRUE(states.ButtonFlags()[0].Pressed);

    states.FormMouseUp(Qt::LeftButton, Qt::NoModifier, {20, 20});
    EXPECT_EQ(host.take(), (QStringList{"fade 0:0 dn>mvup", "run html1=a.htm click.wav 0:0 0"}));
    EXPECT_FALSE(states.ButtonFlags()[0].Pressed);
    EXPECT_TRUE(states.ButtonFlags()[0].Hover);
}

TEST_F(ElementStatesTest, LeavingAPressedButtonCancelsItsCommand)
{
    states.FormMouseMove(Qt::NoModifier, {20, 20});
    states.FormMouseDown(Qt::LeftButton, Qt::NoModifier, {20, 20});
    host.take();
    states.FormMouseMove(Qt::NoModifier, {5, 20});
    EXPECT_EQ(host.take(), QStringList{"fade 0:0 mvup>up"});
    EXPECT_FALSE(states.ButtonFlags()[0].Pressed);
    states.FormMouseMove(Qt::NoModifier, {20, 20});
    states.FormMouseUp(Qt::LeftButton, Qt::NoModifier, {20, 20});
    EXPECT_EQ(host.take(), (QStringList{"fade 0:0 up>mvup", "fade 0:0 dn>up"}));
}

TEST_F(ElementStatesTest, ReleaseOverASecondButtonFadesItFromDownToUpWithoutCommand)
{
    states.FormMouseMove(Qt::NoModifier, {20, 20});
    states.FormMouseDown(Qt::LeftButton, Qt::NoModifier, {20, 20});
    states.FormMouseMove(Qt::NoModifier, {20, 60});
    host.take();
    states.FormMouseUp(Qt::LeftButton, Qt::NoModifier, {20, 60});
    EXPECT_EQ(host.take(), QStringList{"fade 0:1 dn>up"});
}

TEST_F(ElementStatesTest, HitTestsAreStrictSoABorderPressDragsTheWindow)
{
    for (const QPoint border : {QPoint(10, 20), QPoint(110, 20), QPoint(20, 10), QPoint(20, 40)}) {
        states.FormMouseDown(Qt::LeftButton, Qt::NoModifier, border);
        EXPECT_EQ(host.take(), QStringList{"drag"}) << border.x() << "," << border.y();
    }
    states.FormMouseDown(Qt::LeftButton, Qt::NoModifier, {11, 11});
    EXPECT_EQ(host.take(), QStringList{"fade 0:0 mvup>dn"});
    EXPECT_EQ(host.popupsHidden, 5);
}

TEST_F(ElementStatesTest, ASecondPressOnAPressedButtonPassesItOver)
{
    states.FormMouseDown(Qt::LeftButton, Qt::NoModifier, {20, 20});
    host.take();
    states.FormMouseDown(Qt::RightButton, Qt::NoModifier, {20, 20});
    EXPECT_EQ(host.take(), QStringList{"drag"});
}

TEST_F(ElementStatesTest, CommandsThatLeaveTheScreenKeepThePressedPicture)
{
    for (const QString& command :
         {QStringLiteral("exit"), QStringLiteral("1"), QStringLiteral("screen2=pages\\a.htm")}) {
        description.Buttons[0][0].Command = command;
        states.FormMouseDown(Qt::LeftButton, Qt::NoModifier, {20, 20});
        host.take();
        states.FormMouseUp(Qt::LeftButton, Qt::NoModifier, {20, 20});
        QStringList expected{QStringLiteral("run %1 click.wav 0:0 0").arg(command)};
        if (command.startsWith(QLatin1String("screen2"))) {
            expected.prepend(QStringLiteral("freeze"));
        }
        EXPECT_EQ(host.take(), expected);
    }
}

TEST_F(ElementStatesTest, AScreenSwitchStopsTheReleaseHandling)
{
    description.Buttons[0][1] = button(10, 10, QStringLiteral("second"));
    description.SwitchGroups[0][0].Top = 10;
    description.SwitchGroups[0][0].Left = 10;
    states.FormMouseDown(Qt::LeftButton, Qt::NoModifier, {20, 20});
    states.FormMouseDown(Qt::LeftButton, Qt::NoModifier, {20, 20});
    host.take();
    host.onExecute = [this] { host.screen = 1; };
    states.FormMouseUp(Qt::LeftButton, Qt::NoModifier, {20, 20});
    EXPECT_EQ(host.take(), (QStringList{"fade 0:0 dn>mvup", "run html1=a.htm click.wav 0:0 0"}));
}

TEST_F(ElementStatesTest, SingleSwitchTogglesOnPressAndRunsItsCommand)
{
    states.FormMouseMove(Qt::NoModifier, {320, 20});
    EXPECT_EQ(host.take(), QStringList{"fade 1:0 up>mvup"});
    states.FormMouseDown(Qt::LeftButton, Qt::NoModifier, {320, 20});
    EXPECT_EQ(host.take(), (QStringList{"fade 1:0 mvup>mvdn", "run tree2 no 1:0 0"}));
    EXPECT_TRUE(description.Switches[0][0].State);
    states.FormMouseUp(Qt::LeftButton, Qt::NoModifier, {320, 20});
    EXPECT_TRUE(host.take().isEmpty());

    states.FormMouseMove(Qt::NoModifier, {5, 300});
    EXPECT_EQ(host.take(), QStringList{"fade 1:0 mvdn>dn"});
    states.FormMouseMove(Qt::NoModifier, {320, 20});
    EXPECT_EQ(host.take(), QStringList{"fade 1:0 dn>mvdn"});
    states.FormMouseDown(Qt::LeftButton, Qt::NoModifier, {320, 20});
    EXPECT_EQ(host.take(), (QStringList{"fade 1:0 mvdn>mvup", "run tree1 no 1:0 0"}));
    EXPECT_FALSE(description.Switches[0][0].State);
}

TEST_F(ElementStatesTest, ShiftTogglesSwitchesWithoutCommands)
{
    states.FormMouseDown(Qt::LeftButton, Qt::ShiftModifier, {320, 20});
    EXPECT_EQ(host.take(), QStringList{"fade 1:0 mvup>mvdn"});
    EXPECT_TRUE(description.Switches[0][0].State);

    states.FormMouseDown(Qt::LeftButton, Qt::ShiftModifier, {210, 420});
    EXPECT_EQ(host.take(), (QStringList{"copy 2:2 dn", "copy 2:1 up"}));
    EXPECT_TRUE(description.SwitchGroups[0][2].State);
    EXPECT_FALSE(description.SwitchGroups[0][1].State);
}

TEST_F(ElementStatesTest, AGroupKeepsExactlyOneMemberDown)
{
    states.FormMouseDown(Qt::LeftButton, Qt::NoModifier, {210, 420});
    EXPECT_EQ(host.take(), (QStringList{"copy 2:2 mvdn", "copy 2:1 up", "run g3 no 2:2 0"}));
    const auto& group = description.SwitchGroups[0];
    EXPECT_FALSE(group[0].State);
    EXPECT_FALSE(group[1].State);
    EXPECT_TRUE(group[2].State);
    EXPECT_TRUE(group[3].State) << "another group is left alone";

    states.FormMouseDown(Qt::LeftButton, Qt::NoModifier, {210, 420});
    EXPECT_TRUE(host.take().isEmpty()) << "a press on the member that is down does nothing";
}

TEST_F(ElementStatesTest, GroupMembersCopyTheirHoverPicturesAndShowThemAgainAfterRelease)
{
    states.FormMouseMove(Qt::NoModifier, {110, 420});
    EXPECT_EQ(host.take(), QStringList{"copy 2:0 mvup"});
    states.FormMouseMove(Qt::NoModifier, {160, 420});
    EXPECT_EQ(host.take(), (QStringList{"copy 2:0 up", "copy 2:1 mvdn"}));
    states.FormMouseDown(Qt::LeftButton, Qt::NoModifier, {110, 420});
    states.FormMouseMove(Qt::NoModifier, {110, 420});
    host.take();
    states.FormMouseUp(Qt::LeftButton, Qt::NoModifier, {110, 420});
    EXPECT_EQ(host.take(), QStringList{"copy 2:0 mvdn"});
}

TEST_F(ElementStatesTest, TheVideoAreaTakesPressesAndIgnoresMovesAndReleases)
{
    host.videoArea = QRect(0, 0, 400, 100);
    states.FormMouseMove(Qt::NoModifier, {20, 20});
    states.FormMouseDown(Qt::LeftButton, Qt::NoModifier, {20, 20});
    states.FormMouseUp(Qt::LeftButton, Qt::NoModifier, {20, 20});
    EXPECT_EQ(host.take(), QStringList{"video"});
    EXPECT_EQ(host.popupsHidden, 1);
}

TEST_F(ElementStatesTest, StartUpReplayRunsSwitchCommandsSilentlyByState)
{
    description.Switches[0].append(singleSwitch(350, 10, true));
    states.ReplaySwitches(0);
    EXPECT_EQ(host.take(), (QStringList{"run tree1 no 1:0 1", "run tree2 no 1:1 1",
                                        "run g2 no 2:1 1", "run other no 2:3 1"}));
    states.ReplaySwitches(5);
    EXPECT_TRUE(host.take().isEmpty());
}

TEST_F(ElementStatesTest, ElementsOfOtherScreensDoNotReact)
{
    host.screen = 3;
    click({20, 20});
    EXPECT_EQ(host.take(), QStringList{"drag"});
}

} // namespace
