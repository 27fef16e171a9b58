#include "media/ClipPlayerArea.h"

#include <QPalette>

TColorWinControl::TColorWinControl(QWidget* parent, const QColor& color,
                                   std::function<void()> mouseMoved)
    : QWidget(parent), mouseMoved_(std::move(mouseMoved))
{
    QPalette colors = palette();
    colors.setColor(QPalette::Window, color);
    setPalette(colors);
    setAutoFillBackground(true);
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
}

QColor TColorWinControl::Color() const
{
    return palette().color(QPalette::Window);
}

void TColorWinControl::mouseMoveEvent(QMouseEvent*)
{
    if (mouseMoved_) {
        mouseMoved_();
    }
}
