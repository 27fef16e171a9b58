// The disc's codecs and MPEG driver going into a temporary Wine prefix.

#include "media/CodecInstaller.h"

#include "TempDir.h"
#include "platform/Processes.h"
#include "platform/VirtualFs.h"
#include "platform/WinePrefix.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

struct Started {
    QString Program;
    QStringList Arguments;
};

class RecordingLauncher final : public IProcessLauncher {
public:
    explicit RecordingLauncher(QList<Started>* log) : log_(log) {}
    bool StartDetached(const QString& program, const QStringList& arguments,
                       const QString&) override
    {
        log_->append({program, arguments});
        return true;
    }
    QString FindExecutable(const QString& name) const override
    {
        return QStringLiteral("/usr/bin/") + name;
    }

private:
    QList<Started>* log_;
};

const char* const Mounts[] = {"c:\\", "c:\\windows\\", "c:\\windows\\system32\\", "d:\\"};

class CodecInstallerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QDir().mkpath(prefix(QStringLiteral("drive_c/windows/system32")));
        VirtualFs& fs = VirtualFs::instance();
        fs.mount(QStringLiteral("c:\\"), prefix(QStringLiteral("drive_c")));
        fs.mount(QStringLiteral("c:\\windows\\"), prefix(QStringLiteral("drive_c/windows")));
        fs.mount(QStringLiteral("c:\\windows\\system32\\"), system32());
        fs.mount(QStringLiteral("d:\\"), disc.path());
        for (const char* name :
             {"Ir50_32.dll", "L3codecp.acm", "Regsvr32.exe", "Xmdrivnt.dll", "Xmdriver.dll",
              "Xmdrv95.dll", "Xmres.dll", "Xmsound.dll", "Xmvideo.dll"}) {
            disc.write(QStringLiteral("run/Resource/") + QLatin1String(name),
                       QByteArray("disc ") + name);
        }
        SetProcessLauncher(std::make_unique<RecordingLauncher>(&started));
    }
    void TearDown() override
    {
        SetProcessLauncher(nullptr);
        for (const char* mount : Mounts) {
            VirtualFs::instance().unmount(QLatin1String(mount));
        }
    }

    QString prefix(const QString& relative) const { return wine.file(relative); }
    QString system32() const { return prefix(QStringLiteral("drive_c/windows/system32")); }
    QByteArray systemFile(const QString& name) const
    {
        QFile file(system32() + QLatin1Char('/') + name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QStringList systemFiles() const { return QDir(system32()).entryList(QDir::Files, QDir::Name); }
    void placeInSystem(const QString& name, const QByteArray& bytes) const
    {
        QFile file(system32() + QLatin1Char('/') + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    TCodecInstaller installer(bool prefixExists = true)
    {
        TCodecInstallerContext context;
        context.AppDir = QStringLiteral("d:\\run\\");
        context.SystemDir = QStringLiteral("c:\\windows\\system32\\");
        context.WinePrefixExists = [prefixExists] { return prefixExists; };
        return TCodecInstaller(std::move(context));
    }

    TempDir wine;
    TempDir disc;
    QList<Started> started;
};

TEST_F(CodecInstallerTest, BothCodecsAtEveryStartWithTheClipSettingOnOnlyMp3WithItOff)
{
    TCodecInstaller codecs = installer();
    codecs.InstallRequested(QStringLiteral("indeo5, mpegaudio"), true);
    EXPECT_EQ(systemFiles(), QStringList({"Ir50_32.dll", "L3codecp.acm"}));
    EXPECT_EQ(systemFile(QStringLiteral("Ir50_32.dll")), "disc Ir50_32.dll");
    ASSERT_EQ(started.size(), 1);

    codecs.InstallRequested(QStringLiteral("indeo5, mpegaudio"), true);
    EXPECT_EQ(started.size(), 2) << "the second start registers the codec again";

    QDir(system32()).removeRecursively();
    QDir().mkpath(system32());
    codecs.InstallRequested(QStringLiteral("indeo5 mpegaudio"), false);
    EXPECT_EQ(systemFiles(), QStringList({"L3codecp.acm"}));
    EXPECT_EQ(started.size(), 2);

    codecs.InstallRequested(QStringLiteral("indeo"), true);
    codecs.InstallRequested(QString(), true);
    EXPECT_EQ(systemFiles(), QStringList({"L3codecp.acm"}));
    EXPECT_EQ(started.size(), 2) << "only the names the value holds install";
}

TEST_F(CodecInstallerTest, TheIndeoRegistrationRunsUnderWineEvenWhenTheCodecIsThere)
{
    placeInSystem(QStringLiteral("Ir50_32.dll"), "installed before");
    placeInSystem(QStringLiteral("L3codecp.acm"), "installed before");
    TCodecInstaller codecs = installer();
    codecs.InstallIndeoCodec();
    codecs.InstallMp3Codec();
    EXPECT_EQ(systemFile(QStringLiteral("Ir50_32.dll")), "installed before");
    EXPECT_EQ(systemFile(QStringLiteral("L3codecp.acm")), "installed before")
        << "a codec that is there is kept";
    ASSERT_EQ(started.size(), 1);
    EXPECT_EQ(started[0].Program, QStringLiteral("/usr/bin/wine"));
    EXPECT_EQ(
        started[0].Arguments,
        QStringList({disc.file(QStringLiteral("run/Resource/Regsvr32.exe")), QStringLiteral("/s"),
                     QStringLiteral("c:\\windows\\system32\\Ir50_32.dll")}));
}

TEST_F(CodecInstallerTest, TheMpegDriverOverwritesItsFilesWithTheNtOnes)
{
    placeInSystem(QStringLiteral("Xmdriver.dll"), "old driver");
    placeInSystem(QStringLiteral("Xmres.dll"), "old resources");
    installer().InstallMpegDriver();
    EXPECT_EQ(systemFiles(),
              QStringList({"Xmdriver.dll", "Xmres.dll", "Xmsound.dll", "Xmvideo.dll"}));
    EXPECT_EQ(systemFile(QStringLiteral("Xmdriver.dll")), "disc Xmdrivnt.dll");
    EXPECT_EQ(systemFile(QStringLiteral("Xmres.dll")), "disc Xmres.dll");
    EXPECT_EQ(systemFile(QStringLiteral("Xmvideo.dll")), "disc Xmvideo.dll");
    EXPECT_TRUE(started.isEmpty());
}

TEST_F(CodecInstallerTest, WithoutAPrefixOrFilesNothingIsWrittenOrStarted)
{
    TCodecInstaller none = installer(false);
    none.InstallRequested(QStringLiteral("indeo5 mpegaudio"), true);
    none.InstallMpegDriver();
    EXPECT_TRUE(systemFiles().isEmpty());
    EXPECT_TRUE(started.isEmpty());

    QDir(disc.file(QStringLiteral("run/Resource"))).removeRecursively();
    TCodecInstaller bare = installer();
    bare.InstallMp3Codec();
    bare.InstallMpegDriver();
    EXPECT_TRUE(systemFiles().isEmpty()) << "a disc without the files copies nothing";
}

TEST_F(CodecInstallerTest, ALinkInTheSystemFolderIsNotWrittenThrough)
{
    const QString outside = wine.file(QStringLiteral("outside.dll"));
    ASSERT_TRUE(QFile::link(outside, system32() + QStringLiteral("/Xmsound.dll")));
    installer().InstallMpegDriver();
    EXPECT_FALSE(QFile::exists(outside));
    EXPECT_EQ(systemFile(QStringLiteral("Xmres.dll")), "disc Xmres.dll")
        << "the other files are still copied";
}

TEST(WinePrefix, CountsOnlyWithAWindowsFolder)
{
    TempDir home;
    const QByteArray saved = qgetenv("WINEPREFIX");
    qputenv("WINEPREFIX", home.file(QStringLiteral("prefix")).toUtf8());
    EXPECT_FALSE(WinePrefix::exists());
    QDir().mkpath(home.file(QStringLiteral("prefix/drive_c")));
    EXPECT_FALSE(WinePrefix::exists());
    QDir().mkpath(home.file(QStringLiteral("prefix/drive_c/windows")));
    EXPECT_EQ(WinePrefix::driveC(), home.file(QStringLiteral("prefix/drive_c")));
    qunsetenv("WINEPREFIX");
    EXPECT_EQ(WinePrefix::folder(), QDir::homePath() + QStringLiteral("/.wine"));
    if (!saved.isEmpty()) {
        qputenv("WINEPREFIX", saved);
    }
}

} // namespace
