#include "media/SlideImagePicture.h"

#include "platform/VirtualFs.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>

namespace {

// The decoder the name's extension asks for; null lets the reader look at the content.
const char* formatOf(const QString& path)
{
    const QString lower = path.toLower();
    if (lower.endsWith(QStringLiteral(".bmp"))) {
        return "bmp";
    }
    if (lower.endsWith(QStringLiteral(".jpg")) || lower.endsWith(QStringLiteral(".jpeg"))) {
        return "jpeg";
    }
    return nullptr;
}

} // namespace

TSlidePicture::TSlidePicture(QWidget* parent, std::function<void()> mouseMoved)
    : QWidget(parent), mouseMoved_(std::move(mouseMoved))
{
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
}

bool TSlidePicture::LoadFromFile(const QString& virtualPath)
{
    const VirtualFs& fs = VirtualFs::instance();
    const std::optional<VirtualFs::Entry> entry = fs.attributes(virtualPath);
    if (!entry || entry->isFolder || entry->size > maxFileBytes) {
        return false;
    }
    std::optional<QByteArray> bytes = fs.readFile(virtualPath, maxFileBytes);
    if (!bytes) {
        return false;
    }
    QBuffer buffer(&*bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, formatOf(virtualPath));
    QImage image = reader.read();
    if (image.isNull()) {
        return false;
    }
    image.setDevicePixelRatio(1.0);
    picture_ = std::move(image);
    update();
    return true;
}

void TSlidePicture::paintEvent(QPaintEvent*)
{
    if (picture_.isNull()) {
        return;
    }
    QPainter painter(this);
    painter.setClipRect(rect());
    const QPoint corner((width() - picture_.width()) / 2, (height() - picture_.height()) / 2);
    painter.drawImage(corner, picture_);
}

void TSlidePicture::mouseMoveEvent(QMouseEvent*)
{
    if (mouseMoved_) {
        mouseMoved_();
    }
}
