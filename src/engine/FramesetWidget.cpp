#include "engine/FramesetWidget.h"

#include "engine/FramesetLayout.h"

#include <QMouseEvent>
#include <QPainter>

FramesetWidget::FramesetWidget(bool rows, const QStringList& sizes, int borderWidth,
                               const QColor& borderColor, QWidget* parent)
    : QWidget(parent), rows_(rows), sizes_(sizes),
      borderWidth_(qBound(0, borderWidth, FramesetLayout::kMaxBorder)), borderColor_(borderColor)
{
    setMouseTracking(true);
}

void FramesetWidget::addPart(QWidget* part, bool bordered, bool resizable)
{
    part->setParent(this);
    parts_.append(part);
    looks_.append({bordered, resizable});
    layoutParts();
}

QList<QRect> FramesetWidget::borders() const
{
    QList<QRect> shown;
    for (const QRect& gap : gaps_) {
        if (!gap.isEmpty()) {
            shown.append(gap);
        }
    }
    return shown;
}

bool FramesetWidget::canDrag(int border) const
{
    return border >= 0 && border + 1 < looks_.size() && !gaps_.value(border).isEmpty() &&
           looks_[border].resizable && looks_[border + 1].resizable;
}

void FramesetWidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layoutParts();
}

// A border lies between two parts when either of them has edges.
int FramesetWidget::gapAfter(int part) const
{
    if (part + 1 >= looks_.size()) {
        return 0;
    }
    return looks_[part].bordered || looks_[part + 1].bordered ? borderWidth_ : 0;
}

void FramesetWidget::layoutParts()
{
    QStringList specs = sizes_;
    while (specs.size() < parts_.size()) {
        specs.append(QStringLiteral("*"));
    }
    specs = specs.mid(0, parts_.size());
    const int extent = rows_ ? height() : width();
    int gapsTotal = 0;
    for (int i = 0; i < parts_.size(); ++i) {
        gapsTotal += gapAfter(i);
    }
    placed_ = FramesetLayout::Sizes(specs, qMax(0, extent - gapsTotal));
    gaps_.clear();
    int offset = 0;
    for (int i = 0; i < parts_.size(); ++i) {
        const int size = placed_.value(i);
        if (QWidget* part = parts_.at(i)) {
            part->setGeometry(rows_ ? QRect(0, offset, width(), size)
                                    : QRect(offset, 0, size, height()));
            part->setVisible(size > 0);
        }
        offset += size;
        const int gap = gapAfter(i);
        if (i + 1 < parts_.size()) {
            gaps_.append(rows_ ? QRect(0, offset, width(), gap) : QRect(offset, 0, gap, height()));
        }
        offset += gap;
    }
    update();
}

// Each border is drawn raised: a light edge towards the part before it and
// a dark one towards the part after it.
void FramesetWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QColor face = borderColor_.isValid() ? borderColor_ : palette().color(QPalette::Button);
    for (const QRect& gap : borders()) {
        painter.fillRect(gap, face);
        if (gap.width() < 3 && gap.height() < 3) {
            continue;
        }
        painter.setPen(face.lighter(150));
        painter.drawLine(rows_ ? QLine(gap.topLeft(), gap.topRight())
                               : QLine(gap.topLeft(), gap.bottomLeft()));
        painter.setPen(face.darker(160));
        painter.drawLine(rows_ ? QLine(gap.bottomLeft(), gap.bottomRight())
                               : QLine(gap.topRight(), gap.bottomRight()));
    }
}

int FramesetWidget::borderAt(QPoint point) const
{
    for (int i = 0; i < gaps_.size(); ++i) {
        if (gaps_[i].contains(point)) {
            return i;
        }
    }
    return -1;
}

void FramesetWidget::mousePressEvent(QMouseEvent* event)
{
    const int border = borderAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && canDrag(border)) {
        dragged_ = border;
        const QPoint inGap = event->position().toPoint() - gaps_[border].topLeft();
        grabOffset_ = rows_ ? inGap.y() : inGap.x();
        return;
    }
    QWidget::mousePressEvent(event);
}

void FramesetWidget::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    if (dragged_ >= 0) {
        dragBorder(dragged_, rows_ ? point.y() : point.x());
        return;
    }
    const bool movable = canDrag(borderAt(point));
    if (movable) {
        setCursor(rows_ ? Qt::SplitVCursor : Qt::SplitHCursor);
    } else {
        unsetCursor();
    }
}

void FramesetWidget::mouseReleaseEvent(QMouseEvent* event)
{
    if (dragged_ >= 0 && event->button() == Qt::LeftButton) {
        dragged_ = -1;
        return;
    }
    QWidget::mouseReleaseEvent(event);
}

// The border follows the pointer, held where it was grabbed, between the
// outer edges of its two parts; from then on every part keeps the pixel
// size it has.
void FramesetWidget::dragBorder(int border, int position)
{
    const QRect gap = gaps_.value(border);
    const int start = rows_ ? gap.top() - placed_[border] : gap.left() - placed_[border];
    const int together = placed_[border] + placed_[border + 1];
    const int before = qBound(0, position - grabOffset_ - start, together);
    QStringList fixed;
    for (int i = 0; i < placed_.size(); ++i) {
        const int size = i == border ? before : i == border + 1 ? together - before : placed_[i];
        fixed.append(QString::number(size));
    }
    sizes_ = fixed;
    layoutParts();
}
