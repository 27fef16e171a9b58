#include "shell/HistoryMenu.h"

#include <QAction>
#include <QIcon>
#include <QMenu>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

using TDirection = THistoryMenu::TDirection;

// The visible items from the top: "text=tag".
QStringList shown(const THistoryMenu& menu)
{
    QStringList items;
    for (const QAction* item : menu.Menu()->actions()) {
        if (item->isVisible()) {
            items << QStringLiteral("%1=%2").arg(item->text()).arg(THistoryMenu::Tag(item));
        }
    }
    return items;
}

QStringList pages(int count)
{
    QStringList titles;
    for (int i = 0; i < count; ++i) {
        titles << QStringLiteral("p%1").arg(i);
    }
    return titles;
}

class HistoryMenuTest : public testing::Test {
protected:
    QWidget window;
    THistoryMenu back{QStringLiteral("Назад"), QIcon(), TDirection::Back, &window};
    THistoryMenu forward{QStringLiteral("Вперед"), QIcon(), TDirection::Forward, &window};
};

TEST_F(HistoryMenuTest, EachMenuHasSevenItemsAllHiddenAtFirst)
{
    EXPECT_EQ(back.Menu()->title(), QStringLiteral("Назад"));
    EXPECT_EQ(forward.Menu()->title(), QStringLiteral("Вперед"));
    EXPECT_EQ(back.Items().size(), 7);
    EXPECT_EQ(forward.Items().size(), 7);
    EXPECT_TRUE(shown(back).isEmpty());
    back.Update(pages(1), 0);
    forward.Update(pages(1), 0);
    EXPECT_TRUE(shown(back).isEmpty()) << "a single page has nowhere to go";
    EXPECT_TRUE(shown(forward).isEmpty());
}

TEST_F(HistoryMenuTest, TheMiddleOfTheHistoryListsBothWaysNearestFirst)
{
    back.Update(pages(5), 2);
    forward.Update(pages(5), 2);
    EXPECT_EQ(shown(back), (QStringList{"p3=3", "p4=4"}));
    EXPECT_EQ(shown(forward), (QStringList{"p1=1", "p0=0"}));
    EXPECT_FALSE(forward.Items()[4]->isVisible()) << "the forward menu fills from its last item";
    EXPECT_EQ(THistoryMenu::Tag(forward.Items()[6]), 0);
    EXPECT_EQ(THistoryMenu::Tag(forward.Items()[5]), 1);
}

TEST_F(HistoryMenuTest, AtMostSevenPagesEachWayAndStaleItemsGo)
{
    back.Update(pages(10), 0);
    EXPECT_EQ(shown(back), (QStringList{"p1=1", "p2=2", "p3=3", "p4=4", "p5=5", "p6=6", "p7=7"}));
    forward.Update(pages(10), 9);
    EXPECT_EQ(shown(forward),
              (QStringList{"p8=8", "p7=7", "p6=6", "p5=5", "p4=4", "p3=3", "p2=2"}));
    back.Update(pages(3), 1);
    EXPECT_EQ(shown(back), QStringList{"p2=2"});
    forward.Update(pages(3), 1);
    EXPECT_EQ(shown(forward), QStringList{"p0=0"});
}

TEST_F(HistoryMenuTest, TitlesAreNamedCutAndKeptLiteral)
{
    const QString longTitle(100, QLatin1Char('x'));
    back.Update({QStringLiteral("now"), QString(), longTitle, QStringLiteral("A & B")}, 0);
    const QList<QAction*>& items = back.Items();
    EXPECT_EQ(items[0]->text(), QStringLiteral("Без названия"));
    EXPECT_EQ(items[1]->text(), QString(80, QLatin1Char('x')));
    EXPECT_EQ(items[2]->text(), QStringLiteral("A && B")) << "no shortcut letter";
}

TEST_F(HistoryMenuTest, ChoosingAnItemOpensTheEntryOfItsTag)
{
    QList<int> chosen;
    QObject::connect(&forward, &THistoryMenu::HistoryChosen, [&chosen](int i) { chosen << i; });
    QObject::connect(&back, &THistoryMenu::HistoryChosen, [&chosen](int i) { chosen << i; });
    back.Update(pages(6), 3);
    forward.Update(pages(6), 3);
    forward.Items()[6]->trigger();
    back.Items()[1]->trigger();
    EXPECT_EQ(chosen, (QList<int>{0, 5}));
}

} // namespace
