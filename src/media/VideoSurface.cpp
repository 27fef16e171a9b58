#include "media/VideoSurface.h"

#include "platform/MediaDevice.h"

#include <QImage>
#include <QPainter>

TVideoSurface::TVideoSurface(QWidget* display, MediaDevice& device)
    : QWidget(display), device_(device)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    connect(&device_, &MediaDevice::frameReady, this, qOverload<>(&QWidget::update));
}

void TVideoSurface::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const MediaVideoFrame frame = device_.currentFrame();
    if (frame.isNull()) {
        painter.fillRect(rect(), Qt::black);
        return;
    }
    const QImage picture(reinterpret_cast<const uchar*>(frame.pixels.constData()), frame.width,
                         frame.height, frame.stride, QImage::Format_RGB32);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(rect(), picture);
    emit framePainted();
}
