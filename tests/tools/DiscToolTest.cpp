#include "ToolRunner.h"

#include <gtest/gtest.h>

TEST(DiscTool, HelpListsEveryCommand)
{
    for (const char* help : {"help", "--help", "-h"}) {
        const ToolResult run = runTool({help});
        EXPECT_EQ(run.status, 0);
        for (const char* command : {"cfs decode", "cfs encode", "dhl list", "dhl cat", "dhl pack",
                                    "dat list", "dat cat", "dat pack", "build-disc"}) {
            EXPECT_TRUE(run.outText().contains(QLatin1String(command))) << command;
        }
    }
}

TEST(DiscTool, VersionIsOneLine)
{
    const ToolResult run = runTool({"--version"});
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.outText().startsWith(QStringLiteral("disctool ")));
    EXPECT_EQ(run.outText().count(QLatin1Char('\n')), 1);
}

TEST(DiscTool, UnknownOrMissingCommandIsStatusTwoWithOneLine)
{
    for (const QStringList& arguments : {QStringList(), QStringList{"zip"}, QStringList{"--cfs"}}) {
        const ToolResult run = runTool(arguments);
        EXPECT_EQ(run.status, 2);
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_TRUE(run.err.startsWith(QStringLiteral("disctool: ")));
        EXPECT_EQ(run.err.count(QLatin1Char('\n')), 1);
    }
}

TEST(DiscTool, DoubleDashLetsPathsBeginWithAMinus)
{
    const ToolResult run = runTool({"cfs", "decode", "--", "-no-such-file"});
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.err.contains(QStringLiteral("cannot read -no-such-file")))
        << run.err.toStdString();
}
