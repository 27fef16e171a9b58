#include "install/NavFont.h"

#include "data/Busy.h"
#include "data/FindFiles.h"
#include "platform/Processes.h"
#include "platform/VirtualFs.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QStorageInfo>

TNavFont::TNavFont(const QString& windowsDir) : windowsDir_(windowsDir) {}

void TNavFont::SetPageFolder(const QString& page)
{
    pageFolder_ = page.left(page.lastIndexOf(QLatin1Char('\\')) + 1);
}

void TNavFont::InstallFonts()
{
    SetBusy(true);
    installed_.clear();
    TDynamicStringArray fonts;
    if (!pageFolder_.isEmpty()) {
        TDynamicStringArray masks{QStringLiteral("*.ttf")};
        FindFiles(pageFolder_, masks, false, false, fonts);
    }
    const QString fontsFolder = windowsDir_ + QStringLiteral("Fonts\\");
    for (const QString& font : std::as_const(fonts)) {
        const QString target = fontsFolder + font.mid(font.lastIndexOf(QLatin1Char('\\')) + 1);
        if (CopyFont(font, target) == CopyResult::DiskFull) {
            break;
        }
        const std::optional<QString> host = VirtualFs::instance().resolveExisting(target);
        if (host && QFontDatabase::addApplicationFont(*host) >= 0) {
            installed_.append(target);
        }
    }
    AnnounceFontChange();
    QCoreApplication::processEvents();
    SetBusy(false);
}

// Copies in pieces, so that a disk that fills up is told from other failures.
TNavFont::CopyResult TNavFont::CopyFont(const QString& from, const QString& to)
{
    const VirtualFs& fs = VirtualFs::instance();
    const std::optional<QString> source = fs.resolveExisting(from);
    const std::optional<QString> target = fs.resolveForCreate(to);
    if (!source || !target) {
        return CopyResult::Failed;
    }
    QFile in(*source);
    QFile out(*target + QStringLiteral(".part"));
    if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return CopyResult::Failed;
    }
    while (!in.atEnd()) {
        const QByteArray piece = in.read(64 * 1024);
        if (piece.isEmpty() && in.error() != QFileDevice::NoError) {
            out.remove();
            return CopyResult::Failed;
        }
        if (out.write(piece) != piece.size()) {
            const bool full =
                QStorageInfo(QFileInfo(*target).path()).bytesAvailable() < qint64(piece.size());
            out.remove();
            return full ? CopyResult::DiskFull : CopyResult::Failed;
        }
    }
    out.close();
    QFile::remove(*target);
    return out.rename(*target) ? CopyResult::Copied : CopyResult::Failed;
}

// Programs that watch the font cache see the new fonts once it is rescanned.
void TNavFont::AnnounceFontChange() const
{
    const QString rescan = ProcessLauncher().FindExecutable(QStringLiteral("fc-cache"));
    const std::optional<QString> folder =
        VirtualFs::instance().resolveExisting(windowsDir_ + QStringLiteral("Fonts\\"));
    if (!rescan.isEmpty() && folder) {
        ProcessLauncher().StartDetached(rescan, {*folder}, *folder);
    }
}
