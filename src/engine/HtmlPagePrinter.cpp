#include "engine/HtmlPagePrinter.h"

#include "engine/HtmlResources.h"
#include "engine/HtmlViewer.h"
#include "engine/LiteHtmlPrintLayout.h"
#include "engine/LiteHtmlViewer.h"

#include <QAbstractTextDocumentLayout>
#include <QGuiApplication>
#include <QPainter>
#include <QPrinter>
#include <QScreen>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

namespace {

constexpr double kScreenDpi = 96.0;

void clearFrameBackgrounds(QTextFrame* frame)
{
    QTextFrameFormat format = frame->frameFormat();
    format.clearBackground();
    frame->setFrameFormat(format);
    if (auto* table = qobject_cast<QTextTable*>(frame)) {
        for (int row = 0; row < table->rows(); ++row) {
            for (int column = 0; column < table->columns(); ++column) {
                QTextTableCell cell = table->cellAt(row, column);
                QTextCharFormat cellFormat = cell.format();
                cellFormat.clearBackground();
                cell.setFormat(cellFormat);
            }
        }
    }
    for (QTextFrame* child : frame->childFrames()) {
        clearFrameBackgrounds(child);
    }
}

void clearBackgrounds(QTextDocument& document)
{
    clearFrameBackgrounds(document.rootFrame());
    QTextCursor cursor(&document);
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().hasProperty(QTextFormat::BackgroundBrush)) {
            QTextBlockFormat format = block.blockFormat();
            format.clearBackground();
            cursor.setPosition(block.position());
            cursor.setBlockFormat(format);
        }
    }
}

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

bool THtmlPagePrinter::paginate(double scale, const Progress& progress)
{
    const QTextDocument* source = viewer_ ? viewer_->printableDocument() : nullptr;
    if (!source && viewer_ && scale > 0) {
        return paginateLiteHtml(scale, progress);
    }
    if (!source || scale <= 0) {
        return false;
    }
    std::unique_ptr<QTextDocument> document(source->clone());
    if (!printBackground_) {
        clearBackgrounds(*document);
    }
    const QSizeF printable = layout_.paintRect(QPageLayout::Inch).size();
    document->setPageSize(printable * documentDpi_ / scale);
    const int pages = document->pageCount();
    for (int page = 1; page <= pages; ++page) {
        if (progress && !progress(page)) {
            return false;
        }
    }
    document_ = std::move(document);
    liteLayout_.reset();
    scale_ = scale;
    return true;
}

// A litehtml page is laid out anew at the printable width in screen pixels
// divided by the scale, with the print media type.
bool THtmlPagePrinter::paginateLiteHtml(double scale, const Progress& progress)
{
    const auto* viewer = qobject_cast<const LiteHtmlViewer*>(viewer_.data());
    const PrintablePage page = viewer ? viewer->printablePage() : PrintablePage();
    if (page.file.isEmpty()) {
        return false;
    }
    auto layout =
        std::make_unique<LiteHtmlPrintLayout>(std::make_shared<HtmlResources>(), page.file,
                                              page.html, viewer_->defaults(), printBackground_);
    const QSizeF printable = layout_.paintRect(QPageLayout::Inch).size() * documentDpi_ / scale;
    const int pages = layout->paginate(int(printable.width()), int(printable.height()));
    for (int number = 1; number <= pages; ++number) {
        if (progress && !progress(number)) {
            return false;
        }
    }
    liteLayout_ = std::move(layout);
    document_.reset();
    scale_ = scale;
    return true;
}

int THtmlPagePrinter::pageCount() const
{
    if (liteLayout_) {
        return liteLayout_->pageCount();
    }
    return document_ ? document_->pageCount() : 0;
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
    if (liteLayout_) {
        painter.save();
        painter.translate(printable.topLeft());
        painter.scale(zoom, zoom);
        liteLayout_->drawPage(painter, page);
        painter.restore();
        if (pageNumbers_) {
            drawHeader(painter, page, dotsPerInch);
        }
        return;
    }
    const QSizeF pageSize = document_->pageSize();
    painter.save();
    painter.translate(printable.topLeft());
    painter.scale(zoom, zoom);
    painter.translate(0, -page * pageSize.height());
    const QRectF clip(0, page * pageSize.height(), pageSize.width(), pageSize.height());
    painter.setClipRect(clip);
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = clip;
    context.palette.setColor(QPalette::Text, viewer_ ? viewer_->defaults().fontColor : Qt::black);
    document_->documentLayout()->draw(&painter, context);
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
