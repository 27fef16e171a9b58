#include "shell/WindowDrag.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace {

constexpr int grip = 40;

} // namespace

TWindowDrag::TWindowDrag(QWidget* window) : window_(window) {}

void TWindowDrag::Start(QPoint globalPos)
{
    QWindow* handle = window_->windowHandle();
    if (handle && handle->startSystemMove()) {
        dragging_ = false;
        return;
    }
    pressGlobal_ = globalPos;
    startPos_ = window_->pos();
    dragging_ = true;
}

bool TWindowDrag::Follow(QPoint globalPos)
{
    if (!dragging_) {
        return false;
    }
    const QPoint wanted = startPos_ + (globalPos - pressGlobal_);
    QScreen* screen = QGuiApplication::screenAt(globalPos);
    if (!screen) {
        screen = window_->screen();
    }
    const QRect available = screen ? screen->availableVirtualGeometry() : QRect();
    window_->move(available.isValid() ? KeepOnScreen(wanted, window_->size(), available) : wanted);
    return true;
}

void TWindowDrag::End()
{
    dragging_ = false;
}

QPoint TWindowDrag::KeepOnScreen(QPoint wanted, QSize size, const QRect& available)
{
    const int minX = available.left() - size.width() + grip;
    const int maxX = available.right() - grip;
    const int minY = available.top();
    const int maxY = available.bottom() - grip;
    return QPoint(qBound(minX, wanted.x(), qMax(minX, maxX)),
                  qBound(minY, wanted.y(), qMax(minY, maxY)));
}
