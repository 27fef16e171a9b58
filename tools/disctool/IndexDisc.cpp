#include "IndexDisc.h"

#include "DiscStruct.h"
#include "HostFiles.h"
#include "platform/BoundedRead.h"
#include "platform/CodePage.h"
#include "platform/DiscLocation.h"
#include "platform/VirtualFs.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace {

const QString ArchiveName = QStringLiteral("interface.dat");

bool isPage(const QString& relative)
{
    const QString name = relative.section(QLatin1Char('\\'), -1);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot > 0 && name.mid(dot + 1).startsWith(QLatin1String("htm"), Qt::CaseInsensitive);
}

// The inverse of the archive's name normalisation: A-Z and А-Я lowered, the
// rest (ё and Ё included) left as stored, so the lowered path finds the member.
QString lowerArchivePath(QString path)
{
    for (QChar& c : path) {
        const char16_t u = c.unicode();
        if ((u >= u'A' && u <= u'Z') || (u >= u'А' && u <= u'Я')) {
            c = QChar(char16_t(u + 32));
        }
    }
    return path;
}

QStringList folderParts(const QString& appDir)
{
    return appDir.mid(3).split(QLatin1Char('\\'), Qt::SkipEmptyParts);
}

} // namespace

QString IndexDisc::defaultAppDir(const QString& discHost)
{
    const QString name = QFileInfo(QFileInfo(discHost).absoluteFilePath()).fileName();
    return name.compare(QLatin1String("run"), Qt::CaseInsensitive) == 0
               ? QStringLiteral("d:\\run\\")
               : QStringLiteral("d:\\");
}

bool IndexDisc::open(const QString& discHost, const QString& appDir)
{
    discHost_ = QDir::cleanPath(QFileInfo(discHost).absoluteFilePath());
    if (!QFileInfo(discHost_).isDir()) {
        error_ = QStringLiteral("%1 is not a folder").arg(discHost);
        return false;
    }
    return locate(appDir.isEmpty() ? defaultAppDir(discHost_) : appDir);
}

bool IndexDisc::locate(const QString& appDirArgument)
{
    const std::optional<QString> normalized = VirtualFs::normalize(appDirArgument);
    if (!ScopedAppDir::isValid(appDirArgument) || !normalized) {
        error_ = ScopedAppDir::invalidMessage(appDirArgument);
        return false;
    }
    QString appDir = *normalized;
    if (!appDir.endsWith(QLatin1Char('\\'))) {
        appDir.append(QLatin1Char('\\'));
    }
    QString root = discHost_;
    const QStringList parts = folderParts(appDir);
    for (auto part = parts.crbegin(); part != parts.crend(); ++part) {
        const QFileInfo folder(root);
        if (folder.isRoot() || folder.fileName().compare(*part, Qt::CaseInsensitive) != 0) {
            error_ = QStringLiteral("--appdir %1 does not end in the folders of %2")
                         .arg(appDir, discHost_);
            return false;
        }
        root = folder.absolutePath();
    }
    QString rootVirtual = HostFiles::virtualPath(root);
    if (!rootVirtual.endsWith(QLatin1Char('\\'))) {
        rootVirtual.append(QLatin1Char('\\'));
    }
    appVirtual_ = rootVirtual + appDir.mid(3);
    return openArchive(appDir, rootVirtual);
}

bool IndexDisc::openArchive(const QString& appDir, const QString& rootVirtual)
{
    const QString path = appVirtual_ + ArchiveName;
    if (!VirtualFs::instance().fileExists(path)) {
        return true;
    }
    if (!archive_.OpenArchive(path)) {
        error_ = archive_.errorString();
        return false;
    }
    const QString base = DiscLocation::archiveBaseOf(appDir);
    archive_.SetArchiveBase(rootVirtual + base.mid(3));
    if (appDir.startsWith(base, Qt::CaseInsensitive)) {
        archivePrefix_ = NormalizeArchivePath(appDir.mid(base.size()));
    }
    return true;
}

bool IndexDisc::inArchive(const QString& relative) const
{
    return archive_.FindMember(virtualPath(relative)) >= 0;
}

bool IndexDisc::exists(const QString& relative) const
{
    return inArchive(relative) || VirtualFs::instance().fileExists(virtualPath(relative));
}

QList<IndexDisc::Page> IndexDisc::pages() const
{
    QList<Page> pages;
    addArchivePages(pages);
    addDiskPages(pages);
    std::sort(pages.begin(), pages.end(), [](const Page& a, const Page& b) {
        const int folded = a.path.compare(b.path, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : a.path < b.path;
    });
    return pages;
}

void IndexDisc::addArchivePages(QList<Page>& pages) const
{
    if (!archive_.isOpen() || !archivePrefix_) {
        return;
    }
    for (const QString& member : archive_.ListArchive()) {
        if (!CodePage::toCp1251(member).startsWith(*archivePrefix_)) {
            continue;
        }
        const QString relative = lowerArchivePath(member.mid(archivePrefix_->size()));
        const int index = archive_.FindMember(virtualPath(relative));
        if (isPage(relative) && index >= 0) {
            pages.append({relative, true, index, QString()});
        }
    }
}

void IndexDisc::addDiskPages(QList<Page>& pages) const
{
    for (const HostFiles::SourceFile& file : HostFiles::sourceFiles(discHost_)) {
        QString relative = file.relativePath;
        relative.replace(QLatin1Char('/'), QLatin1Char('\\'));
        if (isPage(relative) && !inArchive(relative)) {
            pages.append({relative, false, -1, file.hostPath});
        }
    }
}

std::optional<QByteArray> IndexDisc::read(const Page& page, qint64 maxBytes) const
{
    QByteArray bytes;
    if (page.inArchive) {
        const PackedArchive::Entry& entry = archive_.entries().at(page.member);
        if (entry.unpackedSize > maxBytes || archive_.ReadMember(page.member, bytes) != 0) {
            return std::nullopt;
        }
        return bytes;
    }
    const std::unique_ptr<QFile> file = BoundedRead::open(page.hostPath, ReadKind::Page);
    if (!file || file->size() > maxBytes) {
        return std::nullopt;
    }
    bytes = file->read(maxBytes);
    if (file->error() != QFileDevice::NoError) {
        return std::nullopt;
    }
    return bytes;
}
