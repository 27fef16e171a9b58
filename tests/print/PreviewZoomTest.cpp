#include "print/PreviewZoom.h"

#include <gtest/gtest.h>

using namespace PreviewZoom;

namespace {

// An A4 sheet with 2 cm margins at 96 pixels per inch, in both orientations.
const QSizeF kPortrait(642.5, 971.3);
const QSizeF kLandscape(971.3, 642.5);

} // namespace

TEST(PreviewZoomItems, TheBoxOffersFittedManualAndFixedZooms)
{
    const QStringList items = ItemTexts();
    ASSERT_EQ(items.size(), ItemCount);
    EXPECT_EQ(items.at(0), QStringLiteral("Страница целиком"));
    EXPECT_EQ(items.at(1), QStringLiteral("По ширине страницы"));
    EXPECT_EQ(items.at(2), QStringLiteral("Вручную"));
    EXPECT_EQ(items.at(11), QStringLiteral("400%"));
    const double fixed[] = {0.25, 0.5, 0.75, 1, 1.25, 1.5, 2, 3, 4};
    for (int item = 3; item < ItemCount; ++item) {
        EXPECT_DOUBLE_EQ(FixedZoom(item), fixed[item - 3]) << item;
        EXPECT_EQ(items.at(item), Percent(FixedZoom(item)) + QLatin1Char('%'));
    }
    EXPECT_EQ(FixedZoom(Manual), 0.0);
    EXPECT_EQ(FixedZoom(-1), 0.0);
    EXPECT_EQ(FixedZoom(ItemCount), 0.0);
}

TEST(PreviewZoomItems, FittedZoomsLeaveTwentyPixelsAndStayPositive)
{
    // The height decides for a tall sheet in a wide view, the width otherwise.
    EXPECT_DOUBLE_EQ(FitPageZoom(QSizeF(800, 1000), QSize(1020, 520)), 0.5);
    EXPECT_DOUBLE_EQ(FitPageZoom(QSizeF(800, 1000), QSize(420, 2020)), 0.5);
    EXPECT_DOUBLE_EQ(FitWidthZoom(QSizeF(800, 1000), 1620), 2.0);
    EXPECT_DOUBLE_EQ(FitPageZoom(QSizeF(800, 1000), QSize(10, 10)), MinFittedZoom);
    EXPECT_DOUBLE_EQ(FitWidthZoom(QSizeF(800, 1000), 0), MinFittedZoom);
    EXPECT_DOUBLE_EQ(FitPageZoom(QSizeF(0, 0), QSize(500, 500)), 1.0);
}

TEST(PreviewZoomTools, ThePrintScaleStaysBetweenAboutFiveHundredthsAndThree)
{
    EXPECT_FLOAT_EQ(NextPrintScale(1.0f, true), 1.1f);
    EXPECT_FLOAT_EQ(NextPrintScale(1.1f, false), 1.0f);
    float scale = 1.0f;
    for (int click = 0; click < 100; ++click) {
        scale = NextPrintScale(scale, true);
    }
    EXPECT_GE(scale, 3.0f);
    EXPECT_LT(scale, 3.0f * 1.1f);
    EXPECT_FLOAT_EQ(NextPrintScale(scale, true), scale);
    for (int click = 0; click < 200; ++click) {
        scale = NextPrintScale(scale, false);
    }
    EXPECT_LE(scale, 0.05f);
    EXPECT_GT(scale, 0.05f / 1.1f);
    EXPECT_FLOAT_EQ(NextPrintScale(scale, false), scale);
}

TEST(PreviewZoomTools, TheViewZoomStaysBetweenAboutOneTenthAndTwenty)
{
    EXPECT_DOUBLE_EQ(NextViewZoom(1.0, true), 1.25);
    EXPECT_DOUBLE_EQ(NextViewZoom(1.0, false), 0.8);
    double zoom = 1.0;
    for (int click = 0; click < 100; ++click) {
        zoom = NextViewZoom(zoom, true);
    }
    EXPECT_GE(zoom, 20.0);
    EXPECT_LT(zoom, 25.0);
    for (int click = 0; click < 100; ++click) {
        zoom = NextViewZoom(zoom, false);
    }
    EXPECT_LE(zoom, 0.1);
    EXPECT_GT(zoom, 0.08);
}

TEST(PreviewZoomTools, PercentagesAreRoundedAndGrouped)
{
    EXPECT_EQ(Percent(1.0), QStringLiteral("100"));
    EXPECT_EQ(Percent(0.644), QStringLiteral("64"));
    EXPECT_EQ(Percent(0.645), QStringLiteral("65"));
    EXPECT_EQ(Percent(0.05), QStringLiteral("5"));
    EXPECT_EQ(Percent(24.414), QString(QStringLiteral("2") + QChar(0xA0) + QStringLiteral("441")));
    EXPECT_EQ(Percent(std::numeric_limits<double>::infinity()), QStringLiteral("0"));
}

TEST(PictureFit, AWidePictureTooWideForThePageTurnsItAndFillsItsWidth)
{
    const PictureFit fit =
        FitPictureScale(QSizeF(1500, 400), kPortrait, kLandscape, QPageLayout::Portrait);
    EXPECT_EQ(fit.orientation, QPageLayout::Landscape);
    EXPECT_FLOAT_EQ(fit.scale, float(971.3 / 1500));
    EXPECT_LE(1500 * double(fit.scale), 971.3);
}

TEST(PictureFit, ATallPictureTooHighGoesUprightAndFillsItsHeight)
{
    const PictureFit fit =
        FitPictureScale(QSizeF(300, 2000), kPortrait, kLandscape, QPageLayout::Landscape);
    EXPECT_EQ(fit.orientation, QPageLayout::Portrait);
    EXPECT_FLOAT_EQ(fit.scale, float(971.3 / 2000));
}

TEST(PictureFit, APictureThatFitsKeepsTheOrientationAndTheNaturalSize)
{
    for (const auto orientation : {QPageLayout::Portrait, QPageLayout::Landscape}) {
        const PictureFit fit =
            FitPictureScale(QSizeF(600, 300), kPortrait, kLandscape, orientation);
        EXPECT_EQ(fit.orientation, orientation);
        EXPECT_FLOAT_EQ(fit.scale, 1.0f);
    }
    // Square counts as tall, and fits upright or on its side.
    EXPECT_EQ(FitPictureScale(QSizeF(600, 600), kPortrait, kLandscape, QPageLayout::Landscape)
                  .orientation,
              QPageLayout::Landscape);
}

TEST(PictureFit, TheOtherSideDecidesWhenItStillDoesNotFit)
{
    // Wide, and still too high on its side at the width's scale.
    PictureFit fit =
        FitPictureScale(QSizeF(3000, 2500), kPortrait, kLandscape, QPageLayout::Portrait);
    EXPECT_EQ(fit.orientation, QPageLayout::Landscape);
    EXPECT_FLOAT_EQ(fit.scale, float(642.5 / 2500));
    // Wide and narrow enough for the page, but higher than a landscape sheet.
    fit = FitPictureScale(QSizeF(900, 800), kPortrait, kLandscape, QPageLayout::Landscape);
    EXPECT_EQ(fit.orientation, QPageLayout::Landscape);
    EXPECT_FLOAT_EQ(fit.scale, float(642.5 / 800));
    // Tall, and too wide for the upright sheet at the height's scale.
    fit = FitPictureScale(QSizeF(1900, 2000), kPortrait, kLandscape, QPageLayout::Portrait);
    EXPECT_EQ(fit.orientation, QPageLayout::Portrait);
    EXPECT_FLOAT_EQ(fit.scale, float(642.5 / 1900));
}

TEST(PictureFit, EmptySizesChangeNothing)
{
    for (const QSizeF picture : {QSizeF(0, 500), QSizeF(500, 0), QSizeF(-5, 300)}) {
        const PictureFit fit =
            FitPictureScale(picture, kPortrait, kLandscape, QPageLayout::Portrait);
        EXPECT_FLOAT_EQ(fit.scale, 1.0f);
        EXPECT_EQ(fit.orientation, QPageLayout::Portrait);
    }
    const PictureFit fit =
        FitPictureScale(QSizeF(5000, 300), QSizeF(0, 0), kLandscape, QPageLayout::Portrait);
    EXPECT_FLOAT_EQ(fit.scale, 1.0f);
}
