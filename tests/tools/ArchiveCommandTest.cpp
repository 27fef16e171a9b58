#include "TempDir.h"
#include "ToolRunner.h"
#include "platform/VirtualFs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

const QString Fixtures = QStringLiteral(RAR_FIXTURES);
const QString Simple = Fixtures + QStringLiteral("/test_read_format_rar.rar");

class ArchiveCommandTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        VirtualFs::instance().mount(QStringLiteral("z:\\"), QStringLiteral("/"));
    }

    TempDir dir;
};

TEST_F(ArchiveCommandTest, ListGivesNameKindSizeAndDosTimePerEntry)
{
    const ToolResult result = runTool({"archive", "list", Simple});
    ASSERT_EQ(result.status, 0) << result.err.toStdString();
    const QStringList lines = result.outLines();
    ASSERT_EQ(lines.size(), 5);
    EXPECT_TRUE(lines.at(0).startsWith(QStringLiteral("test.txt\tf\t20\t")));
    EXPECT_TRUE(lines.at(2).startsWith(QStringLiteral("testdir\\test.txt\tf\t20\t")));
    EXPECT_TRUE(lines.at(3).startsWith(QStringLiteral("testdir\td\t0\t")));
    bool number = false;
    lines.at(0).section('\t', 3).toUInt(&number);
    EXPECT_TRUE(number);
}

TEST_F(ArchiveCommandTest, PagesAreTheBrowsersListingPages)
{
    const QString out = dir.file(QStringLiteral("pages"));
    const ToolResult result = runTool({"archive", "pages", Simple, "-o", out});
    ASSERT_EQ(result.status, 0) << result.err.toStdString();
    EXPECT_EQ(result.outLines(), QStringList({"as_test_read_format_rar.rar.htm"}));
    const QStringList pages = QDir(out).entryList(QDir::Files);
    EXPECT_EQ(pages.size(), 2 + 3) << "frameset, bar, root, testdir, testemptydir";
    EXPECT_TRUE(pages.contains(QStringLiteral("as_bar.htm")));
}

TEST_F(ArchiveCommandTest, ExtractUnpacksAndSaysWhenTheArchiveIsNotWhole)
{
    const QString out = dir.file(QStringLiteral("out"));
    ASSERT_EQ(runTool({"archive", "extract", Simple, "-o", out}).status, 0);
    EXPECT_EQ(QFileInfo(out + QStringLiteral("/testdir/test.txt")).size(), 20);
    EXPECT_FALSE(QFileInfo(out + QStringLiteral("/testlink")).exists()) << "links are left out";

    QFile whole(Fixtures + QStringLiteral("/test_read_format_rar_compress_normal.rar"));
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
    const QString cut = dir.write(QStringLiteral("cut.rar"), whole.read(9000));
    const ToolResult damaged = runTool({"archive", "extract", cut, "-o", dir.file("cut")});
    EXPECT_EQ(damaged.status, 1);
    EXPECT_FALSE(damaged.err.isEmpty());
}

TEST_F(ArchiveCommandTest, BadInputEndsWithStatusTwo)
{
    EXPECT_EQ(runTool({"archive", "list"}).status, 2);
    EXPECT_EQ(runTool({"archive", "list", dir.file("missing.rar")}).status, 2);
    EXPECT_EQ(runTool({"archive", "extract", Simple}).status, 2) << "-o is needed";
    EXPECT_EQ(runTool({"archive", "unpack", Simple}).status, 2);
    const ToolResult notRar =
        runTool({"archive", "list", dir.write(QStringLiteral("x.rar"), "plain text")});
    EXPECT_EQ(notRar.status, 1);
    EXPECT_TRUE(notRar.err.contains(QStringLiteral("не является RAR архивом")));
}

} // namespace
