#include "engine/ViewerHistory.h"

#include "engine/VisitedLinks.h"

#include <gtest/gtest.h>

namespace {

QString page(int n)
{
    return QStringLiteral("d:\\p%1.htm").arg(n);
}

} // namespace

TEST(ViewerHistory, KeepsTheTenNewestFirst)
{
    ViewerHistory history(10);
    for (int n = 1; n <= 12; ++n) {
        history.recordLoad(page(n), QStringLiteral("T%1").arg(n), 0);
    }
    ASSERT_EQ(history.count(), 10);
    EXPECT_EQ(history.index(), 0);
    EXPECT_EQ(history.files().first(), page(12));
    EXPECT_EQ(history.files().last(), page(3));
    EXPECT_EQ(history.titles().first(), QStringLiteral("T12"));
    EXPECT_TRUE(history.canGoBack());
    EXPECT_FALSE(history.canGoForward());
}

TEST(ViewerHistory, LoadingWhileSteppedBackDropsTheEntriesAhead)
{
    ViewerHistory history(10);
    for (int n = 1; n <= 5; ++n) {
        history.recordLoad(page(n), QString(), n * 10);
    }
    ASSERT_TRUE(history.moveTo(2, 77));
    EXPECT_EQ(history.at(0).position, 77);
    EXPECT_TRUE(history.canGoForward());
    history.recordLoad(page(9), QString(), 33);
    EXPECT_EQ(history.files(), QStringList({page(9), page(3), page(2), page(1)}));
    EXPECT_EQ(history.index(), 0);
    EXPECT_EQ(history.at(1).position, 33);
    EXPECT_FALSE(history.moveTo(4, 0));
    EXPECT_FALSE(history.moveTo(-1, 0));
}

TEST(ViewerHistory, TheSamePageAgainOnlyRenewsItsTitle)
{
    ViewerHistory history(10);
    history.recordLoad(page(1), QStringLiteral("old"), 0);
    history.recordLoad(page(1).toUpper(), QStringLiteral("new"), 5);
    EXPECT_EQ(history.count(), 1);
    EXPECT_EQ(history.titles().first(), QStringLiteral("new"));
    EXPECT_EQ(history.indexOf(page(1)), 0);
    EXPECT_EQ(history.indexOf(page(2)), -1);
}

TEST(ViewerHistory, NoHistoryRecordsNothing)
{
    ViewerHistory history(0);
    history.recordLoad(page(1), QString(), 0);
    EXPECT_EQ(history.count(), 0);
    EXPECT_FALSE(history.canGoBack());
    EXPECT_FALSE(history.canGoForward());
}

TEST(VisitedLinks, KeepsTwentyNewestFirstWithoutDuplicates)
{
    VisitedLinks visited(20);
    for (int n = 1; n <= 25; ++n) {
        visited.add(page(n));
    }
    EXPECT_EQ(visited.links().size(), 20);
    EXPECT_EQ(visited.links().first(), page(25));
    EXPECT_FALSE(visited.contains(page(5)));
    visited.add(page(10).toUpper());
    EXPECT_EQ(visited.links().size(), 20);
    EXPECT_EQ(visited.links().first(), page(10).toUpper());
    EXPECT_TRUE(visited.contains(page(10)));
    visited.add(QString());
    EXPECT_EQ(visited.links().size(), 20);
}
