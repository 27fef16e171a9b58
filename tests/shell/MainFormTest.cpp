#include "shell/MainForm.h"

#include "QuietMasks.h"
#include "ShellTestDisc.h"
#include "effects/EffBtnCar.h"
#include "shell/MessageBoxes.h"
#include "shell/PanelBkgrd.h"
#include "shell/ScreenPictures.h"
#include "shell/ShellGlobals.h"
#include "shell/WindowAnimation.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMouseEvent>
#include <QThread>
#include <gtest/gtest.h>

using shelltest::colours;
using shelltest::ShellTestDisc;

namespace {

const QString settingsKey = QStringLiteral("SOFTWARE\\Pallidrome\\Тестовый диск");

QColor colour(const char* picture)
{
    return colours().value(QString::fromLatin1(picture));
}

void finishAnimation(TMainForm& form)
{
    for (int tick = 0; form.Animation().Running() && tick < 2000; ++tick) {
        form.Animation().Tick();
    }
}

// Lets the cross-fades run to their end.
void settleFades(TMainForm& form)
{
    QElapsedTimer clock;
    clock.start();
    auto running = [&form] {
        for (TElementKind kind : {TElementKind::Button, TElementKind::SingleSwitch}) {
            for (const TElementPictures& element : form.Pictures().Elements(kind)) {
                if (element.Effect->Running()) {
                    return true;
                }
            }
        }
        return false;
    };
    while (running() && clock.elapsed() < 5000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::usleep(200);
    }
}

QColor shown(TMainForm& form, QPoint point)
{
    return form.grab().toImage().pixelColor(point);
}

class MainFormTest : public testing::Test {
protected:
    std::unique_ptr<TMainForm> start()
    {
        auto form = std::make_unique<TMainForm>(disc.context());
        form->FormCreate();
        finishAnimation(*form);
        return form;
    }

    ShellTestDisc disc;
};

TEST_F(MainFormTest, StartUpBuildsTheShapedFirstScreen)
{
    const auto form = start();
    ASSERT_FALSE(form->TerminationRequested());
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->size(), QSize(800, 600));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Тестовый диск"));
    EXPECT_EQ(Shell().CurrentScreen, 0);
    EXPECT_TRUE(form->PanelBkgrd() && !form->PanelBkgrd()->isVisible());

    const TDynamicBtnArray& buttons = form->Interface().Buttons[0];
    ASSERT_EQ(buttons.size(), 4) << "the system buttons come first";
    EXPECT_EQ(buttons[1].Command, QStringLiteral("exit"));
    EXPECT_EQ(
        QRect(QPoint(buttons[2].Left, buttons[2].Top), QPoint(buttons[2].Right, buttons[2].Bottom)),
        QRect(QPoint(40, 110), QPoint(140, 140)));
    EXPECT_EQ(form->Pictures().Element(TElementKind::Button, 2)->Control->toolTip(),
              QStringLiteral("Первая"));

    const QImage face = form->grab().toImage();
    EXPECT_EQ(face.pixelColor(500, 500), colour("bg.bmp"));
    EXPECT_EQ(face.pixelColor(60, 120), colour("b_up.bmp")) << "up pictures are in the background";
    EXPECT_EQ(face.pixelColor(760, 20), colour("x_up.bmp"));
    EXPECT_EQ(face.pixelColor(310, 120), colour("s_up.bmp"));
    EXPECT_EQ(face.pixelColor(370, 120), colour("s_dn.bmp")) << "a switch that is on shows PicDn";
    EXPECT_EQ(face.pixelColor(360, 310), colour("g_dn.bmp"));
    EXPECT_EQ(face.pixelColor(310, 310), colour("g_up.bmp"));
    EXPECT_EQ(qAlpha(face.pixel(2, 2)), 0) << "outside the polygon nothing is painted";
    EXPECT_FALSE(form->mask().contains(QPoint(2, 2)));
    EXPECT_TRUE(form->mask().contains(QPoint(400, 300)));
}

TEST_F(MainFormTest, AnElementWithoutItsPicturesTakesThePictureReadBefore)
{
    const auto form = start();
    const RBtn& lost = form->Interface().Buttons[0][3];
    EXPECT_EQ(lost.Right - lost.Left, 100);
    EXPECT_EQ(lost.Bottom - lost.Top, 30);
    EXPECT_EQ(shown(*form, QPoint(60, 210)), colour("b_dn.bmp"));
}

TEST_F(MainFormTest, PaintingFollowsTheStatesOfTheElements)
{
    const auto form = start();
    form->FormMouseMove(Qt::NoButton, Qt::NoModifier, QPoint(60, 120));
    settleFades(*form);
    EXPECT_EQ(shown(*form, QPoint(60, 120)), colour("b_mv.bmp")) << "a hovered button shows Mv";

    form->FormMouseDown(Qt::LeftButton, Qt::NoModifier, QPoint(60, 120));
    settleFades(*form);
    EXPECT_EQ(shown(*form, QPoint(60, 120)), colour("b_dn.bmp")) << "a pressed button shows Dn";

    form->FormMouseMove(Qt::LeftButton, Qt::NoModifier, QPoint(370, 120));
    settleFades(*form);
    EXPECT_EQ(shown(*form, QPoint(60, 120)), colour("b_up.bmp"));
    EXPECT_EQ(shown(*form, QPoint(370, 120)), colour("s_mvdn.bmp"))
        << "a hovered switch that is on";

    form->FormMouseMove(Qt::NoButton, Qt::NoModifier, QPoint(310, 120));
    settleFades(*form);
    EXPECT_EQ(shown(*form, QPoint(370, 120)), colour("s_dn.bmp"));
    EXPECT_EQ(shown(*form, QPoint(310, 120)), colour("s_mvup.bmp"));

    form->FormMouseDown(Qt::LeftButton, Qt::NoModifier, QPoint(310, 120));
    settleFades(*form);
    EXPECT_TRUE(form->Interface().Switches[0][0].State);
    EXPECT_EQ(shown(*form, QPoint(310, 120)), colour("s_mvdn.bmp"));

    form->FormMouseDown(Qt::LeftButton, Qt::NoModifier, QPoint(410, 310));
    const QImage face = form->grab().toImage();
    EXPECT_EQ(face.pixelColor(410, 310), colour("g_mvdn.bmp"));
    EXPECT_EQ(face.pixelColor(360, 310), colour("g_up.bmp")) << "the other member went up";
}

TEST_F(MainFormTest, HoverControlsForwardTheirEventsInWindowCoordinates)
{
    const auto form = start();
    TMyControl* control = form->Pictures().Element(TElementKind::Button, 2)->Control;
    ASSERT_EQ(control->geometry(), QRect(40, 110, 100, 30));
    QMouseEvent move(QEvent::MouseMove, QPointF(20, 10),
                     QPointF(control->mapToGlobal(QPoint(20, 10))), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(control, &move);
    EXPECT_TRUE(form->States().ButtonFlags()[2].Hover);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(20, 10),
                      QPointF(control->mapToGlobal(QPoint(20, 10))), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(control, &press);
    EXPECT_TRUE(form->States().ButtonFlags()[2].Pressed);
}

TEST_F(MainFormTest, SwitchStatesAreStoredAtExitAndTakenAtTheNextStart)
{
    {
        const auto form = start();
        form->FormMouseDown(Qt::LeftButton, Qt::NoModifier, QPoint(310, 120));
        form->FormMouseDown(Qt::LeftButton, Qt::NoModifier, QPoint(370, 120));
        form->FormMouseDown(Qt::LeftButton, Qt::NoModifier, QPoint(310, 310));
        form->FormDestroy();
    }
    Registry& registry = disc.registry();
    EXPECT_EQ(registry.readBool(RegistryHive::CurrentUser, settingsKey, QStringLiteral("SwOne00")),
              true);
    EXPECT_FALSE(
        registry.valueExists(RegistryHive::CurrentUser, settingsKey, QStringLiteral("SwOne01")))
        << "a switch with store off is not written";
    EXPECT_EQ(registry.readBool(RegistryHive::CurrentUser, settingsKey, QStringLiteral("SwGrp00")),
              true);
    EXPECT_EQ(registry.readBool(RegistryHive::CurrentUser, settingsKey, QStringLiteral("SwGrp01")),
              false);
    EXPECT_EQ(registry.readBool(RegistryHive::CurrentUser, settingsKey, QStringLiteral("Hint")),
              true)
        << "settings take their defaults";

    const auto next = start();
    EXPECT_TRUE(next->Interface().Switches[0][0].State);
    EXPECT_TRUE(next->Interface().Switches[0][1].State) << "not stored: the description's state";
    EXPECT_TRUE(next->Interface().SwitchGroups[0][0].State);
    EXPECT_FALSE(next->Interface().SwitchGroups[0][1].State);
    EXPECT_EQ(shown(*next, QPoint(310, 120)), colour("s_dn.bmp"));
    EXPECT_EQ(shown(*next, QPoint(310, 310)), colour("g_dn.bmp"));
}

TEST_F(MainFormTest, TheCloseButtonRunsTheClosingAnimationThenEndsTheProgram)
{
    auto form = std::make_unique<TMainForm>(disc.context());
    form->FormCreate();
    ASSERT_TRUE(form->Animation().Opening());
    form->close();
    EXPECT_TRUE(form->Animation().Opening()) << "a close while the window opens changes nothing";
    finishAnimation(*form);

    form->FormMouseDown(Qt::LeftButton, Qt::NoModifier, QPoint(766, 28));
    form->FormMouseUp(Qt::LeftButton, Qt::NoModifier, QPoint(766, 28));
    EXPECT_EQ(form->ExitButton(), 1);
    ASSERT_TRUE(form->Animation().Closing());
    EXPECT_TRUE(form->isVisible());
    form->close();
    form->Animation().Tick();
    EXPECT_EQ(form->Animation().AnimTop(), 2) << "a second close does not restart the animation";
    EXPECT_FALSE(form->TerminationRequested());
    finishAnimation(*form);
    EXPECT_TRUE(form->TerminationRequested());
    EXPECT_EQ(form->ExitCode(), 0);
}

TEST_F(MainFormTest, TheMinimizeButtonMinimizesAndReleasesItself)
{
    const auto form = start();
    form->FormMouseMove(Qt::NoButton, Qt::NoModifier, QPoint(734, 28));
    form->FormMouseDown(Qt::LeftButton, Qt::NoModifier, QPoint(734, 28));
    form->FormMouseUp(Qt::LeftButton, Qt::NoModifier, QPoint(734, 28));
    EXPECT_TRUE(form->isMinimized());
    EXPECT_FALSE(form->States().ButtonFlags()[0].Hover);
    EXPECT_FALSE(form->States().ButtonFlags()[0].Pressed);
}

void sendMouse(QWidget* target, QEvent::Type type, QPoint local, QPoint global,
               Qt::MouseButton button)
{
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(Qt::LeftButton);
    QMouseEvent event(type, QPointF(local), QPointF(global), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
}

// Without a window manager's move loop the window follows the screen
// positions of the mouse, from an empty spot or from an element's border.
TEST_F(MainFormTest, EmptySpotsDragTheWindowAlong)
{
    const auto form = start();
    const QPoint before = form->pos();
    const QPoint grip = form->mapToGlobal(QPoint(500, 500));
    sendMouse(form.get(), QEvent::MouseButtonPress, {500, 500}, grip, Qt::LeftButton);
    sendMouse(form.get(), QEvent::MouseMove, {500, 500}, grip + QPoint(30, 20), Qt::NoButton);
    EXPECT_EQ(form->pos(), before + QPoint(30, 20));
    sendMouse(form.get(), QEvent::MouseMove, {500, 500}, grip + QPoint(40, 25), Qt::NoButton);
    EXPECT_EQ(form->pos(), before + QPoint(40, 25));
    sendMouse(form.get(), QEvent::MouseButtonRelease, {500, 500}, grip + QPoint(40, 25),
              Qt::LeftButton);
    sendMouse(form.get(), QEvent::MouseMove, {400, 400}, grip, Qt::NoButton);
    EXPECT_EQ(form->pos(), before + QPoint(40, 25)) << "the drag ended with the release";

    TMyControl* control = form->Pictures().Element(TElementKind::Button, 2)->Control;
    const QPoint border = control->mapToGlobal(QPoint(0, 5));
    sendMouse(control, QEvent::MouseButtonPress, {0, 5}, border, Qt::LeftButton);
    EXPECT_FALSE(form->States().ButtonFlags()[2].Pressed) << "the border is not the button";
    sendMouse(control, QEvent::MouseMove, {0, 5}, border + QPoint(-10, 0), Qt::NoButton);
    EXPECT_EQ(form->pos(), before + QPoint(30, 25));
    sendMouse(control, QEvent::MouseButtonRelease, {0, 5}, border, Qt::LeftButton);
}

TEST(WindowDragTest, TheWindowKeepsAGripOnTheScreen)
{
    const QRect screen(0, 0, 1024, 768);
    EXPECT_EQ(TWindowDrag::KeepOnScreen({100, 100}, {800, 600}, screen), QPoint(100, 100));
    EXPECT_EQ(TWindowDrag::KeepOnScreen({-900, -50}, {800, 600}, screen), QPoint(-760, 0));
    EXPECT_EQ(TWindowDrag::KeepOnScreen({2000, 900}, {800, 600}, screen), QPoint(983, 727));
}

TEST_F(MainFormTest, FontsBesideTheProgramAreAddedForTheRunOnly)
{
    QFile font(QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"));
    if (!font.open(QIODevice::ReadOnly)) {
        GTEST_SKIP() << "no DejaVu font to copy";
    }
    disc.folder().write(QStringLiteral("Demo.ttf"), font.readAll());
    const auto form = start();
    ASSERT_EQ(Shell().InstalledFonts.size(), 1);
    EXPECT_TRUE(Shell().InstalledFonts[0].endsWith(QLatin1String("Demo.ttf")));
    form->FormDestroy();
    EXPECT_TRUE(Shell().InstalledFonts.isEmpty());
}

class StartUpRefusalTest : public MainFormTest {
protected:
    void TearDown() override { SetMessageBoxHandler({}); }
};

TEST_F(StartUpRefusalTest, SourcesBesideTheProgramAreReportedAndEndTheStartUp)
{
    QStringList boxes;
    SetMessageBoxHandler([&boxes](const QString& caption, const QString& text) {
        boxes << caption + QLatin1Char('|') + text;
    });
    disc.folder().write(QStringLiteral("Coder.exe"), "x");
    disc.folder().write(QStringLiteral("struct.TXT"), "x");
    TMainForm form(disc.context());
    form.FormCreate();
    EXPECT_EQ(boxes, (QStringList{"Предупреждение|Файл Struct.txt не удален",
                                  "Предупреждение|А зачем тут кодер лежит?"}));
    EXPECT_TRUE(form.TerminationRequested());
    EXPECT_EQ(form.ExitCode(), 0);
    EXPECT_FALSE(form.isVisible());
}

TEST_F(StartUpRefusalTest, ASecondStartWithTheSameTitleEndsWithoutWindowOrWrites)
{
    const auto first = start();
    TMainForm second(disc.context());
    second.FormCreate();
    EXPECT_TRUE(second.TerminationRequested());
    EXPECT_EQ(second.ExitCode(), 0);
    EXPECT_TRUE(Shell().SecondInstance);
    EXPECT_TRUE(second.ViewerMode());
    EXPECT_FALSE(second.isVisible());
    disc.registry().deleteKey(RegistryHive::CurrentUser, settingsKey);
    second.FormDestroy();
    EXPECT_FALSE(disc.registry().keyExists(RegistryHive::CurrentUser, settingsKey));
}

TEST_F(StartUpRefusalTest, MissingDataEndTheStartUp)
{
    QFile::remove(disc.folder().file(QStringLiteral("Mev.dhl")));
    TMainForm withoutContainer(disc.context());
    withoutContainer.FormCreate();
    EXPECT_TRUE(withoutContainer.TerminationRequested());
    EXPECT_EQ(withoutContainer.ExitCode(), 0);

    QFile::remove(disc.folder().file(QStringLiteral("interface.dat")));
    TMainForm withoutArchive(disc.context());
    testing::internal::CaptureStderr();
    withoutArchive.FormCreate();
    const std::string message = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(withoutArchive.TerminationRequested());
    EXPECT_EQ(withoutArchive.ExitCode(), 1);
    EXPECT_NE(message.find("interface.dat"), std::string::npos);
}

TEST(StartUpFailureTest, AVertexThatIsNoNumberPairEndsTheStartUpWithAMessage)
{
    ShellTestDisc disc(QStringLiteral("тестовый диск"), QStringLiteral("20,0;x,y;800,600"));
    TMainForm form(disc.context());
    testing::internal::CaptureStderr();
    form.FormCreate();
    const std::string message = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(form.TerminationRequested());
    EXPECT_EQ(form.ExitCode(), 1);
    EXPECT_NE(message.find("polygon"), std::string::npos);
    EXPECT_FALSE(form.isVisible());
}

} // namespace
