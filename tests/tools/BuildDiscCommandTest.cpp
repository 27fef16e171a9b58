#include "BuildDiscCommand.h"

#include "TempDir.h"
#include "ToolRunner.h"
#include "data/ConfigText.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

class BuildDisc : public testing::Test {
protected:
    void SetUp() override
    {
        dir.write(QStringLiteral("src/resources/Struct.txt"), "title=demo\r\n");
        dir.write(QStringLiteral("src/resources/About.txt"), "about");
        dir.write(QStringLiteral("src/resources/main.bmp"), "BMpicture");
        dir.write(QStringLiteral("src/archive/run/html/index.htm"), "<html>index</html>");
        dir.write(QStringLiteral("src/files/Статьи/Статья.htm"), "статья");
        dir.write(QStringLiteral("src/files/readme.txt"), "readme");
    }

    ToolResult build() { return runTool({"build-disc", source(), "-o", out()}); }
    QString source() const { return dir.file(QStringLiteral("src")); }
    QString out() const { return dir.file(QStringLiteral("disc/run")); }
    QString outFile(const QString& name) const { return out() + QLatin1Char('/') + name; }

    TempDir dir;
};

QStringList topLevelFiles(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

} // namespace

TEST_F(BuildDisc, MakesContainerArchiveAndPlainFiles)
{
    const ToolResult run = build();
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.isEmpty());

    const QStringList entries = runTool({"dhl", "list", outFile("Mev.dhl")}).outLines();
    ASSERT_EQ(entries.size(), 3);
    EXPECT_TRUE(entries.at(0).startsWith(QStringLiteral("About.cfs\t")));
    EXPECT_TRUE(entries.at(1).startsWith(QStringLiteral("Struct.cfs\t")));
    const ToolResult structure = runTool({"dhl", "cat", outFile("Mev.dhl"), "Struct.cfs"});
    TDynamicStringArray lines;
    DecodeConfig(structure.out, lines, false);
    EXPECT_EQ(lines, QStringList({"title=demo", ""}));

    EXPECT_EQ(runTool({"dat", "list", outFile("interface.dat")}).outLines(),
              QStringList({"RUN\\HTML\\INDEX.HTM"}));
    EXPECT_EQ(runTool({"dat", "cat", outFile("interface.dat"), "d:\\run\\html\\index.htm", "--base",
                       "d:\\"})
                  .out,
              QByteArray("<html>index</html>"));

    QFile article(outFile(QStringLiteral("Статьи/Статья.htm")));
    ASSERT_TRUE(article.open(QIODevice::ReadOnly));
    EXPECT_EQ(article.readAll(), QStringLiteral("статья").toUtf8());
    EXPECT_EQ(topLevelFiles(out()), QStringList({"Mev.dhl", "interface.dat", "readme.txt"}));
}

TEST_F(BuildDisc, RebuildRemovesWhatItNoLongerMakesAndKeepsOtherFiles)
{
    dir.write(QStringLiteral("src/files/old/gone.htm"), "old");
    ASSERT_EQ(build().status, 0);
    dir.write(QStringLiteral("disc/run/user-notes.htm"), "mine");

    ASSERT_TRUE(QFile::remove(dir.file(QStringLiteral("src/files/old/gone.htm"))));
    ASSERT_TRUE(QDir(dir.file(QStringLiteral("src/archive"))).removeRecursively());
    dir.write(QStringLiteral("src/files/readme.txt"), "readme, second edition");
    ASSERT_EQ(build().status, 0);

    EXPECT_FALSE(QFile::exists(outFile("old/gone.htm")));
    EXPECT_FALSE(QDir(outFile("old")).exists());
    EXPECT_FALSE(QFile::exists(outFile("interface.dat")));
    EXPECT_TRUE(QFile::exists(outFile("user-notes.htm")));
    QFile readme(outFile("readme.txt"));
    ASSERT_TRUE(readme.open(QIODevice::ReadOnly));
    EXPECT_EQ(readme.readAll(), QByteArray("readme, second edition"));
}

TEST_F(BuildDisc, HostileManifestRemovesNothingOutside)
{
    ASSERT_EQ(build().status, 0);
    const QString outside = dir.write(QStringLiteral("precious.txt"), "keep");
    const QString sibling = dir.write(QStringLiteral("disc/sibling.txt"), "keep");
    dir.write(
        QStringLiteral("disc/run/.disctool-manifest"),
        (QStringLiteral("../../precious.txt\n") + outside + QStringLiteral("\n../sibling.txt\n"))
            .toUtf8());
    ASSERT_EQ(build().status, 0);
    EXPECT_TRUE(QFile::exists(outside));
    EXPECT_TRUE(QFile::exists(sibling));
}

TEST_F(BuildDisc, ConfigurationSourcesNeverReachTheDiscFolder)
{
    for (const QString& name : BuildDiscCommand::forbiddenTopLevelNames()) {
        TempDir scratch;
        scratch.write(QStringLiteral("src/resources/Struct.txt"), "title=x");
        scratch.write(QStringLiteral("src/files/") + name.toLower(), "source");
        const QString target = scratch.file(QStringLiteral("out"));
        const ToolResult run = runTool({"build-disc", scratch.file("src"), "-o", target});
        EXPECT_EQ(run.status, 2) << name.toStdString();
        EXPECT_FALSE(QDir(target).exists()) << "nothing is written when the sources are refused";
    }
    // Deeper down such a name is an ordinary file.
    dir.write(QStringLiteral("src/files/docs/Struct.txt"), "a document");
    ASSERT_EQ(build().status, 0);
    EXPECT_TRUE(QFile::exists(outFile("docs/Struct.txt")));
}

TEST_F(BuildDisc, SourceBesideTheOutputIsReported)
{
    dir.write(QStringLiteral("disc/run/Struct.txt"), "left by hand");
    const ToolResult run = build();
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.err.contains(QStringLiteral("Struct.txt")));
}

TEST_F(BuildDisc, BadSourcesAndFoldersAreStatusTwo)
{
    dir.write(QStringLiteral("src/files/MEV.DHL"), "shadow");
    EXPECT_EQ(build().status, 2);
    ASSERT_TRUE(QFile::remove(dir.file(QStringLiteral("src/files/MEV.DHL"))));

    dir.write(QStringLiteral("src/resources/bad.txt"), "\xFF\xFE");
    EXPECT_EQ(build().status, 2);
    EXPECT_FALSE(QDir(out()).exists());
    ASSERT_TRUE(QFile::remove(dir.file(QStringLiteral("src/resources/bad.txt"))));

    EXPECT_EQ(runTool({"build-disc", source(), "-o", source() + "/files/out"}).status, 2);
    EXPECT_EQ(runTool({"build-disc", source() + "/files", "-o", source()}).status, 2);
    EXPECT_EQ(runTool({"build-disc", dir.file("none"), "-o", out()}).status, 2);
    EXPECT_EQ(runTool({"build-disc", dir.file("disc"), "-o", dir.file("other")}).status, 2);
    EXPECT_EQ(runTool({"build-disc", source()}).status, 2);
    EXPECT_EQ(runTool({"build-disc", "-o", out()}).status, 2);
    EXPECT_EQ(build().status, 0);
}
