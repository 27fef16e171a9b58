#include "HostFiles.h"

#include "platform/VirtualFs.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace {

void collectFiles(const QString& folder, const QString& prefix, QList<HostFiles::SourceFile>& out)
{
    const QDir dir(folder);
    const QFileInfoList entries =
        dir.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDir::NoSort);
    for (const QFileInfo& entry : entries) {
        if (entry.fileName().startsWith(QLatin1Char('.'))) {
            continue;
        }
        const QString relative = prefix + entry.fileName();
        if (entry.isDir()) {
            if (!entry.isSymLink()) {
                collectFiles(entry.filePath(), relative + QLatin1Char('/'), out);
            }
        } else if (entry.isFile()) {
            out.append({relative, entry.filePath()});
        }
    }
}

// The path made canonical as far as it exists, the rest appended as given.
QString canonicalPrefixPath(const QString& path)
{
    QFileInfo info(QFileInfo(path).absoluteFilePath());
    QStringList missing;
    while (!info.exists() && !info.isRoot()) {
        missing.prepend(info.fileName());
        info = QFileInfo(info.absolutePath());
    }
    QString result = info.exists() ? info.canonicalFilePath() : info.absoluteFilePath();
    for (const QString& part : missing) {
        result += QLatin1Char('/') + part;
    }
    return QDir::cleanPath(result);
}

} // namespace

QString HostFiles::virtualPath(const QString& hostPath)
{
    VirtualFs::instance().mount(QStringLiteral("z:\\"), QStringLiteral("/"));
    return VirtualFs::fromHostPath(QFileInfo(hostPath).absoluteFilePath());
}

std::optional<QByteArray> HostFiles::read(const QString& hostPath)
{
    return VirtualFs::instance().readFile(virtualPath(hostPath));
}

QList<HostFiles::SourceFile> HostFiles::sourceFiles(const QString& hostFolder)
{
    QList<SourceFile> files;
    collectFiles(hostFolder, QString(), files);
    std::sort(files.begin(), files.end(), [](const SourceFile& a, const SourceFile& b) {
        return a.relativePath < b.relativePath;
    });
    return files;
}

bool HostFiles::isInside(const QString& path, const QString& folder)
{
    const QString inner = canonicalPrefixPath(path);
    QString outer = canonicalPrefixPath(folder);
    if (inner == outer) {
        return true;
    }
    if (!outer.endsWith(QLatin1Char('/'))) {
        outer += QLatin1Char('/');
    }
    return inner.startsWith(outer);
}
