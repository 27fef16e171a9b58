#include "install/Games.h"

#include "components/GameKey.h"
#include "data/Busy.h"
#include "data/ComprStream.h"
#include "data/PackedArchive.h"
#include "install/GameFolders.h"
#include "platform/Processes.h"
#include "platform/Refusal.h"
#include "platform/Registry.h"
#include "platform/VirtualFs.h"
#include "platform/WineProcess.h"
#include "platform/WritePolicy.h"

#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>

namespace {

const QString NotInstalled = QStringLiteral("Игра не установлена.");
const QString SerialCopied = QStringLiteral("Серийный номер скопирован");
const QChar Backslash = QLatin1Char('\\');
// An uninstaller that has not ended after this long is given up on.
constexpr int UninstallerWaitMs = 10 * 60 * 1000;

QString FolderOf(const QString& file)
{
    return file.left(file.lastIndexOf(Backslash) + 1);
}

QString NameOf(const QString& file)
{
    const qsizetype slash =
        std::max(file.lastIndexOf(Backslash), file.lastIndexOf(QLatin1Char('/')));
    return file.mid(slash + 1);
}

} // namespace

TGames::TGames(TGamesContext context) : context_(std::move(context)) {}

// An installed game starts from its folder with the parameters written after
// its ".exe"; otherwise the setup program of the disc starts.
void TGames::RunGame(const QString& setup, const QString& key)
{
    const QString folder = ReadGameValue(key, QStringLiteral("instdir"));
    GameFolders::TGameProgram game =
        GameFolders::SplitAtExe(ReadGameValue(key, QStringLiteral("exename")));
    if (!game.Program.isEmpty()) {
        const QString base = folder.endsWith(Backslash) ? folder : folder + Backslash;
        game.Program = base + game.Program;
    } else {
        game = GameFolders::SplitAtExe(setup);
    }
    if (game.Program.isEmpty()) {
        return;
    }
    VirtualFs::instance().setCurrentFolder(FolderOf(game.Program));
    Processes::Open(game.Program, game.Parameters);
}

// The uninstaller works on the log found in the game's own folder; when
// it has removed the game's key, whatever it left below that folder goes.
void TGames::RemoveGame(const QString& key)
{
    const QString installed =
        GameFolders::NormalizedFolder(ReadGameValue(key, QStringLiteral("instdir")));
    const QString folder =
        installed.isEmpty() ? QString() : GameFolders::FindUninstallFolder(installed);
    if (folder.isEmpty()) {
        ShowMessage(NotInstalled);
        return;
    }
    SetBusy(true);
    RunUninstaller(folder);
    if (!KeyStays(key) && !GameFolders::IsDriveRoot(folder)) {
        GameFolders::ClearFolder(folder);
    }
    SetBusy(false);
}

// The line as the uninstaller expects it, its log's path after an opening
// quote that nothing closes.
bool TGames::RunUninstaller(const QString& folder) const
{
    const QString commandLine = GameFolders::UninstallCommandLine(context_.WindowsDir, folder);
    return context_.RunAndWait ? context_.RunAndWait(commandLine)
                               : RunUninstallerAndWait(commandLine);
}

bool TGames::RunUninstallerAndWait(const QString& commandLine)
{
    const QString program = commandLine.left(commandLine.indexOf(QLatin1Char(' ')));
    const std::optional<QString> host = VirtualFs::instance().resolveExisting(program);
    if (!host || !QFileInfo(*host).isFile()) {
        return false;
    }
    return WineProcess::RunAndWait(commandLine, QFileInfo(*host).absolutePath(), UninstallerWaitMs);
}

void TGames::CopyFileToInstallFolder(const QString& file)
{
    IPathInputs* inputs = context_.Components ? context_.Components->PathInputs : nullptr;
    const QString name = NameOf(file);
    if (!inputs || name.isEmpty()) {
        return;
    }
    const QString folder = inputs->InstallFolder();
    QString target = folder + name;
    if (!target.contains(QLatin1Char(':'))) {
        target.prepend(target.startsWith(Backslash) ? VirtualFs::instance().currentFolder().left(2)
                                                    : VirtualFs::instance().currentFolder());
    }
    if (!WritePolicy::makePath(FolderOf(target), folder)) {
        return;
    }
    if (!WritePolicy::copyFile(file, target, folder)) {
        CopyArchiveMember(file, target, folder);
    }
}

// A file that lies only in the packed archive (pages link to its members
// like to disk files) is written out from there; a disk file that could not
// be copied is never read whole for it.
void TGames::CopyArchiveMember(const QString& file, const QString& target, const QString& folder)
{
    if (InterfaceArchive().FindMember(file) < 0 || !WritePolicy::allows(target, folder, "a copy")) {
        return;
    }
    TComprStream member(file);
    if (!member.hasError() && member.fromArchive()) {
        WritePolicy::writeFile(target, member.buffer(), folder);
    }
}

void TGames::CopyListEntry(const QString& listName)
{
    if (!context_.FormControls) {
        return;
    }
    for (const FormControl& control : context_.FormControls()) {
        if (control.name.compare(listName, Qt::CaseInsensitive) != 0 ||
            control.kind != QLatin1String("select") || control.selectedIndex < 0 ||
            control.selectedIndex >= control.items.size()) {
            continue;
        }
        if (QClipboard* clipboard = QGuiApplication::clipboard()) {
            clipboard->setText(control.selectedText());
        }
        if (context_.Components && context_.Components->StatusLine) {
            context_.Components->StatusLine->ShowStatus(SerialCopied);
        }
    }
}

QString TGames::ReadGameValue(const QString& key, const QString& name) const
{
    const std::optional<QString> game = GameRegistryKey(key);
    return game ? Store().readString(RegistryHive::LocalMachine, *game, name).value_or(QString())
                : QString();
}

bool TGames::KeyStays(const QString& key) const
{
    const std::optional<QString> game = GameRegistryKey(key);
    return !game ||
           Store().readString(RegistryHive::LocalMachine, *game, QStringLiteral("instdir"));
}

void TGames::ShowMessage(const QString& text) const
{
    if (context_.Components && context_.Components->Dialog) {
        context_.Components->Dialog->ShowDialogPage(0, text);
    }
}

Registry& TGames::Store() const
{
    return context_.Store ? *context_.Store : Registry::instance();
}
