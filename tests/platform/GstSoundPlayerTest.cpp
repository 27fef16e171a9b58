#include "platform/GstSoundPlayer.h"

#include "TempDir.h"
#include "WaveFile.h"
#include "platform/VirtualFs.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QElapsedTimer>
#include <QIODevice>
#include <QThread>
#include <cmath>
#include <gtest/gtest.h>

namespace {

class GstSoundPlayerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        qputenv("DISCSHELL_AUDIO_SINK", "fakesink sync=true");
        VirtualFs::instance().mount(QStringLiteral("z:\\"), QStringLiteral("/"));
        ASSERT_TRUE(GstSoundPlayer::Available());
    }
    void TearDown() override { qunsetenv("DISCSHELL_AUDIO_SINK"); }

    QString sound(const QString& name, const QByteArray& bytes) const
    {
        dir.write(name, bytes);
        return dir.virtualPath() + name;
    }

    static qint64 timed(const std::function<void()>& action)
    {
        QElapsedTimer clock;
        clock.start();
        action();
        return clock.elapsed();
    }

    TempDir dir;
    GstSoundPlayer player;
};

} // namespace

TEST_F(GstSoundPlayerTest, PlayAndWaitReturnsWhenTheSoundHasEnded)
{
    // The name is found without regard to case, as on the disc.
    const QString click = sound(QStringLiteral("Щелчок.WAV"), WaveFile(400));
    const qint64 elapsed = timed([&] { player.PlayAndWait(click.toLower()); });
    EXPECT_GE(elapsed, 350); // the sink plays in real time
    EXPECT_LT(elapsed, 5000);
    EXPECT_FALSE(player.Playing());
}

TEST_F(GstSoundPlayerTest, MissingOrBrokenSoundsReturnAtOnce)
{
    EXPECT_LT(timed([&] { player.PlayAndWait(dir.virtualPath() + "missing.wav"); }), 200);
    EXPECT_LT(timed([&] { player.PlayAndWait(dir.virtualPath()); }), 200); // a folder
    const QString broken = sound(QStringLiteral("broken.wav"), QByteArray(5000, '\x13'));
    EXPECT_LT(timed([&] { player.PlayAndWait(broken); }), 3000);
    player.PlayAsync(dir.virtualPath() + "missing.wav");
    EXPECT_FALSE(player.Playing());
}

TEST_F(GstSoundPlayerTest, AsyncSoundsReturnAtOnceAndGiveTheOutputBackWhenDone)
{
    const QString longSound = sound(QStringLiteral("long.wav"), WaveFile(3000));
    const QString shortSound = sound(QStringLiteral("short.wav"), WaveFile(200));
    EXPECT_LT(timed([&] { player.PlayAsync(longSound); }), 500);
    EXPECT_TRUE(player.Playing());
    // The next sound cuts the long one off: all is over well before 3 s.
    player.PlayAsync(shortSound);
    EXPECT_TRUE(player.Playing());
    QElapsedTimer clock;
    clock.start();
    while (player.Playing() && clock.elapsed() < 2500) {
        QCoreApplication::processEvents();
        QThread::msleep(10);
    }
    EXPECT_FALSE(player.Playing());
}

TEST(GstSoundPlayerInstall, BecomesTheProcessPlayer)
{
    InstallGstSoundPlayer();
    EXPECT_NE(dynamic_cast<GstSoundPlayer*>(&SoundPlayer()), nullptr);
    SetSoundPlayer(nullptr);
    EXPECT_EQ(dynamic_cast<GstSoundPlayer*>(&SoundPlayer()), nullptr);
}
