#include "platform/Registry.h"

#include "platform/BoundedRead.h"
#include "platform/FileLock.h"
#include "platform/HostFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <fcntl.h>
#include <unistd.h>

namespace {

// A hive larger than this is not read (and not written over).
constexpr qint64 kMaxHiveBytes = 64 * 1024 * 1024;

bool sameStamp(const std::optional<HostFolder::Status>& a,
               const std::optional<HostFolder::Status>& b)
{
    if (!a || !b) {
        return !a && !b;
    }
    return a->modifiedNs == b->modifiedNs && a->size == b->size && a->sameFileAs(*b);
}

// The whole file; empty when it does not exist, nullopt when it cannot be read.
std::optional<QByteArray> readHive(const QString& path)
{
    if (!QFileInfo::exists(path)) {
        return QByteArray();
    }
    const std::unique_ptr<QFile> file = BoundedRead::open(path, ReadKind::Registry);
    if (!file) {
        return std::nullopt;
    }
    QByteArray bytes = file->read(kMaxHiveBytes + 1);
    if (file->error() != QFileDevice::NoError || bytes.size() > kMaxHiveBytes) {
        return std::nullopt;
    }
    return bytes;
}

bool writeAll(int fd, const QByteArray& bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        done += written;
    }
    return true;
}

// Writes a temporary file beside the target, flushes it to the disk and
// renames it over the target, so that readers see the old or the new file.
bool saveAtomically(const QString& path, const QByteArray& bytes)
{
    const QByteArray target = QFile::encodeName(path);
    const QByteArray temporary = target + ".tmp";
    const int fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) {
        return false;
    }
    const bool written = writeAll(fd, bytes) && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || ::rename(temporary.constData(), target.constData()) != 0) {
        ::unlink(temporary.constData());
        return false;
    }
    const int folder = ::open(QFile::encodeName(QFileInfo(path).path()).constData(),
                              O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return true;
}

} // namespace

struct Registry::HiveFile {
    QString path;
    QString root;
    RegistryDocument::Dialect dialect = RegistryDocument::Dialect::Export;
    std::optional<HostFolder::Status> stamp;
    RegistryDocument document;
    bool loaded = false;
};

Registry& Registry::instance()
{
    static Registry* const registry = [] {
        QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
        if (config.isEmpty() || !QDir::isAbsolutePath(config)) {
            config = QDir::homePath() + QStringLiteral("/.config");
        }
        QString wine = qEnvironmentVariable("WINEPREFIX");
        if (wine.isEmpty()) {
            wine = QDir::homePath() + QStringLiteral("/.wine");
        }
        return new Registry(config + QStringLiteral("/discshell"),
                            wine + QStringLiteral("/system.reg"));
    }();
    return *registry;
}

Registry::Registry(const QString& configFolder, const QString& wineSystemReg)
    : user_(std::make_unique<HiveFile>()), machine_(std::make_unique<HiveFile>())
{
    user_->path = configFolder + QStringLiteral("/user.reg");
    user_->root = QStringLiteral("HKEY_CURRENT_USER");
    machine_->path = configFolder + QStringLiteral("/machine.reg");
    machine_->root = QStringLiteral("HKEY_LOCAL_MACHINE");
    if (!wineSystemReg.isEmpty()) {
        wine_ = std::make_unique<HiveFile>();
        wine_->path = wineSystemReg;
        wine_->root = machine_->root;
        wine_->dialect = RegistryDocument::Dialect::Wine;
    }
}

Registry::~Registry() = default;

QString Registry::hiveFile(RegistryHive hive) const
{
    switch (hive) {
    case RegistryHive::CurrentUser:
        return user_->path;
    case RegistryHive::LocalMachine:
        return machine_->path;
    case RegistryHive::ClassesRoot:
        break;
    }
    return QString();
}

const RegistryDocument* Registry::current(HiveFile& file) const
{
    const std::optional<HostFolder::Status> stamp = HostFolder::status(file.path);
    if (file.loaded && sameStamp(stamp, file.stamp)) {
        return &file.document;
    }
    if (const std::optional<QByteArray> bytes = readHive(file.path)) {
        file.document = RegistryDocument::parse(*bytes, file.root, file.dialect);
        file.stamp = stamp;
        file.loaded = true;
    }
    return &file.document;
}

QList<std::pair<const RegistryDocument*, QString>> Registry::views(RegistryHive hive,
                                                                   const QString& key) const
{
    QList<std::pair<const RegistryDocument*, QString>> result;
    const QString path = RegistryDocument::cleanKeyPath(key);
    if (hive == RegistryHive::CurrentUser) {
        result.append({current(*user_), path});
    } else if (hive == RegistryHive::LocalMachine) {
        result.append({current(*machine_), path});
        if (wine_) {
            const RegistryDocument* wine = current(*wine_);
            result.append({wine, path});
            const QString software = QStringLiteral("Software\\");
            if (path.startsWith(software, Qt::CaseInsensitive)) {
                result.append(
                    {wine, software + QStringLiteral("Wow6432Node\\") + path.mid(software.size())});
            }
        }
    }
    return result;
}

bool Registry::modify(RegistryHive hive, const std::function<bool(RegistryDocument&)>& change)
{
    if (hive == RegistryHive::ClassesRoot) {
        return true; // nothing is registered on this system
    }
    QMutexLocker guard(&mutex_);
    HiveFile& file = hive == RegistryHive::CurrentUser ? *user_ : *machine_;
    QDir().mkpath(QFileInfo(file.path).path());
    FileLock lock(file.path + QStringLiteral(".lock"));
    if (!lock.lock()) {
        return false;
    }
    const std::optional<QByteArray> bytes = readHive(file.path);
    if (!bytes) {
        return false;
    }
    RegistryDocument document = RegistryDocument::parse(*bytes, file.root, file.dialect);
    if (!change(document) || !saveAtomically(file.path, document.serialize(file.root))) {
        return false;
    }
    file.document = std::move(document);
    file.stamp = HostFolder::status(file.path);
    file.loaded = true;
    return true;
}
