#include "TempDir.h"
#include "data/ComprStream.h"
#include "data/PackedArchive.h"
#include "data/ReadBin.h"
#include "platform/VirtualFs.h"

#include <QFile>
#include <gtest/gtest.h>
#include <sys/stat.h>

// Disc files that are no files: a FIFO named like the interface archive or
// the container, and kernel files reached through "z:\". None may hang the
// reader or make it swallow gigabytes.
namespace {

class HostileFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        VirtualFs::instance().mount(QStringLiteral("z:\\"), QStringLiteral("/"));
    }
    QString fifo(const QString& name) const
    {
        const QString host = dir.file(name);
        EXPECT_EQ(::mkfifo(QFile::encodeName(host).constData(), 0600), 0);
        return VirtualFs::fromHostPath(host);
    }

    TempDir dir;
};

} // namespace

TEST_F(HostileFiles, AFifoIsNoArchiveNoContainerAndNoPage)
{
    PackedArchive archive;
    EXPECT_FALSE(archive.OpenArchive(fifo(QStringLiteral("interface.dat"))));
    TReadBin bin;
    EXPECT_FALSE(bin.Open(fifo(QStringLiteral("Mev.dhl"))));
    TComprStream page(archive, fifo(QStringLiteral("page.htm")));
    EXPECT_TRUE(page.hasError());
    EXPECT_EQ(page.size(), 0);
}

TEST_F(HostileFiles, KernelFilesAreReadAsMissing)
{
    PackedArchive archive;
    for (const char* path :
         {"z:\\proc\\self\\pagemap", "z:\\proc\\self\\mem", "z:\\dev\\zero", "z:\\proc\\kcore"}) {
        TComprStream stream(archive, QString::fromLatin1(path));
        EXPECT_TRUE(stream.hasError()) << path;
        EXPECT_EQ(stream.size(), 0) << path;
        EXPECT_FALSE(TComprStream::ReadHead(QString::fromLatin1(path), 64)) << path;
        EXPECT_FALSE(archive.OpenArchive(QString::fromLatin1(path))) << path;
    }
}

TEST_F(HostileFiles, AStyleSheetAboveItsCapIsNotRead)
{
    const QString sheet = dir.write(QStringLiteral("big.css"), QByteArray());
    ASSERT_TRUE(QFile::resize(sheet, 8 * 1024 * 1024 + 1));
    PackedArchive archive;
    TComprStream stream(archive, VirtualFs::fromHostPath(sheet));
    EXPECT_TRUE(stream.hasError());
    const QString page = dir.write(QStringLiteral("big.htm"), QByteArray());
    ASSERT_TRUE(QFile::resize(page, 8 * 1024 * 1024 + 1));
    TComprStream pageStream(archive, VirtualFs::fromHostPath(page));
    EXPECT_FALSE(pageStream.hasError());
    EXPECT_EQ(pageStream.size(), 8 * 1024 * 1024 + 1);
}
