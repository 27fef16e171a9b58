#include "engine/HtmlPagePrinter.h"

#include "engine/HtmlResources.h"
#include "engine/HtmlViewer.h"
#include "engine/LiteHtmlPrintLayout.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPrinter>
#include <QScreen>

namespace {

constexpr double kScreenDpi = 96.0;

} // namespace

THtmlPagePrinter::THtmlPagePrinter(THtmlViewer& viewer)
    : viewer_(&viewer), layout_(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter)
{
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        documentDpi_ = screen->logicalDotsPerInchY();
    }
}

THtmlPagePrinter::~THtmlPagePrinter() = default;

void THtmlPagePrinter::setOrientation(QPageLayout::Orientation orientation)
{
    layout_.setOrientation(orientation);
}

QSize THtmlPagePrinter::paperSizePixels() const
{
    return layout_.fullRectPixels(resolution_).size();
}

QPoint THtmlPagePrinter::printableOffset() const
{
    return layout_.paintRectPixels(resolution_).topLeft();
}

// Each page is laid out anew at the printable width in screen pixels divided
// by the scale, with the print media type; the frames of a frameset follow
// one another, each from a new sheet.
bool THtmlPagePrinter::paginate(double scale, const Progress& progress)
{
    const QList<PrintablePage> printed =
        viewer_ ? viewer_->printablePages() : QList<PrintablePage>();
    if (printed.isEmpty() || scale <= 0) {
        return false;
    }
    const QSizeF printable = layout_.paintRect(QPageLayout::Inch).size() * documentDpi_ / scale;
    std::vector<std::unique_ptr<LiteHtmlPrintLayout>> layouts;
    int laidOut = 0;
    for (const PrintablePage& page : printed) {
        auto layout = std::make_unique<LiteHtmlPrintLayout>(
            std::make_shared<HtmlResources>(), page.file, page.html, viewer_->defaults(),
            printBackground_, page.style);
        const int pages = layout->paginate(int(printable.width()), int(printable.height()));
        for (int number = 1; number <= pages; ++number) {
            if (progress && !progress(laidOut + number)) {
                return false;
            }
        }
        laidOut += pages;
        layouts.push_back(std::move(layout));
    }
    pages_ = std::move(layouts);
    scale_ = scale;
    return true;
}

int THtmlPagePrinter::pageCount() const
{
    int count = 0;
    for (const std::unique_ptr<LiteHtmlPrintLayout>& layout : pages_) {
        count += layout->pageCount();
    }
    return count;
}

QImage THtmlPagePrinter::pageImage(int page, int dotsPerInch) const
{
    QImage image(layout_.fullRectPixels(dotsPerInch).size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    if (page >= 0 && page < pageCount()) {
        QPainter painter(&image);
        drawPage(painter, page, dotsPerInch);
    }
    return image;
}

bool THtmlPagePrinter::printRange(QPrinter& printer, int from, int to, const Progress& progress)
{
    const int last = pageCount() - 1;
    from = qMax(0, from);
    to = qMin(to, last);
    if (from > to) {
        return false;
    }
    printer.setFullPage(true);
    printer.setPageLayout(layout_);
    QPainter painter;
    if (!painter.begin(&printer)) {
        return false;
    }
    for (int page = from; page <= to; ++page) {
        if (progress && !progress(page + 1)) {
            printer.abort();
            painter.end();
            return false;
        }
        if (page > from) {
            printer.newPage();
        }
        drawPage(painter, page, printer.resolution());
    }
    return painter.end();
}

void THtmlPagePrinter::drawPage(QPainter& painter, int page, double dotsPerInch) const
{
    const QRectF printable = layout_.paintRectPixels(int(dotsPerInch));
    const double zoom = dotsPerInch / documentDpi_ * scale_;
    painter.save();
    painter.translate(printable.topLeft());
    painter.scale(zoom, zoom);
    int inLayout = page;
    for (const std::unique_ptr<LiteHtmlPrintLayout>& layout : pages_) {
        if (inLayout < layout->pageCount()) {
            layout->drawPage(painter, inLayout);
            break;
        }
        inLayout -= layout->pageCount();
    }
    painter.restore();
    if (pageNumbers_) {
        drawHeader(painter, page, dotsPerInch);
    }
}

// The header band is the top margin, in screen pixels whatever the print scale.
void THtmlPagePrinter::drawHeader(QPainter& painter, int page, double dotsPerInch) const
{
    if (!viewer_) {
        return;
    }
    const QRectF printable = layout_.paintRectPixels(int(dotsPerInch));
    const double unit = dotsPerInch / kScreenDpi;
    painter.save();
    painter.translate(printable.left(), 0);
    painter.scale(unit, unit);
    emit viewer_->printHeader(&painter, page + 1, int(printable.width() / unit),
                              int(printable.top() / unit));
    painter.restore();
}
