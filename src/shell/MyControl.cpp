#include "shell/MyControl.h"

#include <QMouseEvent>

TMyControl::TMyControl(QWidget* window, TMouseForwardTarget& target)
    : QWidget(window), target_(target)
{
    setAttribute(Qt::WA_NoSystemBackground);
    setAutoFillBackground(false);
    setMouseTracking(true);
}

void TMyControl::Place(const QRect& bounds, const QString& hint)
{
    setGeometry(bounds.normalized());
    setToolTip(hint);
    show();
}

void TMyControl::paintEvent(QPaintEvent*) {}

QPoint TMyControl::toWindow(const QMouseEvent* event) const
{
    return event->position().toPoint() + pos();
}

void TMyControl::mouseMoveEvent(QMouseEvent* event)
{
    if (!target_.FollowWindowDrag(event->globalPosition().toPoint())) {
        target_.FormMouseMove(event->buttons(), event->modifiers(), toWindow(event));
    }
}

void TMyControl::mousePressEvent(QMouseEvent* event)
{
    target_.NotePressPosition(event->globalPosition().toPoint());
    target_.FormMouseDown(event->button(), event->modifiers(), toWindow(event));
}

void TMyControl::mouseReleaseEvent(QMouseEvent* event)
{
    if (!target_.EndWindowDrag()) {
        target_.FormMouseUp(event->button(), event->modifiers(), toWindow(event));
    }
}
