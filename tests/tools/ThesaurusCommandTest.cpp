#include "TempDir.h"
#include "ToolRunner.h"
#include "platform/CodePage.h"
#include "platform/VirtualFs.h"

#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>
#include <gtest/gtest.h>

namespace {

const char* const Source = "UTF-8\n"
                           "кот|1\n"
                           "(сущ.)|кошка|котёнок\n"
                           "котёнок|1\n"
                           "(сущ.)|кот\n"
                           "Двигатель|2\n"
                           "(сущ.)|мотор|движок\n"
                           "(сущ.)|привод\n"
                           "мотор|1\n"
                           "(сущ.)|двигатель\n"
                           "<b>&|1\n"
                           "(знак)|амперсанд\n"
                           "日本|1\n"
                           "(сущ.)|Япония\n";

QString readCp1251(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? CodePage::fromCp1251(file.readAll()) : QString();
}

class ThesaurusCommandTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        VirtualFs::instance().mount(QStringLiteral("z:\\"), QStringLiteral("/"));
        source = dir.write(QStringLiteral("th_ru.dat"), QByteArray(Source));
        disc = dir.file(QStringLiteral("disc"));
    }

    ToolResult build(const QStringList& extra = {})
    {
        return runTool(QStringList{"thesaurus", "build", source, "-o", disc} + extra);
    }

    ToolResult find(const QString& word) { return runTool({"thesaurus", "find", disc, word}); }

    TempDir dir;
    QString source;
    QString disc;
};

TEST_F(ThesaurusCommandTest, EveryHeadwordLeadsToThePageThatHoldsItsEntry)
{
    const ToolResult built = build();
    ASSERT_EQ(built.status, 0) << built.err.toStdString();
    EXPECT_EQ(built.outLines().last(), disc + QStringLiteral(": 5 terms, 1 skipped"))
        << "the Japanese term cannot be written in Windows-1251";
    for (const QString term : {"кот", "котёнок", "двигатель", "Мотор", "<b>&"}) {
        const ToolResult found = find(term);
        ASSERT_EQ(found.status, 0) << term.toStdString() << found.err.toStdString();
        const QString page = found.outLines().value(0);
        const QString file = page.section(QLatin1Char('#'), 0, 0);
        const QString anchor = page.section(QLatin1Char('#'), 1);
        const QString html = readCp1251(disc + QLatin1Char('/') + QString(file).replace('\\', '/'));
        const qsizetype at = html.indexOf(QStringLiteral("<a name=\"%1\"></a>").arg(anchor));
        ASSERT_GE(at, 0) << page.toStdString();
        const QString heading =
            html.mid(at).section(QStringLiteral("<h3>"), 1).section("</h3>", 0, 0);
        EXPECT_EQ(heading.compare(QStringLiteral("~ ") + QString(term).toHtmlEscaped(),
                                  Qt::CaseInsensitive),
                  0)
            << term.toStdString() << " leads to " << heading.toStdString();
    }
}

TEST_F(ThesaurusCommandTest, TheStartPageComesForTheEmptyWordAndMatchesNoWord)
{
    ASSERT_EQ(build().status, 0);
    const ToolResult start = find(QString());
    ASSERT_EQ(start.status, 0);
    EXPECT_EQ(start.outLines(), QStringList({"tezaurus\\index.htm"}));
    const QString index = readCp1251(disc + QStringLiteral("/tezaurus/index.htm"));
    EXPECT_TRUE(index.contains(QStringLiteral(">котёнок</a>")));
    EXPECT_EQ(find(QStringLiteral("тезаурус")).status, 1);
    EXPECT_EQ(find(QStringLiteral("собака")).status, 1);
    EXPECT_EQ(find(QStringLiteral("котёнкам")).outLines().value(0),
              find(QStringLiteral("кот")).outLines().value(0))
        << "a longer word holding a key is led by the stem";
}

TEST_F(ThesaurusCommandTest, TermPagesAreWindows1251WithLinksBetweenTerms)
{
    ASSERT_EQ(build().status, 0);
    QFile page(disc + QStringLiteral("/tezaurus/t0001.htm"));
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QByteArray bytes = page.readAll();
    EXPECT_TRUE(bytes.contains(CodePage::toCp1251(QStringLiteral("<h3>~ Двигатель</h3>"))));
    EXPECT_TRUE(bytes.contains("charset=windows-1251"));
    EXPECT_TRUE(bytes.contains("\r\n"));
    EXPECT_TRUE(
        CodePage::fromCp1251(bytes).contains(QStringLiteral("<a href=\"t0001.htm#t3\">мотор</a>")));
}

TEST_F(ThesaurusCommandTest, LimitAndBadInput)
{
    ASSERT_EQ(build({"--limit", "2"}).status, 0);
    EXPECT_EQ(find(QStringLiteral("мотор")).status, 1);
    EXPECT_EQ(find(QStringLiteral("котёнок")).status, 0);
    EXPECT_EQ(build({"--limit", "many"}).status, 2);
    dir.write(QStringLiteral("bad.dat"), "UTF-8\nслово|x\n");
    EXPECT_EQ(runTool({"thesaurus", "build", dir.file("bad.dat"), "-o", disc}).status, 2);
    dir.write(QStringLiteral("enc.dat"), "NO-SUCH-CODE\nслово|0\n");
    EXPECT_EQ(runTool({"thesaurus", "build", dir.file("enc.dat"), "-o", disc}).status, 2);
    EXPECT_EQ(runTool({"thesaurus", "find", dir.file("nothing"), "x"}).status, 2);
    EXPECT_EQ(runTool({"thesaurus", "find", dir.path(), "x"}).status, 2) << "no tezaurus.idx";
}

TEST_F(ThesaurusCommandTest, KoiEncodedSourcesAreRead)
{
    QByteArray koi = "KOI8-R\n";
    QStringEncoder encoder("KOI8-R");
    koi += QByteArray(encoder.encode(QStringLiteral("дом|1\n(сущ.)|здание\n")));
    dir.write(QStringLiteral("koi.dat"), koi);
    ASSERT_EQ(runTool({"thesaurus", "build", dir.file("koi.dat"), "-o", disc}).status, 0);
    EXPECT_EQ(find(QStringLiteral("дом")).outLines(), QStringList({"tezaurus\\t0001.htm#t0"}));
}

} // namespace
