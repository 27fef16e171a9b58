#include "content/ContentFiles.h"

#include "data/PackedArchive.h"
#include "engine/PagePaths.h"
#include "platform/VirtualFs.h"

#include <QBuffer>
#include <QSaveFile>

namespace {

const QChar Backslash = QLatin1Char('\\');

bool WriteWhole(const QString& to, const QByteArray& bytes)
{
    const std::optional<QString> host = VirtualFs::instance().resolveForCreate(to);
    if (!host) {
        return false;
    }
    QSaveFile file(*host);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

// The member's bytes when the file lies in the packed archive.
bool CopyMember(const QString& from, const QString& to, bool& found)
{
    const int member = FindMember(from);
    found = member >= 0;
    if (!found) {
        return false;
    }
    QBuffer stream;
    return ReadMember(member, stream) == 0 && WriteWhole(to, stream.data());
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

bool CopyContentFile(const QString& from, const QString& to)
{
    const QString target = Absolute(to);
    VirtualFs::instance().makePath(PagePaths::FolderOf(target));
    bool inArchive = false;
    const bool copied = CopyMember(from, target, inArchive);
    return inArchive ? copied : VirtualFs::instance().copyFile(from, target, true);
}

} // namespace ContentFiles
