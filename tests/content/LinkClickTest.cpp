#include "LinkFixture.h"
#include "TempDir.h"
#include "content/Desktop.h"

#include <QDir>

// Every form of link a page can hold, in the order the click tests them.

namespace {

struct LinkCase {
    const char* name;
    const char* url;
    const char* target;
    bool listing; // clicked in an archive listing shown from drive t:
    bool handled;
    QStringList log;
};

void PrintTo(const LinkCase& link, std::ostream* out)
{
    *out << link.name;
}

QStringList Lines(std::initializer_list<const char*> lines)
{
    QStringList list;
    for (const char* line : lines) {
        list << QString::fromUtf8(line);
    }
    return list;
}

const QString kListing = QStringLiteral("t:\\as_games\\");

class LinkClick : public LinkFixture, public ::testing::WithParamInterface<LinkCase> {
protected:
    void SetUp() override
    {
        LinkFixture::SetUp();
        disc.writeToDisk(QStringLiteral("docs\\manual.pdf"), "%PDF");
        disc.writeToDisk(QStringLiteral("run\\html\\tools\\setup.exe"), "MZ");
        temp.write(QStringLiteral("as_games/as_bar.htm"), "<p>bar</p>");
        temp.write(QStringLiteral("as_games/as_1.htm"), "<p>list</p>");
        temp.write(QStringLiteral("as_games/readme.doc"), "doc");
        VirtualFs::instance().mount(QStringLiteral("t:\\"), temp.path());
        // The listing's folder is the program's temporary folder.
        VirtualFs::instance().mount(QStringLiteral("c:\\windows\\temp\\"), temp.path());
        listing.reset(CreateHtmlViewer(nullptr));
        ASSERT_TRUE(listing->loadFile(kListing + QStringLiteral("as_1.htm")));
        context.Hooks.CopyFileToInstallFolder = [this](const QString& file) {
            log << QStringLiteral("copy file ") + file;
        };
        context.Hooks.CopyListEntry = [this](const QString& name) {
            log << QStringLiteral("copy list ") + name;
        };
    }
    void TearDown() override
    {
        VirtualFs::instance().unmount(QStringLiteral("t:\\"));
        VirtualFs::instance().unmount(QStringLiteral("c:\\windows\\temp\\"));
        LinkFixture::TearDown();
    }
    QStringList ReadableLog() const
    {
        QStringList lines = Log();
        for (QString& line : lines) {
            line.replace(temp.path() + QLatin1Char('/'), QStringLiteral("<t:>"));
        }
        return lines;
    }

    TempDir temp;
    std::unique_ptr<THtmlViewer> listing;
};

TEST_P(LinkClick, FollowsItsForm)
{
    const LinkCase& link = GetParam();
    panels.archive = link.listing;
    panels.document = link.listing ? kListing + QStringLiteral("as_games.rar.htm")
                                   : QStringLiteral("d:\\run\\html\\links.htm");
    THtmlViewer& source = link.listing ? *listing : *viewer;
    EXPECT_EQ(Click(source, QString::fromUtf8(link.url), QString::fromUtf8(link.target)),
              link.handled);
    EXPECT_EQ(ReadableLog(), link.log);
}

const char* const kSelf = "start <self> [--disc /disc/run --disc-root /disc -- ";

INSTANTIATE_TEST_SUITE_P(
    EveryForm, LinkClick,
    ::testing::Values(
        LinkCase{"BlankMissingFile", "nothing.jpg", "_BLANK", false, true, {}},
        LinkCase{
            "BlankStartsViewer",
            "Big.jpg",
            "_blank",
            false,
            true,
            {QString::fromLatin1(kSelf) + QStringLiteral("d:\\run\\html\\big.jpg] in /disc/run")}},
        LinkCase{"Web", "http://example.org/A", "", false, true,
                 Lines({"start /usr/bin/xdg-open [http://example.org/A] in "})},
        LinkCase{"Mail", "MAILTO:me@example.org", "", false, true,
                 Lines({"start /usr/bin/xdg-open [MAILTO:me@example.org] in "})},
        LinkCase{"PrintPage", "PrintHtml:doc.htm", "", false, true,
                 Lines({"print d:\\run\\html\\doc.htm"})},
        LinkCase{"CopyFile", "copy:files/Tool.TXT", "", false, true,
                 Lines({"copy file d:\\run\\html\\files\\tool.txt"})},
        LinkCase{"CopyListEntry", "copylist:Serials", "", false, true,
                 Lines({"copy list Serials"})},
        LinkCase{"RunGame", "rungame:=setup.exe=Key", "", false, true,
                 Lines({"command rungame=setup.exe=Key sound rungame=setup.exe=Key index 0 "
                        "kind 0 silent 1"})},
        LinkCase{"RunGameWithoutEquals", "rungame:setup.exe=Key", "", false, true,
                 Lines({"command rungame=setup.exe=Key sound rungame=setup.exe=Key index 0 "
                        "kind 0 silent 1"})},
        LinkCase{"RemoveGame", "DelGame:=Key", "", false, true,
                 Lines({"command delgame=Key sound delgame=Key index 0 kind 0 silent 1"})},
        LinkCase{"RunGameAfterBlanks", "  RunGame:=a=b", "", false, true,
                 Lines({"command rungame=a=b sound rungame=a=b index 0 kind 0 silent 1"})},
        LinkCase{"SecureWeb", " HTTPS://example.org/", "", false, true,
                 Lines({"start /usr/bin/xdg-open [HTTPS://example.org/] in "})},
        LinkCase{"Page", "Sub/Page.HTML", "", false, false,
                 Lines({"select d:\\run\\html\\sub\\page.html"})},
        LinkCase{"Anchor", "#Top", "", false, false,
                 Lines({"select d:\\run\\html\\links.htm#top"})},
        LinkCase{"TextAndPictures", "notes.txt", "", false, false, {}},
        LinkCase{"Picture", "pics/car.JPEG", "", false, false, {}},
        LinkCase{"Archive", "arc/games.rar", "", false, true,
                 Lines({"list d:\\run\\html\\arc\\games.rar from d:\\run\\html\\links.htm"})},
        LinkCase{"Sound", "sounds/bell.wav", "", false, true,
                 Lines({"play d:\\run\\html\\sounds\\bell.wav [] kind 3"})},
        LinkCase{"DocumentOnAnotherDrive", "e:/docs/manual.pdf#page=2", "", false, true,
                 Lines({"start /usr/bin/xdg-open [<d:>docs/manual.pdf] in <d:>docs"})},
        LinkCase{
            "Program", "tools/setup.exe", "", false, true,
            Lines({"start /usr/bin/wine [<d:>run/html/tools/setup.exe] in <d:>run/html/tools"})},
        LinkCase{"MissingProgram", "tools/absent.exe", "", false, true, {}},
        LinkCase{"ListedMemberNotUnpacked", "member.htm", "", true, true,
                 Lines({"extract t:\\as_games\\ direct 1", "open file t:\\as_games\\member.htm"})},
        LinkCase{"ListingsOwnPage", "as_bar.htm", "Top", true, false, {}},
        LinkCase{"AnchorInListing", "#top", "", true, false, {}},
        LinkCase{"ListedDocumentStaysOnItsDrive", "readme.doc", "", true, true,
                 Lines({"start /usr/bin/xdg-open [<t:>as_games/readme.doc] in <t:>as_games"})}),
    [](const ::testing::TestParamInfo<LinkCase>& param) { return std::string(param.param.name); });

TEST_F(LinkFixture, HandledLinksAreMarkedVisited)
{
    Click(*viewer, QStringLiteral("MAILTO:me@example.org"));
    Click(*viewer, QStringLiteral("printhtml:Doc.htm"));
    Click(*viewer, QStringLiteral("page.htm"));
    const QStringList visited = viewer->visitedLinks();
    EXPECT_TRUE(visited.contains(QStringLiteral("mailto:me@example.org")));
    EXPECT_TRUE(visited.contains(QStringLiteral("d:\\run\\html\\Doc.htm")));
    EXPECT_FALSE(visited.contains(QStringLiteral("d:\\run\\html\\page.htm")));
}

TEST_F(LinkFixture, ProgramsStartInTheirOwnFolder)
{
    disc.writeToDisk(QStringLiteral("run\\html\\tools\\setup.exe"), "MZ");
    EXPECT_TRUE(Click(*viewer, QStringLiteral("tools/setup.exe")));
    EXPECT_EQ(VirtualFs::instance().currentFolder().toLower(),
              QStringLiteral("d:\\run\\html\\tools\\"));
    EXPECT_TRUE(viewer->visitedLinks().contains(QStringLiteral("d:\\run\\html\\tools\\setup.exe")));
}

// The save dialog starts in the folder chosen last.
TEST_F(LinkFixture, ZipLinksAreSavedWhereTheUserChooses)
{
    disc.writeToDisk(QStringLiteral("data\\tools.zip"), "PK zip");
    disc.addToArchive(QStringLiteral("packed.zip"), "PK packed");
    ASSERT_TRUE(disc.openArchive());
    QStringList answers{QStringLiteral("d:\\saved\\mine.zip"), QString(),
                        QStringLiteral("d:\\other\\packed.zip")};
    context.Hooks.AskSaveFile = [&](const QString& folder, const QString& name,
                                    const QString& filter) {
        log << QStringLiteral("ask [%1] [%2] [%3]").arg(folder, name, filter);
        return answers.takeFirst();
    };
    EXPECT_TRUE(Click(*viewer, QStringLiteral("d:/data/tools.zip")));
    EXPECT_EQ(disc.readFromDisk(QStringLiteral("saved\\mine.zip")), QByteArray("PK zip"));
    EXPECT_EQ(links->SaveFolder(), QStringLiteral("d:\\saved\\"));
    Click(*viewer, QStringLiteral("d:/data/tools.zip"));
    Click(*viewer, QStringLiteral("d:/run/packed.zip"));
    EXPECT_EQ(disc.readFromDisk(QStringLiteral("other\\packed.zip")), QByteArray("PK packed"));
    const QString filter = TLinkCommands::ZipFilter();
    EXPECT_EQ(
        log, QStringList(
                 {QStringLiteral("ask [] [tools.zip] [") + filter + QLatin1Char(']'),
                  QStringLiteral("ask [d:\\saved\\] [tools.zip] [") + filter + QLatin1Char(']'),
                  QStringLiteral("ask [d:\\saved\\] [packed.zip] [") + filter + QLatin1Char(']')}));
    EXPECT_EQ(links->SaveFolder(), QStringLiteral("d:\\other\\"));
}

TEST(SaveDialog, FilterTakesTheFormOfQtDialogs)
{
    EXPECT_EQ(Desktop::DialogFilterOf(TLinkCommands::ZipFilter()),
              QStringLiteral("Zip файлы (*.zip);;Все файлы (*.*)"));
    EXPECT_EQ(Desktop::DialogFilterOf(QStringLiteral("Тексты|*.txt|Всё")),
              QStringLiteral("Тексты (*.txt);;Всё"));
}

TEST_F(LinkFixture, MissingComponentsLeaveLinksHandledAndQuiet)
{
    components = TComponentSet();
    EXPECT_TRUE(Click(*viewer, QStringLiteral("arc/games.rar")));
    EXPECT_TRUE(Click(*viewer, QStringLiteral("bell.wav")));
    EXPECT_TRUE(Click(*viewer, QStringLiteral("copy:x.txt")));
    EXPECT_TRUE(Click(*viewer, QStringLiteral("rungame:=a=b")));
    EXPECT_FALSE(Click(*viewer, QStringLiteral("page.htm")));
    panels.archive = true;
    EXPECT_TRUE(Click(*viewer, QStringLiteral("member.htm")));
    EXPECT_EQ(log, QStringList({QStringLiteral("command rungame=a=b sound rungame=a=b index 0 "
                                               "kind 0 silent 1"),
                                QStringLiteral("open file d:\\run\\html\\member.htm")}));
}

} // namespace

// A form counts only at the start: a link that merely holds "rungame:",
// "delgame:", "copy:" or "http:" is no command and reaches no opener.
TEST_F(LinkFixture, FormsInsideALinkAreNoCommands)
{
    for (const char* url :
         {"page.htm#rungame:=run=z:\\bin\\sh", "x/delgame:=run=z:\\usr\\bin\\xterm",
          "file:///etc/passwd?http://example.org", "notes.txt#copy:evil\\.bashrc",
          "javascript:alert(1)//mailto:me@example.org", "a.htm#copylist:Serials"}) {
        log.clear();
        Click(*viewer, QString::fromLatin1(url));
        for (const QString& line : Log()) {
            EXPECT_FALSE(line.startsWith(QLatin1String("command "))) << url;
            EXPECT_FALSE(line.contains(QLatin1String("xdg-open"))) << url;
            EXPECT_FALSE(line.startsWith(QLatin1String("copy "))) << url;
        }
    }
}
