#include "platform/DiscLocation.h"

#include "IsoMaker.h"
#include "TempDir.h"
#include "platform/CommandLine.h"
#include "platform/IsoImage.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

// A mountinfo table with the root file system, a CD, a USB stick and a tmpfs.
QString mountTable(const QString& cd, const QString& usb, const QString& tmp)
{
    QString escapedUsb = usb;
    escapedUsb.replace(QLatin1Char(' '), QLatin1String("\\040"));
    return QStringLiteral("22 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw\n"
                          "40 22 11:0 / %1 ro,nosuid - iso9660 /dev/sr0 ro\n"
                          "41 22 8:17 / %2 rw shared:5 - vfat /dev/sdb1 rw\n"
                          "42 22 0:30 / %3 rw - tmpfs tmpfs rw\n")
        .arg(cd, escapedUsb, tmp);
}

class DiscLocationTest : public ::testing::Test {
protected:
    DiscLocation::Inputs inputs(const QStringList& arguments = {})
    {
        DiscLocation::Inputs in;
        in.arguments = arguments;
        in.executableFolder = dir.file(QStringLiteral("bin"));
        in.demoFolder = dir.file(QStringLiteral("demo"));
        in.mountInfo =
            mountTable(dir.file(QStringLiteral("cd")), dir.file(QStringLiteral("usb stick")),
                       dir.file(QStringLiteral("tmp")));
        in.isRemovableDevice = [](const QString& device) {
            return device == QLatin1String("8:17");
        };
        return in;
    }
    QString folder(const QString& relative)
    {
        QDir().mkpath(dir.file(relative));
        return QDir(dir.file(relative)).canonicalPath();
    }

    TempDir dir;
};

} // namespace

TEST_F(DiscLocationTest, AppDirComesFromOptionVariableExecutableOrDemo)
{
    const QString demo = folder(QStringLiteral("demo"));
    const QString bin = folder(QStringLiteral("bin"));
    const QString option = folder(QStringLiteral("option"));
    const QString variable = folder(QStringLiteral("variable"));
    DiscLocation::Inputs in = inputs();
    EXPECT_EQ(DiscLocation::findAppDirHost(in), demo);
    dir.write(QStringLiteral("bin/MEV.DHL"), "x");
    EXPECT_EQ(DiscLocation::findAppDirHost(in), bin);
    in.discVariable = variable;
    EXPECT_EQ(DiscLocation::findAppDirHost(in), variable);
    in.arguments = QStringList{"page.htm", "--disc=" + option};
    EXPECT_EQ(DiscLocation::findAppDirHost(in), option);
}

TEST_F(DiscLocationTest, DiscRootFollowsTheRules)
{
    const QString plain = folder(QStringLiteral("plain"));
    EXPECT_EQ(DiscLocation::findDiscRootHost(inputs(), plain), plain);

    const QString run = folder(QStringLiteral("disc/RuN"));
    EXPECT_EQ(DiscLocation::findDiscRootHost(inputs(), run), folder(QStringLiteral("disc")));

    const QString onCd = folder(QStringLiteral("cd/run/bin"));
    EXPECT_EQ(DiscLocation::findDiscRootHost(inputs(), onCd), dir.file(QStringLiteral("cd")));
    const QString onUsb = folder(QStringLiteral("usb stick/Книга/run"));
    EXPECT_EQ(DiscLocation::findDiscRootHost(inputs(), onUsb),
              dir.file(QStringLiteral("usb stick")));
    const QString onTmpfs = folder(QStringLiteral("tmp/x"));
    EXPECT_EQ(DiscLocation::findDiscRootHost(inputs(), onTmpfs), onTmpfs);

    const QString outer = folder(QStringLiteral("cd"));
    EXPECT_EQ(DiscLocation::findDiscRootHost(inputs({"--disc-root", plain}), onCd), outer)
        << "a disc root that does not hold AppDir is ignored";
    EXPECT_EQ(DiscLocation::findDiscRootHost(inputs({"--disc-root", dir.path()}), onCd),
              QDir(dir.path()).canonicalPath());
}

TEST_F(DiscLocationTest, RemovableRootFileSystemIsNotTheDisc)
{
    DiscLocation::Inputs in = inputs();
    in.isRemovableDevice = [](const QString&) { return true; };
    in.mountInfo = QStringLiteral("22 1 8:1 / / rw - ext4 /dev/sda1 rw\n");
    const QString plain = folder(QStringLiteral("plain"));
    EXPECT_EQ(DiscLocation::findDiscRootHost(in, plain), plain);
}

TEST(DiscLocationMounts, LongestAndLatestMountPointWins)
{
    const QString table = QStringLiteral("1 0 8:1 / / rw - ext4 /dev/sda1 rw\n"
                                         "2 1 8:2 / /media rw - ext4 /dev/sda2 rw\n"
                                         "3 2 11:0 / /media/my\\040cd ro - udf /dev/sr0 ro\n"
                                         "4 2 11:1 / /media/my\\040cd ro - iso9660 /dev/sr1 ro\n"
                                         "garbage line\n5 1 0:1 / /med rw - tmpfs x rw\n");
    const auto cd = DiscLocation::mountOf(QStringLiteral("/media/my cd/run"), table);
    ASSERT_TRUE(cd);
    EXPECT_EQ(cd->point, QStringLiteral("/media/my cd"));
    EXPECT_EQ(cd->type, QStringLiteral("iso9660"));
    EXPECT_EQ(cd->device, QStringLiteral("11:1"));
    EXPECT_EQ(DiscLocation::mountOf(QStringLiteral("/media/my cdx"), table)->point,
              QStringLiteral("/media"));
    EXPECT_EQ(DiscLocation::mountOf(QStringLiteral("/medal"), table)->point, QStringLiteral("/"));
    EXPECT_FALSE(DiscLocation::mountOf(QStringLiteral("/x"), QString()));
}

TEST(DiscLocationVirtual, AppDirProgramAndArchiveBase)
{
    EXPECT_EQ(DiscLocation::virtualAppDir(QStringLiteral("/m/cd/RUN/bin"), QStringLiteral("/m/cd")),
              QStringLiteral("d:\\RUN\\bin\\"));
    EXPECT_EQ(DiscLocation::virtualAppDir(QStringLiteral("/m/cd"), QStringLiteral("/m/cd")),
              QStringLiteral("d:\\"));
    EXPECT_EQ(DiscLocation::archiveBaseOf(QStringLiteral("e:\\disc\\RUN\\bin\\")),
              QStringLiteral("e:\\disc\\bin\\"));
    EXPECT_EQ(DiscLocation::archiveBaseOf(QStringLiteral("d:\\run\\run\\")),
              QStringLiteral("d:\\run\\"));
    EXPECT_EQ(DiscLocation::archiveBaseOf(QStringLiteral("d:\\")), QStringLiteral("d:\\"));
    EXPECT_EQ(DiscLocation::archiveBaseOf(QStringLiteral("d:\\rerun\\")), QStringLiteral("d:\\re"));
}

TEST_F(DiscLocationTest, LocateCombinesTheRules)
{
    const QString run = folder(QStringLiteral("Disc/Run"));
    const DiscLocation location = DiscLocation::locate(inputs({"--disc", run, "/t"}));
    EXPECT_EQ(location.appDirHost, run);
    EXPECT_EQ(location.discRootHost, folder(QStringLiteral("Disc")));
    EXPECT_EQ(location.appDir, QStringLiteral("d:\\Run\\"));
    EXPECT_EQ(location.programFile, QStringLiteral("d:\\Run\\discshell.exe"));
    EXPECT_EQ(location.cdRoot, QStringLiteral("d:\\"));
    EXPECT_EQ(location.archiveBase, QStringLiteral("d:\\"));
}

namespace {

// The program folder DiscLocation finds on an image of the given files.
std::optional<QString> imageAppDirOf(const QStringList& files)
{
    TempDir dir;
    for (const QString& file : files) {
        if (file.endsWith(QLatin1Char('/'))) {
            QDir().mkpath(dir.file(QStringLiteral("disc/") + file));
        } else {
            dir.write(QStringLiteral("disc/") + file, "x");
        }
    }
    QDir().mkpath(dir.file(QStringLiteral("disc")));
    const QString path = dir.file(QStringLiteral("disc.iso"));
    EXPECT_EQ(
        IsoMaker::make(dir.file(QStringLiteral("disc")), path, IsoMaker::Names::JolietAndRockRidge),
        QString());
    IsoImage image;
    EXPECT_TRUE(image.open(path)) << image.errorString().toStdString();
    DiscLocation location = DiscLocation::locate(
        DiscLocation::Inputs{{QStringLiteral("--disc"), path}, {}, dir.path(), dir.path(), {}, {}});
    EXPECT_EQ(location.imageHost, QFileInfo(path).canonicalFilePath());
    EXPECT_EQ(location.useImage(image), DiscLocation::imageAppDir(image).has_value());
    EXPECT_TRUE(CommandLine::withDiscFolderOption({path}, &DiscLocation::namesDisc)
                    .first()
                    .startsWith(QLatin1String("--disc=")));
    return DiscLocation::imageAppDir(image);
}

} // namespace

TEST(DiscLocationImage, ProgramFolderIsTheRootOrOneLevelDownWithRunFirst)
{
    if (!IsoMaker::available()) {
        GTEST_SKIP() << "xorriso is not installed";
    }
    EXPECT_EQ(imageAppDirOf({QStringLiteral("MEV.DHL"), QStringLiteral("run/Mev.dhl")}),
              QStringLiteral("d:\\"));
    EXPECT_EQ(imageAppDirOf({QStringLiteral("Alpha/Mev.dhl"), QStringLiteral("RUN/mev.dhl")}),
              QStringLiteral("d:\\RUN\\"));
    EXPECT_EQ(imageAppDirOf({QStringLiteral("b/Mev.dhl"), QStringLiteral("a/Mev.dhl")}),
              QStringLiteral("d:\\a\\"));
    EXPECT_EQ(imageAppDirOf({QStringLiteral("x/y/Mev.dhl")}), std::nullopt);
    EXPECT_EQ(imageAppDirOf({QStringLiteral("Mev.dhl/"), QStringLiteral("readme.txt")}),
              std::nullopt);
}
