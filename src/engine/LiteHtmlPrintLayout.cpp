#include "engine/LiteHtmlPrintLayout.h"

#include "engine/PageText.h"

#include <QPainter>
#include <algorithm>

namespace {

constexpr int kMaxPages = 10000; // of one printed document

void collectPictures(const litehtml::element::ptr& element, QList<QRect>& boxes)
{
    const char* tag = element->get_tagName();
    if (tag && qstricmp(tag, "img") == 0) {
        const litehtml::position place = element->get_placement();
        boxes.append(QRect(place.x, place.y, place.width, place.height));
    }
    for (size_t i = 0; i < element->get_children_count(); ++i) {
        collectPictures(element->get_child(int(i)), boxes);
    }
}

} // namespace

LiteHtmlPrintLayout::LiteHtmlPrintLayout(std::shared_ptr<HtmlResources> resources,
                                         const QString& pageFile, const QString& html,
                                         const ViewerDefaults& defaults, bool backgrounds,
                                         const QString& userStyle)
    : page_(std::move(resources), pageFile, defaults, LiteHtmlContainer::Media::Print)
{
    page_.container().setDrawBackgrounds(backgrounds);
    page_.load(html, userStyle);
}

int LiteHtmlPrintLayout::paginate(int width, int pageHeight)
{
    pageHeight_ = qMax(1, pageHeight);
    const int height = page_.layout(QSize(qMax(1, width), pageHeight_));
    breaks_ = PageBreaks(unbreakableBoxes(), height, pageHeight_);
    return pageCount();
}

QList<QRect> LiteHtmlPrintLayout::unbreakableBoxes() const
{
    QList<QRect> boxes;
    PageText text;
    text.collect(page_.document());
    for (const PageText::Run& run : text.runs()) {
        boxes.append(run.box);
    }
    if (page_.document()) {
        collectPictures(page_.document()->root(), boxes);
    }
    return boxes;
}

QList<int> LiteHtmlPrintLayout::PageBreaks(const QList<QRect>& boxes, int height, int pageHeight)
{
    QList<QRect> sorted = boxes;
    std::sort(sorted.begin(), sorted.end(),
              [](const QRect& a, const QRect& b) { return a.top() < b.top(); });
    QList<int> tops = {0};
    int top = 0;
    while (top + pageHeight < height && tops.size() < kMaxPages) {
        int bottom = top + pageHeight;
        for (const QRect& box : sorted) {
            if (box.top() >= bottom) {
                break;
            }
            const bool crosses = box.top() > top && box.top() + box.height() > bottom;
            if (crosses && box.height() < pageHeight) {
                bottom = qMin(bottom, box.top());
            }
        }
        top = bottom;
        tops.append(top);
    }
    return tops;
}

void LiteHtmlPrintLayout::drawPage(QPainter& painter, int page)
{
    if (page < 0 || page >= breaks_.size()) {
        return;
    }
    const int top = breaks_.at(page);
    const int bottom = page + 1 < breaks_.size() ? breaks_.at(page + 1) : top + pageHeight_;
    const QRect clip(0, top, page_.size().width(), bottom - top);
    painter.save();
    painter.setClipRect(QRect(0, 0, clip.width(), clip.height()), Qt::IntersectClip);
    page_.draw(painter, QPoint(0, -top), clip);
    painter.restore();
}
