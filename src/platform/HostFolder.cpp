#include "platform/HostFolder.h"

#include "platform/Refusal.h"

#include <QFile>
#include <dirent.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

namespace HostFolder {

std::optional<Status> status(const QString& hostPath)
{
    struct stat info {};
    if (::stat(QFile::encodeName(hostPath).constData(), &info) != 0) {
        return std::nullopt;
    }
    Status result;
    result.isFolder = S_ISDIR(info.st_mode);
    result.isRegular = S_ISREG(info.st_mode);
    result.size = info.st_size;
    result.modifiedNs = qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    result.inode = info.st_ino;
    result.device = info.st_dev;
    return result;
}

std::optional<QStringList> names(const QString& hostFolder)
{
    DIR* folder = ::opendir(QFile::encodeName(hostFolder).constData());
    if (folder == nullptr) {
        return std::nullopt;
    }
    QStringList result;
    while (const dirent* entry = ::readdir(folder)) {
        const char* name = entry->d_name;
        if (qstrcmp(name, ".") == 0 || qstrcmp(name, "..") == 0) {
            continue;
        }
        result.append(QFile::decodeName(name));
    }
    ::closedir(folder);
    return result;
}

bool isWritable(const QString& hostPath)
{
    return ::access(QFile::encodeName(hostPath).constData(), W_OK) == 0;
}

namespace {
// Maps a UTF-16 unit so that unit order equals code-point order: surrogates
// (code points above U+FFFF) sort after every other unit.
char16_t codePointKey(char16_t unit)
{
    if (unit >= 0xE000) {
        return char16_t(unit - 0x800);
    }
    if (unit >= 0xD800) {
        return char16_t(unit + 0x2000);
    }
    return unit;
}
} // namespace

bool codePointLess(const QString& a, const QString& b)
{
    const qsizetype common = qMin(a.size(), b.size());
    for (qsizetype i = 0; i < common; ++i) {
        const char16_t x = a.at(i).unicode();
        const char16_t y = b.at(i).unicode();
        if (x != y) {
            return codePointKey(x) < codePointKey(y);
        }
    }
    return a.size() < b.size();
}

qint64 nowNs()
{
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

QString join(const QString& folder, const QString& name)
{
    if (folder.endsWith(QLatin1Char('/'))) {
        return folder + name;
    }
    return folder + QLatin1Char('/') + name;
}

} // namespace HostFolder

// A folder in a place others may write to (/tmp) is taken only when it is
// ours: created with mode 0700 if missing, refused when it is a link, belongs
// to someone else or lets others in, since a stranger who made it first could
// plant fake peers and locks in it.
QString HostFolder::ownedPrivateFolder(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    ::mkdir(name.constData(), S_IRWXU);
    struct stat info {};
    if (::lstat(name.constData(), &info) != 0 || !S_ISDIR(info.st_mode) ||
        info.st_uid != ::getuid() || (info.st_mode & (S_IRWXG | S_IRWXO)) != 0) {
        Refusal::log(QStringLiteral("a runtime folder that is not ours alone"), path);
        return QString();
    }
    return path;
}
