#include "install/archive/UnRar.h"

#include "data/Busy.h"
#include "install/archive/ArchiveDestination.h"
#include "install/archive/ArchiveListing.h"
#include "install/archive/ArchivePaths.h"
#include "install/archive/ArchiveWalk.h"
#include "platform/VirtualFs.h"
#include "platform/WritePolicy.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QSaveFile>
#include <cstdio>

using namespace ArchivePaths;

namespace {

bool listed(const QStringList& pages, const QString& page)
{
    return pages.contains(page, Qt::CaseInsensitive);
}

void logLine(const QString& text)
{
    if (qEnvironmentVariableIntValue("DISCSHELL_LOG") == 1) {
        std::fprintf(stderr, "discshell: archive browser: %s\n", qUtf8Printable(text));
    }
}

} // namespace

TUnRar::TUnRar(TArchiveBrowserContext context) : context_(std::move(context)) {}

TUnRar::~TUnRar()
{
    if (cleaned_) {
        CleanListings();
    }
}

QString TUnRar::HostOf(const QString& path) const
{
    return VirtualFs::instance().resolveExisting(path).value_or(QString());
}

void TUnRar::ShowMessage(const QString& text) const
{
    logLine(text);
    if (context_.ShowMessage) {
        context_.ShowMessage(text);
    }
}

void TUnRar::OpenArchiveBrowser(const QString& archive, const QString& originPage)
{
    if (!cleaned_) {
        cleaned_ = true;
        CleanListings();
    }
    ListArchive(archive, originPage);
}

// Only folders directly in the temporary folder whose names begin with
// "as_" go; a read-only file is made writable first. Links are removed, never
// followed.
void TUnRar::CleanListings()
{
    const QString temp = HostOf(context_.TempDir);
    if (temp.isEmpty()) {
        return;
    }
    const QFileInfoList folders =
        QDir(temp).entryInfoList({QStringLiteral("as_*")}, QDir::Dirs | QDir::NoDotAndDotDot |
                                                               QDir::Hidden | QDir::NoSymLinks);
    for (const QFileInfo& folder : folders) {
        QDirIterator files(folder.filePath(),
                           QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                           QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QFileInfo file(files.next());
            if (!file.isDir() || file.isSymLink()) {
                if (!QFile::remove(file.filePath())) {
                    QFile::setPermissions(file.filePath(), file.permissions() | QFile::WriteUser);
                    QFile::remove(file.filePath());
                }
            }
        }
        QDir(folder.filePath()).removeRecursively();
    }
}

void TUnRar::ListArchive(const QString& path, const QString& origin)
{
    archivePath_ = path;
    listingFolder_ =
        context_.TempDir + QStringLiteral("as_") + MangleArchivePath(path) + QLatin1Char('\\');
    const QString frameset =
        listingFolder_ + QStringLiteral("as_") + FileNameOf(path) + QStringLiteral(".htm");
    if (!VirtualFs::instance().fileExists(frameset)) {
        WritePolicy::makePath(listingFolder_, QString());
        if (!listed(listingPages_, frameset)) {
            listingPages_.append(frameset);
        }
        const bool archiveMode = context_.IsArchiveMode && context_.IsArchiveMode();
        if (!archiveMode && !listed(originPages_, origin)) {
            originPages_.append(origin);
        }
        if (!WriteListing(frameset)) {
            return;
        }
    }
    if (context_.ShowPage) {
        context_.ShowPage(frameset);
    }
}

bool TUnRar::WriteListing(const QString& frameset)
{
    ++listingsRead_;
    TArchiveWalk walk(archivePath_, HostOf(archivePath_),
                      [this](const QString& text) { ShowMessage(text); });
    const std::optional<QList<RArchiveHeader>> entries = walk.ReadEntries();
    const QString folder = HostOf(listingFolder_);
    if (!entries || folder.isEmpty()) {
        return false;
    }
    const QDateTime now = context_.Now ? context_.Now() : QDateTime::currentDateTime();
    const TArchiveListing listing(archivePath_, *entries, DosDateTime(now), context_.Locale);
    const QMap<QString, QByteArray> pages = listing.Pages();
    for (auto page = pages.cbegin(); page != pages.cend(); ++page) {
        const std::optional<QString> host = ArchiveDestination::Check(folder, page.key());
        QSaveFile file(host.value_or(QString()));
        if (!host || !file.open(QIODevice::WriteOnly) || file.write(*page) != page->size() ||
            !file.commit()) {
            logLine(QStringLiteral("cannot write ") + page.key());
            return false;
        }
    }
    return VirtualFs::instance().fileExists(frameset);
}

void TUnRar::ExtractArchive(const QString& target, bool direct)
{
    const std::optional<QString> destination = Destination(target, direct);
    if (!destination || archivePath_.isEmpty()) {
        return;
    }
    const QString folder = direct ? *destination : *destination + FreeSubfolder(*destination);
    // The listing folder is the program's own; another folder is the one the
    // user chose, and nothing is unpacked through a link or into a dot folder.
    if (!WritePolicy::makePath(folder, direct ? QString() : *destination)) {
        ShowMessage(TArchiveWalk::ProcessMessage(TArchiveReader::CreateError, folder));
        return;
    }
    TArchiveWalk walk(archivePath_, HostOf(archivePath_),
                      [this](const QString& text) { ShowMessage(text); });
    SetBusy(true);
    walk.ExtractAll(HostOf(folder), context_.ProcessEvents);
    SetBusy(false);
}

// The listing folder, or the chosen folder with a trailing backslash.
// Without a chosen folder nothing is unpacked: an empty one would mean
// whatever folder happens to be current.
std::optional<QString> TUnRar::Destination(const QString& target, bool direct) const
{
    if (direct) {
        return listingFolder_;
    }
    QString folder = target.trimmed();
    if (folder.isEmpty()) {
        logLine(QStringLiteral("no installation folder to unpack into"));
        return std::nullopt;
    }
    if (!folder.endsWith(QLatin1Char('\\'))) {
        folder.append(QLatin1Char('\\'));
    }
    return folder;
}

// pack.rar, then pack1.rar, pack2.rar ... while the folder exists already.
QString TUnRar::FreeSubfolder(const QString& destination) const
{
    const QString name = FileNameOf(archivePath_);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString base = dot < 0 ? name : name.left(dot);
    const QString extension = dot < 0 ? QString() : name.mid(dot);
    QString subfolder = name;
    for (int n = 1; VirtualFs::instance().folderExists(destination + subfolder); ++n) {
        subfolder = base + QString::number(n) + extension;
    }
    return subfolder;
}

void TUnRar::UpdateArchiveMode(const QString& page)
{
    if (!context_.IsArchiveMode || !context_.SetArchiveMode) {
        return;
    }
    if (context_.IsArchiveMode()) {
        if (listed(originPages_, page)) {
            context_.SetArchiveMode(false);
        }
    } else if (listed(listingPages_, page)) {
        context_.SetArchiveMode(true);
    }
}
