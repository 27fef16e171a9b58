#include "shell/PanelBkgrd.h"

#include <QPaintEvent>
#include <QPainter>

TPanelBkgrd::TPanelBkgrd(QWidget* window) : QWidget(window), splitter_(new QWidget(this))
{
    setGeometry(33, 90, 673, 421);
    setAttribute(Qt::WA_OpaquePaintEvent);
    splitter_->setAutoFillBackground(true);
    QPalette palette = splitter_->palette();
    palette.setColor(QPalette::Window, QColor(53, 43, 99));
    splitter_->setPalette(palette);
    splitter_->setGeometry(0, 0, 3, height());
    splitter_->setCursor(Qt::SplitHCursor);
    hide();
}

// The panel paints its white face itself, with no erasing before it.
void TPanelBkgrd::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), Qt::white);
}
