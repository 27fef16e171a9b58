#include "effects/EffBtnCar.h"

#include "EventPump.h"

#include <QPainter>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

QImage solid(QSize size, QColor colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// A window that paints green and, while its element fades, the fade's frame on top.
class TFadingOwner : public QWidget {
public:
    TFadingOwner() : effect(this) { resize(60, 40); }
    TEffBtnCar effect;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::green);
        if (effect.isRunning()) {
            effect.drawFrame(painter);
        }
    }
};

// Drives the fade's ticks by hand; the worker is parked on a long interval meanwhile.
class CrossFade : public testing::Test {
protected:
    CrossFade()
    {
        effect.Timer().SetInterval(60000);
        QObject::connect(&effect, &TEffBtnCar::frameDrawn,
                         [this](int alpha) { alphas.append(alpha); });
    }
    int tickToTheEnd()
    {
        int ticks = 0;
        while (effect.Running() && ticks < 1000) {
            effect.Timer().DoTimer();
            ++ticks;
        }
        return ticks;
    }
    void tick(int count)
    {
        for (int i = 0; i < count; ++i) {
            effect.Timer().DoTimer();
        }
    }

    TFadingOwner owner;
    TEffBtnCar& effect = owner.effect;
    QList<int> alphas;
    const QImage red = solid(QSize(20, 10), QColor(200, 0, 0));
    const QImage blue = solid(QSize(20, 10), QColor(0, 0, 200));
};

TEST_F(CrossFade, StepFourRunsSixtyFourTicksAndEndsAtFullAlpha)
{
    EXPECT_EQ(effect.Step(), 1);
    effect.SetStep(4);
    effect.StartCrossFade(red, blue, QPoint(5, 7));
    EXPECT_TRUE(effect.Running());
    EXPECT_EQ(effect.DrawPos(), QPoint(5, 7));
    EXPECT_EQ(tickToTheEnd(), 64);
    ASSERT_EQ(alphas.size(), 64);
    for (int i = 0; i < 63; ++i) {
        EXPECT_EQ(alphas[i], 4 * (i + 1));
    }
    EXPECT_EQ(alphas.last(), 255);
    EXPECT_FALSE(effect.Running());
    EXPECT_FALSE(effect.Timer().Enabled());
    EXPECT_TRUE(effect.Frame().isNull());
    EXPECT_EQ(effect.StartAlpha(), 0);
}

TEST_F(CrossFade, TheOwnerPaintsTheBlendedFrameInPlace)
{
    effect.SetStep(4);
    effect.StartCrossFade(red, blue, QPoint(5, 7));
    tick(32);
    ASSERT_EQ(alphas.last(), 128);
    const QImage shown = owner.grab().toImage();
    EXPECT_EQ(shown.pixelColor(5, 7), QColor(100, 0, 100));
    EXPECT_EQ(shown.pixelColor(24, 16), QColor(100, 0, 100));
    EXPECT_EQ(shown.pixelColor(25, 16), QColor(Qt::green));
    EXPECT_EQ(shown.pixelColor(4, 7), QColor(Qt::green));
    tickToTheEnd();
    EXPECT_EQ(owner.grab().toImage().pixelColor(5, 7), QColor(Qt::green));
}

TEST_F(CrossFade, AReversedFadeContinuesFromTheMirrorAlpha)
{
    effect.SetStep(4);
    effect.StartCrossFade(red, blue, QPoint(0, 0));
    tick(10);
    const QColor reached = effect.Frame().image().pixelColor(0, 0);
    effect.StartCrossFade(blue, red, QPoint(0, 0));
    EXPECT_EQ(effect.StartAlpha(), 255 - 40);
    EXPECT_EQ(effect.Timer().TickCount(), 0u);
    const QColor resumed = effect.Frame().image().pixelColor(0, 0);
    EXPECT_LE(std::abs(resumed.red() - reached.red()), 2);
    EXPECT_LE(std::abs(resumed.blue() - reached.blue()), 2);

    tick(3);
    effect.StartCrossFade(red, blue, QPoint(0, 0));
    EXPECT_EQ(effect.StartAlpha(), 255 - 3 * 4 - 215);
    alphas.clear();
    EXPECT_EQ(tickToTheEnd(), 57);
    EXPECT_EQ(alphas.first(), 32);
    EXPECT_EQ(alphas.last(), 255);
    EXPECT_EQ(effect.StartAlpha(), 0);
}

TEST_F(CrossFade, ReversingBeforeAnyTickEndsAtOnce)
{
    effect.SetStep(4);
    effect.StartCrossFade(red, blue, QPoint(0, 0));
    effect.StartCrossFade(blue, red, QPoint(0, 0));
    EXPECT_EQ(effect.StartAlpha(), 255);
    EXPECT_EQ(tickToTheEnd(), 1);
    EXPECT_EQ(alphas, QList<int>{255});
}

TEST_F(CrossFade, StoppingEndsTheFadeAndLaterTicksDoNothing)
{
    effect.StartCrossFade(red, blue, QPoint(0, 0));
    tick(5);
    effect.StopCrossFade();
    EXPECT_FALSE(effect.Running());
    EXPECT_EQ(effect.StartAlpha(), 0);
    EXPECT_TRUE(effect.Frame().isNull());
    alphas.clear();
    tick(3);
    EXPECT_TRUE(alphas.isEmpty());
    effect.StopCrossFade();
    EXPECT_FALSE(effect.Running());
}

TEST_F(CrossFade, EmptyPicturesDrawNothingAndEndCleanly)
{
    effect.StartCrossFade(QImage(), blue, QPoint(0, 0));
    EXPECT_FALSE(effect.Running());
    effect.StartCrossFade(red, blue, QPoint(0, 0));
    tick(2);
    effect.StartCrossFade(red, QImage(), QPoint(0, 0));
    EXPECT_FALSE(effect.Running());
    EXPECT_FALSE(effect.Timer().Enabled());
    EXPECT_EQ(alphas.size(), 2);
}

TEST_F(CrossFade, TheNewPictureIsFittedToTheOldOnesSize)
{
    effect.SetStep(64);
    effect.StartCrossFade(red, solid(QSize(8, 30), Qt::white), QPoint(0, 0));
    EXPECT_EQ(effect.Frame().size(), red.size());
    tick(3);
    EXPECT_EQ(effect.Frame().image().pixelColor(7, 9), QColor(241, 191, 191));
    EXPECT_EQ(effect.Frame().image().pixelColor(8, 9), QColor(50, 0, 0));
    EXPECT_EQ(tickToTheEnd(), 1);
}

TEST(CrossFadeOnTheTimer, RealTicksRunTheFadeToItsEnd)
{
    TFadingOwner owner;
    owner.show();
    QList<int> alphas;
    QObject::connect(&owner.effect, &TEffBtnCar::frameDrawn,
                     [&](int alpha) { alphas.append(alpha); });
    owner.effect.SetStep(4);
    owner.effect.StartCrossFade(solid(QSize(9, 9), Qt::black), solid(QSize(9, 9), Qt::white),
                                QPoint(1, 1));
    ASSERT_TRUE(pumpUntil([&] { return !owner.effect.Running(); }));
    EXPECT_EQ(alphas.size(), 64);
    EXPECT_EQ(alphas.last(), 255);
    pumpEvents(20);
    EXPECT_EQ(alphas.size(), 64);
}

TEST(CrossFadeOnTheTimer, DestroyingTheOwnerMidFadeIsSafe)
{
    for (int round = 0; round < 20; ++round) {
        auto owner = std::make_unique<TFadingOwner>();
        owner->show();
        owner->effect.StartCrossFade(solid(QSize(9, 9), Qt::black), solid(QSize(9, 9), Qt::white),
                                     QPoint(1, 1));
        pumpEvents(round % 4);
        owner.reset();
        QCoreApplication::processEvents();
    }
}

} // namespace
