#pragma once

#include "engine/HtmlPagePrinter.h"

#include <QHash>
#include <QImage>
#include <QPageLayout>
#include <QSizeF>

class QPrinter;
class THtmlViewer;

// The engine's page printer with what the preview window needs around it:
// paper taken from the system printer, the room a document has on that paper,
// and the pictures of the pages shown, kept until the pages change.
class TPreviewPages {
public:
    // Page pictures for the screen stay below this many pixels, whatever the
    // zoom or the paper; larger zooms draw them enlarged.
    static constexpr qint64 MaxImagePixels = 12'000'000;

    explicit TPreviewPages(THtmlViewer& viewer);

    THtmlPagePrinter& Printer() { return printer_; }
    const THtmlPagePrinter& Printer() const { return printer_; }
    // Paper size, orientation and resolution of a printer; the page
    // printer's own margins stay.
    void TakePaperOf(const QPrinter& printer);

    int PageCount() const { return printer_.pageCount(); }
    QPageLayout::Orientation Orientation() const;
    void SetOrientation(QPageLayout::Orientation orientation);
    // The whole sheet, in inches, in the current orientation.
    QSizeF PaperInches() const;
    // The room a document has at scale 1 in an orientation, in screen pixels.
    QSizeF DocumentArea(QPageLayout::Orientation orientation) const;
    // The room a picture of this size takes in the viewer's document.
    QSizeF PictureRoom(QSize picture) const;

    // Lays the pages out anew (the page printer's paginate); the kept page
    // pictures go when it succeeds.
    bool Paginate(double scale, const THtmlPagePrinter::Progress& progress);
    // Page n (0-based) for a view at a resolution, capped at MaxImagePixels.
    QImage PageImage(int page, double dotsPerInch) const;
    // Drops the kept pictures (after a change of what a page shows).
    void PagesChanged();

    // Pixels per inch of the screen; ViewZoom 1 shows paper at this size.
    static double ScreenDpi();

private:
    THtmlViewer& viewer_;
    THtmlPagePrinter printer_;
    mutable QHash<int, QImage> images_;
    mutable int imagesDpi_ = 0;
};
