// The intro clip from its set-up to the hand-over: files that cannot be
// played end it at once, other failures get the MPEG driver and one more
// try, both layouts, Esc, and the after-start actions run exactly once.

#include "media/StartClip.h"

#include "MediaFixtures.h"
#include "TempDir.h"
#include "platform/VirtualFs.h"

#include <QApplication>
#include <QFile>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <gtest/gtest.h>

namespace {

class StartClipTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        UseFakeSinks();
        VirtualFs::instance().mount(QStringLiteral("z:\\"), QStringLiteral("/"));
    }

    std::unique_ptr<TStartClip> start(const QString& name, bool backdrop = false)
    {
        TStartClipContext context;
        context.ClipFile = disc.virtualPath() + name;
        context.Backdrop = backdrop;
        context.InstallMpegDriver = [this] { ++driverInstalls; };
        context.AfterStart = [this] { ++afterStarts; };
        return std::make_unique<TStartClip>(context);
    }
    QString video(const QString& name)
    {
        EXPECT_TRUE(WriteVideoFile(disc.file(name)));
        return name;
    }
    static bool shown(TStartClip& clip)
    {
        return WaitFor([&clip] { return clip.isVisible() || clip.Finished(); }, 5000) &&
               clip.isVisible();
    }

    TempDir disc;
    int driverInstalls = 0;
    int afterStarts = 0;
};

} // namespace

TEST_F(StartClipTest, TheFormIsANavyBorderlessTopWindowCaptionedStartClip)
{
    const auto clip = start(QStringLiteral("none.avi"));
    EXPECT_EQ(clip->windowTitle(), QStringLiteral("StartClip"));
    EXPECT_TRUE(clip->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(clip->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(clip->palette().color(QPalette::Window), QColor(0, 0, 128));
    EXPECT_EQ(clip->geometry(), QRect(0, 0, 0, 0));
}

TEST_F(StartClipTest, FilesThatCannotPlayEndTheClipAtOnce)
{
    disc.write(QStringLiteral("broken.avi"), QByteArray(4000, '\x01'));
    for (const char* name : {"missing.avi", "broken.avi"}) {
        afterStarts = 0;
        const auto clip = start(QString::fromLatin1(name));
        ASSERT_TRUE(WaitFor([&] { return clip->Finished(); }, 3000)) << name;
        EXPECT_EQ(afterStarts, 1) << name;
        EXPECT_EQ(driverInstalls, 0) << "no codec is missing: " << name;
        EXPECT_FALSE(clip->isVisible());
        Spin(100);
        EXPECT_EQ(afterStarts, 1) << "exactly once";
    }
}

TEST_F(StartClipTest, AnUnknownCodecGetsTheDriverAndOneMoreTry)
{
    video(QStringLiteral("clip.avi"));
    QFile file(disc.file(QStringLiteral("clip.avi")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QByteArray bytes = file.readAll();
    file.close();
    for (const QByteArray& fourcc : {QByteArray("MJPG"), QByteArray("mjpg")}) {
        for (qsizetype at = bytes.indexOf(fourcc); at >= 0; at = bytes.indexOf(fourcc, at + 4)) {
            bytes.replace(at, 4, "QQ9Z");
        }
    }
    disc.write(QStringLiteral("odd.avi"), bytes);
    const auto clip = start(QStringLiteral("odd.avi"));
    ASSERT_TRUE(WaitFor([&] { return clip->Finished(); }, 5000));
    EXPECT_EQ(clip->Player().ErrorCode(), MciError::CannotLoadDriver);
    EXPECT_EQ(driverInstalls, 1) << "the driver, then one more open that fails again";
    EXPECT_EQ(afterStarts, 1);
}

TEST_F(StartClipTest, WithoutABackdropTheWindowIsTwentyPixelsLargerThanTheClip)
{
    const auto clip = start(video(QStringLiteral("clip.avi")));
    ASSERT_TRUE(shown(*clip));
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const QSize natural(64, 48);
    EXPECT_EQ(clip->geometry(), QRect(screen.width() / 2 - natural.width() / 2 - 20,
                                      screen.height() / 2 - natural.height() / 2 - 20,
                                      natural.width() + 20, natural.height() + 20));
    EXPECT_EQ(clip->Player().GetDisplayRect(), QRect(QPoint(0, 0), natural));
    const QImage face = clip->grab().toImage();
    EXPECT_NE(face.pixelColor(clip->width() - 2, clip->height() / 2), QColor(0, 0, 128))
        << "the raised bevel on the right edge";
    ASSERT_TRUE(WaitFor([&] { return clip->Finished(); }, 5000)) << "the clip ends by itself";
    EXPECT_EQ(afterStarts, 1);
    EXPECT_FALSE(clip->Player().IsOpen());
}

// The window does not wait for the half-second play watch: it shows within a
// few looks after the clip plays.
TEST_F(StartClipTest, TheWindowShowsAsSoonAsTheClipPlays)
{
    const auto clip = start(video(QStringLiteral("clip.avi")));
    ASSERT_TRUE(WaitFor(
        [&] { return clip->Player().IsOpen() && clip->Player().Mode() == TMPModes::Playing; },
        5000));
    Spin(4 * TStartClip::kFirstLookMs);
    EXPECT_TRUE(clip->isVisible());
    EXPECT_EQ(clip->StartRetries(), 0);
}

TEST_F(StartClipTest, WithABackdropTheClipIsCentredOnABlackScreen)
{
    const auto clip = start(video(QStringLiteral("clip.avi")), true);
    ASSERT_TRUE(shown(*clip));
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(clip->geometry(), screen);
    EXPECT_EQ(clip->Player().GetDisplayRect(),
              QRect(screen.width() / 2 - 32, screen.height() / 2 - 24, 64, 48));
    EXPECT_EQ(clip->palette().color(QPalette::Window), QColor(Qt::black));
}

TEST_F(StartClipTest, EscEndsTheClipAtOnce)
{
    const auto clip = start(video(QStringLiteral("clip.avi")));
    ASSERT_TRUE(shown(*clip));
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(clip.get(), &escape);
    EXPECT_TRUE(clip->Finished());
    EXPECT_EQ(afterStarts, 1);
    EXPECT_FALSE(clip->isVisible());
    EXPECT_FALSE(clip->Player().IsOpen());
    Spin(300);
    EXPECT_EQ(afterStarts, 1) << "the end watch has stopped";
}
