#include "data/ReadBin.h"

#include "TempDir.h"
#include "platform/CodePage.h"
#include "platform/VirtualFs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

// Builds container bytes by hand, so that malformed directories can be made too.
class ContainerBytes {
public:
    explicit ContainerBytes(quint16 count) { appendInt(count, 2); }

    // A directory entry with the name bytes and length given as they are.
    ContainerBytes& rawEntry(const QByteArray& name, quint32 nameLength, quint32 offset,
                             quint32 size)
    {
        appendInt(nameLength, 4);
        bytes_.append(name);
        appendInt(offset, 4);
        appendInt(size, 4);
        return *this;
    }
    ContainerBytes& entry(const QString& name, quint32 offset, quint32 size)
    {
        const QByteArray encoded = CodePage::toCp1251(name);
        return rawEntry(encoded, quint32(encoded.size()), offset, size);
    }
    ContainerBytes& data(const QByteArray& bytes)
    {
        bytes_.append(bytes);
        return *this;
    }
    qsizetype size() const { return bytes_.size(); }
    const QByteArray& bytes() const { return bytes_; }

private:
    void appendInt(quint32 value, int width)
    {
        char raw[4];
        qToLittleEndian(value, raw);
        bytes_.append(raw, width);
    }
    QByteArray bytes_;
};

// Directory size of entries with the given name lengths.
quint32 directorySize(std::initializer_list<int> nameLengths)
{
    quint32 size = 2;
    for (int length : nameLengths) {
        size += 12 + quint32(length);
    }
    return size;
}

class ReadBinTest : public testing::Test {
protected:
    void SetUp() override
    {
        VirtualFs::instance().mount(QStringLiteral("z:\\"), QStringLiteral("/"));
    }

    QString write(const QByteArray& bytes, const QString& name = QStringLiteral("Mev.dhl"))
    {
        dir_.write(name, bytes);
        return dir_.virtualPath() + name;
    }

    // A container of three entries: "Struct.cfs", a Cyrillic name and "Data.bin".
    QString writeSample()
    {
        const quint32 start = directorySize({10, 9, 8});
        ContainerBytes bytes(3);
        bytes.entry(QStringLiteral("Struct.cfs"), start, 5)
            .entry(QStringLiteral("Книга.bmp"), start + 5, 3)
            .entry(QStringLiteral("Data.bin"), start + 8, 4)
            .data("hello")
            .data("abc")
            .data(QByteArray("\x00\x01\xFF\x7F", 4));
        return write(bytes.bytes());
    }

    // How many of our file descriptors point at a host file.
    static int openHandlesTo(const QString& hostPath)
    {
        const QString target = QFileInfo(hostPath).canonicalFilePath();
        int count = 0;
        const QDir fds(QStringLiteral("/proc/self/fd"));
        for (const QFileInfo& fd : fds.entryInfoList(QDir::System | QDir::Files)) {
            count += fd.symLinkTarget() == target ? 1 : 0;
        }
        return count;
    }

    TempDir dir_;
};

TEST_F(ReadBinTest, ReadsDirectoryAndEntries)
{
    TReadBin bin;
    const QString path = writeSample();
    ASSERT_TRUE(bin.Open(path)) << bin.errorString().toStdString();
    EXPECT_EQ(bin.FileName(), path);
    ASSERT_EQ(bin.Directory().size(), 3);
    EXPECT_EQ(bin.Directory()[1].Name, QStringLiteral("Книга.bmp"));
    EXPECT_EQ(bin.Directory()[1].Size, 3u);

    QByteArray block("previous content");
    EXPECT_EQ(bin.ReadToBuffer(QStringLiteral("Struct.cfs"), block), 5);
    EXPECT_EQ(block, QByteArray("hello"));
    EXPECT_EQ(bin.ReadToBuffer(QStringLiteral("Data.bin"), block), 4);
    EXPECT_EQ(block, QByteArray("\x00\x01\xFF\x7F", 4));
}

TEST_F(ReadBinTest, LookupIgnoresCaseIncludingCyrillic)
{
    TReadBin bin;
    ASSERT_TRUE(bin.Open(writeSample()));
    EXPECT_TRUE(bin.Exists(QStringLiteral("struct.cfs")));
    EXPECT_TRUE(bin.Exists(QStringLiteral("STRUCT.CFS")));
    EXPECT_TRUE(bin.Exists(QStringLiteral("КНИГА.BMP")));
    EXPECT_TRUE(bin.Exists(QStringLiteral("книга.bmp")));
    EXPECT_FALSE(bin.Exists(QStringLiteral("struct.cf")));
    EXPECT_FALSE(bin.Exists(QString()));
    QByteArray block;
    EXPECT_EQ(bin.ReadToBuffer(QStringLiteral("кнИГА.Bmp"), block), 3);
    EXPECT_EQ(block, QByteArray("abc"));
}

TEST_F(ReadBinTest, EmptyContainerHasNoEntries)
{
    TReadBin bin;
    ASSERT_TRUE(bin.Open(write(ContainerBytes(0).bytes())));
    EXPECT_TRUE(bin.Directory().isEmpty());
    EXPECT_FALSE(bin.Exists(QStringLiteral("Struct.cfs")));
    QByteArray block("kept");
    EXPECT_EQ(bin.ReadToBuffer(QStringLiteral("Struct.cfs"), block), -1);
    EXPECT_EQ(block, QByteArray("kept"));
    QBuffer stream;
    EXPECT_FALSE(bin.ReadToStream(QStringLiteral("Struct.cfs"), stream));
}

TEST_F(ReadBinTest, DuplicateNamesReturnTheFirstEntry)
{
    const quint32 start = directorySize({5, 5});
    ContainerBytes bytes(2);
    bytes.entry(QStringLiteral("A.txt"), start, 3)
        .entry(QStringLiteral("a.TXT"), start + 3, 3)
        .data("one")
        .data("two");
    TReadBin bin;
    ASSERT_TRUE(bin.Open(write(bytes.bytes())));
    QByteArray block;
    EXPECT_EQ(bin.ReadToBuffer(QStringLiteral("a.txt"), block), 3);
    EXPECT_EQ(block, QByteArray("one"));
    EXPECT_EQ(bin.ReadToBuffer(QStringLiteral("A.TXT"), block), 3);
    EXPECT_EQ(block, QByteArray("one"));
}

TEST_F(ReadBinTest, NameIsCutAtFirstZeroByte)
{
    const QByteArray name("ab\0cd", 5);
    ContainerBytes bytes(1);
    bytes.rawEntry(name, 5, directorySize({5}), 1).data("x");
    TReadBin bin;
    ASSERT_TRUE(bin.Open(write(bytes.bytes())));
    EXPECT_EQ(bin.Directory()[0].Name, QStringLiteral("ab"));
    EXPECT_TRUE(bin.Exists(QStringLiteral("AB")));
}

TEST_F(ReadBinTest, EmptyEntryReadsAsEmptyBlockAndStream)
{
    ContainerBytes bytes(1);
    bytes.entry(QStringLiteral("empty"), directorySize({5}), 0);
    TReadBin bin;
    ASSERT_TRUE(bin.Open(write(bytes.bytes())));
    QByteArray block("old");
    EXPECT_EQ(bin.ReadToBuffer(QStringLiteral("empty"), block), 0);
    EXPECT_TRUE(block.isEmpty());
    QBuffer stream;
    stream.setData("old data");
    EXPECT_TRUE(bin.ReadToStream(QStringLiteral("empty"), stream));
    EXPECT_EQ(stream.size(), 0);
    EXPECT_EQ(stream.pos(), 0);
}

TEST_F(ReadBinTest, ReadToStreamReplacesContentAndRewinds)
{
    TReadBin bin;
    ASSERT_TRUE(bin.Open(writeSample()));

    QBuffer closed;
    ASSERT_TRUE(bin.ReadToStream(QStringLiteral("struct.cfs"), closed));
    EXPECT_TRUE(closed.isOpen());
    EXPECT_TRUE(closed.isWritable());
    EXPECT_EQ(closed.pos(), 0);
    EXPECT_EQ(closed.readAll(), QByteArray("hello"));

    QBuffer open;
    open.open(QIODevice::ReadWrite);
    open.write("a much longer previous content");
    ASSERT_TRUE(bin.ReadToStream(QStringLiteral("Книга.bmp"), open));
    EXPECT_EQ(open.pos(), 0);
    EXPECT_EQ(open.size(), 3);
    EXPECT_EQ(open.readAll(), QByteArray("abc"));
}

TEST_F(ReadBinTest, RereadingGivesSameBytesWithoutHoldingTheFile)
{
    TReadBin bin;
    const QString path = writeSample();
    ASSERT_TRUE(bin.Open(path));
    const QString host = dir_.file(QStringLiteral("Mev.dhl"));
    EXPECT_EQ(openHandlesTo(host), 0);
    QByteArray first;
    QByteArray second;
    EXPECT_EQ(bin.ReadToBuffer(QStringLiteral("Data.bin"), first), 4);
    EXPECT_EQ(openHandlesTo(host), 0);
    EXPECT_EQ(bin.ReadToBuffer(QStringLiteral("Data.bin"), second), 4);
    EXPECT_EQ(first, second);
    EXPECT_EQ(openHandlesTo(host), 0);

    // Each extraction opens the file anew: a replaced file is read as it is now.
    QByteArray changed;
    {
        QFile file(host);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.seek(directorySize({10, 9, 8})));
        file.write("HELLO");
    }
    EXPECT_EQ(bin.ReadToBuffer(QStringLiteral("Struct.cfs"), changed), 5);
    EXPECT_EQ(changed, QByteArray("HELLO"));
}

TEST_F(ReadBinTest, OpenReplacesThePreviousDirectory)
{
    TReadBin bin;
    ASSERT_TRUE(bin.Open(writeSample()));
    ASSERT_TRUE(bin.Open(write(ContainerBytes(0).bytes(), QStringLiteral("other.dhl"))));
    EXPECT_TRUE(bin.Directory().isEmpty());
    EXPECT_FALSE(bin.Exists(QStringLiteral("Struct.cfs")));
}

TEST_F(ReadBinTest, MissingOrTinyFileFailsToOpen)
{
    TReadBin bin;
    EXPECT_FALSE(bin.Open(dir_.virtualPath() + QStringLiteral("absent.dhl")));
    EXPECT_FALSE(bin.errorString().isEmpty());
    EXPECT_FALSE(bin.Open(write(QByteArray())));
    EXPECT_FALSE(bin.Open(write(QByteArray("\x01", 1))));
    EXPECT_TRUE(bin.Directory().isEmpty());
}

TEST_F(ReadBinTest, PipeIsNotOpened)
{
    const QString pipe = dir_.file(QStringLiteral("pipe.dhl"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    TReadBin bin;
    EXPECT_FALSE(bin.Open(dir_.virtualPath() + QStringLiteral("pipe.dhl")));
}

TEST_F(ReadBinTest, MalformedNameLengthsAreRejected)
{
    const quint32 start = directorySize({5, 0});
    ContainerBytes zeroLength(2);
    zeroLength.entry(QStringLiteral("first"), start, 1)
        .rawEntry(QByteArray(), 0, start, 1)
        .data("x");
    TReadBin bin;
    EXPECT_FALSE(bin.Open(write(zeroLength.bytes())));
    EXPECT_FALSE(bin.errorString().isEmpty());
    ASSERT_EQ(bin.Directory().size(), 1);
    EXPECT_EQ(bin.Directory()[0].Name, QStringLiteral("first"));

    ContainerBytes tooLong(1);
    tooLong.rawEntry(QByteArray(257, 'n'), 257, 0, 0).data(QByteArray(64, 'x'));
    EXPECT_FALSE(bin.Open(write(tooLong.bytes())));
    EXPECT_TRUE(bin.Directory().isEmpty());

    ContainerBytes longest(1);
    longest.rawEntry(QByteArray(256, 'n'), 256, 0, 2);
    ASSERT_TRUE(bin.Open(write(longest.bytes())));
    EXPECT_EQ(bin.Directory()[0].Name.size(), 256);
}

TEST_F(ReadBinTest, HugeNameLengthDoesNotAllocate)
{
    ContainerBytes hostile(1);
    hostile.rawEntry(QByteArray(16, 'n'), 0xFFFFFFFFu, 0, 0);
    TReadBin bin;
    EXPECT_FALSE(bin.Open(write(hostile.bytes())));
}

TEST_F(ReadBinTest, CountBeyondTheFileIsRejected)
{
    ContainerBytes bytes(0xFFFF);
    bytes.entry(QStringLiteral("a"), 0, 0);
    TReadBin bin;
    EXPECT_FALSE(bin.Open(write(bytes.bytes())));
    EXPECT_FALSE(bin.errorString().isEmpty());
    EXPECT_TRUE(bin.Directory().isEmpty());

    // Two entries of a one-byte name need 26 bytes after the count.
    ContainerBytes twoShort(2);
    twoShort.entry(QStringLiteral("a"), 0, 0).data(QByteArray(12, '\0'));
    ASSERT_EQ(twoShort.size(), 2 + 25);
    EXPECT_FALSE(bin.Open(write(twoShort.bytes())));
}

TEST_F(ReadBinTest, TruncatedDirectoryKeepsCompleteEntries)
{
    ContainerBytes bytes(3);
    bytes.entry(QStringLiteral("one"), 0, 0)
        .entry(QStringLiteral("two"), 0, 0)
        .entry(QStringLiteral("three"), 0, 0);
    const QByteArray cut = bytes.bytes().left(bytes.size() - 3);
    TReadBin bin;
    EXPECT_FALSE(bin.Open(write(cut)));
    ASSERT_EQ(bin.Directory().size(), 2);
    EXPECT_EQ(bin.Directory()[1].Name, QStringLiteral("two"));
    EXPECT_TRUE(bin.Exists(QStringLiteral("one")));
}

TEST_F(ReadBinTest, EntryPastTheEndFailsAsReadFailure)
{
    const quint32 start = directorySize({4, 4, 4, 4});
    ContainerBytes bytes(4);
    bytes.entry(QStringLiteral("good"), start, 4)
        .entry(QStringLiteral("long"), start, 5)
        .entry(QStringLiteral("away"), 0xFFFFFFF0u, 4)
        .entry(QStringLiteral("huge"), 0, 0xFFFFFFFFu)
        .data("data");
    TReadBin bin;
    ASSERT_TRUE(bin.Open(write(bytes.bytes())));
    for (const char* name : {"long", "away", "huge"}) {
        QByteArray block("kept");
        EXPECT_EQ(bin.ReadToBuffer(QString::fromLatin1(name), block), -1) << name;
        EXPECT_EQ(block, QByteArray("kept")) << name;
        QBuffer stream;
        EXPECT_FALSE(bin.ReadToStream(QString::fromLatin1(name), stream)) << name;
    }
    QByteArray block;
    EXPECT_EQ(bin.ReadToBuffer(QStringLiteral("good"), block), 4);
    EXPECT_EQ(block, QByteArray("data"));
}

TEST_F(ReadBinTest, ContainerRemovedAfterOpenFailsQuietly)
{
    TReadBin bin;
    ASSERT_TRUE(bin.Open(writeSample()));
    ASSERT_TRUE(QFile::remove(dir_.file(QStringLiteral("Mev.dhl"))));
    EXPECT_TRUE(bin.Exists(QStringLiteral("Struct.cfs")));
    QByteArray block;
    EXPECT_EQ(bin.ReadToBuffer(QStringLiteral("Struct.cfs"), block), -1);
    QBuffer stream;
    EXPECT_FALSE(bin.ReadToStream(QStringLiteral("Struct.cfs"), stream));
}

} // namespace
