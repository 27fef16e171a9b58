#include "media/SlideImage.h"

#include "MediaFixtures.h"
#include "TempDir.h"
#include "media/SlideImagePicture.h"
#include "platform/VirtualFs.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QImage>
#include <QMouseEvent>
#include <QSet>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

// Picture files whose sizes tell them apart: picture k of a folder is (10 + k) x (5 + k).
QByteArray PictureBytes(QSize size, const char* format, QColor color = Qt::red)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QSize SizeOf(int k)
{
    return QSize(10 + k, 5 + k);
}

class SlideImageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        VirtualFs::instance().mount(QStringLiteral("z:\\"), QStringLiteral("/"));
        window.resize(800, 600);
    }

    // A folder of count bitmaps named p0.bmp, p1.bmp, ...; its virtual path.
    QString folder(const QString& name, int count)
    {
        for (int k = 0; k < count; ++k) {
            disc.write(QStringLiteral("%1/p%2.bmp").arg(name).arg(k),
                       PictureBytes(SizeOf(k), "BMP"));
        }
        return disc.virtualPath() + name + QLatin1Char('\\');
    }
    void area(const QString& dir, int onScreen, QRect bounds = QRect(10, 10, 100, 60))
    {
        RImage record;
        record.Left = bounds.left();
        record.Top = bounds.top();
        record.Right = bounds.left() + bounds.width();
        record.Bottom = bounds.top() + bounds.height();
        record.Dir = dir;
        record.Screen = onScreen;
        context.Images.append(record);
    }
    void make()
    {
        context.MainWindow = &window;
        context.CurrentScreen = [this] { return screen; };
        context.RunSlideShow = [this] { return runSlideShow; };
        context.SlideShowTime = [this] { return slideShowTime; };
        context.ImageSequence = [this] { return imageSequence; };
        context.EndButtonHover = [this] { ++hoverEnds; };
        slides = CreateSlideShow(context);
        ASSERT_NE(slides, nullptr);
    }
    void switchTo(int next)
    {
        screen = next;
        slides->ShowScreenPictures();
    }
    // The picture size an element shows; empty when it shows none.
    QSize shown(int element) const { return slides->Image(element)->Picture().size(); }

    TempDir disc;
    QWidget window;
    TSlideShowContext context;
    std::unique_ptr<TSlideImage> slides;
    int screen = 0;
    bool runSlideShow = false;
    int slideShowTime = 5;
    int imageSequence = 0;
    int hoverEnds = 0;
};

} // namespace

TEST_F(SlideImageTest, BitmapsComeFirstThenJpgThenJpegWhateverTheNames)
{
    disc.write(QStringLiteral("pics/c.bmp"), PictureBytes(SizeOf(0), "BMP"));
    disc.write(QStringLiteral("pics/b.jpg"), PictureBytes(SizeOf(1), "JPEG"));
    disc.write(QStringLiteral("pics/a.jpeg"), PictureBytes(SizeOf(2), "JPEG"));
    disc.write(QStringLiteral("pics/D.JPG"), PictureBytes(SizeOf(3), "JPEG"));
    disc.write(QStringLiteral("pics/notes.txt"), "text");
    disc.write(QStringLiteral("pics/photo.png"), PictureBytes(SizeOf(4), "PNG"));
    disc.write(QStringLiteral("pics/inner.bmp/x.bmp"), PictureBytes(SizeOf(5), "BMP"));
    const QString dir = disc.virtualPath() + QStringLiteral("pics\\");
    area(dir, 0);
    make();

    const QStringList expected = {dir + "c.bmp", dir + "D.JPG", dir + "b.jpg", dir + "a.jpeg"};
    EXPECT_EQ(slides->PictureList(0), expected);
    EXPECT_EQ(shown(0), SizeOf(0));
    slides->NextPicture();
    EXPECT_EQ(shown(0), SizeOf(3));
    slides->NextPicture();
    EXPECT_EQ(shown(0), SizeOf(1));
    slides->NextPicture();
    EXPECT_EQ(shown(0), SizeOf(2));
}

TEST_F(SlideImageTest, StepsWrapAroundBothWays)
{
    area(folder(QStringLiteral("three"), 3), 0);
    make();
    EXPECT_EQ(slides->PictureIndex(), 0);
    EXPECT_EQ(shown(0), SizeOf(0));

    slides->PreviousPicture();
    EXPECT_EQ(slides->PictureIndex(), 2);
    EXPECT_EQ(shown(0), SizeOf(2));
    slides->NextPicture();
    EXPECT_EQ(slides->PictureIndex(), 0);
    EXPECT_EQ(shown(0), SizeOf(0));
    slides->NextPicture();
    slides->NextPicture();
    slides->NextPicture();
    EXPECT_EQ(slides->PictureIndex(), 0);
    EXPECT_EQ(shown(0), SizeOf(0));
}

TEST_F(SlideImageTest, ThePictureIsCentredAtItsNaturalSizeAndClipped)
{
    // 200 x 100 with a red band at the left edge and a green band in the middle.
    QImage wide(200, 100, QImage::Format_RGB32);
    wide.fill(Qt::white);
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 20; ++x) {
            wide.setPixel(x, y, qRgb(255, 0, 0));
        }
        for (int x = 95; x < 105; ++x) {
            wide.setPixel(x, y, qRgb(0, 255, 0));
        }
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    wide.save(&buffer, "BMP");
    disc.write(QStringLiteral("wide/w.bmp"), bytes);
    area(disc.virtualPath() + QStringLiteral("wide\\"), 0, QRect(30, 40, 100, 60));
    make();

    TSlidePicture* picture = slides->Image(0);
    EXPECT_EQ(picture->parentWidget(), &window);
    EXPECT_EQ(picture->geometry(), QRect(30, 40, 100, 60));
    const QImage face = picture->grab().toImage();
    EXPECT_EQ(face.pixel(50, 30), qRgb(0, 255, 0));   // the middle of the picture
    EXPECT_EQ(face.pixel(2, 2), qRgb(255, 255, 255)); // the red band lies outside
    EXPECT_EQ(face.pixel(97, 57), qRgb(255, 255, 255));
}

TEST_F(SlideImageTest, ScreensShareTheIndexAndKeepTheirPictures)
{
    area(folder(QStringLiteral("six"), 6), 0);
    area(folder(QStringLiteral("eight"), 8), 1);
    area(folder(QStringLiteral("two"), 2), 2);
    area(disc.virtualPath() + QStringLiteral("missing\\"), 3);
    make();
    EXPECT_TRUE(slides->Image(0)->isVisibleTo(&window));
    EXPECT_FALSE(slides->Image(1)->isVisibleTo(&window));
    for (int i = 0; i < 5; ++i) {
        slides->NextPicture();
    }
    EXPECT_EQ(shown(0), SizeOf(5));

    switchTo(1); // holds no picture yet: loads index 5 of its own list
    EXPECT_FALSE(slides->Image(0)->isVisibleTo(&window));
    EXPECT_TRUE(slides->Image(1)->isVisibleTo(&window));
    EXPECT_EQ(slides->CurrentElement(), 1);
    EXPECT_EQ(shown(1), SizeOf(5));
    slides->NextPicture();
    EXPECT_EQ(shown(1), SizeOf(6));

    switchTo(0); // keeps its picture
    EXPECT_EQ(shown(0), SizeOf(5));
    slides->NextPicture(); // 7 is beyond this list
    EXPECT_EQ(slides->PictureIndex(), 0);
    EXPECT_EQ(shown(0), SizeOf(0));
    switchTo(1);
    EXPECT_EQ(shown(1), SizeOf(6));

    slides->NextPicture();
    slides->NextPicture();
    slides->NextPicture();
    switchTo(2); // index 3 is beyond the shorter list: nothing is shown
    EXPECT_FALSE(slides->Image(2)->HasPicture());
    slides->PreviousPicture(); // 2 is still beyond: the last one
    EXPECT_EQ(slides->PictureIndex(), 1);
    EXPECT_EQ(shown(2), SizeOf(1));

    switchTo(3); // an empty list never shows anything
    EXPECT_TRUE(slides->PictureList(3).isEmpty());
    EXPECT_FALSE(slides->Image(2)->isVisibleTo(&window));
    slides->NextPicture();
    EXPECT_EQ(slides->PictureIndex(), 0);
    slides->PreviousPicture();
    EXPECT_EQ(slides->PictureIndex(), 0);
    imageSequence = 7;
    slides->SlideTick();
    EXPECT_FALSE(slides->Image(3)->HasPicture());
}

TEST_F(SlideImageTest, ASwitchToTheSameScreenKeepsItsAreasShown)
{
    area(folder(QStringLiteral("one"), 1), 0);
    make();
    switchTo(0);
    EXPECT_TRUE(slides->Image(0)->isVisibleTo(&window));
    EXPECT_EQ(slides->LastScreen(), 0);
    switchTo(4);
    EXPECT_FALSE(slides->Image(0)->isVisibleTo(&window));
    EXPECT_EQ(slides->LastScreen(), 4);
}

TEST_F(SlideImageTest, PicturesThatFailToLoadLeaveThePreviousOne)
{
    const QString dir = folder(QStringLiteral("mixed"), 2);
    disc.write(QStringLiteral("mixed/z.bmp"), QByteArray(300, '\x42'));
    disc.write(QStringLiteral("mixed/y.jpg"), QByteArray("\xff\xd8\xff garbage", 12));
    area(dir, 0);
    make();
    ASSERT_EQ(slides->PictureList(0).size(), 4);
    slides->NextPicture();
    EXPECT_EQ(shown(0), SizeOf(1));
    slides->NextPicture(); // z.bmp is damaged
    EXPECT_EQ(slides->PictureIndex(), 2);
    EXPECT_EQ(shown(0), SizeOf(1));
    slides->NextPicture(); // y.jpg too
    EXPECT_EQ(shown(0), SizeOf(1));
    QFile::remove(disc.file(QStringLiteral("mixed/p0.bmp"))); // gone since the list was made
    slides->NextPicture();
    EXPECT_EQ(slides->PictureIndex(), 0);
    EXPECT_EQ(shown(0), SizeOf(1));
}

TEST_F(SlideImageTest, TheTimerRunsWhileAScreenWithPicturesIsShown)
{
    area(folder(QStringLiteral("first"), 3), 1); // element 0 on the second screen
    area(folder(QStringLiteral("second"), 3), 0);
    runSlideShow = true;
    make();
    EXPECT_TRUE(slides->SlideTimer().isActive());
    EXPECT_EQ(slides->SlideTimer().interval(), 5000);

    switchTo(1); // leaving a screen with pictures for another one keeps it running
    EXPECT_TRUE(slides->SlideTimer().isActive());
    switchTo(2);
    EXPECT_FALSE(slides->SlideTimer().isActive());
    switchTo(5);
    EXPECT_FALSE(slides->SlideTimer().isActive());
    switchTo(0);
    EXPECT_TRUE(slides->SlideTimer().isActive());

    // Entering a screen with pictures again, or switching the show on again,
    // lets the countdown run on.
    Spin(1500);
    switchTo(1);
    EXPECT_LE(slides->SlideTimer().remainingTime(), 3800);
    slides->SetTimerRunning(true);
    EXPECT_LE(slides->SlideTimer().remainingTime(), 3800);

    // The options dialog changes the interval of the running timer at once.
    slides->SetInterval(2);
    EXPECT_TRUE(slides->SlideTimer().isActive());
    EXPECT_EQ(slides->SlideTimer().interval(), 2000);
    EXPECT_LE(slides->SlideTimer().remainingTime(), 2100); // coarse timers may run 5% late
    slides->SetInterval(0);
    EXPECT_EQ(slides->SlideTimer().interval(), 1000);
    slides->SetInterval(60);
    EXPECT_EQ(slides->SlideTimer().interval(), 10000);
}

TEST_F(SlideImageTest, SwitchedOnInTheOptionsTheTimerRunsOnAnyScreen)
{
    area(folder(QStringLiteral("pics"), 3), 0);
    slideShowTime = -4; // out of range in the registry
    screen = 2;
    make();
    EXPECT_FALSE(slides->SlideTimer().isActive());
    EXPECT_EQ(slides->SlideTimer().interval(), 1000);
    EXPECT_FALSE(slides->Image(0)->HasPicture());

    slides->SetTimerRunning(true);
    ASSERT_TRUE(WaitFor([&] { return slides->PictureIndex() == 1; }, 2500));
    EXPECT_EQ(shown(0), SizeOf(1)); // the hidden area changes too
    EXPECT_FALSE(slides->Image(0)->isVisibleTo(&window));
    slides->SetTimerRunning(false);
    EXPECT_FALSE(slides->SlideTimer().isActive());
    switchTo(0); // the setting is off: entering the screen does not start it
    EXPECT_FALSE(slides->SlideTimer().isActive());
}

TEST_F(SlideImageTest, TheSequenceSettingChoosesTheDirection)
{
    area(folder(QStringLiteral("four"), 4), 0);
    make();
    slides->NextPicture();
    imageSequence = 1; // backwards from the picture shown
    slides->SlideTick();
    EXPECT_EQ(shown(0), SizeOf(0));
    slides->SlideTick();
    EXPECT_EQ(shown(0), SizeOf(3));
    slides->SlideTick();
    EXPECT_EQ(shown(0), SizeOf(2));
    imageSequence = 0;
    slides->SlideTick();
    EXPECT_EQ(shown(0), SizeOf(3));

    imageSequence = 2; // random, always inside the list
    QSet<int> seen;
    for (int i = 0; i < 60; ++i) {
        slides->SlideTick();
        ASSERT_GE(slides->PictureIndex(), 0);
        ASSERT_LT(slides->PictureIndex(), 4);
        EXPECT_EQ(shown(0), SizeOf(slides->PictureIndex()));
        seen.insert(slides->PictureIndex());
    }
    EXPECT_GT(seen.size(), 1);
}

TEST_F(SlideImageTest, MouseMovesEndButtonHoverAndAreasGoWithTheShow)
{
    area(folder(QStringLiteral("pics"), 1), 0);
    make();
    QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), QPointF(5, 5), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(slides->Image(0), &move);
    EXPECT_EQ(hoverEnds, 1);

    slides.reset();
    EXPECT_TRUE(window.findChildren<TSlidePicture*>().isEmpty());
}

TEST_F(SlideImageTest, NoSlideShowWithoutPictureAreas)
{
    context.MainWindow = &window;
    EXPECT_EQ(CreateSlideShow(context), nullptr);
}
