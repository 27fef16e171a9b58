#include "content/FillAlignment.h"

#include <QEvent>
#include <QWidget>

namespace {

// Shrinks area by a sibling that spans the parent's full height or width.
void TakeDockedSibling(QRect& area, const QRect& sibling, QSize parent)
{
    const bool fullHeight = sibling.top() <= 0 && sibling.bottom() >= parent.height() - 1;
    const bool fullWidth = sibling.left() <= 0 && sibling.right() >= parent.width() - 1;
    if (fullHeight && !fullWidth) {
        if (sibling.center().x() < parent.width() / 2) {
            area.setLeft(qMax(area.left(), sibling.right() + 1));
        } else {
            area.setRight(qMin(area.right(), sibling.left() - 1));
        }
    } else if (fullWidth && !fullHeight) {
        if (sibling.center().y() < parent.height() / 2) {
            area.setTop(qMax(area.top(), sibling.bottom() + 1));
        } else {
            area.setBottom(qMin(area.bottom(), sibling.top() - 1));
        }
    }
}

} // namespace

TFillAlignment::TFillAlignment(QWidget& widget) : QObject(&widget), widget_(&widget)
{
    widget.installEventFilter(this);
    WatchParent();
}

void TFillAlignment::SetFilling(bool on)
{
    filling_ = on;
    Apply();
}

void TFillAlignment::Apply()
{
    if (!filling_ || !widget_ || !widget_->parentWidget()) {
        return;
    }
    widget_->setGeometry(FreeArea(*widget_->parentWidget(), *widget_));
}

QRect TFillAlignment::FreeArea(const QWidget& parent, const QWidget& widget)
{
    QRect area = parent.rect();
    for (QObject* child : parent.children()) {
        auto* sibling = qobject_cast<QWidget*>(child);
        if (sibling && sibling != &widget && !sibling->isHidden() && !sibling->isWindow()) {
            TakeDockedSibling(area, sibling->geometry(), parent.size());
        }
    }
    return area.isValid() ? area : QRect(area.topLeft(), QSize(0, 0));
}

bool TFillAlignment::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == widget_ && event->type() == QEvent::ParentChange) {
        WatchParent();
        Apply();
    } else if (watched == parent_ && event->type() == QEvent::Resize) {
        Apply();
    }
    return false;
}

void TFillAlignment::WatchParent()
{
    if (parent_) {
        parent_->removeEventFilter(this);
    }
    parent_ = widget_ ? widget_->parentWidget() : nullptr;
    if (parent_) {
        parent_->installEventFilter(this);
    }
}
