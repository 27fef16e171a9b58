#include "platform/IsoImage.h"

#include "platform/HostFolder.h"
#include "platform/IsoImageIndexer.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr qint64 DescriptorOffset = 16 * IsoImage::SectorSize;

// Opens a regular file without blocking on a FIFO or a device; -1 otherwise.
int openRegularFile(const QString& hostPath, qint64& size)
{
    const int fd = ::open(QFile::encodeName(hostPath).constData(),
                          O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return -1;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return -1;
    }
    size = qint64(info.st_size);
    return fd;
}

bool preadFully(int fd, qint64 offset, char* buffer, qint64 length)
{
    while (length > 0) {
        const ssize_t got = ::pread(fd, buffer, size_t(length), off_t(offset));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            return false;
        }
        buffer += got;
        offset += got;
        length -= got;
    }
    return true;
}

} // namespace

IsoImage::IsoImage() = default;

IsoImage::~IsoImage()
{
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

bool IsoImage::looksLikeImage(const QString& hostPath)
{
    qint64 size = 0;
    const int fd = openRegularFile(hostPath, size);
    if (fd < 0) {
        return false;
    }
    char magic[6] = {};
    const bool read = size >= DescriptorOffset + SectorSize &&
                      preadFully(fd, DescriptorOffset, magic, sizeof magic);
    ::close(fd);
    return read && QByteArray(magic + 1, 5) == "CD001";
}

bool IsoImage::open(const QString& hostPath)
{
    path_ = hostPath;
    fd_ = openRegularFile(hostPath, imageSize_);
    if (fd_ < 0) {
        error_ = QStringLiteral("%1: cannot be read as a disc image file").arg(hostPath);
        return false;
    }
    IsoImageIndexer indexer(*this);
    if (!indexer.run()) {
        nodes_.clear();
        exact_.clear();
        folded_.clear();
        return false;
    }
    return true;
}

bool IsoImage::fail(const QString& message)
{
    error_ = QStringLiteral("%1: damaged ISO 9660 image: %2").arg(path_, message);
    return false;
}

bool IsoImage::readAt(qint64 offset, char* buffer, qint64 length) const
{
    if (fd_ < 0 || offset < 0 || length < 0 || offset > imageSize_ - length) {
        return false;
    }
    return preadFully(fd_, offset, buffer, length);
}

void IsoImage::addLookup(int parent, int index)
{
    const QString& name = nodes_.at(index).name;
    if (!exact_.contains(std::pair(parent, name))) {
        exact_.insert(std::pair(parent, name), index);
    }
    const std::pair key(parent, name.toCaseFolded());
    const auto found = folded_.constFind(key);
    if (found == folded_.constEnd() || HostFolder::codePointLess(name, nodes_.at(*found).name)) {
        folded_.insert(key, index);
    }
}

std::optional<int> IsoImage::child(int folder, const QString& name) const
{
    if (const auto exact = exact_.constFind(std::pair(folder, name)); exact != exact_.constEnd()) {
        return *exact;
    }
    const auto folded = folded_.constFind(std::pair(folder, name.toCaseFolded()));
    if (folded == folded_.constEnd()) {
        return std::nullopt;
    }
    return *folded;
}

std::optional<int> IsoImage::find(const QStringList& components) const
{
    if (nodes_.isEmpty()) {
        return std::nullopt;
    }
    int current = Root;
    for (const QString& component : components) {
        const std::optional<int> next =
            nodes_.at(current).isFolder ? child(current, component) : std::nullopt;
        if (!next) {
            return std::nullopt;
        }
        current = *next;
    }
    return current;
}

QStringList IsoImage::components(int index) const
{
    QStringList names;
    for (int at = index; at > Root; at = nodes_.at(at).parent) {
        names.prepend(nodes_.at(at).name);
    }
    return names;
}

std::optional<QByteArray> IsoImage::read(int file, qint64 offset, qint64 maxBytes) const
{
    if (file < 0 || file >= nodes_.size() || offset < 0 || maxBytes < 0) {
        return std::nullopt;
    }
    const Node& entry = nodes_.at(file);
    if (entry.isFolder) {
        return std::nullopt;
    }
    const qint64 length = std::max<qint64>(0, std::min(maxBytes, entry.size - offset));
    if (length == 0) {
        return QByteArray();
    }
    QByteArray bytes(length, Qt::Uninitialized);
    if (!readAt(qint64(entry.extent) * SectorSize + offset, bytes.data(), length)) {
        return std::nullopt;
    }
    return bytes;
}
