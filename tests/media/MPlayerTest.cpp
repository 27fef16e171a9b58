#include "media/MPlayer.h"

#include "MediaFixtures.h"
#include "TempDir.h"
#include "platform/VirtualFs.h"

#include <QElapsedTimer>
#include <QThread>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

class MPlayerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        UseFakeSinks();
        VirtualFs::instance().mount(QStringLiteral("z:\\"), QStringLiteral("/"));
        player.SetOnNotify([this](TMPlayer* sender) { outcomes.append(sender->NotifyValue()); });
    }

    QString file(const QString& name, const QByteArray& bytes) const
    {
        dir.write(name, bytes);
        return dir.virtualPath() + name;
    }
    void openSound(int milliseconds)
    {
        player.SetFileName(file(QStringLiteral("tone.wav"), WaveFile(milliseconds)));
        player.Open();
    }
    bool waitForOutcomes(int count, int milliseconds = 4000)
    {
        return WaitFor([&] { return outcomes.size() >= count; }, milliseconds);
    }
    quint32 openError(const QString& name)
    {
        player.SetFileName(name);
        try {
            player.Open();
        } catch (const EMCIDeviceError& error) {
            EXPECT_EQ(error.Message(), player.ErrorMessage());
            EXPECT_FALSE(player.IsOpen());
            EXPECT_EQ(player.DeviceID(), 0);
            return player.ErrorCode();
        }
        return 0;
    }

    TempDir dir;
    TMPlayer player;
    QList<TMPNotifyValues> outcomes;
};

using Notify = TMPNotifyValues;

} // namespace

TEST_F(MPlayerTest, CommandsOnAClosedControlRaise)
{
    const QList<std::function<void()>> commands = {
        [&] { player.Play(); },   [&] { player.Stop(); },         [&] { player.Pause(); },
        [&] { player.Resume(); }, [&] { player.Seek(0); },        [&] { player.Rewind(); },
        [&] { player.Length(); }, [&] { player.PauseOrResume(); }};
    for (const auto& command : commands) {
        try {
            command();
            ADD_FAILURE() << "no exception";
        } catch (const EMCIDeviceError& error) {
            EXPECT_EQ(error.Message(), QStringLiteral("No MCI device open"));
        }
    }
    // The status queries answer without raising.
    EXPECT_EQ(player.Position(), 0);
    EXPECT_EQ(player.Mode(), TMPModes::NotReady);
    EXPECT_NE(player.ErrorCode(), 0u);
    player.Close(); // nothing to close
}

TEST_F(MPlayerTest, OpenFailuresCarryTheirMciNumbers)
{
    EXPECT_EQ(openError(dir.virtualPath() + "missing.wav"), MciError::FileNotFound);
    EXPECT_EQ(openError(file(QStringLiteral("noise.wav"), QByteArray(20000, '\x5a'))),
              MciError::InvalidFile);
    EXPECT_EQ(openError(file(QStringLiteral("empty.wav"), QByteArray())), MciError::InvalidFile);
    ASSERT_EQ(mkfifo(dir.file(QStringLiteral("pipe.wav")).toLocal8Bit().constData(), 0600), 0);
    EXPECT_EQ(openError(dir.virtualPath() + "pipe.wav"), MciError::FileRead); // never blocks
    EXPECT_EQ(openError(dir.virtualPath()), MciError::FileRead);              // a folder
    const quint32 noName = openError(QString());
    EXPECT_NE(noName, 0u);
    EXPECT_NE(player.ErrorMessage(), QStringLiteral("Unknown error code"));
    player.SetDeviceType(TMPDeviceTypes::CDAudio);
    EXPECT_NE(openError(file(QStringLiteral("tone.wav"), WaveFile(100))), 0u);
}

TEST_F(MPlayerTest, OpenReadsLengthAndModeOfASound)
{
    openSound(1000);
    EXPECT_TRUE(player.IsOpen());
    EXPECT_NE(player.DeviceID(), 0);
    EXPECT_FALSE(player.HasVideo());
    EXPECT_NEAR(player.Length(), 1000, 20);
    EXPECT_EQ(player.Position(), 0);
    EXPECT_EQ(player.Mode(), TMPModes::Stopped);
    EXPECT_EQ(player.GetDisplayRect(), QRect()); // nothing to show
    // A failed open closes the device that was open.
    EXPECT_EQ(openError(dir.virtualPath() + "missing.wav"), MciError::FileNotFound);
}

TEST_F(MPlayerTest, APlayThatEndsNotifiesSuccess)
{
    openSound(300);
    player.Play();
    EXPECT_EQ(player.Mode(), TMPModes::Playing);
    ASSERT_TRUE(waitForOutcomes(1));
    EXPECT_EQ(outcomes, QList<Notify>{Notify::Successful});
    EXPECT_EQ(player.Mode(), TMPModes::Stopped);
    EXPECT_EQ(player.Position(), player.Length());
    // Playing at the end is over at once; with automatic rewind it starts again.
    player.Play();
    ASSERT_TRUE(waitForOutcomes(2, 200));
    player.SetAutoRewind(true);
    player.Play();
    EXPECT_EQ(player.Mode(), TMPModes::Playing);
    ASSERT_TRUE(waitForOutcomes(3));
}

TEST_F(MPlayerTest, StopPauseAndCloseAbortAPlayAndAnotherPlaySupersedesIt)
{
    openSound(2000);
    player.Play();
    Spin(200);
    player.Stop();
    ASSERT_TRUE(waitForOutcomes(1));
    EXPECT_EQ(outcomes.last(), Notify::Aborted);
    EXPECT_GT(player.Position(), 100); // a stop keeps the position
    EXPECT_EQ(player.Mode(), TMPModes::Stopped);

    player.Play();
    player.Play();
    ASSERT_TRUE(waitForOutcomes(2));
    EXPECT_EQ(outcomes.last(), Notify::Superseded);
    player.Pause();
    ASSERT_TRUE(waitForOutcomes(3));
    EXPECT_EQ(outcomes.last(), Notify::Aborted);
    EXPECT_EQ(player.Mode(), TMPModes::Paused);

    player.Play();
    player.Close();
    ASSERT_TRUE(waitForOutcomes(4));
    EXPECT_EQ(outcomes.last(), Notify::Aborted);
    EXPECT_FALSE(player.IsOpen());
    Spin(100);
    EXPECT_EQ(outcomes.size(), 4);
}

// A link clicked just as a sound ends: the end of the old sound is already
// queued when the new one opens, and must not end it.
TEST_F(MPlayerTest, TheEndOfAClosedSoundNeverReachesTheNextOne)
{
    openSound(200);
    player.Play();
    QThread::msleep(700);
    player.Mode(); // the end is taken from the device; its notification waits in the queue
    player.Close();
    player.SetFileName(file(QStringLiteral("long.wav"), WaveFile(2000)));
    player.Open();
    player.Play();
    Spin(300);
    EXPECT_TRUE(outcomes.isEmpty());
    EXPECT_EQ(player.Mode(), TMPModes::Playing);
    player.Close();
}

TEST_F(MPlayerTest, ANotifyRequestDecidesOnlyTheNextCommand)
{
    openSound(200);
    player.SetNotify(false);
    player.Rewind(); // not a command that takes the request
    player.Play();
    Spin(600);
    EXPECT_TRUE(outcomes.isEmpty());
    EXPECT_EQ(player.Mode(), TMPModes::Stopped);

    player.SetNotify(true);
    player.Seek(50); // commands that wait notify only when asked
    ASSERT_TRUE(waitForOutcomes(1));
    player.Play();
    ASSERT_TRUE(waitForOutcomes(2));
    EXPECT_EQ(outcomes, (QList<Notify>{Notify::Successful, Notify::Successful}));

    player.SetNotify(true);
    player.Open();
    ASSERT_TRUE(waitForOutcomes(3));
}

// "pause" twice asks each time for no notification: the resumed sound ends silently.
TEST_F(MPlayerTest, PauseAndResumeWithoutNotificationEndSilently)
{
    openSound(400);
    player.Play();
    player.SetNotify(false);
    player.PauseOrResume();
    EXPECT_EQ(player.Mode(), TMPModes::Paused);
    player.SetNotify(false);
    player.PauseOrResume();
    EXPECT_EQ(player.Mode(), TMPModes::Playing);
    ASSERT_TRUE(WaitFor([&] { return player.Mode() == TMPModes::Stopped; }, 3000));
    Spin(100);
    EXPECT_EQ(outcomes, QList<Notify>{Notify::Aborted}); // only the paused play's
}

TEST_F(MPlayerTest, ResumeOnAStoppedDevicePlaysAndTakesTheRequest)
{
    openSound(200);
    player.Resume();
    EXPECT_EQ(player.ErrorCode(), 0u);
    EXPECT_EQ(player.Mode(), TMPModes::Playing);
    ASSERT_TRUE(waitForOutcomes(1));
    EXPECT_EQ(outcomes, QList<Notify>{Notify::Successful});
}

TEST_F(MPlayerTest, SeeksStayInsideTheMedia)
{
    openSound(1000);
    player.Seek(500);
    EXPECT_EQ(player.ErrorCode(), 0u);
    EXPECT_NEAR(player.Position(), 500, 10);
    player.Seek(player.Length() + 1);
    EXPECT_EQ(player.ErrorCode(), MciError::OutOfRange);
    player.Seek(-1);
    EXPECT_EQ(player.ErrorCode(), MciError::OutOfRange);
    player.SetTimeFormat(10);
    EXPECT_NE(player.ErrorCode(), 0u);
    player.SetTimeFormat(0);
    EXPECT_EQ(player.ErrorCode(), 0u);
    // At the end a play has nothing left and is over at once.
    player.Seek(player.Length());
    EXPECT_EQ(player.Position(), player.Length());
    QElapsedTimer clock;
    clock.start();
    player.Play();
    ASSERT_TRUE(waitForOutcomes(1, 300));
    EXPECT_LT(clock.elapsed(), 300);
    player.Rewind();
    EXPECT_EQ(player.Position(), 0);
}

TEST_F(MPlayerTest, AnOutputThatNeverGetsReadyTimesOut)
{
    qputenv("DISCSHELL_AUDIO_SINK", "valve drop=true ! fakesink sync=true");
    MediaDevice::setWaitLimitMs(300);
    QElapsedTimer clock;
    clock.start();
    const quint32 error = openError(file(QStringLiteral("tone.wav"), WaveFile(500)));
    MediaDevice::setWaitLimitMs(MediaDevice::defaultWaitLimitMs);
    EXPECT_EQ(error, MciError::DeviceNotReady);
    EXPECT_LT(clock.elapsed(), 3000);
}
