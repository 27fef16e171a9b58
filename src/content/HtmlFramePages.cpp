#include "content/ContentFiles.h"
#include "content/HtmlFrame.h"
#include "content/PrintHeader.h"
#include "data/FindFiles.h"
#include "engine/HtmlViewer.h"
#include "engine/PagePaths.h"
#include "platform/VirtualFs.h"
#include "platform/WritePolicy.h"

#include <QPainter>

// Operations on the page shown: copying it with its companion folder,
// printing, and the default font.

namespace {

const QChar Backslash = QLatin1Char('\\');

bool IsPicture(const QString& file)
{
    static const QStringList pictures{QStringLiteral(".bmp"), QStringLiteral(".gif"),
                                      QStringLiteral(".jpg"), QStringLiteral(".jpeg")};
    return pictures.contains(PagePaths::ExtensionOf(file));
}

} // namespace

// The page and its companion folder "<page>.files" go into the installation
// folder of the current screen, keeping their places relative to the page.
void THtmlFrame::CopyPage()
{
    THtmlViewer* viewer = CurrentViewer();
    IPathInputs* inputs = context_.PathInputs();
    if (!viewer || viewer->isHidden() || !viewer->hasDocument() || !inputs) {
        return;
    }
    QString installFolder = inputs->InstallFolder();
    if (!installFolder.isEmpty() && !installFolder.endsWith(Backslash)) {
        installFolder += Backslash;
    }
    const QString page = PagePaths::WithoutAnchor(viewer->currentFile());
    const bool copied = ContentFiles::CopyContentFile(
        page, installFolder + ContentFiles::FileNameOf(page), installFolder);
    CopyCompanionFolder(page, installFolder);
    CallHook(context_.Hooks.ShowStatus,
             copied ? QStringLiteral("Файл скопирован") : QStringLiteral("Файл не скопирован"));
}

void THtmlFrame::CopyCompanionFolder(const QString& page, const QString& installFolder)
{
    const qsizetype dot = page.lastIndexOf(QLatin1Char('.'));
    const QString pageFolder = PagePaths::FolderOf(page);
    if (dot < 0 || pageFolder.isEmpty()) {
        return;
    }
    const QString companion = page.left(dot) + QStringLiteral(".files");
    VirtualFs& fs = VirtualFs::instance();
    if (!fs.folderExists(companion)) {
        return;
    }
    TDynamicStringArray masks{QStringLiteral("*.*")};
    TDynamicStringArray entries;
    FindFiles(companion, masks, true, true, entries);
    for (const QString& entry : entries) {
        const QString target = ContentFiles::Absolute(
            installFolder + QString(entry).remove(pageFolder, Qt::CaseInsensitive));
        WritePolicy::makePath(PagePaths::FolderOf(target), installFolder);
        if (!entry.endsWith(Backslash)) {
            WritePolicy::copyFile(entry, target, installFolder);
        }
    }
}

void THtmlFrame::PrintPage(const QString& file)
{
    if (!file.isEmpty()) {
        PrintFile(file);
        return;
    }
    THtmlViewer* viewer = CurrentViewer();
    if (viewer && context_.Hooks.ShowPrintPreview) {
        context_.Hooks.ShowPrintPreview(*viewer, IsPicture(viewer->currentFile()),
                                        viewer->lastPictureSize());
    }
}

// A named file prints from a viewer of its own, without history and with
// links not underlined; the picture flag of a print request is used once.
void THtmlFrame::PrintFile(const QString& file)
{
    if (context_.Hooks.ShowPrintPreview) {
        ViewerOptions options;
        options.historyMaxCount = 0;
        options.underlineLinks = false;
        std::unique_ptr<THtmlViewer> printer(CreateHtmlViewer(mainWindow_, options));
        printer->hide();
        printer->setGeometry(0, 0, 0, 0);
        THtmlViewer* viewer = printer.get();
        connect(viewer, &THtmlViewer::printHeader, this,
                [viewer](QPainter* painter, int page, int width, int) {
                    DrawPrintHeader(*painter, page, width, viewer->hasDocument());
                });
        if (printer->loadFile(file)) {
            context_.Hooks.ShowPrintPreview(*printer, picturePrint_,
                                            QSize(pictureWidth_, pictureHeight_));
        }
    }
    picturePrint_ = false;
}

void DrawPrintHeader(QPainter& painter, int pageNumber, int pageWidth, bool hasDocument)
{
    if (!hasDocument) {
        return;
    }
    painter.save();
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(8);
    painter.setFont(font);
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setPen(Qt::black);
    const QRect area(0, 40, pageWidth - 50, painter.fontMetrics().height());
    painter.drawText(area, Qt::AlignRight | Qt::AlignTop,
                     QStringLiteral("Страница ") + QString::number(pageNumber));
    painter.restore();
}

// Every viewer takes the new defaults; the page shown is laid out with them.
void THtmlFrame::ChooseDefaultFont()
{
    THtmlViewer* viewer = CurrentViewer();
    if (!viewer || !context_.Hooks.ChooseFont) {
        return;
    }
    ViewerDefaults defaults = viewer->defaults();
    if (!context_.Hooks.ChooseFont(defaults)) {
        return;
    }
    for (const QPointer<THtmlViewer>& each : viewers_) {
        if (each) {
            each->setDefaults(defaults);
        }
    }
    viewer->reload();
}
