#include "content/ImageHint.h"

#include <QEventLoop>
#include <QTimer>
#include <gtest/gtest.h>

// Image hints: two ticks to show, the 21st to hide, the count restarting at
// 2 for another image.

namespace {

ViewerObject Image(quint64 id, const QString& hint)
{
    ViewerObject object;
    object.kind = ViewerObject::Image;
    object.id = id;
    object.hint = hint;
    return object;
}

class ImageHint : public ::testing::Test {
protected:
    void Ticks(int count)
    {
        for (int i = 0; i < count; ++i) {
            hint.Tick();
        }
    }

    ViewerObject underCursor;
    QPoint cursor{100, 200};
    TImageHint hint{[this] { return underCursor; }, [this] { return cursor; }};
};

TEST_F(ImageHint, ShowsAfterTwoTicksAndHidesAtTheTwentyFirst)
{
    underCursor = Image(1, QStringLiteral("Машина"));
    hint.MouseMoved(underCursor);
    EXPECT_TRUE(hint.TimerActive());
    hint.Tick();
    EXPECT_FALSE(hint.Shown());
    hint.Tick();
    ASSERT_TRUE(hint.Shown());
    EXPECT_EQ(hint.ShownText(), QStringLiteral("Машина"));
    EXPECT_EQ(hint.ShownAt(), QPoint(100, 218));
    Ticks(18);
    EXPECT_EQ(hint.Ticks(), 20);
    EXPECT_TRUE(hint.Shown());
    hint.Tick();
    EXPECT_FALSE(hint.Shown());
    EXPECT_FALSE(hint.TimerActive());

    // Resting on the same image does not bring it back.
    hint.MouseMoved(underCursor);
    EXPECT_FALSE(hint.TimerActive());
}

TEST_F(ImageHint, AnotherImageRestartsTheCountAtTwo)
{
    underCursor = Image(1, QStringLiteral("Первая"));
    hint.MouseMoved(underCursor);
    Ticks(10);
    underCursor = Image(2, QStringLiteral("Вторая"));
    cursor = QPoint(300, 40);
    hint.MouseMoved(underCursor); // the timer runs: nothing restarts here
    hint.Tick();
    EXPECT_EQ(hint.Ticks(), 2);
    EXPECT_EQ(hint.ShownText(), QStringLiteral("Вторая"));
    EXPECT_EQ(hint.ShownAt(), QPoint(300, 58));
    Ticks(18);
    EXPECT_TRUE(hint.Shown());
    hint.Tick();
    EXPECT_FALSE(hint.Shown());
}

TEST_F(ImageHint, LeavingTheImageHidesAndMovingBackShowsAgain)
{
    underCursor = Image(1, QStringLiteral("Машина"));
    hint.MouseMoved(underCursor);
    Ticks(3);
    ASSERT_TRUE(hint.Shown());
    underCursor = ViewerObject();
    hint.Tick();
    EXPECT_FALSE(hint.Shown());
    EXPECT_FALSE(hint.TimerActive());
    hint.MouseMoved(underCursor);
    underCursor = Image(1, QStringLiteral("Машина"));
    hint.MouseMoved(underCursor);
    EXPECT_TRUE(hint.TimerActive());
    Ticks(2);
    EXPECT_TRUE(hint.Shown());
}

TEST_F(ImageHint, TextWaitsAndImagesWithoutHintHide)
{
    underCursor = Image(1, QStringLiteral("Машина"));
    hint.MouseMoved(underCursor);
    Ticks(2);
    underCursor.kind = ViewerObject::Text;
    underCursor.id = 9;
    hint.Tick();
    EXPECT_TRUE(hint.Shown());
    EXPECT_TRUE(hint.TimerActive());
    underCursor = Image(3, QString());
    hint.Tick();
    EXPECT_FALSE(hint.Shown());
    EXPECT_FALSE(hint.TimerActive());
    hint.MouseMoved(underCursor); // no hint text: no timer
    EXPECT_FALSE(hint.TimerActive());
}

TEST_F(ImageHint, TimerTicksEveryTwoHundredMilliseconds)
{
    underCursor = Image(1, QStringLiteral("Машина"));
    hint.MouseMoved(underCursor);
    QEventLoop loop;
    QTimer::singleShot(300, &loop, &QEventLoop::quit);
    loop.exec();
    EXPECT_FALSE(hint.Shown());
    QTimer::singleShot(200, &loop, &QEventLoop::quit);
    loop.exec();
    EXPECT_TRUE(hint.Shown());
    EXPECT_EQ(hint.Ticks(), 2);
}

} // namespace
