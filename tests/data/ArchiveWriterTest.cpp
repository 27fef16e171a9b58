#include "data/ArchiveWriter.h"

#include "TempDir.h"
#include "data/PackedArchive.h"
#include "platform/CodePage.h"
#include "platform/VirtualFs.h"

#include <QFile>
#include <QRandomGenerator>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

QByteArray randomBytes(qsizetype size)
{
    QByteArray bytes(size, '\0');
    QRandomGenerator generator(42);
    for (char& byte : bytes) {
        byte = char(generator.bounded(256));
    }
    return bytes;
}

class ArchiveWriterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        VirtualFs::instance().mount(QStringLiteral("z:\\"), QStringLiteral("/"));
    }

    // Writes the archive to disk and opens it with the reader.
    void reopen(ArchiveWriter& writer)
    {
        const QString host = dir.file(QStringLiteral("interface.dat"));
        ASSERT_TRUE(writer.write(host)) << writer.errorString().toStdString();
        ASSERT_TRUE(archive.OpenArchive(VirtualFs::fromHostPath(host)))
            << archive.errorString().toStdString();
    }
    QByteArray member(const QString& path)
    {
        QByteArray bytes;
        const int index = archive.FindMember(path);
        EXPECT_GE(index, 0) << path.toStdString();
        EXPECT_EQ(archive.ReadMember(index, bytes), 0) << path.toStdString();
        return bytes;
    }
    const PackedArchive::Entry& entry(const QString& path)
    {
        const int index = archive.FindMember(path);
        EXPECT_GE(index, 0) << path.toStdString();
        return archive.entries()[qMax(index, 0)];
    }

    TempDir dir;
    PackedArchive archive;
};

TEST_F(ArchiveWriterTest, RoundTripsFoldersAndContents)
{
    ArchiveWriter writer;
    const QByteArray page = QByteArray("<p>Раздел</p>\n").repeated(200);
    ASSERT_TRUE(writer.addFile(QStringLiteral("index.htm"), "<html>start</html>"));
    ASSERT_TRUE(writer.addFile(QStringLiteral("html\\chapter1\\page.htm"), page));
    ASSERT_TRUE(writer.addFile(QStringLiteral("html/chapter2/page.htm"), "two"));
    ASSERT_TRUE(writer.addFile(QStringLiteral("html/style.css"), "body{}"));
    ASSERT_TRUE(writer.addFile(QStringLiteral("images/logo.gif"), "GIF89a"));
    reopen(writer);

    EXPECT_EQ(member(QStringLiteral("INDEX.HTM")), "<html>start</html>");
    EXPECT_EQ(member(QStringLiteral("html/chapter1/page.htm")), page);
    EXPECT_EQ(member(QStringLiteral("Html\\Chapter2\\Page.htm")), "two");
    EXPECT_EQ(member(QStringLiteral("html/style.css")), "body{}");
    EXPECT_EQ(archive.FindMember(QStringLiteral("html/chapter1")), -1);
    EXPECT_EQ(archive.ListArchive(),
              QStringList({"HTML\\CHAPTER1\\PAGE.HTM", "HTML\\CHAPTER2\\PAGE.HTM",
                           "HTML\\STYLE.CSS", "IMAGES\\LOGO.GIF", "INDEX.HTM"}));
    EXPECT_EQ(archive.folders().size(), 5);
    EXPECT_EQ(archive.rootFolder(), 0u);
}

TEST_F(ArchiveWriterTest, CyrillicNamesAreStoredUpperCaseAndFoundInLowerCase)
{
    ArchiveWriter writer;
    ASSERT_TRUE(writer.addFile(QStringLiteral("Страницы/глава первая.htm"), "глава"));
    ASSERT_TRUE(writer.addFile(QStringLiteral("ёлка.htm"), "ель"));
    reopen(writer);

    EXPECT_EQ(member(QStringLiteral("страницы\\глава первая.htm")), "глава");
    EXPECT_EQ(member(QStringLiteral("СТРАНИЦЫ/ГЛАВА ПЕРВАЯ.HTM")), "глава");
    EXPECT_EQ(archive.ListArchive(), QStringList({QStringLiteral("ёЛКА.HTM"),
                                                  QStringLiteral("СТРАНИЦЫ\\ГЛАВА ПЕРВАЯ.HTM")}));
    // "ё" is not folded, so only its lower-case form names the member.
    EXPECT_EQ(member(QStringLiteral("ёлка.htm")), "ель");
    EXPECT_EQ(archive.FindMember(QStringLiteral("Ёлка.htm")), -1);
}

TEST_F(ArchiveWriterTest, DeflatesOnlyWhatShrinks)
{
    const QByteArray text = QByteArray("compressible text ").repeated(100);
    const QByteArray noise = randomBytes(4000);
    ArchiveWriter writer;
    ASSERT_TRUE(writer.addFile(QStringLiteral("text.htm"), text));
    ASSERT_TRUE(writer.addFile(QStringLiteral("noise.bin"), noise));
    ASSERT_TRUE(writer.addFile(QStringLiteral("empty.txt"), QByteArray()));
    reopen(writer);
    EXPECT_LT(entry(QStringLiteral("text.htm")).storedSize, quint32(text.size()));
    EXPECT_EQ(entry(QStringLiteral("noise.bin")).storedSize, quint32(noise.size()));
    EXPECT_EQ(entry(QStringLiteral("empty.txt")).storedSize, 0u);
    EXPECT_EQ(member(QStringLiteral("text.htm")), text);
    EXPECT_EQ(member(QStringLiteral("noise.bin")), noise);
    EXPECT_EQ(member(QStringLiteral("empty.txt")), QByteArray());

    ArchiveWriter plain(false);
    ASSERT_TRUE(plain.addFile(QStringLiteral("text.htm"), text));
    reopen(plain);
    EXPECT_EQ(entry(QStringLiteral("text.htm")).storedSize, quint32(text.size()));
    EXPECT_EQ(member(QStringLiteral("text.htm")), text);
}

TEST_F(ArchiveWriterTest, DirectoryIsDeflatedAndMasked)
{
    ArchiveWriter writer;
    for (int i = 0; i < 20; ++i) {
        ASSERT_TRUE(writer.addFile(QStringLiteral("f%1.htm").arg(i), "x"));
    }
    const QByteArray bytes = writer.toBytes();
    const quint32 extra = qFromLittleEndian<quint32>(bytes.constData()) ^ 0x5C2E91A3;
    const quint32 stored = qFromLittleEndian<quint32>(bytes.constData() + 4) ^ 0x0D7B46E8;
    EXPECT_EQ(extra + stored, 16u + 8u + 20u * 80u);
    EXPECT_GT(extra, 0u);
    EXPECT_EQ(bytes.size(), 8 + qsizetype(stored) + 20);
}

TEST_F(ArchiveWriterTest, NamesUpToSixtyFourBytes)
{
    const QString longest = QString(60, QLatin1Char('n')) + QStringLiteral(".htm");
    ArchiveWriter writer;
    ASSERT_TRUE(writer.addFile(QString(64, QChar(0x0436)) + QStringLiteral("/") + longest, "64"));
    EXPECT_FALSE(writer.addFile(QString(61, QLatin1Char('n')) + QStringLiteral(".htm"), "65"));
    EXPECT_TRUE(writer.errorString().contains(QStringLiteral("64")));
    reopen(writer);
    EXPECT_EQ(member(QString(64, QChar(0x0416)) + QStringLiteral("\\") + longest.toUpper()), "64");
    EXPECT_EQ(archive.ListArchive().value(0).size(), 64 + 1 + 64);
}

TEST_F(ArchiveWriterTest, RefusesBadNamesAndClashesWithoutLeavingTraces)
{
    ArchiveWriter writer;
    ASSERT_TRUE(writer.addFile(QStringLiteral("dir/file.htm"), "a"));
    const QStringList refused = {QStringLiteral(""),
                                 QStringLiteral("a//b"),
                                 QStringLiteral("/lead"),
                                 QStringLiteral("trail/"),
                                 QStringLiteral("new/../x"),
                                 QStringLiteral("./x"),
                                 QStringLiteral("DIR/FILE.HTM"),
                                 QStringLiteral("dir"),
                                 QStringLiteral("dir/file.htm/x"),
                                 QStringLiteral("中文.htm"),
                                 QString::fromUtf16(u"nul\0x", 5)};
    for (const QString& path : refused) {
        EXPECT_FALSE(writer.addFile(path, "b")) << path.toStdString();
        EXPECT_FALSE(writer.errorString().isEmpty()) << path.toStdString();
    }
    EXPECT_TRUE(writer.addFile(QStringLiteral("new"), "a file, since no folder was left"));
    reopen(writer);
    EXPECT_EQ(archive.ListArchive(), QStringList({"DIR\\FILE.HTM", "NEW"}));
    EXPECT_EQ(member(QStringLiteral("dir/file.htm")), "a");
}

TEST_F(ArchiveWriterTest, OutputDependsOnlyOnTheMembers)
{
    ArchiveWriter forward;
    ArchiveWriter backward;
    const QStringList paths = {QStringLiteral("b/x.htm"), QStringLiteral("a.htm"),
                               QStringLiteral("b/a/y.htm"), QStringLiteral("c.css")};
    for (qsizetype i = 0; i < paths.size(); ++i) {
        ASSERT_TRUE(forward.addFile(paths[i], paths[i].toUtf8()));
        ASSERT_TRUE(
            backward.addFile(paths[paths.size() - 1 - i], paths[paths.size() - 1 - i].toUtf8()));
    }
    EXPECT_EQ(forward.toBytes(), backward.toBytes());
}

TEST_F(ArchiveWriterTest, EmptyArchiveOpensAndWriteFailureIsReported)
{
    ArchiveWriter writer;
    reopen(writer);
    EXPECT_TRUE(archive.ListArchive().isEmpty());
    EXPECT_EQ(archive.FindMember(QStringLiteral("anything")), -1);

    EXPECT_FALSE(writer.write(dir.file(QStringLiteral("no/such/folder/a.dat"))));
    EXPECT_FALSE(writer.errorString().isEmpty());
    EXPECT_FALSE(QFile::exists(dir.file(QStringLiteral("no/such/folder/a.dat"))));
}

} // namespace
