#include "shell/ToolbarPictures.h"

#include <gtest/gtest.h>

namespace {

using namespace ToolbarPictures;

bool grey(QRgb pixel)
{
    return qRed(pixel) == qGreen(pixel) && qGreen(pixel) == qBlue(pixel);
}

bool blue(QRgb pixel)
{
    return qAlpha(pixel) == 255 && qBlue(pixel) > qRed(pixel) + 60 &&
           qBlue(pixel) > qGreen(pixel) + 40;
}

bool red(QRgb pixel)
{
    return qAlpha(pixel) == 255 && qRed(pixel) > 150 && qGreen(pixel) < 60 && qBlue(pixel) < 60;
}

int opaquePixels(const QImage& picture)
{
    int count = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            count += qAlpha(picture.pixel(x, y)) != 0;
        }
    }
    return count;
}

TEST(ToolbarPicturesTest, TheListsHoldTwentyPixelPicturesInTheirNumbers)
{
    EXPECT_EQ(Normal().size(), 4);
    EXPECT_EQ(Hot().size(), 4);
    EXPECT_EQ(Disabled().size(), 2);
    for (const QList<QImage>& list : {Normal(), Hot(), Disabled()}) {
        for (const QImage& picture : list) {
            EXPECT_EQ(picture.size(), QSize(20, 20));
            EXPECT_GT(opaquePixels(picture), 30) << "every picture draws something";
            EXPECT_EQ(qAlpha(picture.pixel(0, 19)), 0) << "the corners show the toolbar";
        }
    }
}

TEST(ToolbarPicturesTest, NormalPicturesAreInShadesOfGrey)
{
    const QList<QImage> pictures = Normal();
    for (int i = 0; i < pictures.size(); ++i) {
        for (int y = 0; y < 20; ++y) {
            for (int x = 0; x < 20; ++x) {
                const QRgb pixel = pictures[i].pixel(x, y);
                if (qAlpha(pixel) != 0) {
                    ASSERT_TRUE(grey(pixel)) << "picture " << i << " at " << x << "," << y;
                }
            }
        }
    }
}

TEST(ToolbarPicturesTest, HotPicturesAreInColourAndPointTheRightWay)
{
    const QList<QImage> hot = Hot();
    EXPECT_TRUE(blue(hot[ArrowLeft].pixel(12, 10))) << "the shaft of the left arrow";
    EXPECT_TRUE(blue(hot[ArrowLeft].pixel(4, 10))) << "its head at the left";
    EXPECT_EQ(qAlpha(hot[ArrowLeft].pixel(17, 3)), 0);
    EXPECT_TRUE(blue(hot[ArrowRight].pixel(15, 10))) << "the right arrow's head at the right";
    EXPECT_EQ(qAlpha(hot[ArrowRight].pixel(2, 3)), 0);

    EXPECT_TRUE(blue(hot[Printer].pixel(9, 4))) << "paper going in";
    EXPECT_TRUE(blue(hot[Printer].pixel(9, 16))) << "paper coming out";
    EXPECT_TRUE(grey(hot[Printer].pixel(3, 11))) << "the printer itself stays grey";

    EXPECT_TRUE(red(hot[WindowArrow].pixel(11, 8))) << "the arrow across the window";
    EXPECT_TRUE(red(hot[WindowArrow].pixel(17, 2))) << "its head at the upper right corner";
    EXPECT_TRUE(blue(hot[WindowArrow].pixel(4, 7))) << "the window's title bar";
    EXPECT_FALSE(red(Normal()[WindowArrow].pixel(11, 8)));
}

TEST(ToolbarPicturesTest, DisabledArrowsAreGreyOutlines)
{
    const QList<QImage> disabled = Disabled();
    for (const QImage& arrow : disabled) {
        EXPECT_EQ(qAlpha(arrow.pixel(10, 10)), 0) << "hollow inside";
        for (int y = 0; y < 20; ++y) {
            for (int x = 0; x < 20; ++x) {
                const QRgb pixel = arrow.pixel(x, y);
                if (qAlpha(pixel) != 0) {
                    ASSERT_TRUE(grey(pixel));
                }
            }
        }
    }
    EXPECT_NE(qAlpha(disabled[ArrowLeft].pixel(17, 10)), 0) << "the left arrow's tail edge";
    EXPECT_NE(qAlpha(disabled[ArrowRight].pixel(2, 10)), 0) << "the right arrow's tail edge";
    EXPECT_NE(qAlpha(disabled[ArrowLeft].pixel(2, 10)), 0) << "the left arrow's tip";
}

} // namespace
