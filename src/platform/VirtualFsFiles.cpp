#include "platform/BoundedRead.h"
#include "platform/HostFolder.h"
#include "platform/IsoImageCache.h"
#include "platform/Refusal.h"
#include "platform/VirtualFs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>

// The file operations of VirtualFs: everything that reads or changes files.

namespace {

constexpr qint64 kCopyChunk = 256 * 1024;

std::optional<HostFolder::Status> statusOf(const std::optional<QString>& host)
{
    return host ? HostFolder::status(*host) : std::nullopt;
}

VirtualFs::Entry entryFor(const QString& host, const QString& name, const HostFolder::Status& st)
{
    VirtualFs::Entry entry;
    entry.name = name;
    entry.isFolder = st.isFolder;
    entry.isHidden = name.startsWith(QLatin1Char('.'));
    entry.isReadOnly = !HostFolder::isWritable(host);
    entry.size = st.isFolder ? 0 : st.size;
    entry.modified = QDateTime::fromMSecsSinceEpoch(st.modifiedNs / 1000000);
    return entry;
}

bool copyContent(const QString& fromHost, const QString& toHost)
{
    const std::unique_ptr<QFile> source = BoundedRead::open(fromHost, ReadKind::Archive);
    QSaveFile target(toHost);
    if (!source || !target.open(QIODevice::WriteOnly)) {
        return false;
    }
    QByteArray chunk;
    while (!(chunk = source->read(kCopyChunk)).isEmpty()) {
        if (target.write(chunk) != chunk.size()) {
            target.cancelWriting();
            return false;
        }
    }
    if (source->error() != QFileDevice::NoError) {
        target.cancelWriting();
        return false;
    }
    return target.commit();
}

bool refusedOnImage(const char* action, const QString& virtualPath)
{
    Refusal::log(QStringLiteral("%1 on a read-only disc image").arg(QLatin1String(action)),
                 virtualPath);
    return false;
}

} // namespace

bool VirtualFs::exists(const QString& virtualPath) const
{
    if (const std::optional<OnImage> at = onImage(virtualPath)) {
        return at->node.has_value();
    }
    return resolveExisting(virtualPath).has_value();
}

bool VirtualFs::fileExists(const QString& virtualPath) const
{
    if (const std::optional<OnImage> at = onImage(virtualPath)) {
        return at->node && !at->image->image().node(*at->node).isFolder;
    }
    const std::optional<HostFolder::Status> st = statusOf(resolveExisting(virtualPath));
    return st && !st->isFolder;
}

bool VirtualFs::folderExists(const QString& virtualPath) const
{
    if (const std::optional<OnImage> at = onImage(virtualPath)) {
        return at->node && at->image->image().node(*at->node).isFolder;
    }
    const std::optional<HostFolder::Status> st = statusOf(resolveExisting(virtualPath));
    return st && st->isFolder;
}

std::optional<QByteArray> VirtualFs::readFile(const QString& virtualPath, qint64 maxBytes) const
{
    if (const std::optional<OnImage> at = onImage(virtualPath)) {
        // Straight from the image, with the cap a host file of its kind has.
        const qint64 cap = BoundedRead::capOf(BoundedRead::kindOfName(virtualPath));
        const IsoImage& image = at->image->image();
        if (!at->node || image.node(*at->node).isFolder ||
            (maxBytes < 0 && cap >= 0 && image.node(*at->node).size > cap)) {
            return std::nullopt;
        }
        return image.read(*at->node, 0, maxBytes >= 0 ? maxBytes : image.node(*at->node).size);
    }
    const std::optional<QString> host = resolveExisting(virtualPath);
    return host ? BoundedRead::read(*host, BoundedRead::kindOfName(virtualPath), maxBytes)
                : std::nullopt;
}

std::optional<QList<VirtualFs::Entry>> VirtualFs::list(const QString& virtualFolder) const
{
    if (const std::optional<OnImage> at = onImage(virtualFolder)) {
        return listImage(*at);
    }
    const std::optional<QString> host = resolveExisting(virtualFolder);
    const std::optional<QStringList> names = host ? HostFolder::names(*host) : std::nullopt;
    if (!names) {
        return std::nullopt;
    }
    QList<Entry> entries;
    entries.reserve(names->size());
    for (const QString& name : *names) {
        const QString path = HostFolder::join(*host, name);
        if (const std::optional<HostFolder::Status> st = HostFolder::status(path)) {
            entries.append(entryFor(path, name, *st));
        }
    }
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        return HostFolder::codePointLess(a.name, b.name);
    });
    return entries;
}

std::optional<VirtualFs::Entry> VirtualFs::attributes(const QString& virtualPath) const
{
    if (const std::optional<OnImage> at = onImage(virtualPath)) {
        return at->node ? std::optional(imageEntry(at->image->image(), *at->node)) : std::nullopt;
    }
    const std::optional<QString> host = resolveExisting(virtualPath);
    const std::optional<HostFolder::Status> st = statusOf(host);
    if (!st) {
        return std::nullopt;
    }
    return entryFor(*host, QFileInfo(*host).fileName(), *st);
}

bool VirtualFs::makePath(const QString& virtualFolder) const
{
    if (isOnImage(virtualFolder)) {
        return refusedOnImage("a folder", virtualFolder);
    }
    const std::optional<QString> host = resolveForCreate(virtualFolder);
    return host && QDir().mkpath(*host) && HostFolder::status(*host)->isFolder;
}

bool VirtualFs::copyFile(const QString& from, const QString& to, bool overwrite) const
{
    if (isOnImage(to)) {
        return refusedOnImage("a copy", to);
    }
    const std::optional<QString> source = resolveExisting(from);
    const std::optional<HostFolder::Status> sourceStatus = statusOf(source);
    const std::optional<QString> target = resolveForCreate(to);
    if (!sourceStatus || !sourceStatus->isRegular || !target) {
        return false;
    }
    if (const std::optional<HostFolder::Status> existing = HostFolder::status(*target)) {
        if (!overwrite || !existing->isRegular || existing->sameFileAs(*sourceStatus)) {
            return false;
        }
    }
    return copyContent(*source, *target);
}

bool VirtualFs::removeFile(const QString& virtualPath) const
{
    if (isOnImage(virtualPath)) {
        return refusedOnImage("a removal", virtualPath);
    }
    const std::optional<QString> host = resolveExisting(virtualPath);
    const std::optional<HostFolder::Status> st = statusOf(host);
    return st && !st->isFolder && QFile::remove(*host);
}

bool VirtualFs::removeFolder(const QString& virtualPath, bool recursive) const
{
    const std::optional<Located> located = split(virtualPath);
    if (located && located->image) {
        return refusedOnImage("a removal", virtualPath);
    }
    if (!located || located->below.isEmpty()) {
        return false; // a mount's own folder is never removed
    }
    const std::optional<QString> host = resolveExisting(virtualPath);
    const std::optional<HostFolder::Status> st = statusOf(host);
    if (!st || !st->isFolder) {
        return false;
    }
    if (QFileInfo(*host).isSymLink()) {
        return QFile::remove(*host);
    }
    return recursive ? QDir(*host).removeRecursively() : QDir().rmdir(*host);
}
