#pragma once

#include <QImage>
#include <QPageLayout>
#include <QPointer>
#include <QSize>
#include <functional>
#include <memory>
#include <vector>

class QPainter;
class QPrinter;
class LiteHtmlPrintLayout;
class THtmlViewer;

// The page printer of the print preview: lays a copy of a viewer's page
// out into pages of a paper layout at a print scale, draws any page as a
// picture, prints a range of pages, and lets the viewer's printHeader event
// draw on each page (when page numbers are on).
class THtmlPagePrinter {
public:
    // Reports the page laid out or printed (1-based); false asks to stop.
    using Progress = std::function<bool(int page)>;

    explicit THtmlPagePrinter(THtmlViewer& viewer);
    ~THtmlPagePrinter();

    void setPageLayout(const QPageLayout& layout) { layout_ = layout; }
    const QPageLayout& pageLayout() const { return layout_; }
    void setOrientation(QPageLayout::Orientation orientation);
    void setResolution(int dotsPerInch) { resolution_ = qMax(1, dotsPerInch); }
    int resolution() const { return resolution_; }
    QSize paperSizePixels() const;
    QPoint printableOffset() const;
    void setPageNumbers(bool on) { pageNumbers_ = on; }
    bool pageNumbers() const { return pageNumbers_; }
    void setPrintBackground(bool on) { printBackground_ = on; }
    bool printBackground() const { return printBackground_; }

    // False when the viewer has no document or the progress asked to stop;
    // the pages of the last finished layout stay then.
    bool paginate(double scale, const Progress& progress = {});
    int pageCount() const;
    double scale() const { return scale_; }
    // Page n (0-based) on white paper at a resolution.
    QImage pageImage(int page, int dotsPerInch = 96) const;
    bool printRange(QPrinter& printer, int from, int to, const Progress& progress = {});

private:
    void drawPage(QPainter& painter, int page, double dotsPerInch) const;
    void drawHeader(QPainter& painter, int page, double dotsPerInch) const;

    QPointer<THtmlViewer> viewer_;
    std::vector<std::unique_ptr<LiteHtmlPrintLayout>> pages_; // one per printed page or frame
    QPageLayout layout_;
    int resolution_ = 600;
    bool pageNumbers_ = true;
    bool printBackground_ = true;
    double scale_ = 1.0;
    double documentDpi_ = 96.0;
};
