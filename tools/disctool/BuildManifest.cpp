#include "BuildManifest.h"

#include "HostFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSet>

BuildManifest::BuildManifest(const QString& outFolder) : outFolder_(outFolder) {}

QString BuildManifest::fileName()
{
    return QStringLiteral(".disctool-manifest");
}

bool BuildManifest::isPlainRelativePath(const QString& path)
{
    if (path.isEmpty() || path.startsWith(QLatin1Char('/')) || path.contains(QLatin1Char('\\')) ||
        path.contains(QChar(0))) {
        return false;
    }
    const QStringList parts = path.split(QLatin1Char('/'));
    for (const QString& part : parts) {
        if (part.isEmpty() || part == QLatin1String(".") || part == QLatin1String("..")) {
            return false;
        }
    }
    return true;
}

QStringList BuildManifest::load() const
{
    QFile file(outFolder_ + QLatin1Char('/') + fileName());
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    QStringList paths;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        if (isPlainRelativePath(line) && line != fileName()) {
            paths.append(line);
        }
    }
    return paths;
}

bool BuildManifest::save(const QStringList& relativePaths, QString& error) const
{
    QSaveFile file(outFolder_ + QLatin1Char('/') + fileName());
    const QByteArray bytes = (relativePaths.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        error = QStringLiteral("cannot write %1: %2").arg(file.fileName(), file.errorString());
        return false;
    }
    return true;
}

void BuildManifest::removeStale(const QStringList& previous, const QStringList& current) const
{
    const QSet<QString> kept(current.cbegin(), current.cend());
    for (const QString& path : previous) {
        if (kept.contains(path) || !liesInside(path)) {
            continue;
        }
        const QFileInfo info(outFolder_ + QLatin1Char('/') + path);
        if (info.isFile() || info.isSymLink()) {
            QFile::remove(info.filePath());
            removeEmptyParents(path);
        }
    }
}

bool BuildManifest::liesInside(const QString& relativePath) const
{
    // The parent folder is made canonical, so a folder that became a link
    // pointing elsewhere does not lead the removal out of the disc folder.
    const QFileInfo info(outFolder_ + QLatin1Char('/') + relativePath);
    return HostFiles::isInside(info.absolutePath(), outFolder_);
}

void BuildManifest::removeEmptyParents(const QString& relativePath) const
{
    QString folder = relativePath.section(QLatin1Char('/'), 0, -2);
    const QDir out(outFolder_);
    while (!folder.isEmpty()) {
        if (!out.rmdir(folder)) {
            return;
        }
        folder = folder.section(QLatin1Char('/'), 0, -2);
    }
}
