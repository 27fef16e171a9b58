#include "effects/EffCar.h"

#include "EventPump.h"
#include "effects/Blend.h"

#include <QPainter>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

const QColor FaceColour(200, 100, 50);

// A window that paints its face, or only the fade's frame while the fade runs.
class TFadingWindow : public QWidget {
public:
    TFadingWindow() : effect(this)
    {
        setWindowFlags(Qt::FramelessWindowHint);
        setGeometry(30, 40, 40, 30);
    }
    TEffCar effect;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        if (effect.isRunning()) {
            effect.drawFrame(painter);
            return;
        }
        painter.fillRect(rect(), FaceColour);
    }
};

class WindowFade : public testing::Test {
protected:
    WindowFade()
    {
        effect.Timer().SetInterval(60000);
        QObject::connect(&effect, &TEffCar::frameDrawn,
                         [this](int alpha) { alphas.append(alpha); });
        QObject::connect(&effect, &TEffCar::fadeStarted, [this] { ++started; });
        QObject::connect(&effect, &TEffCar::fadeFinished, [this] {
            EXPECT_FALSE(effect.Running());
            ++finished;
        });
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

    TFadingWindow window;
    TEffCar& effect = window.effect;
    QList<int> alphas;
    int started = 0;
    int finished = 0;
};

TEST_F(WindowFade, GrabsTheFaceWithItsNormalLook)
{
    effect.StartFadeIn();
    ASSERT_TRUE(effect.Running());
    EXPECT_EQ(started, 1);
    EXPECT_EQ(finished, 0);
    ASSERT_EQ(effect.Face().size(), QSize(40, 30));
    ASSERT_EQ(effect.Backdrop().size(), QSize(40, 30));
    EXPECT_EQ(effect.Face().image().pixelColor(39, 29), FaceColour);
    EXPECT_EQ(effect.Frame().image(), effect.Backdrop().image());
}

TEST_F(WindowFade, RunsFiftyOneStepsAndAClosingFrame)
{
    effect.StartFadeIn();
    EXPECT_EQ(tickToTheEnd(), 52);
    ASSERT_EQ(alphas.size(), 52);
    for (int i = 0; i < 51; ++i) {
        EXPECT_EQ(alphas[i], 5 * (i + 1));
    }
    EXPECT_EQ(alphas.last(), 255);
    EXPECT_FALSE(effect.Running());
    EXPECT_FALSE(effect.Timer().Enabled());
    EXPECT_EQ(finished, 1);
    EXPECT_TRUE(effect.Frame().isNull() && effect.Face().isNull() && effect.Backdrop().isNull());
}

TEST_F(WindowFade, EachFrameBlendsTheBackdropIntoTheFace)
{
    effect.StartFadeIn();
    const TFastBitmap backdrop = effect.Backdrop();
    const TFastBitmap face = effect.Face();
    for (int tick = 0; tick < 20; ++tick) {
        effect.Timer().DoTimer();
    }
    TFastBitmap expected;
    ASSERT_TRUE(Blend(backdrop, face, 100, expected));
    EXPECT_EQ(effect.Frame().image(), expected.image());
    const QImage shown = window.grab().toImage().convertToFormat(QImage::Format_RGB888);
    EXPECT_EQ(shown, expected.image());
}

TEST_F(WindowFade, ARestartKeepsTheBackdropAndCountsAgain)
{
    effect.StartFadeIn();
    for (int tick = 0; tick < 30; ++tick) {
        effect.Timer().DoTimer();
    }
    const QImage backdrop = effect.Backdrop().image();
    effect.StartFadeIn();
    EXPECT_EQ(effect.Backdrop().image(), backdrop);
    EXPECT_EQ(effect.Face().image().pixelColor(0, 0), FaceColour);
    EXPECT_EQ(tickToTheEnd(), 52);
    EXPECT_EQ(started, 2);
    EXPECT_EQ(finished, 1);
}

TEST_F(WindowFade, AnEmptyWindowStartsNothing)
{
    window.resize(0, 0);
    effect.StartFadeIn();
    EXPECT_FALSE(effect.Running());
    EXPECT_EQ(started, 0);
}

TEST(WindowFadeOnTheTimer, EndsOnTheFullFaceEvenWhenTicksComeLate)
{
    TFadingWindow window;
    QList<int> alphas;
    QObject::connect(&window.effect, &TEffCar::frameDrawn, [&](int alpha) {
        alphas.append(alpha);
        if (alphas.size() % 10 == 0) {
            QThread::msleep(15); // a busy GUI thread delays the next ticks
        }
    });
    window.show();
    window.effect.StartFadeIn();
    ASSERT_TRUE(pumpUntil([&] { return !window.effect.Running(); }));
    EXPECT_EQ(alphas.size(), 52);
    EXPECT_EQ(alphas.last(), 255);
    pumpEvents(20);
    EXPECT_EQ(window.grab().toImage().pixelColor(20, 15), FaceColour);
}

TEST(WindowFadeOnTheTimer, ClosingTheWindowMidFadeIsSafe)
{
    for (int round = 0; round < 10; ++round) {
        auto window = std::make_unique<TFadingWindow>();
        window->show();
        window->effect.StartFadeIn();
        pumpEvents(round % 3);
        window.reset();
        QCoreApplication::processEvents();
    }
}

} // namespace
