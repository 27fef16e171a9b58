#include "media/BackgroundMusic.h"

#include "MediaFixtures.h"
#include "TempDir.h"
#include "platform/Registry.h"
#include "platform/VirtualFs.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>
#include <mutex>
#include <thread>

namespace {

using namespace std::chrono_literals;

const QString key = QStringLiteral("SOFTWARE\\Pallidrome\\Диск");
constexpr auto user = RegistryHive::CurrentUser;

class BackgroundMusicTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        UseFakeSinks();
        VirtualFs::instance().mount(QStringLiteral("z:\\"), QStringLiteral("/"));
        disc.write(QStringLiteral("Music/first.wav"), WaveFile(300));
        disc.write(QStringLiteral("Music/second.wav"), WaveFile(300));
        disc.write(QStringLiteral("Music/long.wav"), WaveFile(3000));
        disc.write(QStringLiteral("Music/broken.wav"), QByteArray(4000, '\x01'));
    }

    // Songs relative to the program's folder; fades tick fast unless told otherwise.
    void make(const QStringList& songs, TVolumeFade::TPeriod tick = 5us)
    {
        TBackgroundMusicContext context;
        context.AppDir = disc.virtualPath();
        context.SongList = songs;
        context.SettingsKey = key;
        context.Store = &store;
        context.TurnMusicOff = [this] { ++turnedOff; };
        context.Volume = &volume;
        context.FadeTick = tick;
        context.FadeOutLimit = 300ms;
        music = std::make_unique<TBackgroundMusic>(context);
    }
    std::optional<qint32> stored(const QString& name) const
    {
        return store.readInteger(user, key, name);
    }

    TempDir disc;
    TempDir config;
    Registry store{config.path()};
    TRecordingVolume volume{{50000, 50000}};
    std::unique_ptr<TBackgroundMusic> music;
    int turnedOff = 0;
};

} // namespace

TEST_F(BackgroundMusicTest, SongsFollowEachOtherAndTheFirstFollowsTheLast)
{
    make({QStringLiteral("music\\FIRST.wav"), QStringLiteral("music\\second.wav")});
    music->StartMusic();
    EXPECT_EQ(music->MusicPlayer().Mode(), TMPModes::Playing);
    ASSERT_TRUE(WaitFor([&] { return music->SongIndex() == 1; }, 3000));
    ASSERT_TRUE(WaitFor([&] { return music->SongIndex() == 0; }, 3000));
    EXPECT_EQ(music->MusicPlayer().Mode(), TMPModes::Playing);
    EXPECT_EQ(turnedOff, 0);
    EXPECT_TRUE(store.keyExists(user, key));
}

TEST_F(BackgroundMusicTest, SwitchedOffInTheLastSongItResumesThereWithAFadeIn)
{
    make({QStringLiteral("music\\first.wav"), QStringLiteral("music\\long.wav")});
    store.writeInteger(user, key, QStringLiteral("BGSoundSong"), 1);
    store.writeInteger(user, key, QStringLiteral("BGSoundPos"), 0);
    music->StartMusic();
    Spin(700);
    music->StopMusic(true);
    EXPECT_FALSE(music->MusicPlayer().IsOpen());
    EXPECT_EQ(stored(QStringLiteral("BGSoundSong")), 1);
    const qint32 position = stored(QStringLiteral("BGSoundPos")).value_or(-1);
    EXPECT_GT(position, 500);
    EXPECT_LT(position, 2000);
    // The fade went down to silence and the volume came back afterwards.
    EXPECT_TRUE(volume.Changes().contains(StereoVolume{0, 0}));
    EXPECT_EQ(volume.Volume(), (StereoVolume{50000, 50000}));

    volume.Reset({50000, 50000});
    music->StartMusic();
    EXPECT_EQ(music->SongIndex(), 1);
    EXPECT_EQ(music->SongPosition(), position);
    EXPECT_GE(music->MusicPlayer().Position(), position - 50);
    ASSERT_TRUE(WaitFor([&] { return !music->Fade().Running(); }, 3000));
    EXPECT_EQ(volume.Changes().first(), (StereoVolume{0, 0}));
    EXPECT_EQ(volume.Changes().last(), (StereoVolume{50000, 50000}));
}

TEST_F(BackgroundMusicTest, AStoredSongThatIsNoIntegerLeavesSongAndPositionAlone)
{
    make({QStringLiteral("music\\first.wav"), QStringLiteral("music\\long.wav")});
    store.writeString(user, key, QStringLiteral("BGSoundSong"), QStringLiteral("1"));
    store.writeInteger(user, key, QStringLiteral("BGSoundPos"), 1234);
    music->StartMusic();
    EXPECT_EQ(music->SongIndex(), 0);
    EXPECT_EQ(music->SongPosition(), 0);
    music->StopMusic(false);

    // A position that is no integer keeps the position only.
    store.writeInteger(user, key, QStringLiteral("BGSoundSong"), 1);
    store.writeString(user, key, QStringLiteral("BGSoundPos"), QStringLiteral("x"));
    music->StartMusic();
    EXPECT_EQ(music->SongIndex(), 1);
    EXPECT_EQ(music->SongPosition(), 0);
}

TEST_F(BackgroundMusicTest, AStoredSongBeyondTheListStartsTheListAgain)
{
    make({QStringLiteral("music\\long.wav")});
    store.writeInteger(user, key, QStringLiteral("BGSoundSong"), 7);
    store.writeInteger(user, key, QStringLiteral("BGSoundPos"), 900);
    music->StartMusic();
    EXPECT_EQ(music->SongIndex(), 0);
    EXPECT_EQ(music->SongPosition(), 0);
    EXPECT_EQ(music->MusicPlayer().Mode(), TMPModes::Playing);
    EXPECT_LT(music->MusicPlayer().Position(), 300);
    EXPECT_EQ(turnedOff, 0);
}

TEST_F(BackgroundMusicTest, StopAndCloseDoNotMoveToTheNextSong)
{
    make({QStringLiteral("music\\first.wav"), QStringLiteral("music\\second.wav")});
    music->StartMusic();
    music->MusicPlayer().Stop();
    Spin(600);
    EXPECT_EQ(music->SongIndex(), 0);
    EXPECT_EQ(music->MusicPlayer().NotifyValue(), TMPNotifyValues::Aborted);

    music->StartMusic();
    music->StopMusic(false);
    Spin(600);
    EXPECT_EQ(music->SongIndex(), 0);
    EXPECT_FALSE(music->MusicPlayer().IsOpen());
}

TEST_F(BackgroundMusicTest, ASongThatCannotPlayTurnsTheMusicOffForThisRunOnly)
{
    make({QStringLiteral("music\\missing.wav")});
    music->StartMusic();
    EXPECT_EQ(turnedOff, 1);
    EXPECT_FALSE(store.valueExists(user, key, QStringLiteral("BGSound")));

    make({QStringLiteral("music\\first.wav"), QStringLiteral("music\\broken.wav")});
    music->StartMusic();
    EXPECT_EQ(turnedOff, 1);
    ASSERT_TRUE(WaitFor([&] { return turnedOff == 2; }, 3000)); // at the second song
    EXPECT_EQ(music->SongIndex(), 1);

    make({});
    music->StartMusic();
    EXPECT_EQ(turnedOff, 3);
}

TEST_F(BackgroundMusicTest, TheWaitForTheFadeOutIsBounded)
{
    make({QStringLiteral("music\\long.wav")}, 1s); // a fade far too slow to finish
    music->StartMusic();
    QElapsedTimer clock;
    clock.start();
    music->StopMusic(true);
    EXPECT_LT(clock.elapsed(), 1500);
    EXPECT_GE(clock.elapsed(), 250);
    EXPECT_FALSE(music->Fade().Running());
    EXPECT_FALSE(music->MusicPlayer().IsOpen());
    EXPECT_EQ(volume.Volume(), (StereoVolume{50000, 50000}));
}

TEST_F(BackgroundMusicTest, WithoutVolumeControlTheMusicStopsAtOnce)
{
    TRecordingVolume fixed({50000, 50000}, false);
    TBackgroundMusicContext context;
    context.AppDir = disc.virtualPath();
    context.SongList = {QStringLiteral("music\\long.wav")};
    context.SettingsKey = key;
    context.Store = &store;
    context.Volume = &fixed;
    TBackgroundMusic unfaded(context);
    unfaded.StartMusic();
    EXPECT_EQ(unfaded.MusicPlayer().Mode(), TMPModes::Playing);
    QElapsedTimer clock;
    clock.start();
    unfaded.StopMusic(true);
    EXPECT_LT(clock.elapsed(), 200);
    EXPECT_FALSE(unfaded.MusicPlayer().IsOpen());
    EXPECT_TRUE(fixed.Changes().isEmpty());
}

TEST_F(BackgroundMusicTest, MusicThatNeverStartedKeepsTheStoredSong)
{
    make({QStringLiteral("music\\first.wav"), QStringLiteral("music\\long.wav")});
    store.writeInteger(user, key, QStringLiteral("BGSoundSong"), 1);
    store.writeInteger(user, key, QStringLiteral("BGSoundPos"), 1500);
    QElapsedTimer clock;
    clock.start();
    music->StopMusic(true);
    EXPECT_LT(clock.elapsed(), 100);
    EXPECT_EQ(stored(QStringLiteral("BGSoundSong")), 1);
    EXPECT_EQ(stored(QStringLiteral("BGSoundPos")), 1500);
}

// Records, for the changes made on the thread that starts the music, whether
// the song was open yet.
class TOpenWatchingVolume final : public IOutputVolume {
public:
    bool SupportsVolume() const override { return true; }
    StereoVolume Volume() const override
    {
        std::lock_guard lock(mutex_);
        return current_;
    }
    void SetVolume(StereoVolume volume) override
    {
        std::lock_guard lock(mutex_);
        current_ = volume;
        if (std::this_thread::get_id() == starter && player) {
            startedChanges << qMakePair(volume, player->IsOpen());
        }
    }

    std::thread::id starter = std::this_thread::get_id();
    const TMPlayer* player = nullptr;
    QList<QPair<StereoVolume, bool>> startedChanges;

private:
    mutable std::mutex mutex_;
    StereoVolume current_{50000, 50000};
};

TEST_F(BackgroundMusicTest, TheFadeInIsSilentBeforeTheSongOpens)
{
    TOpenWatchingVolume watching;
    TBackgroundMusicContext context;
    context.AppDir = disc.virtualPath();
    context.SongList = {QStringLiteral("music\\long.wav")};
    context.SettingsKey = key;
    context.Store = &store;
    context.Volume = &watching;
    context.FadeTick = 5us;
    TBackgroundMusic watched(context);
    watching.player = &watched.MusicPlayer();
    watched.StartMusic();
    ASSERT_FALSE(watching.startedChanges.isEmpty());
    EXPECT_EQ(watching.startedChanges.first().first, (StereoVolume{0, 0}));
    EXPECT_FALSE(watching.startedChanges.first().second) << "silent before the song opened";
    ASSERT_TRUE(WaitFor([&] { return !watched.Fade().Running(); }, 3000));
    EXPECT_EQ(watching.Volume(), (StereoVolume{50000, 50000}));
    watched.StopMusic(false);
}

TEST_F(BackgroundMusicTest, ASongThatCannotStartLeavesTheVolumeAsItWas)
{
    make({QStringLiteral("music\\broken.wav")}, 1000us);
    music->StartMusic();
    EXPECT_EQ(turnedOff, 1);
    EXPECT_FALSE(music->Fade().Running());
    EXPECT_EQ(volume.Volume(), (StereoVolume{50000, 50000}));
}

// Without a volume of its own the music fades the program's output volume.
TEST_F(BackgroundMusicTest, TheProgramOutputVolumeIsFadedAndRestored)
{
    MediaDevice::setOutputVolume({40000, 20000});
    TBackgroundMusicContext context;
    context.AppDir = disc.virtualPath();
    context.SongList = {QStringLiteral("music\\long.wav")};
    context.SettingsKey = key;
    context.Store = &store;
    context.FadeTick = 200us; // a fade-in of about half a second
    TBackgroundMusic programMusic(context);
    programMusic.StartMusic();
    // Rising from silence, at the same balance.
    ASSERT_TRUE(WaitFor([] { return MediaDevice::outputVolume().left < 20000; }, 1000));
    const StereoVolume rising = MediaDevice::outputVolume();
    EXPECT_EQ(rising.right, rising.left / 2);
    ASSERT_TRUE(WaitFor([&] { return !programMusic.Fade().Running(); }, 3000));
    EXPECT_EQ(MediaDevice::outputVolume(), (StereoVolume{40000, 20000}));
    programMusic.StopMusic(true);
    EXPECT_EQ(MediaDevice::outputVolume(), (StereoVolume{40000, 20000}));
    EXPECT_EQ(programMusic.Fade().SavedVolume(), (StereoVolume{40000, 20000}));
    MediaDevice::setOutputVolume({});
}
