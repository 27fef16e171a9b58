#include "print/FlowLayout.h"

#include <QWidget>

TFlowLayout::TFlowLayout(QWidget* parent, int spacing) : QLayout(parent)
{
    setSpacing(spacing);
    setContentsMargins(2, 2, 2, 2);
}

TFlowLayout::~TFlowLayout()
{
    while (QLayoutItem* item = takeAt(0)) {
        delete item;
    }
}

void TFlowLayout::addItem(QLayoutItem* item)
{
    items_.append(item);
}

QLayoutItem* TFlowLayout::itemAt(int index) const
{
    return index >= 0 && index < items_.size() ? items_.at(index) : nullptr;
}

QLayoutItem* TFlowLayout::takeAt(int index)
{
    return index >= 0 && index < items_.size() ? items_.takeAt(index) : nullptr;
}

int TFlowLayout::heightForWidth(int width) const
{
    return arrange(QRect(0, 0, width, 0), false);
}

QSize TFlowLayout::minimumSize() const
{
    QSize size;
    for (const QLayoutItem* item : items_) {
        size = size.expandedTo(item->minimumSize());
    }
    const QMargins margins = contentsMargins();
    return size + QSize(margins.left() + margins.right(), margins.top() + margins.bottom());
}

QSize TFlowLayout::sizeHint() const
{
    int width = 0;
    int height = 0;
    for (const QLayoutItem* item : items_) {
        if (!item->isEmpty()) {
            width += item->sizeHint().width() + spacing();
            height = std::max(height, item->sizeHint().height());
        }
    }
    const QMargins margins = contentsMargins();
    return QSize(width + margins.left() + margins.right(),
                 height + margins.top() + margins.bottom());
}

void TFlowLayout::setGeometry(const QRect& rect)
{
    QLayout::setGeometry(rect);
    arrange(rect, true);
}

int TFlowLayout::arrange(const QRect& rect, bool apply) const
{
    const QRect area = rect.marginsRemoved(contentsMargins());
    int x = area.x();
    int y = area.y();
    int rowHeight = 0;
    for (QLayoutItem* item : items_) {
        if (item->isEmpty()) {
            continue;
        }
        const QSize size = item->sizeHint();
        if (x + size.width() > area.right() + 1 && rowHeight > 0) {
            x = area.x();
            y += rowHeight + spacing();
            rowHeight = 0;
        }
        if (apply) {
            item->setGeometry(QRect(QPoint(x, y), size));
        }
        x += size.width() + spacing();
        rowHeight = std::max(rowHeight, size.height());
    }
    return y + rowHeight - rect.y() + contentsMargins().bottom();
}
