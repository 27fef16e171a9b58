#include "data/FindFiles.h"

#include "TempDir.h"
#include "platform/VirtualFs.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

// A small disc tree:
//   .hidden.htm  A.HTML  README  b.htm  c.txt  folder.htm/  loop -> .
//   sub1/x.htm  sub1/deep/y.htm  sub2/z.HTM
class FindFilesTest : public testing::Test {
protected:
    void SetUp() override
    {
        VirtualFs::instance().mount(QStringLiteral("z:\\"), QStringLiteral("/"));
        for (const char* name : {".hidden.htm", "A.HTML", "README", "b.htm", "c.txt", "sub1/x.htm",
                                 "sub1/deep/y.htm", "sub2/z.HTM"}) {
            dir_.write(QString::fromLatin1(name), "x");
        }
        QDir(dir_.path()).mkdir(QStringLiteral("folder.htm"));
        QFile::link(dir_.path(), dir_.file(QStringLiteral("loop")));
        top_ = dir_.virtualPath();
    }

    TDynamicStringArray find(TDynamicStringArray masks, bool recurse, bool listFolders = false)
    {
        TDynamicStringArray result{QStringLiteral("stale")};
        FindFiles(top_, masks, recurse, listFolders, result);
        return result;
    }

    TDynamicStringArray under(std::initializer_list<const char*> names) const
    {
        TDynamicStringArray paths;
        for (const char* name : names) {
            paths.append(top_ + QString::fromLatin1(name));
        }
        return paths;
    }

    TempDir dir_;
    QString top_; // virtual, with a trailing backslash
};

TEST_F(FindFilesTest, TopFolderOnly)
{
    EXPECT_EQ(find({QStringLiteral("*.htm*")}, false), under({".hidden.htm", "A.HTML", "b.htm"}));
    EXPECT_EQ(find({QStringLiteral("?.htm")}, false), under({"b.htm"}));
    EXPECT_EQ(find({QStringLiteral("*.*")}, false),
              under({".hidden.htm", "A.HTML", "README", "b.htm", "c.txt"}));
    EXPECT_EQ(find({QStringLiteral("*")}, false),
              under({".hidden.htm", "A.HTML", "README", "b.htm", "c.txt"}));
    EXPECT_EQ(find({QStringLiteral("readme")}, false), under({"README"}));
    EXPECT_TRUE(find({QStringLiteral("*.pdf")}, false).isEmpty());
    EXPECT_TRUE(find({}, false).isEmpty());
}

TEST_F(FindFilesTest, MasksInOrderPerFolder)
{
    EXPECT_EQ(find({QStringLiteral("*.txt"), QStringLiteral("b*")}, false),
              under({"c.txt", "b.htm"}));
    // A file matching two masks is listed twice, as the masks are separate searches.
    EXPECT_EQ(find({QStringLiteral("b*"), QStringLiteral("*.htm")}, false),
              under({"b.htm", ".hidden.htm", "b.htm"}));
}

TEST_F(FindFilesTest, MasksAreLowerCasedInPlace)
{
    TDynamicStringArray masks{QStringLiteral("*.HTM"), QStringLiteral("Sub?")};
    TDynamicStringArray result;
    FindFiles(top_, masks, false, false, result);
    EXPECT_EQ(masks, (TDynamicStringArray{QStringLiteral("*.htm"), QStringLiteral("sub?")}));
    EXPECT_EQ(result, under({".hidden.htm", "b.htm"}));
}

TEST_F(FindFilesTest, RecursesLevelByLevel)
{
    EXPECT_EQ(find({QStringLiteral("*.htm*")}, true),
              under({".hidden.htm", "A.HTML", "b.htm", "sub1\\x.htm", "sub2\\z.HTM",
                     "sub1\\deep\\y.htm"}));
}

TEST_F(FindFilesTest, ListsVisitedFolders)
{
    EXPECT_EQ(find({QStringLiteral("*.txt")}, true, true),
              under({"", "c.txt", "folder.htm\\", "sub1\\", "sub2\\", "sub1\\deep\\"}));
    EXPECT_EQ(find({QStringLiteral("*.txt")}, false, true), under({"", "c.txt"}));
}

TEST_F(FindFilesTest, FolderWithoutTrailingBackslash)
{
    TDynamicStringArray masks{QStringLiteral("b.htm")};
    TDynamicStringArray result;
    FindFiles(top_.chopped(1), masks, false, false, result);
    EXPECT_EQ(result, under({"b.htm"}));
}

TEST_F(FindFilesTest, EmptyOrMissingFolderClearsTheResult)
{
    TDynamicStringArray masks{QStringLiteral("*")};
    TDynamicStringArray result{QStringLiteral("stale")};
    FindFiles(QString(), masks, true, true, result);
    EXPECT_TRUE(result.isEmpty());
    result = {QStringLiteral("stale")};
    FindFiles(top_ + QStringLiteral("absent"), masks, true, true, result);
    EXPECT_TRUE(result.isEmpty());
}

TEST_F(FindFilesTest, LinkLoopsAreSearchedOnce)
{
    QFile::link(dir_.file(QStringLiteral("sub1")), dir_.file(QStringLiteral("sub1/deep/up")));
    const TDynamicStringArray result = find({QStringLiteral("y.htm")}, true, false);
    EXPECT_EQ(result, under({"sub1\\deep\\y.htm"}));
}

} // namespace
