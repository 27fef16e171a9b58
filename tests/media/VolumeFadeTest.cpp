#include "media/VolumeFade.h"

#include "MediaFixtures.h"

#include <QElapsedTimer>
#include <QThread>
#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;
using Direction = TVolumeFade::TDirection;

bool waitUntilEnded(const TVolumeFade& fade, int milliseconds = 5000)
{
    QElapsedTimer clock;
    clock.start();
    while (fade.Running() && clock.elapsed() < milliseconds) {
        QThread::msleep(2);
    }
    return !fade.Running();
}

} // namespace

TEST(VolumeFadeArithmetic, StepsFollowTheLevelAndAFullFadeTakesAboutTwoAndAHalfSeconds)
{
    const QList<std::pair<int, int>> steps = {{0, 3},      {100, 3},   {101, 7},   {4000, 7},
                                              {4001, 15},  {8000, 15}, {8001, 25}, {32000, 25},
                                              {32001, 50}, {65535, 50}};
    for (const auto& [level, step] : steps) {
        EXPECT_EQ(TVolumeFade::StepFor(level), step) << level;
    }
    int ticks = 0;
    for (int level = 65535; level > 0; level -= TVolumeFade::StepFor(level)) {
        ++ticks;
    }
    EXPECT_GT(ticks, 2400); // at one tick per millisecond
    EXPECT_LT(ticks, 2600);
}

TEST(VolumeFadeArithmetic, TheQuietChannelUsesTheRatioRoundedHalfToEven)
{
    EXPECT_EQ(TVolumeFade::QuietLevel(1000, 2.0f), 500);
    EXPECT_EQ(TVolumeFade::QuietLevel(1000, 2.5f), 500); // 2.5 rounds to 2
    EXPECT_EQ(TVolumeFade::QuietLevel(1000, 3.5f), 250); // 3.5 rounds to 4
    EXPECT_EQ(TVolumeFade::QuietLevel(1000, 1.4f), 1000);
    EXPECT_EQ(TVolumeFade::QuietLevel(1001, 1.6f), 500);
}

TEST(VolumeFade, ALeftTwiceTheRightKeepsTheBalanceThroughoutTheFadeIn)
{
    TRecordingVolume volume({40000, 20000});
    TVolumeFade fade(volume, 5us);
    ASSERT_TRUE(fade.Start(Direction::In));
    ASSERT_TRUE(waitUntilEnded(fade));
    const QList<StereoVolume> changes = volume.Changes();
    ASSERT_GT(changes.size(), 100);
    EXPECT_EQ(changes.first(), (StereoVolume{0, 0}));
    int previous = -1;
    for (const StereoVolume& change : changes) {
        EXPECT_EQ(change.right, change.left / 2);
        EXPECT_GE(int(change.left), previous);
        previous = change.left;
    }
    EXPECT_EQ(changes.last(), (StereoVolume{40000, 20000}));
}

TEST(VolumeFade, EqualChannelsMoveTogetherAndAFadeOutEndsSilentAndSignalsOnce)
{
    TRecordingVolume volume({30000, 30000});
    TVolumeFade fade(volume, 5us);
    ASSERT_TRUE(fade.Start(Direction::Out));
    EXPECT_TRUE(fade.WaitFadedOut(5000ms));
    EXPECT_FALSE(fade.WaitFadedOut(20ms)); // taken once
    const QList<StereoVolume> changes = volume.Changes();
    EXPECT_EQ(changes.first(), (StereoVolume{30000, 30000}));
    for (const StereoVolume& change : changes) {
        EXPECT_EQ(change.left, change.right);
    }
    EXPECT_EQ(changes.last(), (StereoVolume{0, 0}));
    EXPECT_EQ(fade.SavedVolume(), (StereoVolume{30000, 30000}));
}

TEST(VolumeFade, ARightLouderThanTheLeftLeadsWithTheRight)
{
    TRecordingVolume volume({10000, 30000});
    TVolumeFade fade(volume, 1h); // ticks only when the test says so
    ASSERT_TRUE(fade.Start(Direction::Out));
    ASSERT_TRUE(fade.Tick());
    ASSERT_TRUE(fade.Tick());
    EXPECT_EQ(volume.Changes(),
              (QList<StereoVolume>{{10000, 30000}, {(30000 - 25) / 3, 30000 - 25}}));
}

TEST(VolumeFade, SilentChannelsCountAsOne)
{
    TRecordingVolume volume({0, 0});
    TVolumeFade fade(volume, 5us);
    ASSERT_TRUE(fade.Start(Direction::In));
    ASSERT_TRUE(waitUntilEnded(fade));
    // Silent at the start, then the first tick at level 0 and the saved volume.
    EXPECT_EQ(volume.Changes(), (QList<StereoVolume>{{0, 0}, {0, 0}, {1, 1}}));
    EXPECT_EQ(fade.SavedVolume(), (StereoVolume{1, 1}));
}

// Music switched off and on again quickly: the second fade takes over from the first.
TEST(VolumeFade, ANewFadeReplacesTheRunningOneAndKeepsItsSavedVolume)
{
    TRecordingVolume volume({30000, 30000});
    TVolumeFade fade(volume, 200us);
    ASSERT_TRUE(fade.Start(Direction::Out));
    ASSERT_TRUE(WaitFor([&] { return fade.Level() < 25000; }, 3000));
    ASSERT_TRUE(fade.Start(Direction::In));
    const int restartLevel = volume.Changes().size();
    ASSERT_TRUE(waitUntilEnded(fade));
    EXPECT_EQ(fade.SavedVolume(), (StereoVolume{30000, 30000}));
    const QList<StereoVolume> changes = volume.Changes().mid(restartLevel);
    ASSERT_FALSE(changes.isEmpty());
    EXPECT_GT(changes.first().left, 0); // from the level reached, not from silence
    EXPECT_LT(changes.first().left, 30000);
    for (qsizetype i = 1; i < changes.size(); ++i) {
        EXPECT_GE(changes[i].left, changes[i - 1].left); // one fade only, rising
    }
    EXPECT_EQ(volume.Volume(), (StereoVolume{30000, 30000}));
}

TEST(VolumeFade, NoVolumeControlMeansNoFadeAndCancelStopsAtOnce)
{
    TRecordingVolume fixed({500, 500}, false);
    TVolumeFade none(fixed);
    EXPECT_FALSE(none.Start(Direction::Out));
    EXPECT_FALSE(none.Running());
    EXPECT_TRUE(fixed.Changes().isEmpty());

    TRecordingVolume volume({60000, 60000});
    TVolumeFade fade(volume); // real milliseconds
    ASSERT_TRUE(fade.Start(Direction::Out));
    QThread::msleep(30);
    fade.Cancel();
    EXPECT_FALSE(fade.Running());
    const qsizetype made = volume.Changes().size();
    EXPECT_GT(made, 0);
    QThread::msleep(20);
    EXPECT_EQ(volume.Changes().size(), made);
    EXPECT_FALSE(fade.WaitFadedOut(1ms));
}
