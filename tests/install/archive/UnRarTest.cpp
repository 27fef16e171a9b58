#include "install/archive/UnRar.h"

#include "RarWriter.h"
#include "TempDir.h"
#include "data/Busy.h"
#include "platform/VirtualFs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

const QString Temp = QStringLiteral("c:\\windows\\temp\\");

class UnRarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QDir().mkpath(temp.path());
        VirtualFs::instance().mount(QStringLiteral("z:\\"), QStringLiteral("/"));
        VirtualFs::instance().mount(Temp, temp.path());
        VirtualFs::instance().mount(QStringLiteral("d:\\"), disc.path());
        RarWriter rar;
        rar.addFile("a.txt", "alpha");
        rar.addFile("docs\\b.txt", "beta");
        disc.write(QStringLiteral("arc/pack.rar"), rar.toBytes());
        browser = std::make_unique<TUnRar>(context());
    }

    void TearDown() override
    {
        browser.reset();
        VirtualFs::instance().unmount(Temp);
        VirtualFs::instance().unmount(QStringLiteral("d:\\"));
    }

    TArchiveBrowserContext context()
    {
        TArchiveBrowserContext context;
        context.TempDir = Temp;
        context.Locale = QLocale::c();
        context.IsArchiveMode = [this] { return archiveMode; };
        context.SetArchiveMode = [this](bool on) { archiveMode = on; };
        context.ShowPage = [this](const QString& page) { shown.append(page); };
        context.ShowMessage = [this](const QString& text) { messages.append(text); };
        context.ProcessEvents = [this] {
            ++eventRounds;
            busyDuringEvents = busyDuringEvents || Busy();
        };
        context.Now = [] { return QDateTime(QDate(2020, 1, 2), QTime(3, 4, 6)); };
        return context;
    }

    QString listingHost() const { return temp.file(QStringLiteral("as_d__arc_pack_rar")); }

    TempDir temp;
    TempDir disc;
    std::unique_ptr<TUnRar> browser;
    bool archiveMode = false;
    QStringList shown;
    QStringList messages;
    int eventRounds = 0;
    bool busyDuringEvents = false;
};

const QString Pack = QStringLiteral("d:\\arc\\pack.rar");
const QString Frameset = QStringLiteral("c:\\windows\\temp\\as_d__arc_pack_rar\\as_pack.rar.htm");

TEST_F(UnRarTest, AnArchiveIsListedIntoItsFolderAndShown)
{
    browser->OpenArchiveBrowser(Pack, QStringLiteral("d:\\index.htm"));
    EXPECT_EQ(shown, QStringList({Frameset}));
    EXPECT_EQ(browser->ListingFolder(), QStringLiteral("c:\\windows\\temp\\as_d__arc_pack_rar\\"));
    QStringList pages = QDir(listingHost()).entryList(QDir::Files);
    pages.sort();
    const quint32 stamp = (40u << 25) | (1u << 21) | (2u << 16) | (3u << 11) | (4u << 5) | 3u;
    EXPECT_EQ(pages, QStringList({QStringLiteral("as_0%1.htm").arg(stamp),
                                  QStringLiteral("as_1%1.htm").arg(stamp), "as_bar.htm",
                                  "as_pack.rar.htm"}));
    EXPECT_EQ(browser->ListingPages(), QStringList({Frameset}));
    EXPECT_EQ(browser->OriginPages(), QStringList({"d:\\index.htm"}));
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(UnRarTest, TheSameArchiveTwiceIsNotReadAgain)
{
    browser->OpenArchiveBrowser(Pack, QStringLiteral("d:\\index.htm"));
    archiveMode = true;
    browser->OpenArchiveBrowser(QStringLiteral("D:\\ARC\\pack.rar"), Frameset);
    EXPECT_EQ(browser->ListingsRead(), 1);
    EXPECT_EQ(shown.size(), 2);
    EXPECT_EQ(browser->OriginPages(), QStringList({"d:\\index.htm"}))
        << "a listing is no page to return to";
}

TEST_F(UnRarTest, ArchiveModeFollowsListingsAndOriginPages)
{
    browser->OpenArchiveBrowser(Pack, QStringLiteral("d:\\index.htm"));
    browser->UpdateArchiveMode(QStringLiteral("D:\\OTHER.HTM"));
    EXPECT_FALSE(archiveMode);
    browser->UpdateArchiveMode(Frameset.toUpper());
    EXPECT_TRUE(archiveMode);
    browser->UpdateArchiveMode(QStringLiteral("d:\\somewhere.htm"));
    EXPECT_TRUE(archiveMode) << "only an origin page ends it";
    browser->UpdateArchiveMode(QStringLiteral("D:\\Index.htm"));
    EXPECT_FALSE(archiveMode);
}

TEST_F(UnRarTest, AFollowedLinkUnpacksIntoTheListingFolderWithTheHourglass)
{
    browser->OpenArchiveBrowser(Pack, QStringLiteral("d:\\index.htm"));
    browser->ExtractArchive(browser->ListingFolder(), true);
    QFile b(listingHost() + QStringLiteral("/docs/b.txt"));
    ASSERT_TRUE(b.open(QIODevice::ReadOnly));
    EXPECT_EQ(b.readAll(), QByteArray("beta"));
    EXPECT_EQ(eventRounds, 2) << "pending messages between entries";
    EXPECT_TRUE(busyDuringEvents);
    EXPECT_FALSE(Busy());
}

TEST_F(UnRarTest, UnarcTwiceGivesNumberedSubfolders)
{
    browser->OpenArchiveBrowser(Pack, QStringLiteral("d:\\index.htm"));
    const QString games = QStringLiteral("d:\\Games");
    browser->ExtractArchive(games, false);
    browser->ExtractArchive(games + QLatin1Char('\\'), false);
    EXPECT_TRUE(QFileInfo::exists(disc.file(QStringLiteral("Games/pack.rar/a.txt"))));
    EXPECT_TRUE(QFileInfo::exists(disc.file(QStringLiteral("Games/pack1.rar/docs/b.txt"))));
    browser->ExtractArchive(QString(), false);
    EXPECT_EQ(QDir(disc.file(QStringLiteral("Games"))).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
              QStringList({"pack.rar", "pack1.rar"}))
        << "no folder chosen: nothing is unpacked";
}

// Nothing of a disc becomes a dot file: entries named so, or lying in a
// folder named so, are skipped with a message, the rest is unpacked.
TEST_F(UnRarTest, EntriesWithDotNamesAreNotUnpacked)
{
    RarWriter rar;
    rar.addFile(".profile", "evil");
    rar.addFile("config\\.hidden\\run.sh", "evil");
    rar.addFile("readme.txt", "fine");
    disc.write(QStringLiteral("arc/dots.rar"), rar.toBytes());
    browser->OpenArchiveBrowser(QStringLiteral("d:\\arc\\dots.rar"),
                                QStringLiteral("d:\\index.htm"));
    browser->ExtractArchive(QStringLiteral("d:\\Home"), false);
    EXPECT_TRUE(QFileInfo::exists(disc.file(QStringLiteral("Home/dots.rar/readme.txt"))));
    EXPECT_FALSE(QFileInfo::exists(disc.file(QStringLiteral("Home/dots.rar/.profile"))));
    EXPECT_FALSE(QFileInfo::exists(disc.file(QStringLiteral("Home/dots.rar/config/.hidden"))));
    EXPECT_EQ(messages.size(), 1) << "a skipped entry is told, once for its kind";
}

TEST_F(UnRarTest, AnArchiveThatCannotBeOpenedShowsNothingAndIsTriedAgain)
{
    disc.write(QStringLiteral("bad.rar"), "no archive");
    browser->OpenArchiveBrowser(QStringLiteral("d:\\bad.rar"), QStringLiteral("d:\\index.htm"));
    EXPECT_TRUE(shown.isEmpty());
    EXPECT_EQ(messages, QStringList({"Файл d:\\bad.rar не является RAR архивом."}));
    EXPECT_TRUE(QDir(temp.file(QStringLiteral("as_d__bad_rar"))).isEmpty());
    browser->OpenArchiveBrowser(QStringLiteral("d:\\bad.rar"), QStringLiteral("d:\\index.htm"));
    EXPECT_EQ(browser->ListingsRead(), 2);
}

TEST_F(UnRarTest, OnlyListingFoldersAreCleanedAtFirstUseAndAtTheEnd)
{
    temp.write(QStringLiteral("AS_old/page.htm"), "old");
    const QString readOnly = temp.write(QStringLiteral("as_old/sub/ro.htm"), "old");
    QFile::setPermissions(readOnly, QFile::ReadOwner);
    temp.write(QStringLiteral("keep/as_inner/x.htm"), "keep");
    temp.write(QStringLiteral("as_file.htm"), "a file, not a folder");
    browser->OpenArchiveBrowser(Pack, QStringLiteral("d:\\index.htm"));
    EXPECT_FALSE(QFileInfo::exists(temp.file(QStringLiteral("AS_old"))));
    EXPECT_FALSE(QFileInfo::exists(temp.file(QStringLiteral("as_old"))));
    EXPECT_TRUE(QFileInfo::exists(temp.file(QStringLiteral("keep/as_inner/x.htm"))));
    EXPECT_TRUE(QFileInfo::exists(temp.file(QStringLiteral("as_file.htm"))));
    EXPECT_TRUE(QFileInfo::exists(listingHost()));
    browser.reset();
    EXPECT_FALSE(QFileInfo::exists(listingHost()));
}

} // namespace
