#include "install/NavFont.h"

#include "TempDir.h"
#include "platform/Processes.h"
#include "platform/VirtualFs.h"

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

// Records what would start instead of starting it.
struct RecordingLauncher : IProcessLauncher {
    QStringList* log;
    explicit RecordingLauncher(QStringList* into) : log(into) {}
    bool StartDetached(const QString& program, const QStringList& arguments,
                       const QString&) override
    {
        *log << program + QLatin1Char(' ') + arguments.join(QLatin1Char(' '));
        return true;
    }
    QString FindExecutable(const QString& name) const override
    {
        return QStringLiteral("/usr/bin/") + name;
    }
};

QByteArray SystemFont()
{
    QFile font(QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"));
    return font.open(QIODevice::ReadOnly) ? font.readAll() : QByteArray();
}

class NavFont : public ::testing::Test {
protected:
    void SetUp() override
    {
        QDir().mkpath(disc.path() + QStringLiteral("/pages/fonts"));
        QDir().mkpath(windows.path() + QStringLiteral("/Fonts"));
        VirtualFs::instance().mount(QStringLiteral("d:\\"), disc.path());
        VirtualFs::instance().mount(QStringLiteral("c:\\windows\\"), windows.path());
        SetProcessLauncher(std::make_unique<RecordingLauncher>(&started));
    }
    void TearDown() override
    {
        SetProcessLauncher(nullptr);
        VirtualFs::instance().unmount(QStringLiteral("d:\\"));
        VirtualFs::instance().unmount(QStringLiteral("c:\\windows\\"));
    }
    void Write(const QString& relative, const QByteArray& bytes)
    {
        QFile file(disc.path() + relative);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    TempDir disc;
    TempDir windows;
    QStringList started;
};

} // namespace

TEST_F(NavFont, FontsOfThePageFolderAreCopiedAndUsable)
{
    const QByteArray font = SystemFont();
    ASSERT_FALSE(font.isEmpty()) << "the test needs a TrueType font of the system";
    Write(QStringLiteral("/pages/fonts/Extra.ttf"), font);
    Write(QStringLiteral("/pages/fonts/readme.txt"), "not a font");
    Write(QStringLiteral("/pages/fonts/broken.ttf"), "not a font either");
    QDir().mkpath(disc.path() + QStringLiteral("/pages/fonts/sub"));
    Write(QStringLiteral("/pages/fonts/sub/Deeper.ttf"), font);
    QFile old(windows.path() + QStringLiteral("/Fonts/Extra.ttf"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();

    TNavFont installer(QStringLiteral("c:\\windows\\"));
    installer.SetPageFolder(QStringLiteral("d:\\pages\\fonts\\page.htm"));
    EXPECT_EQ(installer.PageFolder(), QStringLiteral("d:\\pages\\fonts\\"));
    installer.InstallFonts();
    QFile copied(windows.path() + QStringLiteral("/Fonts/Extra.ttf"));
    ASSERT_TRUE(copied.open(QIODevice::ReadOnly));
    EXPECT_EQ(copied.readAll(), font) << "an older file of the name is overwritten";
    EXPECT_TRUE(QFile::exists(windows.path() + QStringLiteral("/Fonts/broken.ttf")));
    EXPECT_FALSE(QFile::exists(windows.path() + QStringLiteral("/Fonts/Deeper.ttf")))
        << "no sub-folders";
    EXPECT_FALSE(QFile::exists(windows.path() + QStringLiteral("/Fonts/readme.txt")));
    EXPECT_EQ(installer.Installed(), QStringList({"c:\\windows\\Fonts\\Extra.ttf"}))
        << "only real fonts become usable";
    ASSERT_EQ(started.size(), 1);
    EXPECT_TRUE(started.first().startsWith(QStringLiteral("/usr/bin/fc-cache ")));
}

TEST_F(NavFont, WithoutAPageOrFontsNothingIsCopiedButTheChangeIsAnnounced)
{
    TNavFont installer(QStringLiteral("c:\\windows\\"));
    installer.InstallFonts();
    EXPECT_TRUE(installer.Installed().isEmpty());
    EXPECT_EQ(started.size(), 1);
    installer.SetPageFolder(QStringLiteral("d:\\pages\\index.htm"));
    installer.InstallFonts();
    EXPECT_TRUE(installer.Installed().isEmpty());
    EXPECT_EQ(started.size(), 2);
    EXPECT_TRUE(QDir(windows.path() + QStringLiteral("/Fonts")).isEmpty());
}

// A font named like a link in the fonts folder, and a FIFO among the page's
// fonts: neither is written through nor waited for.
TEST_F(NavFont, NoFontIsWrittenThroughALinkNorReadFromAFifo)
{
    const QByteArray font = SystemFont();
    ASSERT_FALSE(font.isEmpty()) << "the test needs a TrueType font of the system";
    TempDir home;
    const QString precious = home.write(QStringLiteral("precious.ttf"), "mine");
    ASSERT_TRUE(QFile::link(precious, windows.path() + QStringLiteral("/Fonts/Linked.ttf")));
    Write(QStringLiteral("/pages/fonts/Linked.ttf"), font);
    ASSERT_EQ(
        ::mkfifo(
            QFile::encodeName(disc.path() + QStringLiteral("/pages/fonts/Pipe.ttf")).constData(),
            0600),
        0);

    TNavFont installer(QStringLiteral("c:\\windows\\"));
    installer.SetPageFolder(QStringLiteral("d:\\pages\\fonts\\page.htm"));
    installer.InstallFonts();
    QFile kept(precious);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("mine"));
    EXPECT_FALSE(QFile::exists(windows.path() + QStringLiteral("/Fonts/Pipe.ttf")));
    EXPECT_FALSE(QFile::exists(windows.path() + QStringLiteral("/Fonts/Linked.ttf.part")));
}
