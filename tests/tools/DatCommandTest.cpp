#include "TempDir.h"
#include "ToolRunner.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

QByteArray compressible()
{
    QByteArray page;
    for (int i = 0; i < 400; ++i) {
        page.append("<p>Страница, которая хорошо сжимается.</p>\n");
    }
    return page;
}

// Bytes that deflate cannot shrink.
QByteArray noise(int size)
{
    QByteArray bytes;
    quint32 state = 2463534242u;
    for (int i = 0; i < size; ++i) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        bytes.append(char(state & 0xFF));
    }
    return bytes;
}

class DatCommand : public testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        dir.write(QStringLiteral("archive/run/html/index.htm"), page);
        dir.write(QStringLiteral("archive/run/html/Глава1.htm"), QStringLiteral("глава").toUtf8());
        dir.write(QStringLiteral("archive/run/pics/noise.bin"), random);
        dir.write(QStringLiteral("archive/top.css"), "body{}");
        dir.write(QStringLiteral("archive/empty.txt"), QByteArray());
    }

    QString pack(bool store)
    {
        const QString archive = dir.file(QStringLiteral("interface.dat"));
        QStringList arguments{"dat", "pack", dir.file("archive"), "-o", archive};
        if (store) {
            arguments.append(QStringLiteral("--store"));
        }
        const ToolResult run = runTool(arguments);
        EXPECT_EQ(run.status, 0) << run.err.toStdString();
        return archive;
    }

    TempDir dir;
    const QByteArray page = compressible();
    const QByteArray random = noise(3000);
};

} // namespace

TEST_P(DatCommand, PackListCatRoundTrip)
{
    const bool store = GetParam();
    const QString archive = pack(store);

    const ToolResult list = runTool({"dat", "list", archive});
    ASSERT_EQ(list.status, 0);
    QStringList paths = list.outLines();
    paths.sort();
    EXPECT_EQ(paths, QStringList({"EMPTY.TXT", "RUN\\HTML\\INDEX.HTM", "RUN\\HTML\\ГЛАВА1.HTM",
                                  "RUN\\PICS\\NOISE.BIN", "TOP.CSS"}));

    EXPECT_EQ(runTool({"dat", "cat", archive, "run/html/index.htm"}).out, page);
    EXPECT_EQ(runTool({"dat", "cat", archive, "RUN\\HTML\\глава1.htm"}).out,
              QStringLiteral("глава").toUtf8());
    EXPECT_EQ(runTool({"dat", "cat", archive, "run\\pics\\noise.bin"}).out, random);
    const ToolResult empty = runTool({"dat", "cat", archive, "empty.txt"});
    EXPECT_EQ(empty.status, 0);
    EXPECT_TRUE(empty.out.isEmpty());

    const qint64 plainSize = page.size() + random.size();
    if (store) {
        EXPECT_GT(QFile(archive).size(), plainSize);
    } else {
        EXPECT_LT(QFile(archive).size(), plainSize);
    }
}

INSTANTIATE_TEST_SUITE_P(Compression, DatCommand, testing::Values(false, true),
                         [](const testing::TestParamInfo<bool>& param) {
                             return std::string(param.param ? "Stored" : "Deflated");
                         });

TEST_P(DatCommand, BaseFolderIsRemovedFromThePath)
{
    const QString archive = pack(GetParam());
    const ToolResult withBase =
        runTool({"dat", "cat", archive, "d:\\run\\html\\index.htm", "--base", "d:\\"});
    EXPECT_EQ(withBase.status, 0) << withBase.err.toStdString();
    EXPECT_EQ(withBase.out, page);
    EXPECT_EQ(runTool({"dat", "cat", archive, "d:\\run\\html\\index.htm"}).status, 1);
}

TEST_P(DatCommand, MissingMemberIsStatusOne)
{
    const QString archive = pack(GetParam());
    for (const char* path : {"run/html/none.htm", "none/index.htm", "run/html", ""}) {
        const ToolResult run = runTool({"dat", "cat", archive, path});
        EXPECT_EQ(run.status, 1) << path;
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_TRUE(run.err.startsWith(QStringLiteral("disctool: ")));
    }
}

TEST(DatCommandDamage, DamagedArchiveIsStatusTwo)
{
    TempDir dir;
    dir.write(QStringLiteral("archive/a.htm"), compressible());
    const QString archive = dir.file(QStringLiteral("good.dat"));
    ASSERT_EQ(runTool({"dat", "pack", dir.file("archive"), "-o", archive}).status, 0);
    QFile file(archive);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray whole = file.readAll();

    const QString header = dir.write(QStringLiteral("header.dat"), whole.left(6));
    EXPECT_EQ(runTool({"dat", "list", header}).status, 2);
    EXPECT_EQ(
        runTool({"dat", "list", dir.write(QStringLiteral("zero.dat"), QByteArray(64, 0))}).status,
        2);

    // The member's deflated bytes are the last of the file: spoil them.
    QByteArray spoiled = whole;
    for (qsizetype i = spoiled.size() - 20; i < spoiled.size(); ++i) {
        spoiled[i] = char(~spoiled.at(i));
    }
    const ToolResult cat =
        runTool({"dat", "cat", dir.write(QStringLiteral("spoiled.dat"), spoiled), "a.htm"});
    EXPECT_EQ(cat.status, 2) << cat.err.toStdString();
    EXPECT_EQ(cat.err.count(QLatin1Char('\n')), 1);
    EXPECT_TRUE(cat.out.isEmpty());

    EXPECT_EQ(runTool({"dat", "list", dir.file("none.dat")}).status, 2);
}

TEST(DatCommandArguments, BadArgumentsAreStatusTwo)
{
    TempDir dir;
    dir.write(QStringLiteral("archive/A.htm"), "a");
    dir.write(QStringLiteral("archive/a.htm"), "b");
    const QString out = dir.file(QStringLiteral("x.dat"));
    const ToolResult clash = runTool({"dat", "pack", dir.file("archive"), "-o", out});
    EXPECT_EQ(clash.status, 2);
    EXPECT_TRUE(clash.err.contains(QStringLiteral("same archive path")));
    EXPECT_FALSE(QFile::exists(out));

    EXPECT_EQ(runTool({"dat"}).status, 2);
    EXPECT_EQ(runTool({"dat", "cat", out}).status, 2);
    EXPECT_EQ(runTool({"dat", "cat", out, "a", "--base"}).status, 2);
    EXPECT_EQ(runTool({"dat", "pack", dir.file("archive")}).status, 2);
    EXPECT_EQ(runTool({"dat", "pack", dir.file("archive"), "-o", out, "--store", "--store"}).status,
              2);
    EXPECT_EQ(runTool({"dat", "list", out, "--store"}).status, 2);
}
