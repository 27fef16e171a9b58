#include "shell/StandardWindowGeometry.h"

#include <gtest/gtest.h>

namespace {

using namespace StandardWindowGeometry;

const QSize current(800, 600);

TEST(StandardWindowGeometryTest, SchemePicturesGetTheirOwnSizeWhateverThePicture)
{
    EXPECT_EQ(SizeFor(QStringLiteral("d:\\run\\pics\\scheme.bmp"), QSize(100, 100), current),
              QSize(780, 550));
    EXPECT_EQ(SizeFor(QStringLiteral("d:\\run\\SCHEME_LUX.BMP"), QSize(), current),
              QSize(780, 550));
    EXPECT_EQ(SizeFor(QStringLiteral("d:\\scheme.bmp\\other.bmp"), QSize(10, 10), current),
              QSize(55, 100))
        << "only the file name counts";
    EXPECT_EQ(SizeFor(QStringLiteral("d:\\run\\myscheme.bmp"), QSize(10, 10), current),
              QSize(55, 100));
}

TEST(StandardWindowGeometryTest, PicturesGetAMarginAroundTheirLaidOutSize)
{
    for (const char* name : {"a.bmp", "a.GIF", "a.jpg", "a.Jpeg"}) {
        EXPECT_EQ(SizeFor(QStringLiteral("d:\\run\\pics\\") + QLatin1String(name), QSize(460, 340),
                          current),
                  QSize(505, 430))
            << name;
    }
    EXPECT_EQ(SizeFor(QStringLiteral("d:\\run\\a.png"), QSize(460, 340), current), current);
    EXPECT_EQ(SizeFor(QStringLiteral("d:\\run\\page.htm"), QSize(460, 340), current), current);
    EXPECT_EQ(SizeFor(QStringLiteral("d:\\run\\a.jpg#x"), QSize(460, 340), current), current);
    EXPECT_EQ(SizeFor(QString(), QSize(460, 340), current), current);
    EXPECT_EQ(SizeFor(QStringLiteral("d:\\run\\lost.jpg"), QSize(), current), current)
        << "a picture that did not load keeps the window usable";
}

TEST(StandardWindowGeometryTest, TheWindowStartsAtFortyThirtyUnlessItWouldNotFit)
{
    const QSize work(1024, 740);
    EXPECT_EQ(PositionFor(QSize(505, 430), work), QPoint(40, 30));
    EXPECT_EQ(PositionFor(QSize(984, 710), work), QPoint(40, 30)) << "exactly at the edges";
    EXPECT_EQ(PositionFor(QSize(985, 430), work), QPoint(0, 30));
    EXPECT_EQ(PositionFor(QSize(505, 711), work), QPoint(40, 0));
    EXPECT_EQ(PositionFor(QSize(2000, 2000), work), QPoint(0, 0));
}

TEST(StandardWindowGeometryTest, TheFileNameFollowsTheLastSeparator)
{
    EXPECT_EQ(FileNameOf(QStringLiteral("d:\\run\\pics\\a.jpg")), QStringLiteral("a.jpg"));
    EXPECT_EQ(FileNameOf(QStringLiteral("z:\\tmp/b.bmp")), QStringLiteral("b.bmp"));
    EXPECT_EQ(FileNameOf(QStringLiteral("c.gif")), QStringLiteral("c.gif"));
}

} // namespace
