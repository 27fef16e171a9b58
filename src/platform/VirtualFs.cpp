#include "platform/VirtualFs.h"

#include "platform/HostFolder.h"
#include "platform/IsoImageCache.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace {

constexpr QChar kBackslash = QLatin1Char('\\');
// Folders changed less than this before they were listed are listed again on
// the next lookup: a change within the file system's timestamp granularity
// would not move the modification time.
constexpr qint64 kRacyWindowNs = 2'000'000'000;
constexpr qsizetype kMaxCachedFolders = 8192;

bool hasDrive(const QString& path)
{
    return path.size() >= 2 && path.at(1) == QLatin1Char(':') && path.at(0).unicode() < 128 &&
           path.at(0).isLetter();
}

QStringList componentsBelowDrive(const QString& normalized)
{
    return normalized.mid(3).split(kBackslash, Qt::SkipEmptyParts);
}

QString withTrailingBackslash(const QString& path)
{
    return path.endsWith(kBackslash) ? path : path + kBackslash;
}

} // namespace

VirtualFs& VirtualFs::instance()
{
    static VirtualFs* const fs = [] {
        auto* initial = new VirtualFs; // lives as long as the process
        initial->mount(QStringLiteral("z:\\"), QStringLiteral("/"));
        return initial;
    }();
    return *fs;
}

VirtualFs::VirtualFs() = default;

void VirtualFs::mount(const QString& virtualPrefix, const QString& hostFolder)
{
    const std::optional<QString> normalized = normalize(virtualPrefix);
    if (!normalized || hostFolder.isEmpty()) {
        return;
    }
    addMount(Mount{withTrailingBackslash(normalized->toCaseFolded()),
                   QDir::cleanPath(QFileInfo(hostFolder).absoluteFilePath()), nullptr});
}

void VirtualFs::mountImage(const QString& virtualPrefix, std::shared_ptr<IsoImageCache> image)
{
    const std::optional<QString> normalized = normalize(virtualPrefix);
    if (!normalized || !image) {
        return;
    }
    const QString host = image->folder();
    addMount(Mount{withTrailingBackslash(normalized->toCaseFolded()), host, std::move(image)});
}

void VirtualFs::addMount(Mount entry)
{
    QMutexLocker lock(&mountMutex_);
    mounts_.removeIf([&](const Mount& m) { return m.prefix == entry.prefix; });
    mounts_.append(std::move(entry));
}

void VirtualFs::unmount(const QString& virtualPrefix)
{
    const std::optional<QString> normalized = normalize(virtualPrefix);
    if (!normalized) {
        return;
    }
    const QString prefix = withTrailingBackslash(normalized->toCaseFolded());
    QMutexLocker lock(&mountMutex_);
    mounts_.removeIf([&](const Mount& m) { return m.prefix == prefix; });
}

void VirtualFs::clearMounts()
{
    QMutexLocker lock(&mountMutex_);
    mounts_.clear();
}

QString VirtualFs::fromHostPath(const QString& hostPath)
{
    QString path = QDir::cleanPath(QFileInfo(hostPath).absoluteFilePath());
    if (hostPath.endsWith(QLatin1Char('/')) && !path.endsWith(QLatin1Char('/'))) {
        path += QLatin1Char('/');
    }
    path.replace(QLatin1Char('/'), kBackslash);
    return QStringLiteral("z:") + path;
}

std::optional<QString> VirtualFs::normalize(const QString& virtualPath)
{
    QString path = virtualPath;
    path.replace(QLatin1Char('/'), kBackslash);
    if (!hasDrive(path) || path.contains(QChar(0))) {
        return std::nullopt;
    }
    QStringList kept;
    for (const QString& part : path.mid(2).split(kBackslash)) {
        if (part.isEmpty() || part == QLatin1String(".")) {
            continue;
        }
        if (part == QLatin1String("..")) {
            if (!kept.isEmpty()) {
                kept.removeLast();
            }
            continue;
        }
        kept.append(part);
    }
    QString result = path.left(2) + kBackslash + kept.join(kBackslash);
    if (!kept.isEmpty() && path.endsWith(kBackslash)) {
        result += kBackslash;
    }
    return result;
}

std::optional<QString> VirtualFs::absolute(const QString& virtualPath) const
{
    if (hasDrive(virtualPath)) {
        return normalize(virtualPath);
    }
    const QString current = currentFolder();
    if (virtualPath.startsWith(kBackslash) || virtualPath.startsWith(QLatin1Char('/'))) {
        return normalize(current.left(2) + virtualPath);
    }
    return normalize(current + virtualPath);
}

std::optional<VirtualFs::Located> VirtualFs::split(const QString& virtualPath) const
{
    const std::optional<QString> path = absolute(virtualPath);
    if (!path) {
        return std::nullopt;
    }
    const QString folded = withTrailingBackslash(path->toCaseFolded());
    QMutexLocker lock(&mountMutex_);
    const Mount* best = nullptr;
    for (const Mount& m : mounts_) {
        if (folded.startsWith(m.prefix) && (!best || m.prefix.size() > best->prefix.size())) {
            best = &m;
        }
    }
    if (!best) {
        return std::nullopt;
    }
    const qsizetype depth = best->prefix.count(kBackslash) - 1;
    return Located{best->host, componentsBelowDrive(*path).mid(depth), best->image};
}

std::optional<QString> VirtualFs::matchComponent(const QString& hostFolder,
                                                 const QString& name) const
{
    if (HostFolder::status(HostFolder::join(hostFolder, name))) {
        return name;
    }
    return cachedMatch(hostFolder, name.toCaseFolded());
}

std::optional<QString> VirtualFs::cachedMatch(const QString& hostFolder,
                                              const QString& folded) const
{
    const std::optional<HostFolder::Status> folder = HostFolder::status(hostFolder);
    if (!folder || !folder->isFolder) {
        return std::nullopt;
    }
    QMutexLocker lock(&cacheMutex_);
    auto it = cache_.find(hostFolder);
    const bool stale = it == cache_.end() || it->modifiedNs != folder->modifiedNs ||
                       it->inode != folder->inode || it->listedNs - it->modifiedNs < kRacyWindowNs;
    if (stale) {
        FolderNames fresh;
        fresh.modifiedNs = folder->modifiedNs;
        fresh.inode = folder->inode;
        fresh.listedNs = HostFolder::nowNs();
        const std::optional<QStringList> names = HostFolder::names(hostFolder);
        if (!names) {
            cache_.remove(hostFolder);
            return std::nullopt;
        }
        for (const QString& name : *names) {
            QString& slot = fresh.byFoldedName[name.toCaseFolded()];
            if (slot.isEmpty() || HostFolder::codePointLess(name, slot)) {
                slot = name;
            }
        }
        if (cache_.size() >= kMaxCachedFolders) {
            cache_.clear();
        }
        it = cache_.insert(hostFolder, std::move(fresh));
    }
    const auto found = it->byFoldedName.constFind(folded);
    if (found == it->byFoldedName.constEnd()) {
        return std::nullopt;
    }
    return *found;
}

std::optional<QString> VirtualFs::resolve(const QString& virtualPath, bool forCreate) const
{
    const std::optional<Located> located = split(virtualPath);
    if (!located) {
        return std::nullopt;
    }
    if (located->image) {
        // Nothing is created on an image; an existing entry is its copy.
        const std::optional<int> node = located->image->image().find(located->below);
        return forCreate || !node ? std::nullopt : located->image->hostPath(*node);
    }
    QString host = located->host;
    bool missing = false;
    for (const QString& component : located->below) {
        if (!missing) {
            if (const std::optional<QString> match = matchComponent(host, component)) {
                host = HostFolder::join(host, *match);
                continue;
            }
            if (!forCreate) {
                return std::nullopt;
            }
            missing = true;
        }
        host = HostFolder::join(host, component);
    }
    if (!forCreate && located->below.isEmpty() && !HostFolder::status(host)) {
        return std::nullopt;
    }
    return host;
}

std::optional<QString> VirtualFs::resolveExisting(const QString& virtualPath) const
{
    return resolve(virtualPath, false);
}

std::optional<QString> VirtualFs::resolveForCreate(const QString& virtualPath) const
{
    return resolve(virtualPath, true);
}

QString VirtualFs::currentFolder() const
{
    QMutexLocker lock(&mountMutex_);
    if (currentFolder_.isEmpty()) {
        return withTrailingBackslash(fromHostPath(QDir::currentPath()));
    }
    return currentFolder_;
}

bool VirtualFs::setCurrentFolder(const QString& virtualFolder)
{
    const std::optional<QString> path = absolute(virtualFolder);
    const std::optional<QString> host = path ? resolveExisting(*path) : std::nullopt;
    const std::optional<HostFolder::Status> info = host ? HostFolder::status(*host) : std::nullopt;
    if (!info || !info->isFolder || !QDir::setCurrent(*host)) {
        return false;
    }
    QMutexLocker lock(&mountMutex_);
    currentFolder_ = withTrailingBackslash(*path);
    return true;
}
