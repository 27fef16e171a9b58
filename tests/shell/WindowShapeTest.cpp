#include "shell/WindowShape.h"

#include "QuietMasks.h"
#include "shell/WindowAnimation.h"

#include <QWidget>
#include <gtest/gtest.h>

namespace {

bool coversWholeWindow(const QRegion& region, QSize size)
{
    return (QRegion(QRect(QPoint(0, 0), size)) - region).isEmpty();
}

// Curved regions are scan-converted polygons: their edges may fall one pixel
// inside the bounding rectangle asked for, never outside it.
void expectBounds(const QRegion& region, const QRect& bounds)
{
    const QRect actual = region.boundingRect();
    EXPECT_TRUE(bounds.contains(actual))
        << actual.x() << "," << actual.y() << " " << actual.width() << "x" << actual.height();
    EXPECT_TRUE(actual.contains(bounds.adjusted(1, 1, -1, -1)))
        << actual.x() << "," << actual.y() << " " << actual.width() << "x" << actual.height();
}

TEST(WindowShapeTest, Opening800x600TakesTwoHundredAndOneStepsAndEndsOnTheWholeWindow)
{
    const QList<QRegion> regions = OpeningAnimationRegions(QSize(800, 600));
    ASSERT_EQ(regions.size(), 201);
    EXPECT_TRUE(regions.first().isEmpty()) << "the first ellipse has no area";
    expectBounds(regions[1], QRect(396, 298, 8, 4));
    expectBounds(regions[100], QRect(0, 100, 800, 400));
    EXPECT_TRUE(coversWholeWindow(regions.last(), QSize(800, 600)));
    for (int i = 1; i < regions.size(); ++i) {
        EXPECT_TRUE((regions[i - 1] - regions[i]).isEmpty()) << "step " << i << " shrank";
    }
}

TEST(WindowShapeTest, TheInsetsOfTheOpeningEllipseRunFromTheCentreOutwards)
{
    int animLeft = 400;
    int animTop = 300;
    int steps = 0;
    while (OpeningAnimationStep(QSize(800, 600), animLeft, animTop)) {
        ++steps;
    }
    EXPECT_EQ(steps, 201);
    EXPECT_EQ(animLeft, -404);
    EXPECT_EQ(animTop, -102);
}

TEST(WindowShapeTest, ATallWindowEndsItsOpeningWithTheCornersCut)
{
    const QList<QRegion> regions = OpeningAnimationRegions(QSize(600, 800));
    ASSERT_EQ(regions.size(), 151);
    const QRegion& last = regions.last();
    EXPECT_FALSE(coversWholeWindow(last, QSize(600, 800)));
    for (const QPoint corner : {QPoint(0, 0), QPoint(599, 0), QPoint(0, 799), QPoint(599, 799)}) {
        EXPECT_FALSE(last.contains(corner)) << corner.x() << "," << corner.y();
    }
    for (const QPoint inside : {QPoint(300, 400), QPoint(0, 400), QPoint(300, 110)}) {
        EXPECT_TRUE(last.contains(inside)) << inside.x() << "," << inside.y();
    }
}

TEST(WindowShapeTest, ClosingCollapsesToAStripThenNarrowsThenEndsAsAnEllipse)
{
    const QList<QRegion> regions = ClosingAnimationRegions(QSize(800, 600));
    ASSERT_EQ(regions.size(), 146 + 131 + 8);
    const QRegion& first = regions.first();
    expectBounds(first, QRect(0, 0, 800, 600));
    EXPECT_FALSE(first.contains(QPoint(0, 0))) << "rounded corners";
    EXPECT_TRUE(first.contains(QPoint(400, 0)));
    expectBounds(regions[145], QRect(0, 290, 800, 20));
    expectBounds(regions[146], QRect(0, 292, 800, 16));
    expectBounds(regions[276], QRect(390, 292, 20, 16));
    expectBounds(regions[277], QRect(393, 292, 14, 16));
    EXPECT_TRUE(regions.last().isEmpty()) << "the last ellipse has no width";
    for (int i = 1; i < regions.size(); ++i) {
        EXPECT_TRUE((regions[i] - regions[i - 1]).isEmpty()) << "step " << i << " grew";
    }
}

TEST(WindowShapeTest, RegionsExcludeTheirRightAndBottomEdges)
{
    const QRegion polygon = PolygonRegion(
        {{20, 0}, {780, 0}, {800, 20}, {800, 580}, {780, 600}, {20, 600}, {0, 580}, {0, 20}});
    EXPECT_EQ(polygon.boundingRect(), QRect(0, 0, 800, 600));
    EXPECT_FALSE(polygon.contains(QPoint(2, 2)));
    EXPECT_FALSE(polygon.contains(QPoint(797, 597)));
    EXPECT_TRUE(polygon.contains(QPoint(400, 300)));
    EXPECT_TRUE(polygon.contains(QPoint(799, 300)));
    EXPECT_TRUE(PolygonRegion({{0, 0}, {5, 5}}).isEmpty());
    expectBounds(EllipseRegion(10, 20, 30, 60), QRect(10, 20, 20, 40));
    EXPECT_TRUE(EllipseRegion(10, 10, 10, 40).isEmpty());
}

TEST(WindowShapeTest, TheAnimationKeepsToTheWindowPolygonAndSignalsItsEnd)
{
    QWidget window;
    window.setFixedSize(800, 600);
    TWindowAnimation animation(&window);
    const QRegion polygon = PolygonRegion(
        {{20, 0}, {780, 0}, {800, 20}, {800, 580}, {780, 600}, {20, 600}, {0, 580}, {0, 20}});
    animation.SetPolygon(polygon);
    QList<bool> finished;
    QObject::connect(&animation, &TWindowAnimation::finished,
                     [&finished](bool closing) { finished.append(closing); });

    animation.StartOpening();
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(animation.Opening());
    EXPECT_TRUE(animation.Region().isEmpty());
    EXPECT_FALSE(window.mask().contains(QPoint(400, 300))) << "nothing of the window shows";
    int ticks = 0;
    while (animation.Running() && ticks < 1000) {
        animation.Tick();
        ++ticks;
    }
    EXPECT_EQ(ticks, 202) << "201 regions and the tick that ends";
    ASSERT_EQ(finished.size(), 1);
    EXPECT_FALSE(finished[0]);
    EXPECT_EQ(animation.Region(), polygon);
    EXPECT_EQ(window.mask(), polygon);

    animation.StartClosing();
    EXPECT_TRUE(animation.Closing());
    animation.Tick();
    EXPECT_FALSE(animation.Region().contains(QPoint(2, 2)));
    while (animation.Running()) {
        animation.Tick();
    }
    ASSERT_EQ(finished.size(), 2);
    EXPECT_TRUE(finished[1]);
}

} // namespace
