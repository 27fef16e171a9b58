#include "media/ClipPlayer.h"

#include "MediaFixtures.h"
#include "TempDir.h"
#include "components/ComponentSet.h"
#include "media/ClipPlayerArea.h"
#include "platform/VirtualFs.h"

#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

// Records what the clip player asks of the music, in one log with the setting's changes.
class TFakeMusic final : public IBackgroundMusic {
public:
    explicit TFakeMusic(QStringList& log) : log_(log) {}
    void StartMusic() override { log_.append(QStringLiteral("start")); }
    void StopMusic(bool fade) override
    {
        log_.append(fade ? QStringLiteral("stop with fade") : QStringLiteral("stop"));
    }

private:
    QStringList& log_;
};

// Page panels that only note the pages opened in numbered panels.
class TFakePanels final : public IPagePanels {
public:
    QStringList opened;
    void OpenInPanel(int number, const QString& page) override
    {
        opened.append(QStringLiteral("%1:%2").arg(number).arg(page));
    }
    void ScreenChanged() override {}
    void RememberCommandPage(const QString&) override {}
    void GoBack(TDynamicSwthOneArray&, TDynamicSwthGrpArray&) override {}
    void GoForward(TDynamicSwthOneArray&, TDynamicSwthGrpArray&) override {}
    void OpenFile(const QString&) override {}
    void CopyPage() override {}
    void PrintPage(const QString&) override {}
    void ScrollToTop() override {}
    void NextChapter() override {}
    void PrevChapter() override {}
    void SelectAll() override {}
    bool IsArchiveMode() const override { return false; }
    QString CurrentDocument() const override { return {}; }
    void LoadInCurrentViewer(const QString&) override {}
    bool CurrentViewerShown() const override { return true; }
    void HideCurrentViewer() override {}
    void ShowCurrentViewer() override {}
    void ReleaseViewerAlignment() override {}
    void FillPanelWithViewer() override {}
    void SetPicturePrint(bool) override {}
    void SetPictureWidth(int) override {}
    void SetPictureHeight(int) override {}
    QString HistoryFile(int) const override { return {}; }
    void GoToHistory(int) override {}
    QString CurrentTitle() const override { return {}; }
    int CurrentPosition() const override { return 0; }
    void SetCurrentPosition(int) override {}
    void CopySelection() override {}
    void ChooseDefaultFont() override {}
};

RClip ClipArea(QRect bounds, TColor color, int panel, int screen)
{
    RClip record;
    record.Left = bounds.left();
    record.Top = bounds.top();
    record.Right = bounds.left() + bounds.width();
    record.Bottom = bounds.top() + bounds.height();
    record.BgColor = color;
    record.Html = panel;
    record.Screen = screen;
    return record;
}

using Action = TSound::TEndAction;

class ClipPlayerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        UseFakeSinks();
        VirtualFs::instance().mount(QStringLiteral("z:\\"), QStringLiteral("/"));
        window.resize(800, 600);
        components.Music = &music;
        components.PagePanels = &panels;
        context.MainWindow = &window;
        context.Clips = {ClipArea(QRect(20, 30, 200, 150), 0x0000FF, 3, 0),
                         ClipArea(QRect(300, 30, 100, 100), 0x00FF00, 4, 0),
                         ClipArea(QRect(40, 50, 160, 120), 0xFF0000, 5, 1)};
        context.CurrentScreen = [this] { return screen; };
        context.Components = &components;
        context.MusicSettingOn = [this] { return musicOn; };
        context.SetMusicSetting = [this](bool on) {
            musicOn = on;
            log.append(on ? QStringLiteral("ticked") : QStringLiteral("unticked"));
        };
        context.InstallMpegDriver = [this] { log.append(QStringLiteral("driver")); };
        context.EndButtonHover = [this] { log.append(QStringLiteral("hover ends")); };
    }

    void make()
    {
        sound = CreateClipPlayer(context);
        QObject::connect(&sound->Player(), &TMPlayer::notify,
                         [this] { notifications.append(sound->Player().NotifyValue()); });
    }
    QString wave(const QString& name, int milliseconds)
    {
        disc.write(name, WaveFile(milliseconds));
        return disc.virtualPath() + name;
    }
    QString video(const QString& name)
    {
        EXPECT_TRUE(WriteVideoFile(disc.file(name)));
        return disc.virtualPath() + name;
    }
    bool waitForNotifications(int count, int milliseconds = 5000)
    {
        return WaitFor([&] { return notifications.size() >= count; }, milliseconds);
    }
    bool playing() { return sound->Player().Mode() == TMPModes::Playing; }

    TempDir disc;
    QWidget window;
    QStringList log;
    TFakeMusic music{log};
    TFakePanels panels;
    TComponentSet components;
    TClipPlayerContext context;
    std::unique_ptr<TSound> sound;
    QList<TMPNotifyValues> notifications;
    int screen = 0;
    bool musicOn = true;
};

} // namespace

TEST_F(ClipPlayerTest, AreasFollowTheScreens)
{
    make();
    ASSERT_EQ(sound->AreaCount(), 3);
    TColorWinControl* first = sound->ClipArea(0);
    EXPECT_EQ(first->parentWidget(), &window);
    EXPECT_EQ(first->geometry(), QRect(20, 30, 200, 150));
    EXPECT_EQ(first->Color(), QColor(255, 0, 0)); // red is the low byte
    EXPECT_EQ(sound->ClipArea(2)->Color(), QColor(0, 0, 255));
    EXPECT_EQ(first->focusPolicy(), Qt::NoFocus);
    EXPECT_TRUE(first->isVisibleTo(&window));
    EXPECT_TRUE(sound->ClipArea(1)->isVisibleTo(&window));
    EXPECT_FALSE(sound->ClipArea(2)->isVisibleTo(&window));

    screen = 1;
    sound->ShowScreenAreas();
    EXPECT_FALSE(first->isVisibleTo(&window));
    EXPECT_TRUE(sound->ClipArea(2)->isVisibleTo(&window));
    sound->ShowScreenAreas(); // the same screen again
    EXPECT_TRUE(sound->ClipArea(2)->isVisibleTo(&window));
    EXPECT_EQ(sound->LastScreen(), 1);

    QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), QPointF(5, 5), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(sound->ClipArea(2), &move);
    EXPECT_EQ(log, QStringList{QStringLiteral("hover ends")});

    sound.reset(); // the areas go with the player
    EXPECT_TRUE(window.findChildren<TColorWinControl*>().isEmpty());
}

TEST_F(ClipPlayerTest, AClipPlaysInTheFirstAreaOfTheScreenWithItsPage)
{
    make();
    const QString clip = video(QStringLiteral("movie.avi"));
    sound->PlayClip(clip, QStringLiteral("d:\\pages\\movie.htm"), 4);
    EXPECT_EQ(sound->Player().Display(), sound->ClipArea(0));
    EXPECT_EQ(panels.opened, QStringList{QStringLiteral("3:d:\\pages\\movie.htm")});
    EXPECT_TRUE(playing());
    EXPECT_EQ(sound->EndAction(), Action::Close);
    EXPECT_EQ(log, QStringList({QStringLiteral("stop"), QStringLiteral("unticked")}));
    EXPECT_FALSE(musicOn);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    // It ends by itself: the device closes and the music stays off.
    ASSERT_TRUE(waitForNotifications(1));
    EXPECT_EQ(notifications.last(), TMPNotifyValues::Successful);
    EXPECT_FALSE(sound->Player().IsOpen());
    EXPECT_EQ(log.size(), 2);
    EXPECT_FALSE(musicOn);

    sound->PlayClip(clip, QString(), 4); // no page: the panel's start page
    EXPECT_EQ(panels.opened.last(), QStringLiteral("3:"));
    EXPECT_EQ(log.size(), 2); // the music was off already
}

TEST_F(ClipPlayerTest, AClipOnAScreenWithoutAreaHasNoDisplayAndNoPage)
{
    make();
    const QString clip = video(QStringLiteral("movie.avi"));
    sound->PlayClip(clip, QString(), 4);
    ASSERT_EQ(sound->Player().Display(), sound->ClipArea(0));
    screen = 2;
    sound->ShowScreenAreas();
    sound->PlayClip(clip, QStringLiteral("d:\\page.htm"), 4);
    EXPECT_EQ(sound->Player().Display(), nullptr); // not the hidden area of the other screen
    EXPECT_EQ(panels.opened, QStringList{QStringLiteral("3:")});
    EXPECT_TRUE(sound->Player().HasVideo());
    EXPECT_TRUE(playing());
}

TEST_F(ClipPlayerTest, AWaveLinkStopsTheMusicAndBringsItBack)
{
    make();
    sound->PlayClip(wave(QStringLiteral("ding.wav"), 300), QString(), 3);
    EXPECT_EQ(sound->EndAction(), Action::RestartMusic);
    EXPECT_EQ(log, QStringList({QStringLiteral("stop"), QStringLiteral("unticked")}));
    EXPECT_TRUE(playing());
    EXPECT_TRUE(panels.opened.isEmpty());
    ASSERT_TRUE(waitForNotifications(1));
    // The music starts, then the box is ticked with the setting.
    EXPECT_EQ(log, QStringList({QStringLiteral("stop"), QStringLiteral("unticked"),
                                QStringLiteral("start"), QStringLiteral("ticked")}));
    EXPECT_TRUE(musicOn);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(ClipPlayerTest, ASecondSoundInheritsThePendingMusicRestart)
{
    make();
    sound->PlayClip(wave(QStringLiteral("long.wav"), 2000), QString(), 3);
    ASSERT_TRUE(playing());
    sound->PlayClip(wave(QStringLiteral("short.wav"), 300), QString(), 3);
    EXPECT_EQ(sound->EndAction(), Action::RestartMusic);
    ASSERT_TRUE(WaitFor([&] { return log.contains(QStringLiteral("start")); }, 4000));
    Spin(300);
    EXPECT_EQ(log.count(QStringLiteral("start")), 1);
    EXPECT_EQ(log.count(QStringLiteral("stop")), 1);
    EXPECT_NE(notifications.first(), TMPNotifyValues::Successful); // the first was cut off
}

TEST_F(ClipPlayerTest, WithoutMusicASoundClosesTheDeviceWhenItEnds)
{
    musicOn = false;
    make();
    sound->PlayClip(wave(QStringLiteral("ding.wav"), 300), QString(), 3);
    EXPECT_EQ(sound->EndAction(), Action::Close);
    ASSERT_TRUE(waitForNotifications(1));
    EXPECT_FALSE(sound->Player().IsOpen());
    EXPECT_TRUE(log.isEmpty());
}

TEST_F(ClipPlayerTest, PauseTwiceResumesAndTheEndGoesUnnoticed)
{
    make();
    sound->PlayClip(wave(QStringLiteral("tone.wav"), 800), QString(), 3);
    sound->SetNotify(false);
    sound->PauseOrResume();
    EXPECT_EQ(sound->Player().Mode(), TMPModes::Paused);
    sound->SetNotify(false);
    sound->PauseOrResume();
    EXPECT_TRUE(playing());
    ASSERT_TRUE(WaitFor([&] { return sound->Player().Mode() == TMPModes::Stopped; }, 4000));
    Spin(200);
    EXPECT_TRUE(sound->Player().IsOpen());
    EXPECT_FALSE(log.contains(QStringLiteral("start")));
    EXPECT_FALSE(musicOn);
}

TEST_F(ClipPlayerTest, StepsStayInsideTheClip)
{
    musicOn = false;
    make();
    sound->PlayClip(wave(QStringLiteral("long.wav"), 15000), QString(), 3);
    TMPlayer& player = sound->Player();
    const qint64 length = player.Length();
    ASSERT_NEAR(length, 15000, 50);

    player.Pause();
    player.Seek(4000);
    sound->StepBack();
    EXPECT_LT(player.Position(), 300);
    EXPECT_TRUE(playing());

    player.Pause();
    player.Seek(2000);
    sound->StepForward();
    EXPECT_NEAR(player.Position(), 12000, 300);
    EXPECT_TRUE(playing());

    player.Seek(length - 4000);
    sound->StepForward(); // to the end, where the clip ends at once
    ASSERT_TRUE(WaitFor([&] { return !player.IsOpen(); }, 3000));
    EXPECT_EQ(notifications.last(), TMPNotifyValues::Successful);
}

// An MP3 file without a header that gives its length: the device learns it
// only after a while of playing.
TEST_F(ClipPlayerTest, StepForwardLeavesAStreamOfUnknownLengthWhereItIs)
{
    musicOn = false;
    make();
    const QString file = disc.file(QStringLiteral("stream.mp3"));
    ASSERT_TRUE(EncodeMediaFile("audiotestsrc num-buffers=300 ! audioconvert ! lamemp3enc"
                                " ! id3v2mux ! filesink location=\"" +
                                file.toUtf8() + "\""));
    sound->PlayClip(disc.virtualPath() + QStringLiteral("stream.mp3"), QString(), 3);
    TMPlayer& player = sound->Player();
    ASSERT_TRUE(player.IsOpen());
    ASSERT_TRUE(WaitFor([&] { return player.Position() > 150; }, 5000));
    ASSERT_EQ(player.Length(), 0) << "the length is unknown when the step comes";
    const qint64 before = player.Position();
    sound->StepForward();
    EXPECT_GE(player.Position(), before) << "not back to the start";
    EXPECT_TRUE(playing());
}

TEST_F(ClipPlayerTest, CommandsOnAClosedPlayerDoNothing)
{
    make();
    EXPECT_NO_THROW(sound->Stop());
    EXPECT_NO_THROW(sound->PauseOrResume());
    EXPECT_NO_THROW(sound->StepForward());
    EXPECT_NO_THROW(sound->StepBack());
    EXPECT_NO_THROW(sound->Close());
    EXPECT_FALSE(sound->Player().IsOpen());

    // "stop" keeps the device open at its position.
    sound->PlayClip(wave(QStringLiteral("tone.wav"), 2000), QString(), 3);
    Spin(300);
    sound->Stop();
    EXPECT_TRUE(sound->Player().IsOpen());
    EXPECT_EQ(sound->Player().Mode(), TMPModes::Stopped);
    EXPECT_GT(sound->Player().Position(), 100);
    sound->Close();
    EXPECT_FALSE(sound->Player().IsOpen());
}

TEST_F(ClipPlayerTest, MissingAndDamagedFilesFailQuietly)
{
    make();
    sound->PlayClip(disc.virtualPath() + QStringLiteral("missing.avi"), QString(), 4);
    EXPECT_FALSE(sound->Player().IsOpen());
    EXPECT_EQ(sound->Player().ErrorCode(), MciError::FileNotFound);
    disc.write(QStringLiteral("junk.avi"), QByteArray(5000, '\x17'));
    sound->PlayClip(disc.virtualPath() + QStringLiteral("junk.avi"), QString(), 4);
    EXPECT_FALSE(sound->Player().IsOpen());
    sound->PlayClip(disc.virtualPath() + QStringLiteral("gone.wav"), QString(), 3);
    EXPECT_FALSE(sound->Player().IsOpen());
    sound->PlayClip(disc.virtualPath() + QStringLiteral("<>|\\..\\..\\x.mp3"), QString(), 3);
    EXPECT_FALSE(sound->Player().IsOpen());
    EXPECT_FALSE(log.contains(QStringLiteral("driver")));
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    Spin(100);
    EXPECT_TRUE(notifications.isEmpty());
}

TEST_F(ClipPlayerTest, AVideoWithAnUnknownCodecInstallsTheDriverAndTriesOnce)
{
    make();
    const QString clip = video(QStringLiteral("odd.avi"));
    QFile file(disc.file(QStringLiteral("odd.avi")));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    QByteArray bytes = file.readAll();
    bytes.replace("MJPG", "QQZZ");
    file.seek(0);
    file.write(bytes);
    file.close();
    sound->PlayClip(clip, QString(), 4);
    EXPECT_EQ(log.count(QStringLiteral("driver")), 1);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(ClipPlayerTest, ACapitalWaveNameTakesTheAreaPathButOpensNoPage)
{
    make();
    sound->PlayClip(wave(QStringLiteral("CLIP.WAV"), 300), QString(), 3);
    EXPECT_EQ(sound->Player().Display(), sound->ClipArea(0));
    EXPECT_TRUE(panels.opened.isEmpty());
    EXPECT_TRUE(playing());
}

TEST_F(ClipPlayerTest, PlayReplaysTheLastFile)
{
    make();
    sound->PlayClip(QString(), QString(), 0); // nothing played yet: nothing happens
    EXPECT_FALSE(sound->Player().IsOpen());
    EXPECT_TRUE(log.isEmpty());
    EXPECT_TRUE(musicOn);

    musicOn = false;
    const QString clip = video(QStringLiteral("movie.avi"));
    sound->PlayClip(clip, QStringLiteral("d:\\page.htm"), 4);
    ASSERT_TRUE(waitForNotifications(1));
    ASSERT_FALSE(sound->Player().IsOpen());

    sound->PlayClip(QString(), QString(), 0);
    EXPECT_EQ(sound->Player().FileName(), clip);
    EXPECT_EQ(sound->Player().Display(), sound->ClipArea(0));
    EXPECT_EQ(panels.opened.size(), 1); // the replay opens no page
    EXPECT_TRUE(playing());
    EXPECT_EQ(sound->EndAction(), Action::None);
    ASSERT_TRUE(waitForNotifications(2));
    EXPECT_TRUE(sound->Player().IsOpen()); // nothing to do at the end
}

TEST_F(ClipPlayerTest, ASoundOverAReplayedClipPlaysTheClipAgainAfterIt)
{
    musicOn = false;
    make();
    const QString tune = wave(QStringLiteral("tune.wav"), 2000);
    sound->PlayClip(tune, QString(), 3);
    sound->Stop();
    sound->PlayClip(QString(), QString(), 0);
    ASSERT_TRUE(playing());
    sound->PlayClip(wave(QStringLiteral("ding.wav"), 300), QString(), 3);
    EXPECT_EQ(sound->EndAction(), Action::Replay);
    ASSERT_TRUE(WaitFor([&] { return sound->Player().FileName() == tune; }, 3000));
    EXPECT_TRUE(playing());
    EXPECT_EQ(sound->EndAction(), Action::None);
}
