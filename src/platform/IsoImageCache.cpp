#include "platform/IsoImageCache.h"

#include "platform/Refusal.h"
#include "platform/VirtualFs.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <unistd.h>

namespace {

constexpr qint64 CopyChunk = 1024 * 1024;
constexpr qint64 BudgetAllowance = 64 * 1024 * 1024;
const QString FolderPrefix = QStringLiteral("image-");

// Removes the cache folders of processes that ended without removing them.
void sweepAbandoned(const QString& runtime)
{
    const QStringList names = QDir(runtime).entryList({FolderPrefix + QLatin1Char('*')},
                                                      QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& name : names) {
        bool ok = false;
        const qint64 pid =
            name.mid(FolderPrefix.size()).section(QLatin1Char('-'), 0, 0).toLongLong(&ok);
        if (ok && pid > 0 && ::kill(pid_t(pid), 0) != 0 && errno == ESRCH) {
            QDir(runtime + QLatin1Char('/') + name).removeRecursively();
        }
    }
}

} // namespace

IsoImageCache::IsoImageCache(std::shared_ptr<const IsoImage> image, QString folder,
                             bool removeWhenDone)
    : image_(std::move(image)), folder_(std::move(folder)), removeWhenDone_(removeWhenDone),
      budget_(2 * image_->imageSize() + BudgetAllowance)
{
}

IsoImageCache::~IsoImageCache()
{
    if (removeWhenDone_ && !folder_.isEmpty()) {
        QDir(folder_).removeRecursively();
    }
}

std::shared_ptr<IsoImageCache> IsoImageCache::createPrivate(std::shared_ptr<const IsoImage> image)
{
    const QString runtime = VirtualFs::runtimeFolder();
    if (runtime.isEmpty() || !image) {
        return nullptr;
    }
    sweepAbandoned(runtime);
    QByteArray pattern = QFile::encodeName(runtime + QLatin1Char('/') + FolderPrefix) +
                         QByteArray::number(qint64(::getpid())) + "-XXXXXX";
    if (!::mkdtemp(pattern.data())) {
        return nullptr;
    }
    return std::make_shared<IsoImageCache>(std::move(image), QFile::decodeName(pattern), true);
}

QString IsoImageCache::pathOf(int node) const
{
    const QStringList names = image_->components(node);
    return names.isEmpty() ? folder_ : folder_ + QLatin1Char('/') + names.join(QLatin1Char('/'));
}

std::optional<QString> IsoImageCache::hostPath(int node)
{
    if (node < 0 || node >= image_->nodeCount()) {
        return std::nullopt;
    }
    const QString path = pathOf(node);
    if (image_->node(node).isFolder) {
        return QDir().mkpath(path) ? std::optional(path) : std::nullopt;
    }
    QMutexLocker lock(&mutex_);
    if (copied_.contains(node)) {
        return path;
    }
    return copyOut(node);
}

std::optional<QString> IsoImageCache::copyOut(int node)
{
    const IsoImage::Node& entry = image_->node(node);
    const QString path = pathOf(node);
    if (copiedBytes_ + entry.size > budget_) {
        Refusal::log(QStringLiteral("a copy beyond the budget of a disc image"), path);
        return std::nullopt;
    }
    QSaveFile target(path);
    if (!QDir().mkpath(path.section(QLatin1Char('/'), 0, -2)) ||
        !target.open(QIODevice::WriteOnly)) {
        return std::nullopt;
    }
    for (qint64 offset = 0; offset < entry.size; offset += CopyChunk) {
        const std::optional<QByteArray> chunk = image_->read(node, offset, CopyChunk);
        if (!chunk || chunk->isEmpty() || target.write(*chunk) != chunk->size()) {
            target.cancelWriting();
            return std::nullopt;
        }
    }
    if (!target.commit()) {
        return std::nullopt;
    }
    copied_.insert(node);
    copiedBytes_ += entry.size;
    return path;
}

bool IsoImageCache::extractTree(int node)
{
    QList<int> work{node};
    for (qsizetype next = 0; next < work.size(); ++next) {
        const int at = work.at(next);
        if (!hostPath(at)) {
            return false;
        }
        if (image_->node(at).isFolder) {
            work.append(image_->node(at).children);
        }
    }
    return true;
}
