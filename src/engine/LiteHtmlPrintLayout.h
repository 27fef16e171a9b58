#pragma once

#include "engine/LiteHtmlPage.h"

#include <QList>
#include <QRect>
#include <memory>

class QPainter;

// A page laid out for printing: litehtml at the printable width with the
// print media type, cut into pages so that no line of text and no picture
// shorter than a page is cut in two.
class LiteHtmlPrintLayout {
public:
    LiteHtmlPrintLayout(std::shared_ptr<HtmlResources> resources, const QString& pageFile,
                        const QString& html, const ViewerDefaults& defaults,
                        bool backgrounds = true, const QString& userStyle = QString());

    // Lays the page out width pixels wide and cuts pages pageHeight high.
    int paginate(int width, int pageHeight);
    int pageCount() const { return int(breaks_.size()); }
    int pageHeight() const { return pageHeight_; }
    // Page n (0-based) with its top-left corner at the painter's origin.
    void drawPage(QPainter& painter, int page);

    // Tops of the pages of a document height high: a page ends early above
    // any box that would cross its bottom edge, unless that box is a page
    // high or more (it is cut then).
    static QList<int> PageBreaks(const QList<QRect>& boxes, int height, int pageHeight);

private:
    QList<QRect> unbreakableBoxes() const;

    LiteHtmlPage page_;
    QList<int> breaks_;
    int pageHeight_ = 0;
};
