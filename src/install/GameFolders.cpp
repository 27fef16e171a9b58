#include "install/GameFolders.h"

#include "platform/VirtualFs.h"
#include "platform/WritePolicy.h"

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

QString WithoutBackslash(QString folder)
{
    while (folder.endsWith(Backslash)) {
        folder.chop(1);
    }
    return folder;
}

// Deletes one entry through the write policy (files and links go as files,
// folders only when empty); a refusal for want of write permission is tried
// once more with the entry and its folder given the owner's write permission,
// the nearest there is to clearing the read-only attribute (the folder only
// when it lies inside the cleared tree). Links are never made writable.
void RemoveEntry(const QString& virtualPath, bool insideTree = true)
{
    const QString entry = WithoutBackslash(virtualPath);
    const std::optional<QString> host = VirtualFs::instance().resolveExisting(entry);
    if (!host || WritePolicy::removeEntry(entry, QString())) {
        return;
    }
    const QFileInfo info(*host);
    if (info.isWritable() && (!insideTree || QFileInfo(info.absolutePath()).isWritable())) {
        return;
    }
    if (!info.isSymLink()) {
        WritePolicy::makeWritable(entry, QString());
    }
    if (insideTree) {
        WritePolicy::makeWritable(ParentOf(entry), QString());
    }
    WritePolicy::removeEntry(entry, QString());
}

bool IsLink(const QString& virtualPath)
{
    const std::optional<QString> host = VirtualFs::instance().resolveExisting(virtualPath);
    return host && QFileInfo(*host).isSymLink();
}

// Every entry below top, breadth first, top itself first; folders carry a
// final backslash. A link is an entry of its own and never entered, the top
// included.
QStringList ListBelow(const QString& top)
{
    if (IsLink(WithoutBackslash(top))) {
        return {};
    }
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
            if (entry.name.contains(Backslash)) {
                continue; // a host name that would read as more than one step
            }
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
    const bool found =
        !folder.isEmpty() &&
        VirtualFs::instance().fileExists(WithBackslash(folder) + QLatin1String(UninstallLog));
    return found ? folder : QString();
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
            RemoveEntry(entry);
        }
        const QString part = FolderPartOf(entry);
        if (!seen.contains(part.toCaseFolded())) {
            seen.insert(part.toCaseFolded());
            folders.append(part);
        }
    }
    for (qsizetype i = folders.size() - 1; i >= 0; --i) {
        RemoveEntry(folders.at(i), i > 0);
    }
    return entries;
}

} // namespace GameFolders
