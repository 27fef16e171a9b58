#include "shell/Captions.h"

#include <QFontMetrics>
#include <gtest/gtest.h>

namespace {

TCaptionStyle style(TFontStyles styles)
{
    return {QStringLiteral("DejaVu Sans"), 14, styles, 0x0000FF};
}

TEST(CaptionsTest, EachCharacterStartsOnePixelBeforeTheEndOfThePreviousBoldWidth)
{
    const QString caption = QStringLiteral("Глава iW");
    const QFontMetrics bold(CaptionFont(style(0), StyleBold));
    const QList<int> positions = CaptionCharacterPositions(caption, style(0), 18, -1);
    ASSERT_EQ(positions.size(), caption.size());
    EXPECT_EQ(positions[0], 18);
    for (int i = 1; i < caption.size(); ++i) {
        EXPECT_EQ(positions[i], positions[i - 1] + bold.horizontalAdvance(caption[i - 1]) - 1);
    }
    for (const TFontStyles styles : {TFontStyles(StyleItalic), TFontStyles(StyleUnderline),
                                     TFontStyles(StyleBold | StyleStrikeOut)}) {
        EXPECT_EQ(CaptionCharacterPositions(caption, style(styles), 18, -1), positions)
            << "the letters keep their places in every state";
    }
}

TEST(CaptionsTest, FontsFollowTheRecordsSizesStylesAndColours)
{
    const QFont font =
        CaptionFont(style(StyleItalic | StyleUnderline), StyleItalic | StyleUnderline);
    EXPECT_EQ(font.pixelSize(), 19) << "14 points at 96 pixels per inch";
    EXPECT_TRUE(font.italic());
    EXPECT_TRUE(font.underline());
    EXPECT_FALSE(font.bold());
    EXPECT_EQ(CaptionColor(0x00C08040), QColor(0x40, 0x80, 0xC0)) << "red in the low byte";
    EXPECT_EQ(CaptionFont({QString(), -1, 0, 0}, 0).pixelSize(), 11) << "8 points by default";
}

QRect inkOf(const QImage& picture, QRgb background)
{
    QRect ink;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (picture.pixel(x, y) != background) {
                ink |= QRect(x, y, 1, 1);
            }
        }
    }
    return ink;
}

TEST(CaptionsTest, CaptionsAreDrawnInsideTheirRectangleOnly)
{
    QImage picture(200, 60, QImage::Format_RGB32);
    picture.fill(Qt::white);
    const QRect text = TextRect(20, 10, 60, 40);
    DrawCaption(picture, QStringLiteral("WWWWWWWW"), text, style(0), -1);
    const QRect ink = inkOf(picture, qRgb(255, 255, 255));
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_TRUE(text.contains(ink)) << "clipped to the rectangle";
    EXPECT_GE(ink.right(), 55) << "the letters run up to the right edge";

    QImage untouched(50, 50, QImage::Format_RGB32);
    untouched.fill(Qt::white);
    DrawCaption(untouched, QStringLiteral("   "), TextRect(0, 0, 50, 50), style(0), -1);
    EXPECT_TRUE(inkOf(untouched, qRgb(255, 255, 255)).isEmpty()) << "blank captions are not drawn";
}

TEST(CaptionsTest, TheCaptionColourIsTheStatesColour)
{
    QImage picture(100, 40, QImage::Format_RGB32);
    picture.fill(Qt::black);
    DrawCaption(picture, QStringLiteral("█"), TextRect(0, 0, 100, 40),
                {QStringLiteral("DejaVu Sans"), 20, StyleBold, 0x0000FF}, -1);
    bool foundRed = false;
    for (int y = 0; y < picture.height() && !foundRed; ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            foundRed = foundRed || picture.pixel(x, y) == qRgb(255, 0, 0);
        }
    }
    EXPECT_TRUE(foundRed);
}

TEST(CaptionsTest, GroupCaptionsWriteTwoDAndThreeDInCapitals)
{
    EXPECT_EQ(GroupCaption(QStringLiteral("3d")), QStringLiteral("3D"));
    EXPECT_EQ(GroupCaption(QStringLiteral("2D")), QStringLiteral("2D"));
    EXPECT_EQ(GroupCaption(QStringLiteral("3d вид")), QStringLiteral("3d вид"));
}

} // namespace
