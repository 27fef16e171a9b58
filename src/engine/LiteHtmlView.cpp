#include "engine/LiteHtmlView.h"

#include "engine/ImageMap.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>
#include <utility>

namespace {

bool isTag(const litehtml::element::ptr& element, const char* tag)
{
    const char* name = element->get_tagName();
    return name && qstricmp(name, tag) == 0;
}

// The link at a page point: the area of a picture's image map, else the
// link around the element.
litehtml::element::ptr anchorOf(litehtml::element::ptr element, QPoint point)
{
    if (element && isTag(element, "img") && element->get_attr("usemap")) {
        return ImageMap::AreaAt(element, point);
    }
    for (; element; element = element->parent()) {
        const char* tag = element->get_tagName();
        if (tag && qstricmp(tag, "a") == 0 && element->get_attr("href")) {
            return element;
        }
    }
    return nullptr;
}

// An inline element has no box of its own; its first piece of content shows
// where it lies.
int topOf(litehtml::element::ptr element)
{
    while (element->get_display() == litehtml::display_inline &&
           element->get_children_count() > 0) {
        element = element->get_child(0);
    }
    return element->get_placement().y;
}

} // namespace

LiteHtmlView::LiteHtmlView(QWidget* parent) : QAbstractScrollArea(parent)
{
    viewport()->setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setFrameShape(QFrame::NoFrame);
    verticalScrollBar()->setSingleStep(20);
    horizontalScrollBar()->setSingleStep(20);
}

LiteHtmlView::~LiteHtmlView() = default;

void LiteHtmlView::setPage(std::unique_ptr<LiteHtmlPage> page)
{
    hoveredAnchor_ = nullptr;
    selection_ = {};
    anchorCharacter_ = -1;
    // The page shown before is freed once the new one is on screen: freeing
    // a long page takes about as long as laying one out.
    retired_ = std::move(page_);
    if (retired_) {
        QTimer::singleShot(kRetiredPageMs, this, [this] { retired_.reset(); });
    }
    page_ = std::move(page);
    if (page_) {
        page_->container().setAnchorClicked(
            [this](const QString& href, const litehtml::element::ptr& element) {
                clickedHref_ = href;
                clickedAnchor_ = element;
            });
    }
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    controls_.build(page_ && page_->mayHaveFormFields() ? page_->document() : nullptr, viewport(),
                    formWidgets_);
    relayout();
}

void LiteHtmlView::relayout()
{
    if (page_) {
        page_->layout(viewport()->size());
    }
    text_.collect(page_ ? page_->document() : nullptr);
    updateScrollBars();
    controls_.place(toPage(QPoint()));
    invalidate();
}

void LiteHtmlView::invalidate()
{
    drawn_ = QImage();
    viewport()->update();
}

void LiteHtmlView::updateScrollBars()
{
    const QSize size = page_ ? page_->size() : QSize();
    const QSize view = viewport()->size();
    verticalScrollBar()->setRange(0, qMax(0, size.height() - view.height()));
    verticalScrollBar()->setPageStep(view.height());
    horizontalScrollBar()->setRange(0, qMax(0, size.width() - view.width()));
    horizontalScrollBar()->setPageStep(view.width());
}

QPoint LiteHtmlView::toPage(QPoint viewportPoint) const
{
    return viewportPoint + QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

// The page is drawn into a picture reaching half a viewport above and below
// the view, so that most scrolls repaint from it alone.
void LiteHtmlView::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    if (!page_) {
        painter.fillRect(event->rect(), palette().color(QPalette::Base));
        return;
    }
    const QPoint scroll = toPage(QPoint());
    const QRect view(scroll, viewport()->size());
    if (!QRect(drawnAt_, drawn_.deviceIndependentSize().toSize()).contains(view)) {
        drawAround(view);
    }
    painter.drawImage(drawnAt_ - scroll, drawn_);
    painter.translate(-scroll);
    paintSelection(painter);
}

// Half a viewport above and below the view. What the last picture already holds
// is copied over, so that a scroll draws only the strip it brings in.
void LiteHtmlView::drawAround(const QRect& view)
{
    const QRect area(view.left(), qMax(0, view.top() - view.height() / 2), view.width(),
                     view.height() * 2);
    const QRect before(drawnAt_, drawn_.deviceIndependentSize().toSize());
    const qreal ratio = viewport()->devicePixelRatioF();
    QImage image(area.size() * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    QPainter painter(&image);
    const QRect kept = before.intersected(area);
    if (drawn_.isNull() || kept.isEmpty() || before.left() != area.left() ||
        before.width() != area.width() || drawn_.devicePixelRatio() != ratio) {
        drawStrip(painter, area, area);
    } else {
        painter.drawImage(QRectF(kept.translated(-area.topLeft())), drawn_,
                          QRectF(kept.translated(-before.topLeft()).topLeft() * ratio,
                                 QSizeF(kept.size()) * ratio));
        drawStrip(painter, area,
                  QRect(area.left(), area.top(), area.width(), kept.top() - area.top()));
        drawStrip(
            painter, area,
            QRect(area.left(), kept.bottom() + 1, area.width(), area.bottom() - kept.bottom()));
    }
    painter.end();
    drawn_ = std::move(image);
    drawnAt_ = area.topLeft();
}

// Draws the page's strip (page points) into the picture of the area.
void LiteHtmlView::drawStrip(QPainter& painter, const QRect& area, const QRect& strip)
{
    if (strip.isEmpty()) {
        return;
    }
    const QRect target = strip.translated(-area.topLeft());
    painter.save();
    painter.setClipRect(target);
    painter.fillRect(target, palette().color(QPalette::Base));
    page_->draw(painter, -area.topLeft(), strip);
    painter.restore();
}

void LiteHtmlView::changeEvent(QEvent* event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) {
        invalidate();
    }
}

void LiteHtmlView::paintSelection(QPainter& painter) const
{
    if (selection_.isEmpty()) {
        return;
    }
    QColor colour = palette().color(QPalette::Highlight);
    colour.setAlpha(110);
    for (const QRect& box : text_.boxes(selection_)) {
        painter.fillRect(box, colour);
    }
}

void LiteHtmlView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    relayout();
}

void LiteHtmlView::scrollContentsBy(int, int)
{
    controls_.place(toPage(QPoint()));
    viewport()->update();
}

void LiteHtmlView::setSelection(PageText::Range range)
{
    selection_ = range;
    viewport()->update();
}

void LiteHtmlView::moveToStart()
{
    anchorCharacter_ = -1;
    setSelection({});
}

void LiteHtmlView::scrollToRange(PageText::Range range)
{
    const QList<QRect> boxes = text_.boxes(range);
    if (boxes.isEmpty()) {
        return;
    }
    const QRect box = boxes.first();
    const int top = verticalScrollBar()->value();
    if (box.top() < top || box.bottom() > top + viewport()->height()) {
        verticalScrollBar()->setValue(box.top() - viewport()->height() / 3);
    }
}

bool LiteHtmlView::scrollToAnchor(const QString& name)
{
    if (!page_ || !page_->document() || name.isEmpty()) {
        return false;
    }
    const litehtml::element::ptr root = page_->document()->root();
    const std::string key = name.toStdString();
    litehtml::element::ptr found;
    for (const char* selector : {"a[name]", "[id]"}) {
        for (const litehtml::element::ptr& element : root->select_all(selector)) {
            const char* value = element->get_attr(selector[0] == 'a' ? "name" : "id");
            if (value && key == value) {
                found = element;
                break;
            }
        }
        if (found) {
            break;
        }
    }
    if (!found) {
        return false;
    }
    verticalScrollBar()->setValue(topOf(found));
    return true;
}

litehtml::element::ptr LiteHtmlView::elementAt(QPoint viewportPoint) const
{
    if (!page_ || !page_->document()) {
        return nullptr;
    }
    const QPoint point = toPage(viewportPoint);
    return page_->document()->root()->get_element_by_point(point.x(), point.y(), viewportPoint.x(),
                                                           viewportPoint.y());
}

bool LiteHtmlView::textAt(QPoint viewportPoint) const
{
    const QPoint point = toPage(viewportPoint);
    return std::any_of(text_.runs().cbegin(), text_.runs().cend(),
                       [point](const PageText::Run& run) { return run.box.contains(point); });
}

litehtml::element::ptr LiteHtmlView::linkAt(QPoint viewportPoint) const
{
    return anchorOf(elementAt(viewportPoint), toPage(viewportPoint));
}

void LiteHtmlView::trackHover(QPoint viewportPoint)
{
    if (!page_ || !page_->document()) {
        return;
    }
    const QPoint point = toPage(viewportPoint);
    litehtml::position::vector redraw;
    if (page_->document()->on_mouse_over(point.x(), point.y(), viewportPoint.x(), viewportPoint.y(),
                                         redraw)) {
        invalidate();
    }
    const litehtml::element::ptr anchor = linkAt(viewportPoint);
    viewport()->setCursor(anchor ? Qt::PointingHandCursor : Qt::ArrowCursor);
    if (anchor != hoveredAnchor_) {
        hoveredAnchor_ = anchor;
        emit anchorHovered(anchor);
    }
}

void LiteHtmlView::extendSelection(QPoint viewportPoint)
{
    const qsizetype at = text_.characterAt(toPage(viewportPoint));
    if (anchorCharacter_ < 0 || at < 0) {
        return;
    }
    setSelection({qMin(anchorCharacter_, at), qMax(anchorCharacter_, at)});
}

void LiteHtmlView::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    trackHover(point);
    if (selecting_ && (event->buttons() & Qt::LeftButton)) {
        extendSelection(point);
    }
    emit mouseMoved(point, event->buttons(), event->modifiers());
}

void LiteHtmlView::mousePressEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    setFocus(Qt::MouseFocusReason);
    trackHover(point); // litehtml clicks what the mouse is over
    emit mousePressed(point, event->button(), event->buttons(), event->modifiers());
    if (event->button() != Qt::LeftButton || !page_ || !page_->document()) {
        return;
    }
    if (event->modifiers() & Qt::ShiftModifier && anchorCharacter_ >= 0) {
        extendSelection(point);
        return;
    }
    anchorCharacter_ = text_.characterAt(toPage(point));
    selecting_ = true;
    setSelection({});
    const QPoint at = toPage(point);
    litehtml::position::vector redraw;
    if (page_->document()->on_lbutton_down(at.x(), at.y(), point.x(), point.y(), redraw)) {
        invalidate();
    }
}

void LiteHtmlView::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    selecting_ = false;
    emit mouseReleased(point, event->button(), event->buttons(), event->modifiers());
    if (event->button() != Qt::LeftButton || !page_ || !page_->document()) {
        return;
    }
    const QPoint at = toPage(point);
    litehtml::position::vector redraw;
    if (selection_.isEmpty()) {
        // A click, not a selection: litehtml reports a link under it, which
        // is passed on once litehtml is done, since following it may replace
        // the page.
        if (page_->document()->on_lbutton_up(at.x(), at.y(), point.x(), point.y(), redraw)) {
            invalidate();
        }
        litehtml::element::ptr anchor = std::exchange(clickedAnchor_, nullptr);
        const litehtml::element::ptr link = linkAt(point);
        if (link && isTag(link, "area")) {
            anchor = link;
            clickedHref_ = QString::fromUtf8(link->get_attr("href", ""));
        }
        if (anchor) {
            emit anchorClicked(std::exchange(clickedHref_, QString()), anchor);
        }
    }
}

void LiteHtmlView::mouseDoubleClickEvent(QMouseEvent* event)
{
    const PageText::Range word = text_.wordAt(toPage(event->position().toPoint()));
    if (!word.isEmpty()) {
        anchorCharacter_ = word.begin;
        setSelection(word);
    }
}

// Enter follows the link the selection starts in (a link chosen with the
// keyboard or found).
bool LiteHtmlView::followSelectedLink()
{
    const int run = selection_.isEmpty() ? -1 : text_.runOf(selection_.begin);
    if (run < 0) {
        return false;
    }
    const litehtml::element::ptr anchor = anchorOf(text_.runs().at(run).element, QPoint());
    if (!anchor) {
        return false;
    }
    emit anchorClicked(QString::fromUtf8(anchor->get_attr("href", "")), anchor);
    return true;
}

void LiteHtmlView::keyPressEvent(QKeyEvent* event)
{
    emit keyDown(event->key(), event->modifiers());
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && followSelectedLink()) {
        event->accept();
        return;
    }
    QScrollBar* bar = verticalScrollBar();
    switch (event->key()) {
    case Qt::Key_Down:
        bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        break;
    case Qt::Key_Up:
        bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
        break;
    case Qt::Key_PageDown:
    case Qt::Key_Space:
        bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
        break;
    case Qt::Key_PageUp:
        bar->triggerAction(QAbstractSlider::SliderPageStepSub);
        break;
    case Qt::Key_Home:
        bar->setValue(bar->minimum());
        break;
    case Qt::Key_End:
        bar->setValue(bar->maximum());
        break;
    case Qt::Key_Left:
        horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
        break;
    case Qt::Key_Right:
        horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        break;
    default:
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    event->accept();
}

void LiteHtmlView::leaveEvent(QEvent* event)
{
    QAbstractScrollArea::leaveEvent(event);
    if (page_ && page_->document()) {
        litehtml::position::vector redraw;
        if (page_->document()->on_mouse_leave(redraw)) {
            invalidate();
        }
    }
    if (hoveredAnchor_) {
        hoveredAnchor_ = nullptr;
        emit anchorHovered(nullptr);
    }
}
