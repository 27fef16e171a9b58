#include "content/ContentFiles.h"

#include "data/PackedArchive.h"
#include "engine/PagePaths.h"
#include "platform/VirtualFs.h"
#include "platform/WritePolicy.h"

#include <QBuffer>

namespace {

const QChar Backslash = QLatin1Char('\\');

// The member's bytes when the file lies in the packed archive.
bool CopyMember(const QString& from, const QString& to, const QString& userFolder, bool& found)
{
    const int member = FindMember(from);
    found = member >= 0;
    if (!found) {
        return false;
    }
    QBuffer stream;
    return WritePolicy::allows(to, userFolder, "a copy") && ReadMember(member, stream) == 0 &&
           WritePolicy::writeFile(to, stream.data(), userFolder);
}

} // namespace

namespace ContentFiles {

QString FileNameOf(const QString& path)
{
    return path.mid(path.lastIndexOf(Backslash) + 1);
}

QString DriveOf(const QString& path)
{
    const bool hasDrive = path.size() >= 2 && path.at(1) == QLatin1Char(':') &&
                          path.at(0).isLetter() && path.at(0).unicode() < 128;
    return hasDrive ? path.left(2) : QString();
}

QString Absolute(const QString& path)
{
    if (!DriveOf(path).isEmpty()) {
        return path;
    }
    const QString current = VirtualFs::instance().currentFolder();
    if (path.startsWith(Backslash)) {
        return DriveOf(current) + path;
    }
    return current + path;
}

bool CopyContentFile(const QString& from, const QString& to, const QString& userFolder)
{
    const QString target = Absolute(to);
    if (!WritePolicy::makePath(PagePaths::FolderOf(target), userFolder)) {
        return false;
    }
    bool inArchive = false;
    const bool copied = CopyMember(from, target, userFolder, inArchive);
    return inArchive ? copied : WritePolicy::copyFile(from, target, userFolder);
}

} // namespace ContentFiles
