#include "install/archive/ArchiveDestination.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace ArchiveDestination {

namespace {

bool safeParts(const QString& name, QStringList& parts)
{
    QString path = name;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (path.isEmpty() || path.startsWith(QLatin1Char('/')) ||
        (path.size() >= 2 && path.at(1) == QLatin1Char(':'))) {
        return false;
    }
    for (const QString& part : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (part == QLatin1String(".")) {
            continue;
        }
        // ".." would climb out; nothing of a disc becomes a dot file.
        if (part.startsWith(QLatin1Char('.')) || part.contains(QChar(0))) {
            return false;
        }
        parts.append(part);
    }
    return !parts.isEmpty();
}

// Every existing step below the target is a real folder (the last one may
// also be a plain file, which is then replaced).
bool noLinksOnTheWay(const QString& targetHost, const QStringList& parts)
{
    QString path = targetHost;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        path += QLatin1Char('/') + parts.at(i);
        const QFileInfo info(path);
        if (info.isSymLink()) {
            return false;
        }
        if (!info.exists()) {
            return true;
        }
        const bool last = i == parts.size() - 1;
        if (!info.isDir() && !(last && info.isFile())) {
            return false;
        }
    }
    return true;
}

} // namespace

std::optional<QString> Check(const QString& targetHost, const QString& entryName)
{
    QStringList parts;
    const QFileInfo target(targetHost);
    if (!safeParts(entryName, parts) || !target.isDir()) {
        return std::nullopt;
    }
    const QString root = target.canonicalFilePath();
    if (root.isEmpty() || !noLinksOnTheWay(root, parts)) {
        return std::nullopt;
    }
    return root + QLatin1Char('/') + parts.join(QLatin1Char('/'));
}

} // namespace ArchiveDestination
