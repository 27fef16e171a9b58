#include "Backdrop.h"

#include "Canvas.h"
#include "Palette.h"

#include <QPainter>
#include <QRadialGradient>

using namespace Palette;

namespace {

QPainterPath outlinePath(const QPolygon& outline)
{
    QPainterPath path;
    if (outline.size() >= 3) {
        path.addPolygon(QPolygonF(outline));
        path.closeSubpath();
    } else {
        path.addRect(0, 0, Backdrop::Width, Backdrop::Height);
    }
    return path;
}

void tray(QPainter& p)
{
    const QRectF body(706.5, 10.5, 79, 39);
    QPainterPath path;
    path.addRoundedRect(body, 10, 10);
    QLinearGradient fill(0, body.top(), 0, body.bottom());
    fill.setColorAt(0, QColor(30, 24, 60));
    fill.setColorAt(1, QColor(18, 14, 38));
    p.fillPath(path, fill);
    p.strokePath(path, QPen(alpha(Lavender, 55), 1));
    p.setPen(QPen(alpha(Lavender, 40), 1));
    p.drawLine(QPointF(746, 19), QPointF(746, 41));
}

quint32 nextRandom(quint32& state)
{
    state = state * 1664525u + 1013904223u;
    return state >> 8;
}

} // namespace

namespace Backdrop {

QImage base(const QPolygon& outline, QPointF glowCentre)
{
    QImage image(Width, Height, QImage::Format_ARGB32_Premultiplied);
    image.fill(QColor(8, 6, 18));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setClipPath(outlinePath(outline));
    QLinearGradient sky(0, 0, 0, Height);
    sky.setColorAt(0, QColor(38, 30, 76));
    sky.setColorAt(0.55, QColor(22, 17, 46));
    sky.setColorAt(1, QColor(11, 9, 24));
    p.fillRect(image.rect(), sky);
    QRadialGradient glow(glowCentre, 430);
    glow.setColorAt(0, alpha(Violet, 90));
    glow.setColorAt(0.6, alpha(Indigo, 30));
    glow.setColorAt(1, alpha(Indigo, 0));
    p.fillRect(image.rect(), glow);
    QRadialGradient warm(QPointF(120, 60), 320);
    warm.setColorAt(0, alpha(Gold, 26));
    warm.setColorAt(1, alpha(Gold, 0));
    p.fillRect(image.rect(), warm);
    return image;
}

void finish(QImage& image, const QPolygon& outline, quint32 seed)
{
    Canvas::addGrain(image, image.rect(), seed, 3);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QPainterPath path = outlinePath(outline);
    p.setClipPath(path);
    p.strokePath(path, QPen(alpha(Lilac, 150), 2.5));
    p.strokePath(path, QPen(QColor(0, 0, 0, 160), 1));
    p.setClipping(false);
    tray(p);
}

void header(QPainter& p)
{
    const QRectF band(0, 0, Width, HeaderHeight);
    QLinearGradient fill(0, 0, 0, HeaderHeight);
    fill.setColorAt(0, QColor(48, 38, 94, 235));
    fill.setColorAt(1, QColor(30, 24, 62, 235));
    p.fillRect(band, fill);
    p.save();
    p.setClipRect(band);
    p.setPen(QPen(QColor(255, 255, 255, 7), 1));
    for (int x = -HeaderHeight; x < Width; x += 7) {
        p.drawLine(QPointF(x, HeaderHeight), QPointF(x + HeaderHeight, 0));
    }
    p.restore();
    QLinearGradient rule(0, 0, Width, 0);
    rule.setColorAt(0, alpha(Gold, 0));
    rule.setColorAt(0.15, alpha(Gold, 170));
    rule.setColorAt(0.85, alpha(Gold, 170));
    rule.setColorAt(1, alpha(Gold, 0));
    p.fillRect(QRectF(0, HeaderHeight - 1, Width, 1), rule);
    p.fillRect(QRectF(0, HeaderHeight, Width, 3), QColor(0, 0, 0, 60));

    emblem(p, QPointF(46, 34), 20);
    const QFont brand = Canvas::font(QStringLiteral("DejaVu Serif"), 19, true);
    const QPainterPath name =
        Canvas::textPath(brand, QPointF(76, 40), QStringLiteral("Демонстрационный диск"));
    Canvas::softShadow(p, name, QPointF(0, 2), 2, QColor(0, 0, 0, 160));
    QLinearGradient ink(0, 24, 0, 42);
    ink.setColorAt(0, Qt::white);
    ink.setColorAt(1, Mist);
    p.fillPath(name, ink);
}

void well(QPainter& p, const QRectF& rect, qreal radius, const QColor& fill)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    p.fillPath(path.translated(0, 1), QColor(255, 255, 255, 30));
    p.fillPath(path, fill);
    p.setClipPath(path);
    QLinearGradient inner(0, rect.top(), 0, rect.top() + 7);
    inner.setColorAt(0, QColor(0, 0, 0, 110));
    inner.setColorAt(1, QColor(0, 0, 0, 0));
    p.fillRect(rect, inner);
    p.setClipping(false);
    p.strokePath(path, QPen(QColor(0, 0, 0, 140), 1));
    p.restore();
}

void card(QPainter& p, const QRectF& rect, qreal radius)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    Canvas::softShadow(p, path, QPointF(0, 4), 6, QColor(0, 0, 0, 90));
    QLinearGradient frost(0, rect.top(), 0, rect.bottom());
    frost.setColorAt(0, QColor(255, 255, 255, 20));
    frost.setColorAt(1, QColor(255, 255, 255, 8));
    p.fillPath(path, frost);
    p.strokePath(path, QPen(alpha(Lavender, 45), 1));
    p.restore();
}

void label(QPainter& p, qreal centreX, qreal top, const QString& text)
{
    p.save();
    const QFont font = Canvas::font(QStringLiteral("DejaVu Sans"), 9, true);
    p.setFont(font);
    p.setPen(alpha(Mist, 170));
    const qreal width = Canvas::trackedWidth(font, text, 1.6);
    Canvas::drawTracked(p, QPointF(centreX - width / 2, top + 8), text, 1.6);
    p.restore();
}

void sparkles(QPainter& p, const QRect& area, quint32 seed, int count)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    quint32 state = seed;
    for (int i = 0; i < count; ++i) {
        const qreal x = area.left() + nextRandom(state) % quint32(area.width());
        const qreal y = area.top() + nextRandom(state) % quint32(area.height());
        const int brightness = 40 + int(nextRandom(state) % 150);
        const qreal size = 0.5 + (nextRandom(state) % 100) / 80.0;
        p.setBrush(QColor(236, 230, 255, brightness));
        p.drawEllipse(QPointF(x, y), size, size);
    }
    p.restore();
}

} // namespace Backdrop
