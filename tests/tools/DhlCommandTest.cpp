#include "TempDir.h"
#include "ToolRunner.h"
#include "data/ConfigText.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

class DhlCommand : public testing::Test {
protected:
    // Packs the resources folder and returns the container's path.
    QString pack()
    {
        const QString container = dir.file(QStringLiteral("Mev.dhl"));
        const ToolResult run = runTool({"dhl", "pack", dir.file("resources"), "-o", container});
        EXPECT_EQ(run.status, 0) << run.err.toStdString();
        return container;
    }

    TempDir dir;
};

} // namespace

TEST_F(DhlCommand, PackListCatRoundTrip)
{
    const QByteArray picture("BM\x00\x01\x02 picture bytes", 20);
    dir.write(QStringLiteral("resources/Struct.txt"),
              QStringLiteral("title=Диск\nvx=1\n").toUtf8());
    dir.write(QStringLiteral("resources/main.bmp"), picture);
    dir.write(QStringLiteral("resources/Кнопка.bmp"), "button");
    dir.write(QStringLiteral("resources/pics/logo.bmp"), "logo");
    dir.write(QStringLiteral("resources/empty.bin"), QByteArray());
    const QString container = pack();

    const ToolResult list = runTool({"dhl", "list", container});
    ASSERT_EQ(list.status, 0);
    const QStringList lines = list.outLines();
    QStringList names;
    for (const QString& line : lines) {
        const QStringList fields = line.split(QLatin1Char('\t'));
        ASSERT_EQ(fields.size(), 3) << line.toStdString();
        names.append(fields.at(0));
        // Offset and size point at the entry's bytes inside the file.
        QFile file(container);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        ASSERT_TRUE(file.seek(fields.at(1).toLongLong()));
        const QByteArray slice = file.read(fields.at(2).toLongLong());
        EXPECT_EQ(slice, runTool({"dhl", "cat", container, fields.at(0)}).out);
    }
    EXPECT_EQ(names,
              QStringList({"Struct.cfs", "empty.bin", "main.bmp", "pics\\logo.bmp", "Кнопка.bmp"}));

    EXPECT_EQ(runTool({"dhl", "cat", container, "main.bmp"}).out, picture);
    EXPECT_EQ(runTool({"dhl", "cat", container, "кнопка.BMP"}).out, QByteArray("button"));
    EXPECT_EQ(runTool({"dhl", "cat", container, "PICS\\LOGO.BMP"}).out, QByteArray("logo"));
    const ToolResult empty = runTool({"dhl", "cat", container, "empty.bin"});
    EXPECT_EQ(empty.status, 0);
    EXPECT_TRUE(empty.out.isEmpty());

    const ToolResult structure = runTool({"dhl", "cat", container, "struct.cfs"});
    ASSERT_EQ(structure.status, 0);
    TDynamicStringArray decoded;
    DecodeConfig(structure.out, decoded, false);
    EXPECT_EQ(decoded, QStringList({"title=Диск", "vx=1", ""}));
}

TEST_F(DhlCommand, EmptyFolderGivesEmptyContainer)
{
    QDir().mkpath(dir.file(QStringLiteral("resources")));
    const QString container = pack();
    EXPECT_EQ(QFile(container).size(), 2);
    const ToolResult list = runTool({"dhl", "list", container});
    EXPECT_EQ(list.status, 0);
    EXPECT_TRUE(list.out.isEmpty());
}

TEST_F(DhlCommand, HiddenFilesAreLeftOut)
{
    dir.write(QStringLiteral("resources/.gitkeep"), "");
    dir.write(QStringLiteral("resources/.cache/x.bmp"), "x");
    dir.write(QStringLiteral("resources/a.bmp"), "a");
    const ToolResult list = runTool({"dhl", "list", pack()});
    ASSERT_EQ(list.outLines().size(), 1);
    EXPECT_TRUE(list.outLines().at(0).startsWith(QStringLiteral("a.bmp\t")));
}

TEST_F(DhlCommand, MissingEntryIsStatusOne)
{
    dir.write(QStringLiteral("resources/a.bmp"), "a");
    const ToolResult run = runTool({"dhl", "cat", pack(), "b.bmp"});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_TRUE(run.err.startsWith(QStringLiteral("disctool: ")));
}

TEST_F(DhlCommand, NamesThatClashOrCannotBeStoredAreBadInput)
{
    const QString container = dir.file(QStringLiteral("out.dhl"));
    dir.write(QStringLiteral("clash/Struct.txt"), "title=a");
    dir.write(QStringLiteral("clash/struct.cfs"), "x");
    const ToolResult clash = runTool({"dhl", "pack", dir.file("clash"), "-o", container});
    EXPECT_EQ(clash.status, 2);
    EXPECT_TRUE(clash.err.contains(QStringLiteral("same entry name"))) << clash.err.toStdString();

    dir.write(QStringLiteral("foreign/漢字.bmp"), "x");
    EXPECT_EQ(runTool({"dhl", "pack", dir.file("foreign"), "-o", container}).status, 2);

    dir.write(QStringLiteral("badtext/Struct.txt"), QStringLiteral("title=漢字").toUtf8());
    EXPECT_EQ(runTool({"dhl", "pack", dir.file("badtext"), "-o", container}).status, 2);
    EXPECT_FALSE(QFile::exists(container));
}

TEST_F(DhlCommand, DamagedContainerIsStatusTwo)
{
    dir.write(QStringLiteral("resources/a.bmp"), "abcdef");
    QFile file(pack());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray whole = file.readAll();
    const QString truncated = dir.write(QStringLiteral("cut.dhl"), whole.left(5));
    const QString pastEnd = dir.write(QStringLiteral("short.dhl"), whole.left(whole.size() - 2));

    const ToolResult list = runTool({"dhl", "list", truncated});
    EXPECT_EQ(list.status, 2);
    EXPECT_EQ(list.err.count(QLatin1Char('\n')), 1);
    EXPECT_EQ(runTool({"dhl", "cat", truncated, "a.bmp"}).status, 2);
    EXPECT_EQ(runTool({"dhl", "cat", pastEnd, "a.bmp"}).status, 2);
    EXPECT_EQ(runTool({"dhl", "list", dir.file("none.dhl")}).status, 2);
}

TEST_F(DhlCommand, BadArgumentsAreStatusTwo)
{
    EXPECT_EQ(runTool({"dhl"}).status, 2);
    EXPECT_EQ(runTool({"dhl", "list"}).status, 2);
    EXPECT_EQ(runTool({"dhl", "cat", "x.dhl"}).status, 2);
    EXPECT_EQ(runTool({"dhl", "pack", dir.path()}).status, 2);
    EXPECT_EQ(runTool({"dhl", "pack", dir.file("none"), "-o", dir.file("x.dhl")}).status, 2);
    EXPECT_EQ(runTool({"dhl", "unpack", dir.path()}).status, 2);
    EXPECT_EQ(runTool({"dhl", "list", "-x", "x.dhl"}).status, 2);
}
