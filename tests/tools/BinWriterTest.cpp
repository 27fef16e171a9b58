#include "data/BinWriter.h"

#include "TempDir.h"
#include "ToolRunner.h"
#include "data/ReadBin.h"
#include "platform/VirtualFs.h"

#include <QFile>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

quint32 word(const QByteArray& bytes, qsizetype at)
{
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

} // namespace

TEST(BinWriter, LaysOutCountDirectoryAndData)
{
    BinWriter writer;
    ASSERT_TRUE(writer.addEntry(QStringLiteral("a"), "xyz"));
    ASSERT_TRUE(writer.addEntry(QStringLiteral("Ж"), "12"));
    const QByteArray bytes = writer.toBytes();

    const qsizetype directoryEnd = 2 + (4 + 1 + 8) * 2;
    ASSERT_EQ(bytes.size(), directoryEnd + 5);
    EXPECT_EQ(qFromLittleEndian<quint16>(bytes.constData()), 2);
    EXPECT_EQ(word(bytes, 2), 1u);
    EXPECT_EQ(bytes.at(6), 'a');
    EXPECT_EQ(word(bytes, 7), quint32(directoryEnd));
    EXPECT_EQ(word(bytes, 11), 3u);
    EXPECT_EQ(word(bytes, 15), 1u);
    EXPECT_EQ(quint8(bytes.at(19)), 0xC6); // Ж in Windows-1251
    EXPECT_EQ(word(bytes, 20), quint32(directoryEnd + 3));
    EXPECT_EQ(word(bytes, 24), 2u);
    EXPECT_EQ(bytes.mid(directoryEnd), QByteArray("xyz12"));
    EXPECT_EQ(BinWriter().toBytes(), QByteArray(2, '\0'));
}

TEST(BinWriter, RefusesNamesTheFormatCannotHold)
{
    BinWriter writer;
    EXPECT_FALSE(writer.addEntry(QString(), "x"));
    EXPECT_FALSE(writer.errorString().isEmpty());
    EXPECT_FALSE(writer.addEntry(QString(257, QLatin1Char('n')), "x"));
    EXPECT_TRUE(writer.addEntry(QString(256, QChar(0x0416)), "x")) << "256 bytes fit";
    EXPECT_FALSE(writer.addEntry(QStringLiteral("漢.bmp"), "x"));
    EXPECT_FALSE(writer.addEntry(QStringLiteral("a") + QChar(0) + QStringLiteral("b"), "x"));
    EXPECT_TRUE(writer.addEntry(QStringLiteral("ok.bmp"), "x"));
    EXPECT_TRUE(writer.errorString().isEmpty());
    EXPECT_EQ(writer.toBytes().size(), 2 + (12 + 256) + (12 + 6) + 2);
}

TEST(BinWriter, RefusesMoreEntriesThanTheCountHolds)
{
    BinWriter writer;
    for (int i = 0; i < 65535; ++i) {
        ASSERT_TRUE(writer.addEntry(QString::number(i), QByteArray()));
    }
    EXPECT_FALSE(writer.addEntry(QStringLiteral("one too many"), QByteArray()));
    EXPECT_EQ(qFromLittleEndian<quint16>(writer.toBytes().constData()), 65535);
}

TEST(BinWriter, WrittenContainerReadsBack)
{
    VirtualFs::instance().mount(QStringLiteral("z:\\"), QStringLiteral("/"));
    TempDir dir;
    BinWriter writer;
    ASSERT_TRUE(writer.addEntry(QStringLiteral("Struct.cfs"), "encoded"));
    ASSERT_TRUE(writer.addEntry(QStringLiteral("Кнопка.bmp"), QByteArray(1000, 'b')));
    ASSERT_TRUE(writer.addEntry(QStringLiteral("empty"), QByteArray()));
    ASSERT_TRUE(writer.write(dir.file(QStringLiteral("Mev.dhl"))));

    TReadBin reader;
    ASSERT_TRUE(reader.Open(dir.virtualPath() + QStringLiteral("Mev.dhl")));
    ASSERT_EQ(reader.Directory().size(), 3);
    QByteArray block;
    EXPECT_EQ(reader.ReadToBuffer(QStringLiteral("КНОПКА.bmp"), block), 1000);
    EXPECT_EQ(block, QByteArray(1000, 'b'));
    EXPECT_EQ(reader.ReadToBuffer(QStringLiteral("empty"), block), 0);

    EXPECT_FALSE(writer.write(dir.file(QStringLiteral("no/such/folder/Mev.dhl"))));
    EXPECT_FALSE(writer.errorString().isEmpty());
}
