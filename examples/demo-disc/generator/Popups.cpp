#include "Popups.h"

#include "Canvas.h"
#include "Palette.h"

#include <QPainter>

using namespace Palette;

namespace {

constexpr QSize RectangularSize(232, 40);

} // namespace

namespace Popups {

QSize sizeFor(const QPolygon& outline)
{
    if (outline.size() < 3) {
        return RectangularSize;
    }
    int width = 0;
    int height = 0;
    for (const QPoint& point : outline) {
        width = std::max(width, point.x());
        height = std::max(height, point.y());
    }
    return QSize(width, height);
}

QImage background(const QSize& size, const QPolygon& outline)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Ink);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    if (outline.size() >= 3) {
        shape.addPolygon(QPolygonF(outline));
        shape.closeSubpath();
    } else {
        shape.addRect(QRectF(0, 0, size.width(), size.height()));
    }
    // Across, not down: every row between the ends must look the same.
    QLinearGradient fill(0, 0, size.width(), 0);
    fill.setColorAt(0, QColor(44, 35, 88));
    fill.setColorAt(1, QColor(26, 21, 56));
    p.fillPath(shape, fill);
    p.setClipPath(shape);
    p.strokePath(shape, QPen(outline.size() >= 3 ? alpha(Gold, 200) : alpha(Lilac, 170), 2));
    if (outline.size() < 3) {
        p.fillRect(QRectF(1, 1, size.width() - 2, 1), alpha(Gold, 190));
        p.fillRect(QRectF(1, size.height() - 2, size.width() - 2, 1), QColor(0, 0, 0, 120));
    }
    return image.convertToFormat(QImage::Format_RGB32);
}

QImage item(const QImage& under, int state)
{
    QImage image = under.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (state == 0) {
        return image.convertToFormat(QImage::Format_RGB32);
    }
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF bar(1.5, 1.5, image.width() - 3, image.height() - 3);
    QPainterPath path;
    path.addRoundedRect(bar, 6, 6);
    if (state == 1) {
        p.fillPath(path, Canvas::goldGradient(bar.top(), bar.bottom()));
        p.strokePath(path, QPen(alpha(GoldLight, 200), 1));
    } else {
        QLinearGradient pressed(0, bar.top(), 0, bar.bottom());
        pressed.setColorAt(0, GoldDeep);
        pressed.setColorAt(1, Gold);
        p.fillPath(path, pressed);
        p.strokePath(path, QPen(GoldDeep.darker(130), 1));
    }
    p.end();
    return image.convertToFormat(QImage::Format_RGB32);
}

} // namespace Popups
