#include "IsoMaker.h"
#include "TempDir.h"
#include "platform/CommandLine.h"
#include "platform/IsoImage.h"
#include "platform/IsoImageCache.h"
#include "platform/VirtualFs.h"
#include "platform/WritePolicy.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

// A small disc image mounted as "d:\" of a VirtualFs of the test's own.
class VirtualFsImageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!IsoMaker::available()) {
            GTEST_SKIP() << "xorriso is not installed";
        }
        dir.write(QStringLiteral("disc/Run/Mev.dhl"), "container");
        dir.write(QStringLiteral("disc/Run/Страницы/Глава.HTM"), "<p>глава</p>");
        dir.write(QStringLiteral("disc/Run/Страницы/рисунок.gif"), "GIF89a");
        dir.write(QStringLiteral("disc/Setup/setup.exe"), "MZ");
        dir.write(QStringLiteral("disc/Setup/data/data1.cab"), "cab");
        const QString path = dir.file(QStringLiteral("disc.iso"));
        ASSERT_EQ(IsoMaker::make(dir.file(QStringLiteral("disc")), path,
                                 IsoMaker::Names::JolietAndRockRidge),
                  QString());
        auto image = std::make_shared<IsoImage>();
        ASSERT_TRUE(image->open(path)) << image->errorString().toStdString();
        QDir().mkpath(cacheFolder());
        QDir().mkpath(dir.file(QStringLiteral("c")));
        cache = std::make_shared<IsoImageCache>(image, cacheFolder(), false);
        fs.mountImage(QStringLiteral("d:\\"), cache);
        fs.mount(QStringLiteral("c:\\"), dir.file(QStringLiteral("c")));
    }
    QString cacheFolder() const { return dir.file(QStringLiteral("cache")); }
    QString cached(const QString& relative) const
    {
        return cacheFolder() + QLatin1Char('/') + relative;
    }

    TempDir dir;
    std::shared_ptr<IsoImageCache> cache;
    VirtualFs fs;
};

} // namespace

TEST_F(VirtualFsImageTest, AnswersFromTheIndexWithoutRegardToCase)
{
    EXPECT_TRUE(fs.fileExists(QStringLiteral("d:\\run\\СТРАНИЦЫ\\глава.htm")));
    EXPECT_TRUE(fs.folderExists(QStringLiteral("D:/RUN/страницы/")));
    EXPECT_TRUE(fs.folderExists(QStringLiteral("d:\\")));
    EXPECT_FALSE(fs.fileExists(QStringLiteral("d:\\run\\страницы")));
    EXPECT_FALSE(fs.exists(QStringLiteral("d:\\run\\нет.htm")));
    EXPECT_FALSE(QFileInfo::exists(cached(QStringLiteral("Run"))))
        << "existence is answered without copying anything";

    const std::optional<QList<VirtualFs::Entry>> entries =
        fs.list(QStringLiteral("d:\\run\\страницы"));
    ASSERT_TRUE(entries);
    ASSERT_EQ(entries->size(), 2);
    EXPECT_EQ(entries->at(0).name, QStringLiteral("Глава.HTM"));
    EXPECT_EQ(entries->at(1).name, QStringLiteral("рисунок.gif"));
    EXPECT_EQ(entries->at(1).size, 6);
    EXPECT_TRUE(entries->at(1).isReadOnly);
    EXPECT_TRUE(entries->at(1).modified.isValid());
    EXPECT_FALSE(fs.list(QStringLiteral("d:\\run\\mev.dhl")));

    const std::optional<VirtualFs::Entry> setup = fs.attributes(QStringLiteral("d:\\SETUP"));
    ASSERT_TRUE(setup);
    EXPECT_TRUE(setup->isFolder);
    EXPECT_EQ(setup->name, QStringLiteral("Setup"));
    EXPECT_EQ(fs.readFile(QStringLiteral("d:\\run\\страницы\\глава.htm")),
              QByteArray("<p>глава</p>"));
    EXPECT_EQ(fs.readFile(QStringLiteral("d:\\run\\mev.dhl"), 3), QByteArray("con"));
    EXPECT_EQ(fs.imageFileOf(QStringLiteral("d:\\run\\")), dir.file(QStringLiteral("disc.iso")));
    EXPECT_FALSE(fs.imageFileOf(QStringLiteral("c:\\")));
}

TEST_F(VirtualFsImageTest, ResolvingCopiesAFileOutOnceAndCreatesFolders)
{
    const std::optional<QString> page =
        fs.resolveExisting(QStringLiteral("d:\\RUN\\страницы\\ГЛАВА.htm"));
    ASSERT_TRUE(page);
    EXPECT_EQ(*page, cached(QStringLiteral("Run/Страницы/Глава.HTM")));
    EXPECT_EQ(IsoMaker::readAll(*page), QByteArray("<p>глава</p>"));
    // A second resolve keeps the copy it made (what a reader holds open stays put).
    ASSERT_TRUE(IsoMaker::writeAll(*page, "kept"));
    EXPECT_EQ(fs.resolveExisting(QStringLiteral("d:\\run\\страницы\\глава.htm")), page);
    EXPECT_EQ(IsoMaker::readAll(*page), QByteArray("kept"));

    const std::optional<QString> folder = fs.resolveExisting(QStringLiteral("d:\\setup\\DATA\\"));
    ASSERT_TRUE(folder);
    EXPECT_TRUE(QFileInfo(*folder).isDir());
    EXPECT_FALSE(QFileInfo::exists(*folder + QStringLiteral("/data1.cab")));
    EXPECT_FALSE(fs.resolveExisting(QStringLiteral("d:\\setup\\missing.exe")));

    ASSERT_TRUE(fs.extractFolder(QStringLiteral("d:\\setup\\")));
    EXPECT_EQ(IsoMaker::readAll(cached(QStringLiteral("Setup/setup.exe"))), QByteArray("MZ"));
    EXPECT_EQ(IsoMaker::readAll(cached(QStringLiteral("Setup/data/data1.cab"))), QByteArray("cab"));
    EXPECT_FALSE(fs.extractFolder(QStringLiteral("d:\\setup\\setup.exe")));
    EXPECT_TRUE(fs.setCurrentFolder(QStringLiteral("d:\\run\\")));
    EXPECT_EQ(fs.currentFolder(), QStringLiteral("d:\\run\\"));
    QDir::setCurrent(dir.path());
}

TEST_F(VirtualFsImageTest, NothingOnTheImageIsCreatedChangedOrRemoved)
{
    const QString page = QStringLiteral("d:\\run\\страницы\\глава.htm");
    const std::optional<QString> copy = fs.resolveExisting(page);
    ASSERT_TRUE(copy);
    EXPECT_FALSE(fs.resolveForCreate(QStringLiteral("d:\\run\\new.txt")));
    EXPECT_FALSE(fs.makePath(QStringLiteral("d:\\run\\new\\")));
    EXPECT_FALSE(fs.copyFile(QStringLiteral("d:\\run\\mev.dhl"), page, true));
    EXPECT_FALSE(fs.removeFile(page));
    EXPECT_FALSE(fs.removeFolder(QStringLiteral("d:\\run\\страницы"), true));
    EXPECT_TRUE(QFileInfo::exists(*copy));
    EXPECT_TRUE(fs.fileExists(page));
    // Copies from the image to a writable place work.
    EXPECT_TRUE(
        fs.copyFile(QStringLiteral("d:\\run\\mev.dhl"), QStringLiteral("c:\\mev.dhl"), false));
    EXPECT_EQ(IsoMaker::readAll(dir.file(QStringLiteral("c/mev.dhl"))), QByteArray("container"));
}

TEST_F(VirtualFsImageTest, WritePolicyRefusesTheImageDrive)
{
    VirtualFs& process = VirtualFs::instance();
    process.mountImage(QStringLiteral("d:\\"), cache);
    process.mount(QStringLiteral("c:\\"), dir.file(QStringLiteral("c")));
    EXPECT_FALSE(WritePolicy::writeFile(QStringLiteral("d:\\run\\x.txt"), "x", QString()));
    EXPECT_FALSE(
        WritePolicy::writeFile(QStringLiteral("d:\\run\\x.txt"), "x", QStringLiteral("d:\\run\\")));
    EXPECT_FALSE(
        WritePolicy::removeEntry(QStringLiteral("d:\\run\\mev.dhl"), QStringLiteral("d:\\")));
    EXPECT_TRUE(WritePolicy::writeFile(QStringLiteral("c:\\x.txt"), "x", QString()));
    process.unmount(QStringLiteral("d:\\"));
    process.unmount(QStringLiteral("c:\\"));
    EXPECT_FALSE(QFileInfo::exists(cached(QStringLiteral("Run/x.txt"))));
    EXPECT_EQ(IsoMaker::readAll(dir.file(QStringLiteral("c/x.txt"))), QByteArray("x"));
}

TEST_F(VirtualFsImageTest, PrivateCachesAreOursAloneAndGoAway)
{
    const QByteArray savedRuntime = qgetenv("XDG_RUNTIME_DIR");
    TempDir runtime;
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    // A folder left behind by a process that no longer exists.
    const QString abandoned = runtime.path() + QStringLiteral("/discshell/image-999999999-abc");
    QDir().mkpath(abandoned);
    QString folder;
    {
        std::shared_ptr<IsoImageCache> own =
            IsoImageCache::createPrivate(std::make_shared<IsoImage>());
        ASSERT_TRUE(own);
        folder = own->folder();
        struct stat info {};
        ASSERT_EQ(::stat(QFile::encodeName(folder).constData(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0700u);
        EXPECT_TRUE(folder.startsWith(runtime.path() + QStringLiteral("/discshell/image-")));
        EXPECT_FALSE(QFileInfo::exists(abandoned));
    }
    EXPECT_FALSE(QFileInfo::exists(folder));
    qputenv("XDG_RUNTIME_DIR", savedRuntime);
}

TEST_F(VirtualFsImageTest, OtherInstancesAreGivenTheImageAgain)
{
    VirtualFs& process = VirtualFs::instance();
    process.mountImage(QStringLiteral("d:\\"), cache);
    EXPECT_EQ(CommandLine::sameDiscArguments(QStringLiteral("d:\\run\\"), QStringLiteral("d:\\"),
                                             {QStringLiteral("/t")}),
              (QStringList{QStringLiteral("--disc"), dir.file(QStringLiteral("disc.iso")),
                           QStringLiteral("--"), QStringLiteral("/t")}));
    const QString folder = dir.file(QStringLiteral("disc"));
    process.mount(QStringLiteral("d:\\"), folder);
    EXPECT_EQ(CommandLine::sameDiscArguments(QStringLiteral("d:\\run\\"), QStringLiteral("d:\\"),
                                             {QStringLiteral("/t")}),
              (QStringList{QStringLiteral("--disc"), folder + QStringLiteral("/Run"),
                           QStringLiteral("--disc-root"), folder, QStringLiteral("--"),
                           QStringLiteral("/t")}));
    process.unmount(QStringLiteral("d:\\"));
}
