#include "Canvas.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <vector>

namespace {

// One box pass over the premultiplied channels, along rows (or columns).
void boxPass(QImage& image, int radius, bool alongRows)
{
    const int outer = alongRows ? image.height() : image.width();
    const int inner = alongRows ? image.width() : image.height();
    std::vector<int> sums(4 * (inner + 1));
    for (int line = 0; line < outer; ++line) {
        auto pixel = [&](int i) -> QRgb& {
            const int x = alongRows ? i : line;
            const int y = alongRows ? line : i;
            return reinterpret_cast<QRgb*>(image.scanLine(y))[x];
        };
        for (int i = 0; i < inner; ++i) {
            const QRgb value = pixel(i);
            const int channels[4] = {qAlpha(value), qRed(value), qGreen(value), qBlue(value)};
            for (int c = 0; c < 4; ++c) {
                sums[4 * (i + 1) + c] = sums[4 * i + c] + channels[c];
            }
        }
        for (int i = 0; i < inner; ++i) {
            const int from = std::max(0, i - radius);
            const int to = std::min(inner - 1, i + radius);
            const int count = 2 * radius + 1;
            int channels[4];
            for (int c = 0; c < 4; ++c) {
                channels[c] = (sums[4 * (to + 1) + c] - sums[4 * from + c]) / count;
            }
            pixel(i) = qRgba(channels[1], channels[2], channels[3], channels[0]);
        }
    }
}

} // namespace

namespace Canvas {

QImage transparentImage(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

void blur(QImage& image, int radius)
{
    if (radius <= 0) {
        return;
    }
    image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    for (int pass = 0; pass < 3; ++pass) {
        boxPass(image, radius, true);
        boxPass(image, radius, false);
    }
}

void softShadow(QPainter& painter, const QPainterPath& path, QPointF offset, int radius,
                const QColor& color)
{
    const int margin = 3 * radius + 2;
    const QRect bounds =
        path.boundingRect().toAlignedRect().adjusted(-margin, -margin, margin, margin);
    QImage shadow = transparentImage(bounds.width(), bounds.height());
    {
        QPainter shape(&shadow);
        shape.setRenderHint(QPainter::Antialiasing);
        shape.translate(-bounds.topLeft());
        shape.fillPath(path, color);
    }
    blur(shadow, radius);
    painter.drawImage(QPointF(bounds.topLeft()) + offset, shadow);
}

void addGrain(QImage& image, const QRect& area, quint32 seed, int strength)
{
    const QRect clipped = area.intersected(image.rect());
    quint32 state = seed * 2654435761u + 12345u;
    for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = clipped.left(); x <= clipped.right(); ++x) {
            state = state * 1664525u + 1013904223u;
            const int noise = int((state >> 24) % quint32(2 * strength + 1)) - strength;
            const QRgb value = line[x];
            line[x] = qRgba(std::clamp(qRed(value) + noise, 0, 255),
                            std::clamp(qGreen(value) + noise, 0, 255),
                            std::clamp(qBlue(value) + noise, 0, 255), qAlpha(value));
        }
    }
}

QFont font(const QString& family, int pixelSize, bool bold)
{
    QFont result(family);
    result.setPixelSize(pixelSize);
    result.setBold(bold);
    result.setHintingPreference(QFont::PreferNoHinting);
    return result;
}

qreal drawTracked(QPainter& painter, QPointF baseline, const QString& text, qreal tracking)
{
    const QFontMetricsF metrics(painter.font());
    qreal x = baseline.x();
    for (const QChar letter : text) {
        painter.drawText(QPointF(x, baseline.y()), QString(letter));
        x += metrics.horizontalAdvance(letter) + tracking;
    }
    return x - tracking;
}

qreal trackedWidth(const QFont& font, const QString& text, qreal tracking)
{
    const QFontMetricsF metrics(font);
    qreal width = 0;
    for (const QChar letter : text) {
        width += metrics.horizontalAdvance(letter) + tracking;
    }
    return text.isEmpty() ? 0 : width - tracking;
}

QPainterPath textPath(const QFont& font, QPointF baseline, const QString& text)
{
    QPainterPath path;
    path.addText(baseline, font, text);
    return path;
}

QLinearGradient goldGradient(qreal top, qreal bottom)
{
    QLinearGradient gradient(0, top, 0, bottom);
    gradient.setColorAt(0.0, QColor(255, 236, 180));
    gradient.setColorAt(0.45, QColor(240, 190, 88));
    gradient.setColorAt(0.55, QColor(214, 156, 52));
    gradient.setColorAt(1.0, QColor(250, 206, 120));
    return gradient;
}

QPainterPath roundedRect(const QRectF& rect, qreal topLeft, qreal topRight, qreal bottomRight,
                         qreal bottomLeft)
{
    QPainterPath path;
    const qreal l = rect.left();
    const qreal t = rect.top();
    const qreal r = rect.right();
    const qreal b = rect.bottom();
    path.moveTo(l + topLeft, t);
    path.lineTo(r - topRight, t);
    path.arcTo(QRectF(r - 2 * topRight, t, 2 * topRight, 2 * topRight), 90, -90);
    path.lineTo(r, b - bottomRight);
    path.arcTo(QRectF(r - 2 * bottomRight, b - 2 * bottomRight, 2 * bottomRight, 2 * bottomRight),
               0, -90);
    path.lineTo(l + bottomLeft, b);
    path.arcTo(QRectF(l, b - 2 * bottomLeft, 2 * bottomLeft, 2 * bottomLeft), 270, -90);
    path.lineTo(l, t + topLeft);
    path.arcTo(QRectF(l, t, 2 * topLeft, 2 * topLeft), 180, -90);
    path.closeSubpath();
    return path;
}

} // namespace Canvas
