#include "platform/BoundedRead.h"

#include "platform/Refusal.h"
#include "platform/VirtualFs.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace {

constexpr qint64 MiB = 1024 * 1024;

// File systems whose "regular" files are made up by the kernel: their sizes
// say nothing and some of them (pagemap, kcore) never seem to end.
bool isPseudoFileSystem(int fd)
{
    struct statfs info {};
    if (::fstatfs(fd, &info) != 0) {
        return true;
    }
    constexpr long ProcMagic = 0x9fa0;
    constexpr long SysfsMagic = 0x62656572;
    constexpr long DebugfsMagic = 0x64626720;
    constexpr long TracefsMagic = 0x74726163;
    constexpr long SecurityfsMagic = 0x73636673;
    constexpr long CgroupMagic = 0x27e0eb;
    constexpr long Cgroup2Magic = 0x63677270;
    switch (long(info.f_type)) {
    case ProcMagic:
    case SysfsMagic:
    case DebugfsMagic:
    case TracefsMagic:
    case SecurityfsMagic:
    case CgroupMagic:
    case Cgroup2Magic:
        return true;
    default:
        return false;
    }
}

// Opens without blocking, then checks what was opened (not what the name
// pointed to a moment before).
int openRegular(const QString& hostPath, ReadKind kind, QString& refusal)
{
    const int fd = ::open(QFile::encodeName(hostPath).constData(),
                          O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return -1; // missing or unreadable: no refusal, just absent
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        refusal = QStringLiteral("a read of a file that is not a regular file");
    } else if (isPseudoFileSystem(fd)) {
        refusal = QStringLiteral("a read of a kernel pseudo file");
    } else if (BoundedRead::capOf(kind) >= 0 && info.st_size > BoundedRead::capOf(kind)) {
        refusal =
            QStringLiteral("a read of a file above %1 MiB").arg(BoundedRead::capOf(kind) / MiB);
    }
    if (!refusal.isEmpty()) {
        ::close(fd);
        return -1;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

} // namespace

qint64 BoundedRead::capOf(ReadKind kind)
{
    switch (kind) {
    case ReadKind::Page:
    case ReadKind::Picture:
    case ReadKind::Registry:
        return 64 * MiB;
    case ReadKind::StyleSheet:
        return 8 * MiB;
    case ReadKind::Font:
        return 32 * MiB;
    case ReadKind::Configuration:
        return 16 * MiB;
    case ReadKind::Index:
        return 256 * MiB;
    case ReadKind::Archive:
        break;
    }
    return -1;
}

ReadKind BoundedRead::kindOfName(const QString& name)
{
    const QString lower = name.toLower();
    if (lower.endsWith(QLatin1String(".css"))) {
        return ReadKind::StyleSheet;
    }
    static const char* const pictures[] = {".jpg", ".jpeg", ".gif",  ".png", ".bmp",
                                           ".ico", ".tif",  ".tiff", ".webp"};
    for (const char* extension : pictures) {
        if (lower.endsWith(QLatin1String(extension))) {
            return ReadKind::Picture;
        }
    }
    return ReadKind::Page;
}

std::unique_ptr<QFile> BoundedRead::open(const QString& hostPath, ReadKind kind)
{
    QString refusal;
    const int fd = openRegular(hostPath, kind, refusal);
    if (fd < 0) {
        if (!refusal.isEmpty()) {
            Refusal::log(refusal, hostPath);
        }
        return nullptr;
    }
    auto file = std::make_unique<QFile>(hostPath);
    if (!file->open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return nullptr;
    }
    return file;
}

std::optional<QByteArray> BoundedRead::read(const QString& hostPath, ReadKind kind, qint64 maxBytes)
{
    const std::unique_ptr<QFile> file = open(hostPath, kind);
    if (!file) {
        return std::nullopt;
    }
    const qint64 cap = capOf(kind);
    qint64 wanted = maxBytes >= 0 ? maxBytes : file->size();
    if (cap >= 0) {
        wanted = qMin(wanted, cap);
    }
    // A file that grows while read ends where it ended when opened.
    QByteArray content = file->read(wanted);
    if (file->error() != QFileDevice::NoError) {
        return std::nullopt;
    }
    return content;
}

std::unique_ptr<QFile> BoundedRead::openVirtual(const QString& virtualPath, ReadKind kind)
{
    const std::optional<QString> host = VirtualFs::instance().resolveExisting(virtualPath);
    return host ? open(*host, kind) : nullptr;
}

std::optional<QByteArray> BoundedRead::readVirtual(const QString& virtualPath, ReadKind kind,
                                                   qint64 maxBytes)
{
    const std::optional<QString> host = VirtualFs::instance().resolveExisting(virtualPath);
    return host ? read(*host, kind, maxBytes) : std::nullopt;
}
