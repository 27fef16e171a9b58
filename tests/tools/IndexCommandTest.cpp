#include "CraftedDisc.h"
#include "TempDir.h"
#include "ToolRunner.h"
#include "data/ArchiveWriter.h"
#include "data/PackedArchive.h"
#include "platform/CodePage.h"
#include "platform/VirtualFs.h"
#include "search/index/IndexLines.h"
#include "search/index/MakeFind.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

QByteArray utf8Page(const QString& title, const QString& body)
{
    return (QStringLiteral("<html><head><meta charset=utf-8><title>%1</title></head><body>%2"
                           "</body></html>")
                .arg(title, body))
        .toUtf8();
}

QByteArray cp1251Page(const QString& body)
{
    return CodePage::toCp1251(QStringLiteral("<html><body>%1</body></html>").arg(body));
}

QString readText(const QString& hostPath)
{
    QFile file(hostPath);
    return file.open(QIODevice::ReadOnly) ? CodePage::fromCp1251(file.readAll()) : QString();
}

// A disc folder "run" below a disc root: pages in interface.dat (some under
// run/, one outside it) and on the disk, one of them in both places.
class IndexCommand : public ::testing::Test {
protected:
    void SetUp() override
    {
        VirtualFs::instance().mount(QStringLiteral("z:\\"), QStringLiteral("/"));
        ArchiveWriter writer;
        add(writer, "run/Глава.htm", utf8Page("Глава &laquo;Маяк&raquo;", "Маяк и <b>ёлка</b>"));
        add(writer, "run/sub/Page.HTML", cp1251Page("Лодка motor"));
        add(writer, "run/style.css", "маяк { }");
        add(writer, "other/outside.htm", cp1251Page("снаружи"));
        ASSERT_TRUE(writer.write(disc() + QStringLiteral("/interface.dat")));
        dir.write(QStringLiteral("root/run/Глава.htm"), cp1251Page("дисковая копия"));
        dir.write(QStringLiteral("root/run/Заметки.htm"), cp1251Page("<title></title>Лодка"));
        dir.write(QStringLiteral("root/run/Статьи/Статья.htm"), utf8Page("Статья", "Лодка и маяк"));
        dir.write(QStringLiteral("root/run/.hidden.htm"), cp1251Page("спрятано"));
        dir.write(QStringLiteral("root/run/readme.txt"), "текст не страница");
    }

    void add(ArchiveWriter& writer, const char* path, const QByteArray& bytes)
    {
        ASSERT_TRUE(writer.addFile(QString::fromUtf8(path), bytes)) << path;
    }
    QString disc() const
    {
        QDir().mkpath(dir.file(QStringLiteral("root/run")));
        return dir.file(QStringLiteral("root/run"));
    }
    QString indexFile(const QString& name) const { return disc() + QLatin1Char('/') + name; }

    ToolResult build(const QStringList& extra = {})
    {
        return runTool(QStringList({"index", "build", disc()}) + extra);
    }
    ToolResult find(const QString& word, const QStringList& extra = {})
    {
        return runTool(QStringList({"index", "find", disc(), word}) + extra);
    }

    TempDir dir;
};

TEST_F(IndexCommand, BuildIndexesThePagesOfTheProgramFolder)
{
    const ToolResult built = build();
    ASSERT_EQ(built.status, 0) << built.err.toStdString();
    EXPECT_TRUE(built.outText().contains(QStringLiteral("4 pages")))
        << built.outText().toStdString();
    EXPECT_EQ(readText(indexFile(IndexLines::PagesFile)),
              QStringLiteral("sub\\page.html#:#page.html\r\n"
                             "глава.htm#:#Глава «Маяк»\r\n"
                             "Заметки.htm#:#Заметки.htm\r\n"
                             "Статьи\\Статья.htm#:#Статья\r\n"))
        << "sorted without regard to case; archive names lower-cased, disk names as they are";
    const QStringList keywords = readText(indexFile(IndexLines::KeywordsFile)).split("\r\n");
    EXPECT_TRUE(keywords.contains(QStringLiteral("маяк")));
    EXPECT_TRUE(keywords.contains(QStringLiteral("елка")) && keywords.contains("ёлка"));
    for (const char* absent : {"дисковая", "снаружи", "спрятано", "текст", "{"}) {
        EXPECT_FALSE(keywords.contains(QString::fromUtf8(absent))) << absent;
    }
    ASSERT_EQ(keywords.last(), QString()) << "the last line ends in CR LF too";
    QStringList sorted = keywords.mid(0, keywords.size() - 1);
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(keywords.mid(0, keywords.size() - 1), sorted);
    EXPECT_EQ(readText(indexFile(IndexLines::PageListsFile)).count("\r\n"), keywords.size() - 1);
}

TEST_F(IndexCommand, FindLooksWordsUpAsTheShellDoes)
{
    ASSERT_EQ(build().status, 0);
    const ToolResult lodka = find(QStringLiteral("ЛОДКА"));
    EXPECT_EQ(lodka.status, 0) << lodka.err.toStdString();
    EXPECT_EQ(lodka.outLines(),
              QStringList({"sub\\page.html\tpage.html", "Заметки.htm\tЗаметки.htm",
                           "Статьи\\Статья.htm\tСтатья"}))
        << "in the order of files.idx";
    EXPECT_EQ(find(QStringLiteral("Маяк")).outLines(),
              QStringList({"глава.htm\tГлава «Маяк»", "Статьи\\Статья.htm\tСтатья"}));
    EXPECT_EQ(find(QStringLiteral("Маяк"), {"--case"}).status, 1);
    EXPECT_EQ(find(QStringLiteral("маяк"), {"--case"}).status, 0);
    const ToolResult none = find(QStringLiteral("нигде"));
    EXPECT_EQ(none.status, 1);
    EXPECT_TRUE(none.out.isEmpty());
}

TEST_F(IndexCommand, EveryIndexedPageIsFoundUnderEachOfItsWords)
{
    ASSERT_EQ(build().status, 0);
    const QStringList keywords = readText(indexFile(IndexLines::KeywordsFile)).split("\r\n");
    for (const QString& keyword : keywords.mid(0, keywords.size() - 1)) {
        const ToolResult hit = find(keyword);
        EXPECT_EQ(hit.status, 0) << keyword.toStdString();
        for (const QString& line : hit.outLines()) {
            const QString path = line.section(QLatin1Char('\t'), 0, 0);
            const bool inArchive =
                path.startsWith(QStringLiteral("глава")) || path.startsWith(QStringLiteral("sub"));
            EXPECT_TRUE(inArchive || QFileInfo::exists(indexFile(QString(path).replace('\\', '/'))))
                << path.toStdString();
        }
    }
}

TEST_F(IndexCommand, FindReportsMissingAndDamagedIndexes)
{
    const ToolResult missing = find(QStringLiteral("маяк"));
    EXPECT_EQ(missing.status, 2);
    EXPECT_TRUE(missing.err.contains(QStringLiteral("Индескный(е) файл(ы) не найден")));

    ASSERT_EQ(build().status, 0);
    dir.write(QStringLiteral("root/run/index.idx"), QByteArray(" : \r\n").repeated(100));
    const ToolResult damaged = find(QStringLiteral("маяк"));
    EXPECT_EQ(damaged.status, 2);
    EXPECT_TRUE(damaged.err.contains(QStringLiteral("damaged"))) << damaged.err.toStdString();
}

TEST_F(IndexCommand, IndexFilesInTheArchiveWouldHideTheNewOnes)
{
    ArchiveWriter writer;
    add(writer, "run/a.htm", cp1251Page("слово"));
    add(writer, "run/KEYWORDS.IDX", "old");
    ASSERT_TRUE(writer.write(disc() + QStringLiteral("/interface.dat")));
    const ToolResult built = build();
    EXPECT_EQ(built.status, 2);
    EXPECT_TRUE(built.err.contains(QStringLiteral("keywords.idx")));
    EXPECT_FALSE(QFileInfo::exists(indexFile(IndexLines::PagesFile)));
}

TEST_F(IndexCommand, TheProgramFolderFollowsAppDir)
{
    ASSERT_EQ(build({"--appdir", "d:\\"}).status, 0);
    EXPECT_TRUE(readText(indexFile(IndexLines::PagesFile))
                    .contains(QStringLiteral("other\\outside.htm#:#outside.htm")))
        << "with the disc folder as the disc root every member is below it";
    EXPECT_EQ(find(QStringLiteral("снаружи"), {"--appdir", "d:\\"}).status, 0);

    EXPECT_EQ(build({"--appdir", "d:\\elsewhere\\"}).status, 2) << "not the name of the folder";
    EXPECT_EQ(build({"--appdir", "d:\\a\\b\\c\\d\\e\\f\\g\\h\\i\\j\\k\\run\\"}).status, 2);
    EXPECT_EQ(build({"--appdir", "run"}).status, 2);
}

TEST_F(IndexCommand, UnfileablePagesAreSkippedAndNamed)
{
    dir.write(QStringLiteral("root/run/日本.htm"), cp1251Page("иероглифы"));
    const ToolResult built = build();
    ASSERT_EQ(built.status, 0);
    EXPECT_TRUE(built.outText().contains(QStringLiteral("skipped 日本.htm")));
    EXPECT_FALSE(
        readText(indexFile(IndexLines::KeywordsFile)).contains(QStringLiteral("иероглифы")));
}

TEST_F(IndexCommand, BadDiscsAndArgumentsAreStatusTwo)
{
    EXPECT_EQ(runTool({"index", "build", dir.file(QStringLiteral("absent"))}).status, 2);
    EXPECT_EQ(runTool({"index"}).status, 2);
    EXPECT_EQ(runTool({"index", "rebuild", disc()}).status, 2);
    EXPECT_EQ(runTool({"index", "find", disc()}).status, 2);
    dir.write(QStringLiteral("root/run/interface.dat"), "not an archive at all");
    EXPECT_EQ(build().status, 2);
}

TEST(DemoDiscIndex, RussianPagesAreFoundByTheirWords)
{
    const QString folder = QStringLiteral(DISCSHELL_DEMO_DISC_DIR);
    ASSERT_TRUE(QFileInfo(folder).isDir()) << "build the demo_disc target first";
    const ToolResult lighthouse = runTool({"index", "find", folder, "Маяк"});
    ASSERT_EQ(lighthouse.status, 0) << lighthouse.err.toStdString();
    EXPECT_TRUE(lighthouse.outLines().contains(QStringLiteral("галерея.htm\tКартинки")))
        << lighthouse.outText().toStdString();
    const ToolResult article = runTool({"index", "find", folder, "архива"});
    EXPECT_TRUE(
        article.outLines().contains(QStringLiteral("Статьи\\Статья.htm\tСтатья вне архива")))
        << "plain pages below the program folder are indexed too";
    const QString pages = readText(folder + QLatin1Char('/') + IndexLines::PagesFile);
    EXPECT_TRUE(pages.startsWith(QStringLiteral("index.htm#:#"))) << pages.toStdString();
    EXPECT_GE(pages.count(QStringLiteral("\r\n")), 9);
}

// A disc with an interface description, for lint; its folder is the program folder.
class LintIndexTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(disc.make(
            QStringLiteral("minimize\nvx=1;vy=1;fn1=m.bmp;fn2=m.bmp;fn3=m.bmp;hint=m;wav=no\n"
                           "close\nvx=2;vy=2;fn1=m.bmp;fn2=m.bmp;fn3=m.bmp;hint=x;wav=no\n"
                           "1_screen=m.bmp\n"),
            {"m.bmp"}));
        write("a.htm", "<p>a</p>");
        write("b.htm", "<p>b</p>");
    }
    void write(const QString& name, const QByteArray& bytes)
    {
        QFile file(disc.folder() + QLatin1Char('/') + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }
    void writeIndex(const char* keywords, const char* lists, const char* pages)
    {
        write(IndexLines::KeywordsFile, CodePage::toCp1251(QString::fromUtf8(keywords)));
        write(IndexLines::PageListsFile, lists);
        write(IndexLines::PagesFile, CodePage::toCp1251(QString::fromUtf8(pages)));
    }
    QStringList lint(int expectedStatus)
    {
        const ToolResult run = runTool({"lint", disc.folder()});
        EXPECT_EQ(run.status, expectedStatus) << run.outText().toStdString();
        return run.outLines();
    }

    CraftedDisc disc;
};

TEST_F(LintIndexTest, ABuiltIndexAndNoIndexAreBothClean)
{
    EXPECT_TRUE(lint(0).isEmpty());
    ASSERT_EQ(runTool({"index", "build", disc.folder()}).status, 0);
    EXPECT_TRUE(lint(0).isEmpty());
}

TEST_F(LintIndexTest, FilesThatDisagreeAreNamedByLine)
{
    writeIndex("альфа\r\nбета\r\nАЛЬФА\r\nгамма\r\n", "1\r\n2:7:-1\r\nx\r\n",
               "a.htm#:#A\r\ngone.htm#:#Gone\r\nb.htm\r\n#:#nothing\r\n");
    const QStringList warnings = lint(1);
    const QStringList expected{
        "files.idx:2: warning: page \"gone.htm\" is neither in interface.dat nor on the disc",
        "files.idx:3: warning: no \"#:#\" before a title; the page is listed without one",
        "files.idx:4: warning: names no page; a search that lists it ends without results",
        "keywords.idx:3: warning: \"АЛЬФА\" repeats line 1; only line 1 is searched",
        "index.idx:2: warning: page 7 lies outside the 4 lines of files.idx (and 1 more on this "
        "line)",
        "index.idx:3: warning: not a list of page numbers; the search for keyword 3 ends without "
        "results",
        "index.idx: warning: 3 page lists for the 4 keywords of keywords.idx; keyword N takes "
        "line N"};
    EXPECT_EQ(warnings, expected);
}

TEST_F(LintIndexTest, MissingFilesAndFloodsAreReportedBriefly)
{
    write(IndexLines::KeywordsFile, "a");
    QStringList warnings = lint(1);
    ASSERT_EQ(warnings.size(), 2);
    EXPECT_TRUE(warnings[0].startsWith(QStringLiteral("index.idx: warning: missing")));
    EXPECT_TRUE(warnings[1].startsWith(QStringLiteral("files.idx: warning: missing")));

    writeIndex("", "", QByteArray(1000, '\r').constData());
    warnings = lint(1);
    EXPECT_EQ(warnings.size(), 21) << warnings.join('\n').toStdString();
    EXPECT_EQ(warnings.last(), QStringLiteral("files.idx: warning: 980 more like the above"));
}

} // namespace
