#include "shell/HistoryLists.h"

#include "RecordingComponents.h"
#include "interface/InterfaceRecords.h"

#include <QHash>
#include <gtest/gtest.h>

using shelltest::CallLog;

namespace {

// The items of one list as the calls leave them: "caption|command" for the
// visible ones, "-" for the hidden ones.
QStringList Items(const CallLog& log, int type)
{
    QStringList items(HistoryLists::kSlots, QStringLiteral("?"));
    QHash<int, QString> captions;
    for (const QString& call : log.calls) {
        const QString args = call.section(QLatin1Char('('), 1).chopped(1);
        const QStringList parts = args.split(QStringLiteral(", "));
        if (call.startsWith(QLatin1String("Popups.Set(")) && parts.value(2).toInt() == type) {
            captions[parts.value(3).toInt()] = parts.value(0) + QLatin1Char('|') + parts.value(1);
        } else if (call.startsWith(QLatin1String("Popups.ShowItem(")) &&
                   parts.value(1).toInt() == type) {
            const int slot = parts.value(2).toInt();
            items[slot] = parts.value(0) == QLatin1String("true") ? captions.value(slot)
                                                                  : QStringLiteral("-");
        }
    }
    return items;
}

} // namespace

TEST(HistoryLists, BackListsOlderPagesAndForwardEndsWithTheFurthest)
{
    CallLog log;
    shelltest::FakePopups popups(log);
    HistoryLists::Fill(popups, {"E0", "E1", "", "E3", "E4"}, 2);
    EXPECT_EQ(Items(log, PopupHistoryBack),
              QStringList({"E3|history=3", "E4|history=4", "-", "-", "-", "-", "-", "-"}));
    EXPECT_EQ(Items(log, PopupHistoryForward),
              QStringList({"-", "-", "-", "-", "-", "-", "E1|history=1", "E0|history=0"}));
    EXPECT_EQ(HistoryLists::Caption(QString()), QStringLiteral("Без названия"));
    EXPECT_EQ(HistoryLists::Caption(QString(100, QLatin1Char('x'))).size(), 80);
}

TEST(HistoryLists, AtMostEightEntriesEachWay)
{
    CallLog log;
    shelltest::FakePopups popups(log);
    QStringList titles;
    for (int n = 0; n < 20; ++n) {
        titles << QStringLiteral("T%1").arg(n);
    }
    HistoryLists::Fill(popups, titles, 10);
    const QStringList back = Items(log, PopupHistoryBack);
    EXPECT_EQ(back.first(), QStringLiteral("T11|history=11"));
    EXPECT_EQ(back.last(), QStringLiteral("T18|history=18"));
    const QStringList forward = Items(log, PopupHistoryForward);
    EXPECT_EQ(forward.first(), QStringLiteral("T9|history=9")) << "one step forward on top";
    EXPECT_EQ(forward.last(), QStringLiteral("T2|history=2"));
}
