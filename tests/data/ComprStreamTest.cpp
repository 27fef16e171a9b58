#include "data/ComprStream.h"

#include "TempDir.h"
#include "data/ArchiveWriter.h"
#include "data/PackedArchive.h"
#include "platform/VirtualFs.h"

#include <QtEndian>
#include <gtest/gtest.h>

namespace {

QByteArray word(quint32 value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    return QByteArray(bytes, 4);
}

// One member, BAD.HTM, whose eight stored bytes claim to inflate to 100.
QByteArray damagedArchive()
{
    const QByteArray directory = word(1) + word(1) + word(0) + word(0) + word(0) + word(1) +
                                 QByteArray("BAD.HTM").leftJustified(64, '\0') + word(0) + word(8) +
                                 word(100) + word(PackedArchive::KindFile);
    return word(0x5C2E91A3) + word(quint32(directory.size()) ^ 0x0D7B46E8) + directory + "garbage!";
}

class ComprStreamTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        VirtualFs::instance().mount(QStringLiteral("z:\\"), QStringLiteral("/"));
        ArchiveWriter writer;
        ASSERT_TRUE(writer.addFile(QStringLiteral("html/page.htm"), "from the archive"));
        ASSERT_TRUE(writer.addFile(QStringLiteral("html/big.htm"), QByteArray(100000, 'b')));
        const QString host = dir.file(QStringLiteral("interface.dat"));
        ASSERT_TRUE(writer.write(host));
        archivePath = VirtualFs::fromHostPath(host);
        ASSERT_TRUE(archive.OpenArchive(archivePath));
        archive.SetArchiveBase(dir.virtualPath());
        dir.write(QStringLiteral("html/page.htm"), "from the disk");
        dir.write(QStringLiteral("html/only-on-disk.htm"), "disk only");
    }
    QString path(const char* relative) const
    {
        return dir.virtualPath() + QString::fromLatin1(relative);
    }
    static void expectReadableAtStart(const TComprStream& stream)
    {
        EXPECT_TRUE(stream.isReadable());
        EXPECT_EQ(stream.pos(), 0);
    }

    TempDir dir;
    PackedArchive archive;
    QString archivePath;
};

TEST_F(ComprStreamTest, PrefersTheArchiveOverTheDisk)
{
    TComprStream stream(archive, path("HTML\\Page.htm"));
    expectReadableAtStart(stream);
    EXPECT_FALSE(stream.hasError());
    EXPECT_TRUE(stream.fromArchive());
    EXPECT_EQ(stream.readAll(), "from the archive");

    TComprStream big(archive, QStringLiteral("html/big.htm"));
    expectReadableAtStart(big);
    EXPECT_EQ(big.size(), 100000);
}

TEST_F(ComprStreamTest, FallsBackToTheDiskFile)
{
    TComprStream stream(archive, path("html\\ONLY-ON-DISK.HTM"));
    expectReadableAtStart(stream);
    EXPECT_FALSE(stream.hasError());
    EXPECT_FALSE(stream.fromArchive());
    EXPECT_EQ(stream.readAll(), "disk only");
}

TEST_F(ComprStreamTest, MissingEverywhereIsAnEmptyStreamWithAnError)
{
    TComprStream stream(archive, path("html\\absent.htm"));
    expectReadableAtStart(stream);
    EXPECT_TRUE(stream.hasError());
    EXPECT_TRUE(stream.errorString().contains(QStringLiteral("absent.htm")));
    EXPECT_EQ(stream.size(), 0);

    TComprStream folder(archive, path("html"));
    EXPECT_TRUE(folder.hasError());
    EXPECT_EQ(folder.size(), 0);
}

TEST_F(ComprStreamTest, WriteModeGivesAWritableCopy)
{
    TComprStream stream(archive, path("html\\page.htm"), QIODevice::ReadWrite);
    expectReadableAtStart(stream);
    EXPECT_TRUE(stream.isWritable());
    stream.write("FROM");
    stream.seek(0);
    EXPECT_EQ(stream.readAll(), "FROM the archive");
}

TEST_F(ComprStreamTest, OneArgumentFormReadsTheInterfaceArchive)
{
    ASSERT_TRUE(OpenArchive(archivePath));
    SetArchiveBase(dir.virtualPath());
    TComprStream stream(path("html\\page.htm"));
    expectReadableAtStart(stream);
    EXPECT_TRUE(stream.fromArchive());
    EXPECT_EQ(stream.readAll(), "from the archive");
    TComprStream disk(path("html\\only-on-disk.htm"));
    EXPECT_EQ(disk.readAll(), "disk only");
}

TEST_F(ComprStreamTest, DamagedMemberIsAnErrorAndGoesToTheHandler)
{
    const QString host = dir.write(QStringLiteral("bad.dat"), damagedArchive());
    dir.write(QStringLiteral("bad.htm"), "disk copy");

    PackedArchive damaged;
    ASSERT_TRUE(damaged.OpenArchive(VirtualFs::fromHostPath(host)))
        << damaged.errorString().toStdString();
    TComprStream stream(damaged, QStringLiteral("bad.htm"));
    expectReadableAtStart(stream);
    EXPECT_TRUE(stream.hasError());
    EXPECT_EQ(stream.size(), 0);

    QStringList reports;
    SetArchiveDamageHandler([&](const QString& message) { reports.append(message); });
    ASSERT_TRUE(OpenArchive(VirtualFs::fromHostPath(host)));
    TComprStream viaHandler(QStringLiteral("bad.htm"));
    SetArchiveDamageHandler({});
    EXPECT_TRUE(viaHandler.hasError());
    ASSERT_EQ(reports.size(), 1);
    EXPECT_TRUE(reports[0].contains(QStringLiteral("BAD.HTM")));
}

} // namespace
