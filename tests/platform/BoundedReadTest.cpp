#include "platform/BoundedRead.h"

#include "TempDir.h"
#include "platform/VirtualFs.h"

#include <QFile>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

// A hostile disc: files that are no files, or too big to take in.
class BoundedReadTest : public ::testing::Test {
protected:
    BoundedReadTest()
    {
        fs.mount(QStringLiteral("d:\\"), disc.path());
        fs.mount(QStringLiteral("z:\\"), QStringLiteral("/"));
        VirtualFs::instance().mount(QStringLiteral("q:\\"), disc.path());
    }
    ~BoundedReadTest() override { VirtualFs::instance().unmount(QStringLiteral("q:\\")); }
    QString fifo(const QString& name) const
    {
        const QString path = disc.file(name);
        EXPECT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        return path;
    }
    // A sparse file of the given size: costs no disk space.
    QString sized(const QString& name, qint64 size) const
    {
        const QString path = disc.write(name, QByteArray());
        EXPECT_TRUE(QFile::resize(path, size));
        return path;
    }

    TempDir disc;
    VirtualFs fs;
};

constexpr qint64 MiB = 1024 * 1024;

} // namespace

TEST_F(BoundedReadTest, FifoIsRefusedWithoutWaitingForAWriter)
{
    const QString path = fifo(QStringLiteral("interface.dat"));
    EXPECT_EQ(BoundedRead::open(path, ReadKind::Archive), nullptr);
    EXPECT_FALSE(BoundedRead::read(path, ReadKind::Page));
    EXPECT_FALSE(fs.readFile(QStringLiteral("d:\\INTERFACE.DAT")));
    EXPECT_EQ(BoundedRead::openVirtual(QStringLiteral("q:\\interface.dat"), ReadKind::Archive),
              nullptr);
}

TEST_F(BoundedReadTest, KernelFilesAndDevicesAreRefused)
{
    for (const char* path : {"z:\\proc\\self\\pagemap", "z:\\proc\\self\\maps",
                             "z:\\sys\\kernel\\mm\\transparent_hugepage\\enabled", "z:\\dev\\zero",
                             "z:\\dev\\urandom"}) {
        EXPECT_FALSE(fs.readFile(QString::fromLatin1(path))) << path;
        EXPECT_FALSE(fs.readFile(QString::fromLatin1(path), 16)) << path;
    }
}

TEST_F(BoundedReadTest, EachKindHasItsCap)
{
    EXPECT_EQ(BoundedRead::capOf(ReadKind::Page), 64 * MiB);
    EXPECT_EQ(BoundedRead::capOf(ReadKind::Picture), 64 * MiB);
    EXPECT_EQ(BoundedRead::capOf(ReadKind::StyleSheet), 8 * MiB);
    const QString sheet = sized(QStringLiteral("big.css"), 8 * MiB + 1);
    EXPECT_FALSE(fs.readFile(QStringLiteral("d:\\big.css")));
    EXPECT_FALSE(BoundedRead::read(sheet, ReadKind::StyleSheet));
    EXPECT_EQ(BoundedRead::read(sheet, ReadKind::Page)->size(), 8 * MiB + 1);

    sized(QStringLiteral("huge.jpg"), 64 * MiB + 1);
    sized(QStringLiteral("huge.htm"), 64 * MiB + 1);
    EXPECT_FALSE(fs.readFile(QStringLiteral("d:\\huge.jpg")));
    EXPECT_FALSE(fs.readFile(QStringLiteral("d:\\huge.htm")));
    EXPECT_TRUE(BoundedRead::readVirtual(QStringLiteral("q:\\huge.htm"), ReadKind::Index, 4));
    EXPECT_TRUE(BoundedRead::openVirtual(QStringLiteral("q:\\huge.htm"), ReadKind::Archive));
}

TEST_F(BoundedReadTest, KindFollowsTheName)
{
    EXPECT_EQ(BoundedRead::kindOfName(QStringLiteral("d:\\s\\Style.CSS")), ReadKind::StyleSheet);
    EXPECT_EQ(BoundedRead::kindOfName(QStringLiteral("d:\\a.JPG")), ReadKind::Picture);
    EXPECT_EQ(BoundedRead::kindOfName(QStringLiteral("d:\\a.gif")), ReadKind::Picture);
    EXPECT_EQ(BoundedRead::kindOfName(QStringLiteral("d:\\a.htm")), ReadKind::Page);
    EXPECT_EQ(BoundedRead::kindOfName(QStringLiteral("d:\\css")), ReadKind::Page);
}

TEST_F(BoundedReadTest, RegularFilesReadWholeOrByHead)
{
    disc.write(QStringLiteral("page.htm"), "<html>body</html>");
    EXPECT_EQ(fs.readFile(QStringLiteral("d:\\PAGE.htm")), QByteArray("<html>body</html>"));
    EXPECT_EQ(fs.readFile(QStringLiteral("d:\\page.htm"), 6), QByteArray("<html>"));
    EXPECT_EQ(BoundedRead::readVirtual(QStringLiteral("q:\\page.htm"), ReadKind::Page, 0),
              QByteArray());
    EXPECT_FALSE(fs.readFile(QStringLiteral("d:\\missing.htm")));
    EXPECT_FALSE(fs.readFile(QStringLiteral("d:\\")));
}
