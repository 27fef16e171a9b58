#include "CommandDispatcher.h"

#include "Busy.h"
#include "SoundPlayer.h"
#include "WindowRegistry.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {

class RecordingSounds : public ISoundPlayer {
public:
    explicit RecordingSounds(QStringList& played) : played_(played) {}
    void PlayAsync(const QString& path) override { played_ << QStringLiteral("async ") + path; }
    void PlayAndWait(const QString& path) override { played_ << QStringLiteral("wait ") + path; }

private:
    QStringList& played_;
};

class RecordingHost : public TCommandHost {
public:
    QString DiskTitle() const override { return QStringLiteral("Демонстрационный диск"); }
    QString AppDir() const override { return QStringLiteral("d:\\run\\"); }
    bool ClickSoundsOn() const override { return soundsOn; }
    void SetExitButton(int index) override { exitButton = index; }
    void MinimizeApplication() override { ++minimized; }
    void ClearButtonStates(int index) override { cleared << index; }
    void FreezeVideoForExit() override { ++frozen; }

    bool soundsOn = true;
    int exitButton = -1;
    int minimized = 0;
    int frozen = 0;
    QList<int> cleared;
};

class CommandDispatcherTest : public testing::Test {
protected:
    void SetUp() override { SetSoundPlayer(std::make_unique<RecordingSounds>(played)); }
    void TearDown() override
    {
        SetSoundPlayer(nullptr);
        SetBusy(false);
        for (const TWindowHandle handle : registered) {
            WindowRegistry::instance().Unregister(handle);
        }
    }

    // A window of the registry that counts its close requests.
    TWindowHandle window(const QString& caption, bool visible, int& closes)
    {
        WindowRegistry::Window entry;
        entry.caption = [caption] { return caption; };
        entry.visible = [visible] { return visible; };
        entry.close = [&closes] { ++closes; };
        registered << WindowRegistry::instance().Register(entry);
        return registered.last();
    }

    void run(QString command, QString sound, int index, int kind, int silent)
    {
        dispatcher.ExecuteCommand(command, sound, index, kind, silent);
    }

    QStringList played;
    QList<TWindowHandle> registered;
    RecordingHost host;
    TCommandDispatcher dispatcher{host};
};

TEST_F(CommandDispatcherTest, ExitClosesTheVisibleShellWindowAndRemembersTheButton)
{
    int hiddenCloses = 0;
    int shellCloses = 0;
    int otherCloses = 0;
    window(QStringLiteral("ДЕМОНСТРАЦИОННЫЙ ДИСК"), true, shellCloses);
    window(QStringLiteral("Демонстрационный диск"), false, hiddenCloses);
    window(QStringLiteral("Тезаурус"), true, otherCloses);
    run(QStringLiteral("exit"), QStringLiteral("bye.wav"), 3, 0, 0);
    EXPECT_EQ(shellCloses, 1);
    EXPECT_EQ(hiddenCloses, 0);
    EXPECT_EQ(otherCloses, 0);
    EXPECT_EQ(host.exitButton, 3);
    EXPECT_EQ(host.frozen, 1);
    EXPECT_TRUE(played.isEmpty()) << "exit plays no click sound";

    run(QStringLiteral("exit"), QString(), 5, 1, 0);
    EXPECT_EQ(shellCloses, 2);
    EXPECT_EQ(host.exitButton, 3) << "only buttons are remembered";
}

TEST_F(CommandDispatcherTest, ClickSoundsPlayOnlyForLoudRequestsWithASoundWhileSwitchedOn)
{
    run(QStringLiteral("nothing"), QStringLiteral("click.wav"), 0, 0, 0);
    EXPECT_EQ(played, QStringList{"async d:\\run\\click.wav"});
    played.clear();
    run(QStringLiteral("nothing"), QStringLiteral("click.wav"), 0, 0, 1);
    run(QStringLiteral("nothing"), QStringLiteral("no"), 0, 0, 0);
    run(QStringLiteral("nothing"), QString(), 0, 0, 0);
    host.soundsOn = false;
    run(QStringLiteral("nothing"), QStringLiteral("click.wav"), 0, 0, 0);
    EXPECT_TRUE(played.isEmpty());
}

TEST_F(CommandDispatcherTest, MinimizeClearsTheStatesOfAButtonOnly)
{
    run(QStringLiteral("minimize"), QStringLiteral("no"), 4, 0, 0);
    run(QStringLiteral("minimize"), QStringLiteral("no"), 2, 1, 0);
    EXPECT_EQ(host.minimized, 2);
    EXPECT_EQ(host.cleared, QList<int>{4});
}

TEST_F(CommandDispatcherTest, NothingRunsWhileBusy)
{
    int closes = 0;
    window(QStringLiteral("Демонстрационный диск"), true, closes);
    SetBusy(true);
    run(QStringLiteral("exit"), QString(), 0, 0, 0);
    run(QStringLiteral("minimize"), QStringLiteral("click.wav"), 0, 0, 0);
    EXPECT_EQ(closes, 0);
    EXPECT_EQ(host.minimized, 0);
    EXPECT_TRUE(played.isEmpty());
}

TEST(WindowRegistryTest, CaptionsMatchWithoutCaseOverTheirFirstCharacters)
{
    EXPECT_TRUE(
        WindowRegistry::CaptionMatches(QStringLiteral("помощь"), QStringLiteral("ПОМОЩЬ"), 127));
    const QString longCaption = QString(127, QLatin1Char('a'));
    EXPECT_TRUE(
        WindowRegistry::CaptionMatches(longCaption + QStringLiteral("tail"), longCaption, 127));
    EXPECT_FALSE(
        WindowRegistry::CaptionMatches(longCaption + QStringLiteral("tail"), longCaption, 128));
}

TEST(WindowRegistryTest, TheMostRecentlyActivatedWindowIsFoundFirst)
{
    WindowRegistry registry;
    QStringList closed;
    auto add = [&](const QString& name) {
        WindowRegistry::Window entry;
        entry.caption = [] { return QStringLiteral("Справка"); };
        entry.visible = [] { return true; };
        entry.close = [&closed, name] { closed << name; };
        return registry.Register(entry);
    };
    const TWindowHandle first = add(QStringLiteral("first"));
    const TWindowHandle second = add(QStringLiteral("second"));
    EXPECT_EQ(registry.FindWindowByCaption(QStringLiteral("справка")), second);
    registry.Activated(first);
    EXPECT_EQ(registry.FindWindowByCaption(QStringLiteral("справка")), first);
    EXPECT_EQ(registry.TopLevelWindows().size(), 2);
    registry.Unregister(first);
    EXPECT_EQ(registry.FindWindowByCaption(QStringLiteral("справка")), second);
    EXPECT_TRUE(registry.SendClose(second));
    EXPECT_FALSE(registry.SendClose(first));
    EXPECT_EQ(closed, QStringList{"second"});
    EXPECT_FALSE(registry.FindWindowByCaption(QStringLiteral("Помощь")).has_value());
}

} // namespace
