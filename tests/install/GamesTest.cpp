#include "install/Games.h"

#include "TempDir.h"
#include "data/ArchiveWriter.h"
#include "data/PackedArchive.h"
#include "install/GameFolders.h"
#include "platform/Processes.h"
#include "platform/Registry.h"
#include "platform/VirtualFs.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <gtest/gtest.h>

namespace {

const QString GameKey = QStringLiteral("SOFTWARE\\Venkarro\\Race");

struct Started {
    QString program;
    QStringList arguments;
    QString folder;
};

struct RecordingLauncher : IProcessLauncher {
    QList<Started>* log;
    explicit RecordingLauncher(QList<Started>* into) : log(into) {}
    bool StartDetached(const QString& program, const QStringList& arguments,
                       const QString& folder) override
    {
        log->append({program, arguments, folder});
        return true;
    }
    QString FindExecutable(const QString& name) const override
    {
        return QStringLiteral("/usr/bin/") + name;
    }
};

struct FakeDialog : ISkinnedDialog {
    QStringList messages;
    void ShowDialogPage(int page, const QString& message) override
    {
        messages << QString::number(page) + QLatin1Char(':') + message;
    }
    bool IsVisible() const override { return false; }
    void Close() override {}
};

struct FakeStatusLine : IStatusLine {
    QStringList shown;
    void ShowStatus(const QString& text) override { shown << text; }
    void ClearStatus() override {}
};

struct FakePathInputs : IPathInputs {
    QString folder;
    void ScreenChanged() override {}
    QString InstallFolder() const override { return folder; }
};

class Games : public ::testing::Test {
protected:
    void SetUp() override
    {
        QDir().mkpath(drive.path() + QStringLiteral("/games"));
        QDir().mkpath(windows.path());
        VirtualFs::instance().mount(QStringLiteral("c:\\"), drive.path());
        VirtualFs::instance().mount(QStringLiteral("c:\\windows\\"), windows.path());
        VirtualFs::instance().mount(QStringLiteral("d:\\"), disc.path());
        SetProcessLauncher(std::make_unique<RecordingLauncher>(&started));
        components.Dialog = &dialog;
        components.StatusLine = &status;
    }
    void TearDown() override
    {
        SetProcessLauncher(nullptr);
        for (const char* prefix : {"c:\\", "c:\\windows\\", "d:\\"}) {
            VirtualFs::instance().unmount(QLatin1String(prefix));
        }
    }
    TGames Create()
    {
        TGamesContext context;
        context.Components = &components;
        context.WindowsDir = QStringLiteral("c:\\windows\\");
        context.Store = &store;
        context.FormControls = [this] { return controls; };
        context.RunAndWait = [this](const QString& commandLine) {
            uninstalls.append(commandLine);
            if (uninstallerRemovesKey) {
                store.deleteKey(RegistryHive::LocalMachine, GameKey);
            }
            return uninstallerStarts;
        };
        return TGames(context);
    }
    void Install(const QString& folder, const QString& program)
    {
        store.writeString(RegistryHive::LocalMachine, GameKey, QStringLiteral("instdir"), folder);
        store.writeString(RegistryHive::LocalMachine, GameKey, QStringLiteral("exename"), program);
    }
    bool OnDrive(const QString& relative) const { return QFile::exists(drive.file(relative)); }

    TempDir config;
    Registry store{config.path()};
    TempDir drive;
    TempDir windows;
    TempDir disc;
    QList<Started> started;
    QStringList uninstalls; // the uninstallers' command lines
    bool uninstallerRemovesKey = true;
    bool uninstallerStarts = true;
    FakeDialog dialog;
    FakeStatusLine status;
    TComponentSet components;
    QList<FormControl> controls;
};

TEST_F(Games, InstalledGameStartsFromItsFolderWithParameters)
{
    drive.write(QStringLiteral("games/race/Game.exe"), "MZ");
    Install(QStringLiteral("c:\\games\\race"), QStringLiteral("game.EXE -windowed -fast"));
    Create().RunGame(QStringLiteral("d:\\setup\\setup.exe"), QStringLiteral("Race"));
    ASSERT_EQ(started.size(), 1);
    EXPECT_EQ(started[0].program, QStringLiteral("/usr/bin/wine"));
    EXPECT_EQ(started[0].arguments,
              (QStringList{drive.file(QStringLiteral("games/race/Game.exe")),
                           QStringLiteral("-windowed"), QStringLiteral("-fast")}));
    EXPECT_EQ(QDir(started[0].folder).canonicalPath(),
              QDir(drive.file(QStringLiteral("games/race"))).canonicalPath());
    EXPECT_EQ(VirtualFs::instance().currentFolder().toLower(), QStringLiteral("c:\\games\\race\\"));
}

TEST_F(Games, ProgramWithoutExeIsOpenedWholeWithoutParameters)
{
    drive.write(QStringLiteral("games/race/start.bat"), "@echo");
    Install(QStringLiteral("c:\\games\\race\\"), QStringLiteral("start.bat"));
    Create().RunGame(QStringLiteral("d:\\setup\\setup.exe"), QStringLiteral("Race"));
    ASSERT_EQ(started.size(), 1);
    EXPECT_EQ(started[0].program, QStringLiteral("/usr/bin/xdg-open"));
    EXPECT_EQ(started[0].arguments,
              QStringList{drive.file(QStringLiteral("games/race/start.bat"))});
}

TEST_F(Games, GameNotInstalledRunsTheSetupOfTheDisc)
{
    disc.write(QStringLiteral("setup/Setup.exe"), "MZ");
    disc.write(QStringLiteral("setup/readme.txt"), "text");
    TGames games = Create();
    games.RunGame(QStringLiteral("d:\\setup\\setup.exe /s"), QStringLiteral("Race"));
    ASSERT_EQ(started.size(), 1);
    EXPECT_EQ(started[0].program, QStringLiteral("/usr/bin/wine"));
    EXPECT_EQ(started[0].arguments,
              (QStringList{disc.file(QStringLiteral("setup/Setup.exe")), QStringLiteral("/s")}));

    // A key without "exename" counts as not installed. Without ".exe" the
    // setup text is the file to open, blanks and all: here no such file.
    store.writeString(RegistryHive::LocalMachine, GameKey, QStringLiteral("instdir"),
                      QStringLiteral("c:\\games\\race"));
    started.clear();
    games.RunGame(QStringLiteral("d:\\setup\\readme.txt -x"), QStringLiteral("Race"));
    EXPECT_TRUE(started.isEmpty());
    games.RunGame(QStringLiteral("d:\\setup\\readme.txt"), QStringLiteral("Race"));
    ASSERT_EQ(started.size(), 1);
    EXPECT_EQ(started[0].program, QStringLiteral("/usr/bin/xdg-open"));
    EXPECT_EQ(started[0].arguments, QStringList{disc.file(QStringLiteral("setup/readme.txt"))});
    EXPECT_TRUE(dialog.messages.isEmpty());
}

TEST_F(Games, RemovingAGameThatIsNotInstalledOnlySaysSo)
{
    TGames games = Create();
    games.RemoveGame(QStringLiteral("Race"));
    // Installed somewhere without an uninstall log on the way up.
    drive.write(QStringLiteral("games/race/game.exe"), "MZ");
    Install(QStringLiteral("c:\\games\\race"), QStringLiteral("game.exe"));
    games.RemoveGame(QStringLiteral("Race"));
    EXPECT_EQ(dialog.messages, QStringList(2, QStringLiteral("0:Игра не установлена.")));
    EXPECT_TRUE(uninstalls.isEmpty());
    EXPECT_TRUE(OnDrive(QStringLiteral("games/race/game.exe")));
}

TEST_F(Games, RemovalFindsTheLogInTheGamesFolderAndClearsWhatTheUninstallerLeft)
{
    drive.write(QStringLiteral("games/race/UNINST.ISU"), "log");
    drive.write(QStringLiteral("games/race/bin/game.exe"), "MZ");
    drive.write(QStringLiteral("games/race/saves/deep/slot1.sav"), "save");
    drive.write(QStringLiteral("games/race/locked/readonly.cfg"), "cfg");
    drive.write(QStringLiteral("games/other/keep.txt"), "keep");
    const QString locked = drive.file(QStringLiteral("games/race/locked"));
    QFile::setPermissions(locked + QStringLiteral("/readonly.cfg"), QFileDevice::ReadOwner);
    QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    Install(QStringLiteral("c:\\games\\race\\"), QStringLiteral("bin\\game.exe"));

    Create().RemoveGame(QStringLiteral("Race"));

    EXPECT_EQ(uninstalls, QStringList{QStringLiteral(
                              "c:\\windows\\IsUninst.exe -f\"c:\\games\\race\\Uninst.isu")});
    EXPECT_FALSE(OnDrive(QStringLiteral("games/race")));
    EXPECT_TRUE(OnDrive(QStringLiteral("games/other/keep.txt")));
    EXPECT_TRUE(OnDrive(QStringLiteral("games")));
    EXPECT_TRUE(dialog.messages.isEmpty());
}

TEST_F(Games, NothingIsDeletedWhileTheKeyStays)
{
    drive.write(QStringLiteral("games/race/Uninst.isu"), "log");
    drive.write(QStringLiteral("games/race/game.exe"), "MZ");
    Install(QStringLiteral("c:\\games\\race"), QStringLiteral("game.exe"));
    uninstallerRemovesKey = false;
    TGames games = Create();
    games.RemoveGame(QStringLiteral("Race"));
    // An uninstaller that cannot start leaves the decision to the registry too.
    uninstallerStarts = false;
    games.RemoveGame(QStringLiteral("Race"));
    EXPECT_EQ(uninstalls.size(), 2);
    EXPECT_TRUE(OnDrive(QStringLiteral("games/race/game.exe")));
    EXPECT_TRUE(OnDrive(QStringLiteral("games/race/Uninst.isu")));
}

TEST_F(Games, ClearingRemovesLinksWithoutFollowingThem)
{
    TempDir outside;
    outside.write(QStringLiteral("precious/data.txt"), "data");
    drive.write(QStringLiteral("games/race/Uninst.isu"), "log");
    drive.write(QStringLiteral("games/race/files/a.dat"), "a");
    ASSERT_TRUE(QFile::link(outside.file(QStringLiteral("precious")),
                            drive.file(QStringLiteral("games/race/files/linked"))));
    const QStringList entries = GameFolders::ClearFolder(QStringLiteral("c:\\games\\race"));
    EXPECT_EQ(entries.first(), QStringLiteral("c:\\games\\race\\"));
    EXPECT_TRUE(entries.contains(QStringLiteral("c:\\games\\race\\files\\linked")));
    EXPECT_TRUE(QFile::exists(outside.file(QStringLiteral("precious/data.txt"))));
    EXPECT_FALSE(OnDrive(QStringLiteral("games/race")));
}

TEST_F(Games, ALogInTheDriveRootNeverClearsTheDrive)
{
    drive.write(QStringLiteral("Uninst.isu"), "log");
    drive.write(QStringLiteral("games/race/game.exe"), "MZ");
    drive.write(QStringLiteral("important.doc"), "doc");
    Install(QStringLiteral("c:\\games\\race\\..\\..\\"), QStringLiteral("game.exe"));
    TGames games = Create();
    games.RemoveGame(QStringLiteral("Race"));
    // The log is looked for in the game's folder only, never above it.
    Install(QStringLiteral("c:\\games\\race"), QStringLiteral("game.exe"));
    games.RemoveGame(QStringLiteral("Race"));
    EXPECT_EQ(uninstalls,
              QStringList{QStringLiteral("c:\\windows\\IsUninst.exe -f\"c:\\Uninst.isu")});
    EXPECT_TRUE(OnDrive(QStringLiteral("important.doc")));
    EXPECT_TRUE(OnDrive(QStringLiteral("games/race/game.exe")));
}

TEST_F(Games, UninstallCommandLineLeavesTheQuoteOpen)
{
    EXPECT_EQ(GameFolders::UninstallCommandLine(QStringLiteral("c:\\windows\\"),
                                                QStringLiteral("c:\\program files\\race")),
              QStringLiteral("c:\\windows\\IsUninst.exe -f\"c:\\program files\\race\\Uninst.isu"));
    // The open quote keeps a path with blanks together as one argument.
    EXPECT_EQ(Processes::SplitParameters(QStringLiteral(" -f\"c:\\program files\\x\\Uninst.isu")),
              QStringList{QStringLiteral("-fc:\\program files\\x\\Uninst.isu")});
    EXPECT_EQ(GameFolders::FindUninstallFolder(QStringLiteral("c:\\nowhere\\at\\all")), QString());
    EXPECT_EQ(GameFolders::NormalizedFolder(QStringLiteral("relative\\folder")), QString());
}

TEST_F(Games, CopyGoesIntoTheInstallFolderAndReplaces)
{
    disc.write(QStringLiteral("files/tool.zip"), "new content");
    drive.write(QStringLiteral("target/tool.zip"), "old");
    FakePathInputs inputs;
    inputs.folder = QStringLiteral("c:\\target\\deeper\\");
    components.PathInputs = &inputs;
    TGames games = Create();
    games.CopyFileToInstallFolder(QStringLiteral("d:\\files\\tool.zip"));
    inputs.folder = QStringLiteral("c:\\target\\");
    games.CopyFileToInstallFolder(QStringLiteral("d:\\files\\tool.zip"));
    QFile copied(drive.file(QStringLiteral("target/deeper/tool.zip")));
    ASSERT_TRUE(copied.open(QIODevice::ReadOnly));
    EXPECT_EQ(copied.readAll(), QByteArray("new content"));
    QFile replaced(drive.file(QStringLiteral("target/tool.zip")));
    ASSERT_TRUE(replaced.open(QIODevice::ReadOnly));
    EXPECT_EQ(replaced.readAll(), QByteArray("new content"));
    // A copy onto itself leaves the file whole.
    inputs.folder = QStringLiteral("d:\\files\\");
    games.CopyFileToInstallFolder(QStringLiteral("d:\\files\\tool.zip"));
    QFile self(disc.file(QStringLiteral("files/tool.zip")));
    ASSERT_TRUE(self.open(QIODevice::ReadOnly));
    EXPECT_EQ(self.readAll(), QByteArray("new content"));
}

TEST_F(Games, AFileOnlyInTheArchiveIsCopiedFromThere)
{
    ASSERT_TRUE(QDir().mkpath(disc.file(QStringLiteral("run"))));
    ArchiveWriter writer;
    ASSERT_TRUE(writer.addFile(QStringLiteral("files\\sample.txt"), "from the archive"));
    ASSERT_TRUE(writer.write(disc.file(QStringLiteral("run/interface.dat"))));
    ASSERT_TRUE(OpenArchive(QStringLiteral("d:\\run\\interface.dat")));
    SetArchiveBase(QStringLiteral("d:\\run\\"));
    FakePathInputs inputs;
    inputs.folder = QStringLiteral("c:\\target\\");
    components.PathInputs = &inputs;
    TGames games = Create();
    games.CopyFileToInstallFolder(QStringLiteral("d:\\run\\files\\sample.txt"));
    games.CopyFileToInstallFolder(QStringLiteral("d:\\run\\files\\nowhere.txt"));
    OpenArchive(QStringLiteral("d:\\no-archive.dat"));
    QFile copied(drive.file(QStringLiteral("target/sample.txt")));
    ASSERT_TRUE(copied.open(QIODevice::ReadOnly));
    EXPECT_EQ(copied.readAll(), QByteArray("from the archive"));
    EXPECT_FALSE(OnDrive(QStringLiteral("target/nowhere.txt")));
}

TEST_F(Games, CopyWithoutFieldGoesToCurrentFolderAndWithoutInputsNowhere)
{
    disc.write(QStringLiteral("files/Tool.zip"), "bytes");
    TGames games = Create();
    games.CopyFileToInstallFolder(QStringLiteral("d:\\files\\tool.zip"));
    EXPECT_FALSE(OnDrive(QStringLiteral("tool.zip")));
    FakePathInputs inputs; // a screen without field: empty folder
    components.PathInputs = &inputs;
    ASSERT_TRUE(VirtualFs::instance().setCurrentFolder(QStringLiteral("c:\\games\\")));
    games.CopyFileToInstallFolder(QStringLiteral("d:\\files\\tool.zip"));
    EXPECT_TRUE(OnDrive(QStringLiteral("games/tool.zip")));
    games.CopyFileToInstallFolder(QStringLiteral("d:\\files\\missing.zip"));
    EXPECT_FALSE(OnDrive(QStringLiteral("games/missing.zip")));
}

TEST_F(Games, ListEntryGoesToClipboardOnlyFromSelectedDropDown)
{
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    FormControl other{QStringLiteral("serial"), QStringLiteral("text"), {QStringLiteral("no")}, 0};
    FormControl none{QStringLiteral("Serial"), QStringLiteral("select"), {QStringLiteral("a")}, -1};
    controls = {other, none};
    TGames games = Create();
    games.CopyListEntry(QStringLiteral("serial"));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("before"));
    EXPECT_TRUE(status.shown.isEmpty());

    FormControl list{QStringLiteral("SERIAL"),
                     QStringLiteral("select"),
                     {QStringLiteral("1111-2222"), QStringLiteral("3333-4444")},
                     1};
    controls.append(list);
    games.CopyListEntry(QStringLiteral("serial"));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("3333-4444"));
    EXPECT_EQ(status.shown, QStringList{QStringLiteral("Серийный номер скопирован")});
    games.CopyListEntry(QStringLiteral("serials"));
    EXPECT_EQ(status.shown.size(), 1);
}

} // namespace

// A hostile game entry: the page picks the key, the registry names the folder.
TEST_F(Games, ClearingNeverLeavesTheGamesFolder)
{
    TempDir home;
    home.write(QStringLiteral(".bashrc"), "mine");
    home.write(QStringLiteral("Documents/letter.txt"), "mine");
    drive.write(QStringLiteral("games/race/Uninst.isu"), "log");
    drive.write(QStringLiteral("games/race/game.exe"), "MZ");
    drive.write(QStringLiteral("games/race/..\\..\\keep.txt"), "name holding ..\\");
    drive.write(QStringLiteral("games/keep.txt"), "sibling");
    ASSERT_TRUE(QFile::link(home.file(QStringLiteral("Documents")),
                            drive.file(QStringLiteral("games/race/Documents"))));
    const QString readOnly = home.file(QStringLiteral("Documents/letter.txt"));
    ASSERT_TRUE(QFile::setPermissions(readOnly, QFileDevice::ReadOwner));
    ASSERT_TRUE(QFile::link(readOnly, drive.file(QStringLiteral("games/race/letter.lnk"))));

    Install(QStringLiteral("c:\\games\\race"), QStringLiteral("game.exe"));
    Create().RemoveGame(QStringLiteral("Race"));

    EXPECT_TRUE(QFile::exists(home.file(QStringLiteral(".bashrc"))));
    EXPECT_TRUE(QFile::exists(readOnly));
    EXPECT_FALSE(QFile::permissions(readOnly) & QFileDevice::WriteOwner)
        << "no permission change through a link";
    EXPECT_FALSE(OnDrive(QStringLiteral("games/race/game.exe")));
    EXPECT_FALSE(OnDrive(QStringLiteral("games/race/Documents")));
    EXPECT_TRUE(OnDrive(QStringLiteral("games/race/..\\..\\keep.txt")))
        << "a name holding a backslash is skipped, not taken as a path";
    EXPECT_TRUE(OnDrive(QStringLiteral("games/keep.txt")));
}

TEST_F(Games, ALinkedGameFolderAndAFolderOutsideThePrefixAreNotCleared)
{
    TempDir home;
    home.write(QStringLiteral("Uninst.isu"), "log");
    home.write(QStringLiteral("notes.txt"), "mine");
    ASSERT_TRUE(QFile::link(home.path(), drive.file(QStringLiteral("games/linked"))));
    Install(QStringLiteral("c:\\games\\linked"), QStringLiteral("game.exe"));
    TGames games = Create();
    games.RemoveGame(QStringLiteral("Race"));
    EXPECT_TRUE(QFile::exists(home.file(QStringLiteral("notes.txt"))));

    VirtualFs::instance().mount(QStringLiteral("z:\\"), QStringLiteral("/"));
    Install(home.virtualPath(), QStringLiteral("game.exe"));
    games.RemoveGame(QStringLiteral("Race"));
    EXPECT_TRUE(QFile::exists(home.file(QStringLiteral("notes.txt"))));
    EXPECT_TRUE(QFile::exists(home.file(QStringLiteral("Uninst.isu"))));
}

TEST_F(Games, InstalledLogAboveTheGameIsNotTaken)
{
    drive.write(QStringLiteral("games/Uninst.isu"), "log of another game");
    drive.write(QStringLiteral("games/race/game.exe"), "MZ");
    Install(QStringLiteral("c:\\games\\race"), QStringLiteral("game.exe"));
    Create().RemoveGame(QStringLiteral("Race"));
    EXPECT_TRUE(uninstalls.isEmpty());
    EXPECT_TRUE(OnDrive(QStringLiteral("games/race/game.exe")));
    EXPECT_EQ(dialog.messages.size(), 1);
}

// "copy:evil\.bashrc" with the field at the home folder, or without a field
// while the current folder is the home folder.
TEST_F(Games, CopyNeverMakesADotFileNorWritesOutsideTheAllowedFolders)
{
    TempDir home;
    home.write(QStringLiteral(".bashrc"), "mine");
    disc.write(QStringLiteral("evil/.bashrc"), "rm -rf ~");
    disc.write(QStringLiteral("evil/tool.zip"), "bytes");
    VirtualFs::instance().mount(QStringLiteral("z:\\"), QStringLiteral("/"));
    FakePathInputs inputs;
    inputs.folder = home.virtualPath();
    components.PathInputs = &inputs;
    TGames games = Create();
    games.CopyFileToInstallFolder(QStringLiteral("d:\\evil\\.bashrc"));
    QFile kept(home.file(QStringLiteral(".bashrc")));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("mine"));
    games.CopyFileToInstallFolder(QStringLiteral("d:\\evil\\tool.zip"));
    EXPECT_TRUE(QFile::exists(home.file(QStringLiteral("tool.zip"))))
        << "a folder the user typed takes ordinary files";

    inputs.folder.clear();
    ASSERT_TRUE(VirtualFs::instance().setCurrentFolder(home.virtualPath()));
    QFile::remove(home.file(QStringLiteral("tool.zip")));
    games.CopyFileToInstallFolder(QStringLiteral("d:\\evil\\tool.zip"));
    EXPECT_FALSE(QFile::exists(home.file(QStringLiteral("tool.zip"))))
        << "the current folder is no folder the user chose";
    ASSERT_TRUE(VirtualFs::instance().setCurrentFolder(QStringLiteral("c:\\")));
}

TEST_F(Games, CopyRefusesLinksAndSpecialFilesInTheTarget)
{
    TempDir outside;
    disc.write(QStringLiteral("files/tool.zip"), "bytes");
    ASSERT_TRUE(QFile::link(outside.path(), drive.file(QStringLiteral("games/out"))));
    ASSERT_TRUE(QFile::link(outside.file(QStringLiteral("tool.zip")),
                            drive.file(QStringLiteral("games/tool.zip"))));
    FakePathInputs inputs;
    components.PathInputs = &inputs;
    TGames games = Create();
    inputs.folder = QStringLiteral("c:\\games\\out\\");
    games.CopyFileToInstallFolder(QStringLiteral("d:\\files\\tool.zip"));
    inputs.folder = QStringLiteral("c:\\games\\");
    games.CopyFileToInstallFolder(QStringLiteral("d:\\files\\tool.zip"));
    EXPECT_FALSE(QFile::exists(outside.file(QStringLiteral("tool.zip"))));
}

// The page names the key; only keys below the games' own registry key are
// games. The key itself, "." and ".." steps and empty steps name none, even
// where values and a log are there to be found.
TEST_F(Games, APageReachesOnlyTheKeysBelowTheGamesKey)
{
    drive.write(QStringLiteral("games/race/Uninst.isu"), "log");
    drive.write(QStringLiteral("games/race/game.exe"), "MZ");
    disc.write(QStringLiteral("setup/setup.exe"), "MZ");
    for (const char* key : {"SOFTWARE\\Venkarro", "SOFTWARE\\Venkarro\\Race\\..",
                            "SOFTWARE\\Venkarro\\.", "SOFTWARE\\Other"}) {
        for (const char* value : {"instdir", "exename"}) {
            store.writeString(RegistryHive::LocalMachine, QLatin1String(key), QLatin1String(value),
                              QLatin1String(value) == QLatin1String("instdir")
                                  ? QStringLiteral("c:\\games\\race")
                                  : QStringLiteral("game.exe"));
        }
    }
    TGames games = Create();
    const QStringList refused{"", "\\", "Race\\..", ".", "..\\Other", "Race\\\\x", "Ra\nce"};
    for (const QString& key : refused) {
        games.RemoveGame(key);
        games.RunGame(QStringLiteral("d:\\setup\\setup.exe"), key);
    }
    EXPECT_TRUE(uninstalls.isEmpty());
    EXPECT_EQ(dialog.messages,
              QStringList(refused.size(), QStringLiteral("0:Игра не установлена.")));
    ASSERT_EQ(started.size(), refused.size());
    for (const Started& start : std::as_const(started)) {
        EXPECT_EQ(start.arguments, QStringList{disc.file(QStringLiteral("setup/setup.exe"))})
            << "a refused key is a game not installed: its setup runs";
    }
    EXPECT_TRUE(OnDrive(QStringLiteral("games/race/game.exe")));

    // A game's own key, nested or not, is one.
    Install(QStringLiteral("c:\\games\\race"), QStringLiteral("game.exe"));
    games.RemoveGame(QStringLiteral("Race"));
    EXPECT_EQ(uninstalls.size(), 1);
    EXPECT_FALSE(OnDrive(QStringLiteral("games/race/game.exe")));
}
