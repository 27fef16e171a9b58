#include "install/GameFolders.h"

#include "platform/VirtualFs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

namespace GameFolders {
namespace {

const QChar Backslash = QLatin1Char('\\');
const QLatin1String Exe(".exe");

QString WithBackslash(const QString& folder)
{
    return folder.endsWith(Backslash) ? folder : folder + Backslash;
}

QString ParentOf(const QString& folder)
{
    const qsizetype slash = folder.lastIndexOf(Backslash);
    return slash < 0 ? QString() : folder.left(slash);
}

QString FolderPartOf(const QString& entry)
{
    return entry.left(entry.lastIndexOf(Backslash) + 1);
}

// Adds the owner's write permission, the nearest there is to clearing the
// read-only attribute: a file here cannot be deleted while its folder is
// read-only, so the folder is made writable too.
void MakeWritable(const QString& host)
{
    QFile::setPermissions(host, QFile::permissions(host) | QFileDevice::WriteOwner);
}

bool RemoveOnce(const QString& virtualPath, const QString& host, bool folder)
{
    // A mount's own folder is never removed; files and links go as files.
    return folder ? VirtualFs::instance().removeFolder(virtualPath, false) : QFile::remove(host);
}

// Deletes one entry; a refusal for want of write permission is tried once
// more with the entry and its folder made writable (the folder only when it
// lies inside the cleared tree).
void RemoveEntry(const QString& virtualPath, bool folder, bool insideTree = true)
{
    const std::optional<QString> host = VirtualFs::instance().resolveExisting(virtualPath);
    if (!host || RemoveOnce(virtualPath, *host, folder)) {
        return;
    }
    const QFileInfo info(*host);
    const QString parent = info.absolutePath();
    if (info.isWritable() && (!insideTree || QFileInfo(parent).isWritable())) {
        return;
    }
    MakeWritable(*host);
    if (insideTree) {
        MakeWritable(parent);
    }
    RemoveOnce(virtualPath, *host, folder);
}

bool IsLink(const QString& virtualPath)
{
    const std::optional<QString> host = VirtualFs::instance().resolveExisting(virtualPath);
    return host && QFileInfo(*host).isSymLink();
}

// Every entry below top, breadth first, top itself first; folders carry a
// final backslash. A link is an entry of its own and never entered.
QStringList ListBelow(const QString& top)
{
    QStringList entries{top};
    for (qsizetype next = 0; next < entries.size(); ++next) {
        const QString folder = entries.at(next);
        if (!folder.endsWith(Backslash)) {
            continue;
        }
        const auto listed = VirtualFs::instance().list(folder);
        if (!listed) {
            continue;
        }
        for (const VirtualFs::Entry& entry : *listed) {
            const QString path = folder + entry.name;
            entries.append(entry.isFolder && !IsLink(path) ? path + Backslash : path);
        }
    }
    return entries;
}

} // namespace

TGameProgram SplitAtExe(const QString& program)
{
    const qsizetype exe = program.toLower().indexOf(Exe);
    if (exe < 0) {
        return {program, QString()};
    }
    return {program.left(exe + Exe.size()), program.mid(exe + Exe.size())};
}

QString NormalizedFolder(const QString& folder)
{
    const std::optional<QString> normal = VirtualFs::normalize(folder.trimmed());
    if (!normal) {
        return {};
    }
    QString result = *normal;
    while (result.endsWith(Backslash)) {
        result.chop(1);
    }
    return result;
}

QString FindUninstallFolder(const QString& folder)
{
    QString current = folder;
    while (!current.isEmpty() &&
           !VirtualFs::instance().fileExists(current + Backslash + QLatin1String(UninstallLog))) {
        current = ParentOf(current);
    }
    return current;
}

QString UninstallCommandLine(const QString& windowsDir, const QString& folder)
{
    return WithBackslash(windowsDir) + QLatin1String(Uninstaller) + QStringLiteral(" -f\"") +
           WithBackslash(folder) + QLatin1String(UninstallLog);
}

bool IsDriveRoot(const QString& folder)
{
    QString bare = folder;
    while (bare.endsWith(Backslash)) {
        bare.chop(1);
    }
    return !bare.contains(Backslash);
}

QStringList ClearFolder(const QString& folder)
{
    const QStringList entries = ListBelow(WithBackslash(folder));
    QStringList folders;
    QSet<QString> seen;
    for (const QString& entry : entries) {
        if (!entry.endsWith(Backslash)) {
            RemoveEntry(entry, false);
        }
        const QString part = FolderPartOf(entry);
        if (!seen.contains(part.toCaseFolded())) {
            seen.insert(part.toCaseFolded());
            folders.append(part);
        }
    }
    for (qsizetype i = folders.size() - 1; i >= 0; --i) {
        RemoveEntry(folders.at(i), true, i > 0);
    }
    return entries;
}

} // namespace GameFolders
