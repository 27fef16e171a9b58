#include "content/ContentContext.h"
#include "content/ContentFiles.h"
#include "content/Desktop.h"
#include "content/LinkCommands.h"
#include "engine/HtmlViewer.h"
#include "engine/PagePaths.h"
#include "platform/Processes.h"
#include "platform/VirtualFs.h"

#include <QApplication>

// Links to files that are not pages: archives to save or list, sounds,
// programs and documents of other kinds.

const QString& TLinkCommands::ZipFilter()
{
    static const QString filter = QStringLiteral("Zip файлы (*.zip)|*.zip|Все файлы (*.*)|*.*");
    return filter;
}

void TLinkCommands::OpenOtherFile(const Link& link)
{
    MarkVisited(link.viewer, link.expanded);
    const QString file = FromProgramDrive(PagePaths::WithoutAnchor(link.expanded));
    const QString& extension = link.extension;
    if (extension.contains(QLatin1String(".zip"))) {
        SaveZip(file);
    } else if (extension.contains(QLatin1String(".rar"))) {
        if (IArchiveBrowser* browser = context_.ArchiveBrowser()) {
            browser->OpenArchiveBrowser(file, panels_.CurrentDocument());
        }
    } else if (!extension.contains(QLatin1String(".wav"))) {
        // Programs (".exe", ".com") start under Wine, the rest through the
        // desktop, each in its own folder.
        VirtualFs::instance().setCurrentFolder(PagePaths::FolderOf(file));
        Processes::Open(file, QString());
    } else if (IClipPlayer* player = context_.ClipPlayer()) {
        player->PlayClip(file, QString(), 3);
    }
}

// Files are always taken from the program's own drive, except the members of
// an archive listing, which live in the temporary folder.
QString TLinkCommands::FromProgramDrive(const QString& file) const
{
    const QString drive = ContentFiles::DriveOf(file);
    if (context_.CdRoot.isEmpty() || panels_.IsArchiveMode() ||
        (drive + QLatin1Char('\\')).compare(context_.CdRoot, Qt::CaseInsensitive) == 0) {
        return file;
    }
    QString rest = file.mid(drive.size());
    if (rest.startsWith(QLatin1Char('\\'))) {
        rest.remove(0, 1);
    }
    return context_.CdRoot + rest;
}

// The folder chosen becomes the starting folder of the next save.
void TLinkCommands::SaveZip(const QString& file)
{
    const QString proposed = ContentFiles::FileNameOf(file);
    const auto& ask = context_.Hooks.AskSaveFile;
    const QString chosen = ask ? ask(saveFolder_, proposed, ZipFilter())
                               : Desktop::AskSaveFileName(QApplication::activeWindow(), saveFolder_,
                                                          proposed, ZipFilter());
    if (chosen.isEmpty()) {
        return;
    }
    saveFolder_ = PagePaths::FolderOf(chosen);
    ContentFiles::CopyContentFile(file, chosen, saveFolder_);
}
