#include "install/NavFont.h"

#include "data/Busy.h"
#include "data/FindFiles.h"
#include "platform/BoundedRead.h"
#include "platform/Processes.h"
#include "platform/VirtualFs.h"
#include "platform/WritePolicy.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QStorageInfo>
#include <cstdio>

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

// Copies in pieces into a ".part" file, so that a disk that fills up is told
// from other failures, and puts it in place of the old font in one rename
// only once every byte is written and the file is closed without error: a
// full disk never leaves a truncated font nor takes the old one away.
TNavFont::CopyResult TNavFont::CopyFont(const QString& from, const QString& to)
{
    const std::unique_ptr<QFile> in = BoundedRead::openVirtual(from, ReadKind::Font);
    const std::optional<QString> target = WritePolicy::hostTarget(to, QString(), "a font");
    if (!in || !target) {
        return CopyResult::Failed;
    }
    QFile out(*target + QStringLiteral(".part"));
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return CopyResult::Failed;
    }
    while (!in->atEnd()) {
        const QByteArray piece = in->read(64 * 1024);
        if (piece.isEmpty() && in->error() != QFileDevice::NoError) {
            out.remove();
            return CopyResult::Failed;
        }
        if (out.write(piece) != piece.size() || !out.flush()) {
            return Abandon(out, *target, piece.size());
        }
    }
    out.close();
    if (out.error() != QFileDevice::NoError) {
        return Abandon(out, *target, 1);
    }
    const bool renamed = std::rename(QFile::encodeName(out.fileName()).constData(),
                                     QFile::encodeName(*target).constData()) == 0;
    if (!renamed) {
        out.remove();
    }
    return renamed ? CopyResult::Copied : CopyResult::Failed;
}

TNavFont::CopyResult TNavFont::Abandon(QFile& part, const QString& target, qint64 wanted)
{
    const bool full = QStorageInfo(QFileInfo(target).path()).bytesAvailable() < wanted;
    part.remove();
    return full ? CopyResult::DiskFull : CopyResult::Failed;
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
