#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QLinearGradient>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <QString>

class QPainter;

// Painting helpers shared by every picture of the demo disc: soft shadows and
// glows, a deterministic film grain, fonts, tracked capitals and the gold
// gradient of the accents.
namespace Canvas {

// A fresh ARGB image filled with transparency.
QImage transparentImage(int width, int height);

// Blurs an ARGB32 (premultiplied) image in place by three box passes.
void blur(QImage& image, int radius);

// Paints a blurred copy of path filled with color, moved by offset: the
// soft shadow or glow under a shape.
void softShadow(QPainter& painter, const QPainterPath& path, QPointF offset, int radius,
                const QColor& color);

// Adds a fine, repeatable luminance grain to the pixels of area.
void addGrain(QImage& image, const QRect& area, quint32 seed, int strength);

// A font of the given family with its size in pixels.
QFont font(const QString& family, int pixelSize, bool bold);

// Draws text from the left end of baseline with extra spacing between letters;
// returns the x where the text ends.
qreal drawTracked(QPainter& painter, QPointF baseline, const QString& text, qreal tracking);

// Width of text drawn by drawTracked.
qreal trackedWidth(const QFont& font, const QString& text, qreal tracking);

// Text as a path, for filling with gradients and casting shadows.
QPainterPath textPath(const QFont& font, QPointF baseline, const QString& text);

// The vertical gold gradient of the accents between top and bottom.
QLinearGradient goldGradient(qreal top, qreal bottom);

// A rectangle with its own radius at each corner (top-left, top-right,
// bottom-right, bottom-left).
QPainterPath roundedRect(const QRectF& rect, qreal topLeft, qreal topRight, qreal bottomRight,
                         qreal bottomLeft);

} // namespace Canvas
