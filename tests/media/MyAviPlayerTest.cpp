// The 3-D view on a window of its own: prepared once, looping while it is on,
// a click holding and a second one letting it run on, clicks outside the area
// not taken, "2d" giving the area its 2-D picture back, the held frame drawn
// into the next background, and the picture of its own or the window's.

#include "media/MyAviPlayer.h"

#include "MediaFixtures.h"
#include "TempDir.h"
#include "platform/VirtualFs.h"

#include <QPainter>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

const QRect area(QPoint(31, 135), QPoint(686, 393));

// A window that paints its background bitmap.
class Window : public QWidget {
public:
    Window()
    {
        background = QImage(800, 600, QImage::Format_RGB32);
        background.fill(Qt::darkGreen);
        resize(800, 600);
    }
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.drawImage(0, 0, background);
    }
    QImage background;
};

class MyAviPlayerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        UseFakeSinks();
        VirtualFs::instance().mount(QStringLiteral("z:\\"), QStringLiteral("/"));
        ASSERT_TRUE(WriteVideoFile(disc.file(QStringLiteral("car.avi"))));
        window.show();
    }
    std::unique_ptr<TMyAviPlayer> make(QImage own = QImage())
    {
        TMyAviPlayerContext context;
        context.ReadPicture = [own](const QString& name) {
            return name == QLatin1String("3d_bg.bmp") ? own : QImage();
        };
        context.Background = [this] { return &window.background; };
        auto player = std::make_unique<TMyAviPlayer>(context);
        player->Prepare(&window, &window, area, disc.virtualPath() + QStringLiteral("car.avi"));
        return player;
    }
    bool playing(TMyAviPlayer& player)
    {
        return WaitFor([&] { return player.Player()->Mode() == TMPModes::Playing; }, 3000);
    }

    TempDir disc;
    Window window;
};

} // namespace

TEST_F(MyAviPlayerTest, OnItLoopsAndAClickHoldsItAndASecondLetsItRunOn)
{
    const auto player = make();
    ASSERT_TRUE(player->IsOpen());
    EXPECT_FALSE(player->Mode3D());
    EXPECT_TRUE(player->IsHalted()) << "prepared, the clip waits";
    player->Set3DMode(true);
    ASSERT_TRUE(playing(*player));
    Spin(1500); // longer than the one-second clip: it starts over
    EXPECT_EQ(player->Player()->Mode(), TMPModes::Playing);

    EXPECT_FALSE(player->HandleClick(QPoint(10, 10))) << "outside the area";
    EXPECT_TRUE(player->HandleClick(area.center()));
    EXPECT_TRUE(player->IsHalted());
    EXPECT_TRUE(player->Frozen());
    EXPECT_TRUE(player->UserPaused());
    Spin(1500);
    EXPECT_TRUE(player->IsHalted()) << "a held clip does not start over by itself";
    player->ResumeUnlessUserPaused();
    EXPECT_TRUE(player->IsHalted()) << "the reader held it";

    EXPECT_TRUE(player->HandleClick(area.center()));
    EXPECT_TRUE(playing(*player));
    EXPECT_FALSE(player->UserPaused());
}

TEST_F(MyAviPlayerTest, TwoDGivesTheAreaItsPictureBackAndLeavesTheClipPaused)
{
    QImage own(area.size(), QImage::Format_RGB32);
    own.fill(Qt::blue);
    const auto player = make(own);
    EXPECT_EQ(player->Background3D().pixelColor(5, 5), QColor(Qt::blue));
    player->Set3DMode(true);
    EXPECT_EQ(window.background.pixelColor(area.topLeft() + QPoint(5, 5)), QColor(Qt::blue));
    ASSERT_TRUE(playing(*player));
    player->HandleClick(area.center());
    ASSERT_TRUE(player->IsHalted());
    player->Set3DMode(false);
    EXPECT_FALSE(player->Mode3D());
    EXPECT_EQ(player->Player()->Mode(), TMPModes::Paused);
    EXPECT_EQ(window.background.pixelColor(area.topLeft() + QPoint(5, 5)), QColor(Qt::darkGreen))
        << "the 2-D picture under the area";
    EXPECT_FALSE(player->HandleClick(area.center())) << "off, the clip takes no clicks";
}

TEST_F(MyAviPlayerTest, TheHeldFrameIsDrawnIntoTheNextBackground)
{
    const auto player = make();
    EXPECT_EQ(player->Background3D().pixelColor(5, 5), QColor(Qt::darkGreen))
        << "without a picture of its own the window's picture";
    player->Set3DMode(true);
    ASSERT_TRUE(playing(*player));
    Spin(200);
    player->Freeze();
    ASSERT_TRUE(player->IsHalted());
    QImage next(800, 600, QImage::Format_RGB32);
    next.fill(Qt::white);
    player->PaintFrozenFrame(next);
    EXPECT_NE(next.pixelColor(area.center()), QColor(Qt::white));
    EXPECT_EQ(next.pixelColor(QPoint(5, 5)), QColor(Qt::white)) << "only the area";

    player->ResumeFrozen();
    ASSERT_TRUE(playing(*player));
    QImage running(800, 600, QImage::Format_RGB32);
    running.fill(Qt::white);
    player->PaintFrozenFrame(running);
    EXPECT_EQ(running.pixelColor(area.center()), QColor(Qt::white)) << "a running clip holds none";
}

// A second hold, as when the user goes on from one screen to another, keeps
// the clip's frame: the window shows another screen's picture by then.
TEST_F(MyAviPlayerTest, HoldingAHeldClipKeepsItsFrame)
{
    const auto player = make();
    player->Set3DMode(true);
    ASSERT_TRUE(playing(*player));
    Spin(200);
    player->Freeze();
    QImage held(800, 600, QImage::Format_RGB32);
    player->PaintFrozenFrame(held);
    window.background.fill(Qt::yellow);
    window.repaint();
    player->Freeze();
    QImage again(800, 600, QImage::Format_RGB32);
    again.fill(Qt::white);
    player->PaintFrozenFrame(again);
    EXPECT_NE(again.pixelColor(area.center()), QColor(Qt::yellow));
    EXPECT_EQ(again.pixelColor(area.center()), held.pixelColor(area.center()));
}

TEST_F(MyAviPlayerTest, AHiddenWindowSwitchesTheViewOffAndReleaseClosesIt)
{
    const auto player = make();
    window.hide();
    player->Set3DMode(true);
    EXPECT_FALSE(player->Mode3D());
    EXPECT_TRUE(player->IsHalted());
    player->ReleasePlayer();
    EXPECT_FALSE(player->IsOpen());
    EXPECT_EQ(player->Player(), nullptr);
    player->Set3DMode(true);
    EXPECT_FALSE(player->Mode3D());
    EXPECT_FALSE(player->HandleClick(area.center()));
}
