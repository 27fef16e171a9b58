#include "print/PreviewPages.h"

#include "engine/HtmlViewer.h"

#include <QGuiApplication>
#include <QPrinter>
#include <QScreen>
#include <cmath>

namespace {

// Pictures kept at once: the two of the two-page view and their neighbours.
constexpr int kKeptImages = 4;

} // namespace

TPreviewPages::TPreviewPages(THtmlViewer& viewer) : viewer_(viewer), printer_(viewer) {}

void TPreviewPages::TakePaperOf(const QPrinter& printer)
{
    QPageLayout layout = printer_.pageLayout();
    const QPageLayout paper = printer.pageLayout();
    if (paper.isValid()) {
        layout.setPageSize(paper.pageSize(), layout.margins());
        layout.setOrientation(paper.orientation());
        printer_.setPageLayout(layout);
    }
    printer_.setResolution(printer.resolution());
    PagesChanged();
}

QPageLayout::Orientation TPreviewPages::Orientation() const
{
    return printer_.pageLayout().orientation();
}

void TPreviewPages::SetOrientation(QPageLayout::Orientation orientation)
{
    printer_.setOrientation(orientation);
    PagesChanged();
}

QSizeF TPreviewPages::PaperInches() const
{
    return printer_.pageLayout().fullRect(QPageLayout::Inch).size();
}

QSizeF TPreviewPages::DocumentArea(QPageLayout::Orientation orientation) const
{
    QPageLayout layout = printer_.pageLayout();
    layout.setOrientation(orientation);
    return layout.paintRect(QPageLayout::Inch).size() * ScreenDpi();
}

QSizeF TPreviewPages::PictureRoom(QSize picture) const
{
    const double margin = viewer_.hasDocument() ? viewer_.pageMargin() : 0.0;
    return QSizeF(picture) + QSizeF(2 * margin, 2 * margin);
}

bool TPreviewPages::Paginate(double scale, const THtmlPagePrinter::Progress& progress)
{
    if (!printer_.paginate(scale, progress)) {
        return false;
    }
    PagesChanged();
    return true;
}

QImage TPreviewPages::PageImage(int page, double dotsPerInch) const
{
    const QSizeF inches = PaperInches();
    const double area = inches.width() * inches.height();
    if (area > 0) {
        dotsPerInch = std::min(dotsPerInch, std::sqrt(double(MaxImagePixels) / area));
    }
    const int dpi = std::max(1, int(std::lround(dotsPerInch)));
    if (dpi != imagesDpi_) {
        images_.clear();
        imagesDpi_ = dpi;
    }
    const auto kept = images_.constFind(page);
    if (kept != images_.constEnd()) {
        return *kept;
    }
    if (images_.size() >= kKeptImages) {
        images_.clear();
    }
    const QImage image = printer_.pageImage(page, dpi);
    images_.insert(page, image);
    return image;
}

void TPreviewPages::PagesChanged()
{
    images_.clear();
}

double TPreviewPages::ScreenDpi()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInchY() : 96.0;
}
