#include "platform/VirtualFs.h"

#include "TempDir.h"
#include "platform/HostFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Moves a host folder's modification time an hour into the past, so that
// the listing cache treats it as settled.
void ageFolder(const QString& path)
{
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &info), 0);
    timespec times[2] = {info.st_atim, info.st_mtim};
    times[0].tv_sec -= 3600;
    times[1].tv_sec -= 3600;
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0), 0);
}

class VirtualFsTest : public ::testing::Test {
protected:
    VirtualFsTest()
    {
        QDir().mkpath(disc.path() + QStringLiteral("/root"));
        fs.mount(QStringLiteral("D:"), root());
    }
    QString root() const { return disc.path() + QStringLiteral("/root"); }
    QString write(const QString& relative, const QByteArray& bytes = "x")
    {
        return disc.write(QStringLiteral("root/") + relative, bytes);
    }

    TempDir disc;
    VirtualFs fs;
};

} // namespace

TEST(VirtualFsNormalize, CollapsesSeparatorsDotsAndParents)
{
    EXPECT_EQ(VirtualFs::normalize(QStringLiteral("d:/a//b/./c\\")),
              QStringLiteral("d:\\a\\b\\c\\"));
    EXPECT_EQ(VirtualFs::normalize(QStringLiteral("d:\\a\\..\\b")), QStringLiteral("d:\\b"));
    EXPECT_EQ(VirtualFs::normalize(QStringLiteral("d:\\..\\..\\etc\\passwd")),
              QStringLiteral("d:\\etc\\passwd"));
    EXPECT_EQ(VirtualFs::normalize(QStringLiteral("C:")), QStringLiteral("C:\\"));
    EXPECT_EQ(VirtualFs::normalize(QStringLiteral("d:\\a\\..")), QStringLiteral("d:\\"));
}

TEST(VirtualFsNormalize, RejectsNulAndMissingDrive)
{
    EXPECT_FALSE(VirtualFs::normalize(QStringLiteral("d:\\a") + QChar(0) + QStringLiteral("b")));
    EXPECT_FALSE(VirtualFs::normalize(QStringLiteral("\\a\\b")));
    EXPECT_FALSE(VirtualFs::normalize(QStringLiteral("1:\\a")));
    EXPECT_FALSE(VirtualFs::normalize(QString()));
}

TEST(VirtualFsHostPath, MapsUnderDriveZ)
{
    EXPECT_EQ(VirtualFs::fromHostPath(QStringLiteral("/tmp/x")), QStringLiteral("z:\\tmp\\x"));
    EXPECT_EQ(VirtualFs::fromHostPath(QStringLiteral("/")), QStringLiteral("z:\\"));
    EXPECT_EQ(VirtualFs::fromHostPath(QStringLiteral("/a/../b/")), QStringLiteral("z:\\b\\"));
}

TEST_F(VirtualFsTest, ResolvesWithoutRegardToCaseIncludingCyrillic)
{
    const QString file = write(QStringLiteral("Страницы/Глава1/Текст.HTM"));
    EXPECT_EQ(fs.resolveExisting(QStringLiteral("d:\\страницы\\ГЛАВА1\\текст.htm")), file);
    EXPECT_EQ(fs.resolveExisting(QStringLiteral("D:/СТРАНИЦЫ/глава1/ТЕКСТ.Htm")), file);
    EXPECT_FALSE(fs.resolveExisting(QStringLiteral("d:\\страницы\\глава2\\текст.htm")));
    EXPECT_TRUE(fs.fileExists(QStringLiteral("d:\\СТРАНИЦЫ\\глава1\\текст.htm")));
    EXPECT_TRUE(fs.folderExists(QStringLiteral("d:\\СТРАНИЦЫ\\глава1\\")));
    EXPECT_FALSE(fs.folderExists(QStringLiteral("d:\\СТРАНИЦЫ\\глава1\\текст.htm")));
}

TEST_F(VirtualFsTest, ExactCaseWinsOtherwiseSmallestCodePoint)
{
    write(QStringLiteral("abc"), "lower");
    write(QStringLiteral("Abc"), "title");
    write(QStringLiteral("ABC"), "upper");
    EXPECT_EQ(fs.readFile(QStringLiteral("d:\\abc")), QByteArray("lower"));
    EXPECT_EQ(fs.readFile(QStringLiteral("d:\\Abc")), QByteArray("title"));
    EXPECT_EQ(fs.readFile(QStringLiteral("d:\\aBC")), QByteArray("upper"));
    EXPECT_EQ(fs.readFile(QStringLiteral("d:\\abC")), QByteArray("upper"));
}

TEST_F(VirtualFsTest, LongestMountPrefixWins)
{
    TempDir other;
    other.write(QStringLiteral("page.htm"), "inner");
    write(QStringLiteral("Sub/Deeper/page.htm"), "outer");
    fs.mount(QStringLiteral("d:\\SUB\\deeper\\"), other.path());
    EXPECT_EQ(fs.readFile(QStringLiteral("D:\\sub\\DEEPER\\Page.htm")), QByteArray("inner"));
    fs.unmount(QStringLiteral("d:\\sub\\deeper"));
    EXPECT_EQ(fs.readFile(QStringLiteral("D:\\sub\\DEEPER\\Page.htm")), QByteArray("outer"));
    EXPECT_FALSE(fs.exists(QStringLiteral("e:\\page.htm")));
}

TEST_F(VirtualFsTest, ParentStepsNeverLeaveTheMount)
{
    disc.write(QStringLiteral("secret"), "outside");
    write(QStringLiteral("secret"), "inside");
    EXPECT_EQ(fs.readFile(QStringLiteral("d:\\..\\secret")), QByteArray("inside"));
    EXPECT_EQ(fs.readFile(QStringLiteral("d:\\a\\..\\..\\..\\secret")), QByteArray("inside"));
    EXPECT_EQ(fs.resolveForCreate(QStringLiteral("d:\\..\\..\\new")),
              root() + QStringLiteral("/new"));
}

TEST_F(VirtualFsTest, HostileComponentsNeverReachTheHost)
{
    write(QStringLiteral("a/b"));
    EXPECT_FALSE(fs.resolveExisting(QStringLiteral("d:\\a") + QChar(0) + QStringLiteral("\\b")));
    EXPECT_FALSE(fs.resolveForCreate(QStringLiteral("d:\\x") + QChar(0)));
    EXPECT_EQ(fs.resolveExisting(QStringLiteral("d:\\a/b")), root() + QStringLiteral("/a/b"));
    EXPECT_FALSE(fs.readFile(QStringLiteral("d:\\a")));
}

TEST_F(VirtualFsTest, ListingCacheFollowsFolderChanges)
{
    write(QStringLiteral("folder/One.txt"), "1");
    const QString folder = root() + QStringLiteral("/folder");
    ageFolder(folder);
    EXPECT_EQ(fs.readFile(QStringLiteral("d:\\folder\\one.TXT")), QByteArray("1"));
    EXPECT_FALSE(fs.exists(QStringLiteral("d:\\folder\\two.txt")));

    ASSERT_TRUE(
        QFile::rename(folder + QStringLiteral("/One.txt"), folder + QStringLiteral("/TWO.txt")));
    EXPECT_EQ(fs.readFile(QStringLiteral("d:\\folder\\two.txt")), QByteArray("1"));
    EXPECT_FALSE(fs.exists(QStringLiteral("d:\\folder\\one.txt")));

    // A change right after a listing, within the timestamp granularity.
    EXPECT_FALSE(fs.exists(QStringLiteral("d:\\folder\\three.txt")));
    write(QStringLiteral("folder/Three.txt"), "3");
    EXPECT_EQ(fs.readFile(QStringLiteral("d:\\folder\\THREE.txt")), QByteArray("3"));
}

TEST_F(VirtualFsTest, CreatePathsKeepNewNames)
{
    write(QStringLiteral("Data/x"));
    EXPECT_EQ(fs.resolveForCreate(QStringLiteral("d:\\DATA\\New Folder\\Файл.TXT")),
              root() + QStringLiteral("/Data/New Folder/Файл.TXT"));
    ASSERT_TRUE(fs.makePath(QStringLiteral("d:\\data\\One\\Two\\")));
    EXPECT_TRUE(QFileInfo(root() + QStringLiteral("/Data/One/Two")).isDir());
    EXPECT_TRUE(fs.makePath(QStringLiteral("d:\\DATA\\one")));
    EXPECT_FALSE(fs.makePath(QStringLiteral("d:\\data\\x\\below")));
}

TEST_F(VirtualFsTest, CopiesAndRemovesFiles)
{
    write(QStringLiteral("src/Page.htm"), "content");
    ASSERT_TRUE(fs.makePath(QStringLiteral("d:\\out")));
    EXPECT_TRUE(fs.copyFile(QStringLiteral("d:\\SRC\\page.htm"),
                            QStringLiteral("d:\\out\\Copy.htm"), false));
    EXPECT_EQ(fs.readFile(QStringLiteral("d:\\out\\copy.htm")), QByteArray("content"));

    write(QStringLiteral("src/Page.htm"), "changed");
    EXPECT_FALSE(fs.copyFile(QStringLiteral("d:\\src\\page.htm"),
                             QStringLiteral("d:\\out\\copy.htm"), false));
    EXPECT_EQ(fs.readFile(QStringLiteral("d:\\out\\Copy.htm")), QByteArray("content"));
    EXPECT_TRUE(fs.copyFile(QStringLiteral("d:\\src\\page.htm"),
                            QStringLiteral("d:\\out\\COPY.htm"), true));
    EXPECT_EQ(fs.readFile(QStringLiteral("d:\\out\\Copy.htm")), QByteArray("changed"));
    EXPECT_FALSE(fs.copyFile(QStringLiteral("d:\\src\\page.htm"),
                             QStringLiteral("d:\\src\\PAGE.htm"), true));
    EXPECT_FALSE(
        fs.copyFile(QStringLiteral("d:\\src\\missing"), QStringLiteral("d:\\out\\m"), true));
    EXPECT_FALSE(fs.copyFile(QStringLiteral("d:\\src"), QStringLiteral("d:\\out\\dir"), true));

    EXPECT_FALSE(fs.removeFile(QStringLiteral("d:\\out")));
    EXPECT_TRUE(fs.removeFile(QStringLiteral("d:\\OUT\\copy.htm")));
    EXPECT_FALSE(fs.exists(QStringLiteral("d:\\out\\copy.htm")));
    EXPECT_FALSE(fs.removeFile(QStringLiteral("d:\\out\\copy.htm")));
}

TEST_F(VirtualFsTest, RemovesFoldersButNeverAMountRoot)
{
    write(QStringLiteral("tree/a/b.txt"));
    EXPECT_FALSE(fs.removeFolder(QStringLiteral("d:\\TREE"), false));
    EXPECT_TRUE(fs.removeFolder(QStringLiteral("d:\\TREE"), true));
    EXPECT_FALSE(QFileInfo::exists(root() + QStringLiteral("/tree")));
    write(QStringLiteral("keep"));
    EXPECT_FALSE(fs.removeFolder(QStringLiteral("d:\\"), true));
    EXPECT_FALSE(fs.removeFolder(QStringLiteral("d:\\sub\\.."), true));
    EXPECT_TRUE(QFileInfo::exists(root() + QStringLiteral("/keep")));
}

TEST_F(VirtualFsTest, ListsSortedWithAttributes)
{
    write(QStringLiteral("list/b.txt"), "12345");
    write(QStringLiteral("list/B.txt"));
    write(QStringLiteral("list/.hidden"));
    write(QStringLiteral("list/Я.txt"));
    write(QStringLiteral("list/sub/x"));
    const auto entries = fs.list(QStringLiteral("d:\\LIST"));
    ASSERT_TRUE(entries);
    QStringList names;
    for (const VirtualFs::Entry& e : *entries) {
        names.append(e.name);
    }
    EXPECT_EQ(names, QStringList({".hidden", "B.txt", "b.txt", "sub", "Я.txt"}));
    EXPECT_TRUE(entries->at(0).isHidden);
    EXPECT_EQ(entries->at(2).size, 5);
    EXPECT_TRUE(entries->at(3).isFolder);
    EXPECT_FALSE(fs.list(QStringLiteral("d:\\list\\b.txt")));

    const auto file = fs.attributes(QStringLiteral("d:\\list\\я.TXT"));
    ASSERT_TRUE(file);
    EXPECT_EQ(file->name, QStringLiteral("Я.txt"));
    EXPECT_FALSE(file->isFolder);
    EXPECT_TRUE(file->modified.isValid());
}

TEST_F(VirtualFsTest, CurrentFolderAnchorsRelativePaths)
{
    write(QStringLiteral("Work/page.htm"), "here");
    const QString before = QDir::currentPath();
    ASSERT_TRUE(fs.setCurrentFolder(QStringLiteral("d:\\work")));
    EXPECT_EQ(fs.currentFolder(), QStringLiteral("d:\\work\\"));
    EXPECT_EQ(QDir::currentPath(), root() + QStringLiteral("/Work"));
    EXPECT_EQ(fs.readFile(QStringLiteral("PAGE.htm")), QByteArray("here"));
    EXPECT_EQ(fs.readFile(QStringLiteral("\\work\\page.htm")), QByteArray("here"));
    EXPECT_FALSE(fs.setCurrentFolder(QStringLiteral("d:\\work\\page.htm")));
    EXPECT_FALSE(fs.setCurrentFolder(QStringLiteral("d:\\missing")));
    EXPECT_EQ(fs.currentFolder(), QStringLiteral("d:\\work\\"));
    QDir::setCurrent(before);
}

TEST(VirtualFsInstance, StartsWithDriveZOnRoot)
{
    TempDir temp;
    temp.write(QStringLiteral("Файл.txt"), "z");
    EXPECT_EQ(VirtualFs::instance().readFile(temp.virtualPath() + QStringLiteral("файл.TXT")),
              QByteArray("z"));
}

TEST(VirtualFsInstance, StandardMountsUseWineAndPrivateFolders)
{
    TempDir home;
    const QByteArray names[] = {"XDG_RUNTIME_DIR", "XDG_DATA_HOME", "WINEPREFIX"};
    QByteArray saved[3];
    for (int i = 0; i < 3; ++i) {
        saved[i] = qgetenv(names[i]);
    }
    QDir().mkpath(home.file(QStringLiteral("runtime")));
    QDir().mkpath(home.file(QStringLiteral("wine/drive_c/windows/System32")));
    qputenv("XDG_RUNTIME_DIR", home.file(QStringLiteral("runtime")).toUtf8());
    qputenv("XDG_DATA_HOME", home.file(QStringLiteral("data")).toUtf8());
    qputenv("WINEPREFIX", home.file(QStringLiteral("wine")).toUtf8());
    home.write(QStringLiteral("disc/run/Mev.dhl"), "mev");

    VirtualFs::mountStandard(home.file(QStringLiteral("disc")));
    VirtualFs& fs = VirtualFs::instance();
    const QString temp = home.file(QStringLiteral("runtime/discshell/temp"));
    EXPECT_EQ(fs.resolveForCreate(QStringLiteral("C:\\Windows\\TEMP\\as_1\\x.htm")),
              temp + QStringLiteral("/as_1/x.htm"));
    EXPECT_EQ(QFileInfo(temp).permissions() & (QFile::ReadGroup | QFile::ReadOther), 0);
    EXPECT_EQ(fs.resolveForCreate(QStringLiteral("c:\\windows\\fonts\\a.ttf")),
              home.file(QStringLiteral("data/fonts/a.ttf")));
    EXPECT_EQ(fs.resolveExisting(QStringLiteral("c:\\windows\\system32")),
              home.file(QStringLiteral("wine/drive_c/windows/system32")));
    EXPECT_EQ(fs.resolveForCreate(QStringLiteral("c:\\Games\\x")),
              home.file(QStringLiteral("wine/drive_c/Games/x")));
    EXPECT_EQ(fs.readFile(QStringLiteral("d:\\RUN\\mev.DHL")), QByteArray("mev"));
    EXPECT_TRUE(fs.folderExists(QStringLiteral("z:\\tmp")));

    for (int i = 0; i < 3; ++i) {
        if (saved[i].isNull()) {
            qunsetenv(names[i]);
        } else {
            qputenv(names[i], saved[i]);
        }
    }
    fs.clearMounts();
    fs.mount(QStringLiteral("z:\\"), QStringLiteral("/"));
}

// The fallback runtime folder lies in /tmp, where anyone may make it first.
TEST(RuntimeFolder, OnlyAFolderOfOurOwnWithModeSevenHundredIsTaken)
{
    TempDir place;
    const QString fresh = place.file(QStringLiteral("fresh"));
    EXPECT_EQ(HostFolder::ownedPrivateFolder(fresh), fresh);
    EXPECT_EQ(QFileInfo(fresh).permissions(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                  QFileDevice::ExeOwner | QFileDevice::ReadUser |
                                                  QFileDevice::WriteUser | QFileDevice::ExeUser);
    EXPECT_EQ(HostFolder::ownedPrivateFolder(fresh), fresh) << "taken again when it exists";

    const QString open = place.file(QStringLiteral("open"));
    ASSERT_TRUE(QDir().mkpath(open));
    ASSERT_EQ(::chmod(QFile::encodeName(open).constData(), 0755), 0);
    EXPECT_EQ(HostFolder::ownedPrivateFolder(open), QString());

    const QString linked = place.file(QStringLiteral("linked"));
    ASSERT_TRUE(QFile::link(fresh, linked));
    EXPECT_EQ(HostFolder::ownedPrivateFolder(linked), QString());

    const QString file = place.write(QStringLiteral("file"), "x");
    EXPECT_EQ(HostFolder::ownedPrivateFolder(file), QString());
    // A folder of another owner with our mode: root makes one by giving it
    // away; anyone else has the root's own "/" for one.
    if (::getuid() == 0) {
        const QString theirs = place.file(QStringLiteral("theirs"));
        ASSERT_TRUE(QDir().mkpath(theirs));
        ASSERT_EQ(::chmod(QFile::encodeName(theirs).constData(), 0700), 0);
        ASSERT_EQ(::chown(QFile::encodeName(theirs).constData(), 65534, 65534), 0);
        EXPECT_EQ(HostFolder::ownedPrivateFolder(theirs), QString());
    } else {
        EXPECT_EQ(HostFolder::ownedPrivateFolder(QStringLiteral("/")), QString());
    }
}
