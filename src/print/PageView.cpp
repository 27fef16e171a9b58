#include "print/PageView.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

TPageView::TPageView(QWidget* parent) : QWidget(parent)
{
    setAutoFillBackground(true);
    QPalette sheet = palette();
    sheet.setColor(QPalette::Window, Qt::white);
    setPalette(sheet);
    setMouseTracking(true);
}

void TPageView::SetPicture(PagePicture picture)
{
    picture_ = std::move(picture);
    update();
}

void TPageView::paintEvent(QPaintEvent* event)
{
    if (!picture_ || paperWidth_ <= 0 || width() <= 0) {
        return;
    }
    const double dotsPerInch = width() * devicePixelRatioF() / paperWidth_;
    const QImage image = picture_(dotsPerInch);
    if (image.isNull()) {
        return;
    }
    QPainter painter(this);
    painter.setClipRect(event->rect());
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(rect()), image);
}

void TPageView::mousePressEvent(QMouseEvent* event)
{
    emit pressed(this, event->position().toPoint(), event->globalPosition().toPoint(),
                 event->button());
}

void TPageView::mouseMoveEvent(QMouseEvent* event)
{
    emit moved(this, event->globalPosition().toPoint(), event->buttons());
}

void TPageView::mouseReleaseEvent(QMouseEvent* event)
{
    emit released(this, event->button());
}
