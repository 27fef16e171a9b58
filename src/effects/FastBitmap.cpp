#include "effects/FastBitmap.h"

#include <QPainter>
#include <algorithm>

namespace {

constexpr QImage::Format PixelFormat = QImage::Format_RGB888;

QImage blackImage(QSize size)
{
    if (size.isEmpty()) {
        return {};
    }
    QImage image(size, PixelFormat);
    if (!image.isNull()) {
        image.fill(Qt::black);
    }
    return image;
}

QImage toNominalSize(const QImage& picture)
{
    if (picture.isNull() || picture.devicePixelRatio() <= 1.0) {
        return picture;
    }
    const QSize nominal = (QSizeF(picture.size()) / picture.devicePixelRatio()).toSize();
    QImage scaled = picture.scaled(nominal, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    scaled.setDevicePixelRatio(1.0);
    return scaled;
}

} // namespace

TFastBitmap::TFastBitmap(int width, int height) : image_(blackImage(QSize(width, height))) {}

TFastBitmap::TFastBitmap(const QImage& picture)
{
    loadFrom(picture);
}

void TFastBitmap::resize(QSize size)
{
    image_ = blackImage(size);
}

void TFastBitmap::loadFrom(const QImage& picture)
{
    image_ = picture.isNull() ? QImage() : picture.convertToFormat(PixelFormat);
    image_.setDevicePixelRatio(1.0);
}

void TFastBitmap::loadFrom(const QImage& picture, QSize size)
{
    const QImage nominal = toNominalSize(picture);
    if (nominal.size() == size) {
        loadFrom(nominal);
        return;
    }
    image_ = blackImage(size);
    if (image_.isNull() || nominal.isNull()) {
        return;
    }
    const QImage converted = nominal.convertToFormat(PixelFormat);
    const int rows = std::min(height(), converted.height());
    const qsizetype bytes = qsizetype(std::min(width(), converted.width())) * 3;
    for (int y = 0; y < rows; ++y) {
        std::copy_n(converted.constScanLine(y), bytes, row(y));
    }
}

bool TFastBitmap::copyFrom(const TFastBitmap& other)
{
    if (other.size() != size()) {
        return false;
    }
    for (int y = 0; y < height(); ++y) {
        std::copy_n(other.row(y), usedBytesPerRow(), row(y));
    }
    return true;
}

void TFastBitmap::draw(QPainter& painter, QPoint at) const
{
    if (!isNull()) {
        painter.drawImage(at, image_);
    }
}

void TFastBitmap::draw(QPainter& painter, QPoint at, const QRect& part) const
{
    if (!isNull()) {
        painter.drawImage(at, image_, part);
    }
}
