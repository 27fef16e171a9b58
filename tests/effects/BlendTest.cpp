#include "effects/Blend.h"

#include "effects/FastBitmap.h"

#include <QColor>
#include <cmath>
#include <gtest/gtest.h>
#include <random>

namespace {

TFastBitmap solid(int width, int height, QColor colour)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(colour);
    return TFastBitmap(image);
}

TFastBitmap randomPicture(int width, int height, std::mt19937& random)
{
    TFastBitmap picture(width, height);
    for (int y = 0; y < height; ++y) {
        for (qsizetype i = 0; i < picture.usedBytesPerRow(); ++i) {
            picture.row(y)[i] = uchar(random());
        }
    }
    return picture;
}

bool sameBytes(const TFastBitmap& left, const TFastBitmap& right)
{
    if (left.size() != right.size()) {
        return false;
    }
    for (int y = 0; y < left.height(); ++y) {
        if (!std::equal(left.row(y), left.row(y) + left.usedBytesPerRow(), right.row(y))) {
            return false;
        }
    }
    return true;
}

TEST(BlendTable, RoundsTowardsMinusInfinity)
{
    const TBlendTable zero = MakeBlendTable(0);
    EXPECT_TRUE(std::all_of(zero.begin(), zero.end(), [](int value) { return value == 0; }));
    const TBlendTable half = MakeBlendTable(128);
    EXPECT_EQ(half[255 + 1], 0);
    EXPECT_EQ(half[255 - 1], -1);
    EXPECT_EQ(half[255 + 255], 127);
    EXPECT_EQ(half[255 - 255], -128);
    const TBlendTable full = MakeBlendTable(255);
    EXPECT_EQ(full[255 + 255], 254);
    EXPECT_EQ(full[255 - 255], -255);
    EXPECT_EQ(MakeBlendTable(100)[255 - 3], -2);
    EXPECT_EQ(MakeBlendTable(100)[255 + 3], 1);
}

TEST(Blend, KnownValues)
{
    TFastBitmap frame;
    ASSERT_TRUE(
        Blend(solid(3, 2, QColor(10, 200, 0)), solid(3, 2, QColor(200, 10, 255)), 128, frame));
    ASSERT_EQ(frame.size(), QSize(3, 2));
    EXPECT_EQ(frame.image().pixelColor(2, 1), QColor(105, 105, 127));
    ASSERT_TRUE(Blend(solid(1, 1, Qt::black), solid(1, 1, Qt::white), 1, frame));
    EXPECT_EQ(frame.image().pixelColor(0, 0), QColor(0, 0, 0));
    ASSERT_TRUE(Blend(solid(1, 1, Qt::white), solid(1, 1, Qt::black), 1, frame));
    EXPECT_EQ(frame.image().pixelColor(0, 0), QColor(254, 254, 254));
}

TEST(Blend, EndpointsGiveTheFromAndNearlyTheToPicture)
{
    std::mt19937 random(7);
    const TFastBitmap from = randomPicture(41, 9, random);
    const TFastBitmap to = randomPicture(41, 9, random);
    TFastBitmap frame;
    ASSERT_TRUE(Blend(from, to, 0, frame));
    EXPECT_TRUE(sameBytes(frame, from));
    ASSERT_TRUE(Blend(from, to, 255, frame));
    for (int y = 0; y < frame.height(); ++y) {
        for (qsizetype i = 0; i < frame.usedBytesPerRow(); ++i) {
            ASSERT_LE(std::abs(frame.row(y)[i] - to.row(y)[i]), 1);
        }
    }
    // Out-of-range alphas are clamped to the ends.
    TFastBitmap clamped;
    ASSERT_TRUE(Blend(from, to, 300, clamped));
    EXPECT_TRUE(sameBytes(clamped, frame));
    ASSERT_TRUE(Blend(from, to, -4, clamped));
    EXPECT_TRUE(sameBytes(clamped, from));
}

// Every pair of byte values, for every alpha, against floor(alpha * (b - a) / 256).
TEST(Blend, EveryBytePairMatchesTheFormula)
{
    TFastBitmap from(86, 256);
    TFastBitmap to(86, 256);
    for (int y = 0; y < 256; ++y) {
        for (int i = 0; i < 256; ++i) {
            from.row(y)[i] = uchar(y);
            to.row(y)[i] = uchar(i);
        }
    }
    TFastBitmap fast;
    TFastBitmap reference;
    for (int alpha = 0; alpha <= 255; ++alpha) {
        ASSERT_TRUE(Blend(from, to, alpha, fast));
        ASSERT_TRUE(BlendReference(from, to, alpha, reference));
        for (int y = 0; y < 256; ++y) {
            for (int i = 0; i < 256; ++i) {
                const int expected = y + int(std::floor(alpha * double(i - y) / 256.0));
                ASSERT_EQ(reference.row(y)[i], expected) << alpha << ' ' << y << ' ' << i;
                ASSERT_EQ(fast.row(y)[i], expected) << alpha << ' ' << y << ' ' << i;
            }
        }
    }
}

TEST(Blend, FastRoutineGivesTheReferenceBytes)
{
    std::mt19937 random(2024);
    const QSize sizes[] = {{1, 1}, {5, 3}, {11, 2}, {37, 11}, {64, 4}, {801, 7}};
    for (QSize size : sizes) {
        const TFastBitmap from = randomPicture(size.width(), size.height(), random);
        const TFastBitmap to = randomPicture(size.width(), size.height(), random);
        TFastBitmap fast;
        TFastBitmap reference;
        for (int alpha = 0; alpha <= 255; ++alpha) {
            ASSERT_TRUE(Blend(from, to, alpha, fast));
            ASSERT_TRUE(BlendReference(from, to, alpha, reference));
            ASSERT_TRUE(sameBytes(fast, reference))
                << size.width() << 'x' << size.height() << " alpha " << alpha;
        }
    }
}

TEST(Blend, RowsOfAnyLengthAndOffset)
{
    std::mt19937 random(99);
    std::vector<uchar> from(200), to(200), fast(200), expected(200);
    for (std::size_t i = 0; i < from.size(); ++i) {
        from[i] = uchar(random());
        to[i] = uchar(random());
    }
    for (qsizetype offset = 0; offset < 5; ++offset) {
        for (qsizetype count = 0; count + offset <= 200; count += 13) {
            std::fill(fast.begin(), fast.end(), 0xAB);
            expected = fast;
            const TBlendTable table = MakeBlendTable(77);
            for (qsizetype i = offset; i < offset + count; ++i) {
                expected[i] = uchar(from[i] + table[std::size_t(to[i] - from[i] + 255)]);
            }
            BlendBytes(from.data() + offset, to.data() + offset, fast.data() + offset, count, 77);
            ASSERT_EQ(fast, expected) << offset << ' ' << count;
        }
    }
}

TEST(Blend, RefusesPicturesOfDifferentSizes)
{
    TFastBitmap frame = solid(2, 2, Qt::red);
    EXPECT_FALSE(Blend(solid(2, 2, Qt::black), solid(3, 2, Qt::white), 100, frame));
    EXPECT_FALSE(BlendReference(solid(2, 2, Qt::black), solid(2, 3, Qt::white), 100, frame));
    EXPECT_FALSE(Blend(TFastBitmap(), TFastBitmap(), 100, frame));
    EXPECT_EQ(frame.image().pixelColor(1, 1), QColor(Qt::red));
}

TEST(FastBitmap, LoadsAnyFormatAsThreeBytesPerPixel)
{
    QImage source(2, 1, QImage::Format_ARGB32);
    source.setPixelColor(0, 0, QColor(1, 2, 3));
    source.setPixelColor(1, 0, QColor(250, 128, 7));
    const TFastBitmap picture(source);
    ASSERT_EQ(picture.usedBytesPerRow(), 6);
    const uchar* row = picture.row(0);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(row), 6), QByteArray("\1\2\3\xFA\x80\7", 6));
    EXPECT_TRUE(TFastBitmap(QImage()).isNull());
    EXPECT_TRUE(TFastBitmap(0, 5).isNull());
}

TEST(FastBitmap, FitsPicturesToAGivenSize)
{
    TFastBitmap picture;
    picture.loadFrom(solid(4, 4, Qt::white).image(), QSize(6, 2));
    ASSERT_EQ(picture.size(), QSize(6, 2));
    EXPECT_EQ(picture.image().pixelColor(3, 1), QColor(Qt::white));
    EXPECT_EQ(picture.image().pixelColor(4, 0), QColor(Qt::black));
    picture.loadFrom(QImage(), QSize(3, 3));
    ASSERT_EQ(picture.size(), QSize(3, 3));
    EXPECT_EQ(picture.image().pixelColor(2, 2), QColor(Qt::black));

    TFastBitmap copy(6, 2);
    EXPECT_FALSE(copy.copyFrom(picture));
    picture.loadFrom(solid(1, 1, Qt::green).image(), QSize(6, 2));
    ASSERT_TRUE(copy.copyFrom(picture));
    EXPECT_EQ(copy.image().pixelColor(0, 0), QColor(Qt::green));
}

} // namespace
