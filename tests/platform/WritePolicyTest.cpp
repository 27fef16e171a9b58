#include "platform/WritePolicy.h"

#include "TempDir.h"
#include "platform/VirtualFs.h"

#include <QFile>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

// The program's roots in temporary folders, the rest of the host on "z:\".
class WritePolicyTest : public ::testing::Test {
protected:
    WritePolicyTest()
    {
        VirtualFs& fs = VirtualFs::instance();
        fs.mount(QStringLiteral("c:\\"), drive.path());
        fs.mount(QStringLiteral("c:\\windows\\temp\\"), temp.path());
        fs.mount(QStringLiteral("d:\\"), disc.path());
        fs.mount(QStringLiteral("z:\\"), QStringLiteral("/"));
    }
    ~WritePolicyTest() override
    {
        for (const char* prefix : {"c:\\", "c:\\windows\\temp\\", "d:\\"}) {
            VirtualFs::instance().unmount(QLatin1String(prefix));
        }
    }
    static QByteArray contentOf(const QString& host)
    {
        QFile file(host);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    TempDir drive;
    TempDir temp;
    TempDir disc;
    TempDir home;
};

} // namespace

TEST_F(WritePolicyTest, OwnRootsAndChosenFoldersTakeWritesNothingElseDoes)
{
    EXPECT_TRUE(WritePolicy::makePath(QStringLiteral("c:\\games\\"), QString()));
    EXPECT_TRUE(WritePolicy::writeFile(QStringLiteral("c:\\games\\a.txt"), "a", QString()));
    EXPECT_EQ(contentOf(drive.file(QStringLiteral("games/a.txt"))), QByteArray("a"));
    EXPECT_TRUE(WritePolicy::makePath(QStringLiteral("c:\\windows\\temp\\as_x\\"), QString()));
    EXPECT_FALSE(WritePolicy::writeFile(QStringLiteral("d:\\a.txt"), "a", QString()));
    EXPECT_FALSE(
        WritePolicy::writeFile(home.virtualPath() + QStringLiteral("a.txt"), "a", QString()));
    EXPECT_FALSE(WritePolicy::makePath(home.virtualPath() + QStringLiteral("sub"), QString()));
    EXPECT_TRUE(
        WritePolicy::makePath(home.virtualPath() + QStringLiteral("sub"), home.virtualPath()));
    EXPECT_TRUE(WritePolicy::writeFile(home.virtualPath() + QStringLiteral("sub\\a.txt"), "a",
                                       home.virtualPath()));
    EXPECT_EQ(contentOf(home.file(QStringLiteral("sub/a.txt"))), QByteArray("a"));
}

TEST_F(WritePolicyTest, DotFilesLinksAndSpecialFilesAreRefused)
{
    home.write(QStringLiteral(".bashrc"), "mine");
    const QString chosen = home.virtualPath();
    EXPECT_FALSE(WritePolicy::writeFile(chosen + QStringLiteral(".bashrc"), "evil", chosen));
    EXPECT_FALSE(WritePolicy::writeFile(chosen + QStringLiteral(".config\\x"), "evil", chosen));
    EXPECT_EQ(contentOf(home.file(QStringLiteral(".bashrc"))), QByteArray("mine"));

    ASSERT_TRUE(QFile::link(home.path(), drive.file(QStringLiteral("home"))));
    ASSERT_TRUE(QFile::link(home.file(QStringLiteral("target.txt")),
                            drive.file(QStringLiteral("dangling.txt"))));
    EXPECT_FALSE(WritePolicy::writeFile(QStringLiteral("c:\\home\\a.txt"), "a", QString()));
    EXPECT_FALSE(WritePolicy::writeFile(QStringLiteral("c:\\dangling.txt"), "a", QString()));
    EXPECT_FALSE(QFile::exists(home.file(QStringLiteral("a.txt"))));
    EXPECT_FALSE(QFile::exists(home.file(QStringLiteral("target.txt"))));

    const QString fifo = drive.file(QStringLiteral("pipe"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_FALSE(WritePolicy::writeFile(QStringLiteral("c:\\pipe"), "a", QString()));
    EXPECT_FALSE(WritePolicy::copyFile(QStringLiteral("c:\\games\\x"), QStringLiteral("c:\\pipe"),
                                       QString()));
}

TEST_F(WritePolicyTest, RemovalsTakeLinksAsLinksAndNeverARoot)
{
    const QString precious = home.write(QStringLiteral("precious.txt"), "mine");
    ASSERT_TRUE(QFile::setPermissions(precious, QFileDevice::ReadOwner));
    drive.write(QStringLiteral("game/other.txt"), "x");
    ASSERT_TRUE(QFile::link(precious, drive.file(QStringLiteral("game/linked.txt"))));
    EXPECT_FALSE(WritePolicy::makeWritable(QStringLiteral("c:\\game\\linked.txt"), QString()));
    EXPECT_FALSE(QFile::permissions(precious) & QFileDevice::WriteOwner);
    EXPECT_TRUE(WritePolicy::removeEntry(QStringLiteral("c:\\game\\linked.txt"), QString()));
    EXPECT_TRUE(QFile::exists(precious));
    EXPECT_FALSE(QFile::exists(drive.file(QStringLiteral("game/linked.txt"))));

    EXPECT_FALSE(WritePolicy::removeEntry(QStringLiteral("c:\\"), QString()));
    EXPECT_FALSE(WritePolicy::removeEntry(QStringLiteral("c:\\windows\\temp\\"), QString()));
    EXPECT_FALSE(WritePolicy::removeEntry(home.virtualPath(), home.virtualPath()));
    EXPECT_FALSE(
        WritePolicy::removeEntry(home.virtualPath() + QStringLiteral("precious.txt"), QString()));
    EXPECT_TRUE(QFile::exists(precious));
}
