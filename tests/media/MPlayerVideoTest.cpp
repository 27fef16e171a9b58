#include "MediaFixtures.h"
#include "TempDir.h"
#include "media/MPlayer.h"
#include "platform/VirtualFs.h"

#include <QApplication>
#include <QImage>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

bool reddish(QRgb pixel)
{
    return qRed(pixel) > 180 && qGreen(pixel) < 90 && qBlue(pixel) < 90;
}

QWidget* windowTitled(const QString& title)
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->windowTitle() == title && widget->isVisible()) {
            return widget;
        }
    }
    return nullptr;
}

// Video frames are decoded for the control to paint unless a video sink is named.
class MPlayerVideoTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        UseFakeSinks();
        qunsetenv("DISCSHELL_VIDEO_SINK");
        VirtualFs::instance().mount(QStringLiteral("z:\\"), QStringLiteral("/"));
        ASSERT_TRUE(WriteVideoFile(dir.file(QStringLiteral("clip.avi"))));
        player.SetFileName(dir.virtualPath() + "clip.avi");
    }

    TempDir dir;
    TMPlayer player;
};

} // namespace

TEST_F(MPlayerVideoTest, TheVideoIsPaintedAtTheDisplayRectangle)
{
    auto display = std::make_unique<QWidget>();
    display->setStyleSheet(QStringLiteral("background: white"));
    display->resize(200, 150);
    display->show();
    player.SetDisplay(display.get());
    player.Open();
    EXPECT_TRUE(player.HasVideo());
    EXPECT_EQ(player.NaturalWidth(), 64);
    EXPECT_EQ(player.NaturalHeight(), 48);
    EXPECT_EQ(player.GetDisplayRect(), QRect(0, 0, 64, 48));
    player.SetDisplayRect(QRect(100, 50, 0, 0)); // the natural size at that place
    EXPECT_EQ(player.GetDisplayRect(), QRect(100, 50, 64, 48));

    player.Play();
    ASSERT_TRUE(WaitFor([&] { return reddish(display->grab().toImage().pixel(130, 70)); }, 3000));
    const QImage shown = display->grab().toImage();
    EXPECT_FALSE(reddish(shown.pixel(20, 20)));
    EXPECT_FALSE(reddish(shown.pixel(170, 70)));

    // The owner can hide the picture until the next play.
    player.Pause();
    player.SetVideoShown(false);
    EXPECT_FALSE(reddish(display->grab().toImage().pixel(130, 70)));

    // A display destroyed while the device is open is forgotten.
    display.reset();
    EXPECT_EQ(player.Display(), nullptr);
    player.Close();
}

TEST_F(MPlayerVideoTest, WithoutADisplayTheVideoGetsAWindowOfItsOwn)
{
    player.Open();
    EXPECT_EQ(windowTitled(player.FileName()), nullptr); // shown from the first play
    player.Play();
    QWidget* window = windowTitled(player.FileName());
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->size(), QSize(64, 48));
    player.Close();
    EXPECT_EQ(windowTitled(player.FileName()), nullptr);
}

TEST_F(MPlayerVideoTest, ANamedVideoSinkStillReportsTheVideo)
{
    qputenv("DISCSHELL_VIDEO_SINK", "fakesink sync=true");
    player.Open();
    EXPECT_TRUE(player.HasVideo());
    EXPECT_EQ(QSize(player.NaturalWidth(), player.NaturalHeight()), QSize(64, 48));
    EXPECT_NEAR(player.Length(), 1000, 50);
    player.Play();
    ASSERT_TRUE(WaitFor([&] { return player.Mode() == TMPModes::Stopped; }, 4000));
    EXPECT_EQ(player.NotifyValue(), TMPNotifyValues::Successful);

    // The wave-audio device takes only the sound, and this file has none.
    player.SetDeviceType(TMPDeviceTypes::WaveAudio);
    EXPECT_THROW(player.Open(), EMCIDeviceError);
}
