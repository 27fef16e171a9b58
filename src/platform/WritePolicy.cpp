#include "platform/WritePolicy.h"

#include "platform/Refusal.h"
#include "platform/VirtualFs.h"

#include <QFile>
#include <QSaveFile>
#include <QStringList>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char* const RootPrefixes[] = {"c:\\", "c:\\windows\\", "c:\\windows\\temp\\",
                                    "c:\\windows\\fonts\\"};

QStringList allowedBases(const QString& userFolder)
{
    const VirtualFs& fs = VirtualFs::instance();
    QStringList bases;
    for (const char* prefix : RootPrefixes) {
        if (const std::optional<QString> host = fs.resolveForCreate(QLatin1String(prefix))) {
            bases.append(*host);
        }
    }
    if (!userFolder.isEmpty()) {
        if (const std::optional<QString> host = fs.resolveForCreate(userFolder)) {
            bases.append(*host);
        }
    }
    return bases;
}

QString withoutTrailingSlash(QString path)
{
    while (path.size() > 1 && path.endsWith(QLatin1Char('/'))) {
        path.chop(1);
    }
    return path;
}

// The part of host below base ("" for base itself); nullopt when not below it.
std::optional<QString> below(const QString& host, const QString& base)
{
    const QString root = withoutTrailingSlash(base);
    const QString path = withoutTrailingSlash(host);
    if (path == root) {
        return QString();
    }
    const QString lead = root.endsWith(QLatin1Char('/')) ? root : root + QLatin1Char('/');
    if (!path.startsWith(lead)) {
        return std::nullopt;
    }
    return path.mid(lead.size());
}

// Why the entries from base down to base/rest may not be changed; empty when
// they may. The last entry may itself be a link when the link is what goes.
QString objectionBelow(const QString& base, const QString& rest, bool lastMayBeLink)
{
    QString path = withoutTrailingSlash(base);
    const QStringList parts = rest.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (qsizetype i = 0; i < parts.size(); ++i) {
        if (parts.at(i).startsWith(QLatin1Char('.'))) {
            return QStringLiteral("a dot file");
        }
        path += (path.endsWith(QLatin1Char('/')) ? QString() : QStringLiteral("/")) + parts.at(i);
        struct stat info {};
        if (::lstat(QFile::encodeName(path).constData(), &info) != 0) {
            return QString(); // the rest is still to be created
        }
        const bool last = i + 1 == parts.size();
        if (S_ISLNK(info.st_mode)) {
            return last && lastMayBeLink ? QString() : QStringLiteral("a symbolic link");
        }
        if (!S_ISDIR(info.st_mode) && (!last || !S_ISREG(info.st_mode))) {
            return QStringLiteral("a special file");
        }
    }
    return QString();
}

enum class Change { Content, Removal };

std::optional<QString> checkedTarget(const QString& virtualPath, const QString& userFolder,
                                     const char* action, Change change)
{
    if (VirtualFs::instance().isOnImage(virtualPath)) {
        Refusal::log(QStringLiteral("%1 (a read-only disc image)").arg(QLatin1String(action)),
                     virtualPath);
        return std::nullopt;
    }
    const std::optional<QString> host = VirtualFs::instance().resolveForCreate(virtualPath);
    if (!host) {
        return std::nullopt;
    }
    QString objection = QStringLiteral("a place outside the program's folders");
    for (const QString& base : allowedBases(userFolder)) {
        if (const std::optional<QString> rest = below(*host, base)) {
            if (rest->isEmpty() && change == Change::Removal) {
                objection = QStringLiteral("one of the program's own folders");
                break;
            }
            objection = objectionBelow(base, *rest, change == Change::Removal);
            if (objection.isEmpty()) {
                return host;
            }
            break;
        }
    }
    Refusal::log(QStringLiteral("%1 (%2)").arg(QLatin1String(action), objection), virtualPath);
    return std::nullopt;
}

} // namespace

namespace WritePolicy {

std::optional<QString> hostTarget(const QString& virtualPath, const QString& userFolder,
                                  const char* action)
{
    return checkedTarget(virtualPath, userFolder, action, Change::Content);
}

bool allows(const QString& virtualPath, const QString& userFolder, const char* action)
{
    return hostTarget(virtualPath, userFolder, action).has_value();
}

bool makePath(const QString& virtualFolder, const QString& userFolder)
{
    return allows(virtualFolder, userFolder, "a folder") &&
           VirtualFs::instance().makePath(virtualFolder);
}

bool copyFile(const QString& from, const QString& to, const QString& userFolder)
{
    return allows(to, userFolder, "a copy") && VirtualFs::instance().copyFile(from, to, true);
}

bool writeFile(const QString& to, const QByteArray& bytes, const QString& userFolder)
{
    const std::optional<QString> host = hostTarget(to, userFolder, "a write");
    if (!host) {
        return false;
    }
    QSaveFile file(*host);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

bool removeEntry(const QString& virtualPath, const QString& userFolder)
{
    const std::optional<QString> host =
        checkedTarget(virtualPath, userFolder, "a removal", Change::Removal);
    if (!host) {
        return false;
    }
    const QByteArray name = QFile::encodeName(*host);
    struct stat info {};
    if (::lstat(name.constData(), &info) != 0) {
        return false;
    }
    return (S_ISDIR(info.st_mode) ? ::rmdir(name.constData()) : ::unlink(name.constData())) == 0;
}

bool makeWritable(const QString& virtualPath, const QString& userFolder)
{
    const std::optional<QString> host = hostTarget(virtualPath, userFolder, "a permission change");
    if (!host) {
        return false;
    }
    const QByteArray name = QFile::encodeName(*host);
    struct stat info {};
    return ::lstat(name.constData(), &info) == 0 && !S_ISLNK(info.st_mode) &&
           ::fchmodat(AT_FDCWD, name.constData(), (info.st_mode & 07777) | S_IWUSR, 0) == 0;
}

} // namespace WritePolicy
