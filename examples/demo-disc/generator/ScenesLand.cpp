#include "Backdrop.h"
#include "Canvas.h"
#include "Palette.h"
#include "Scenes.h"

#include <QPainter>
#include <QRadialGradient>
#include <cmath>

using namespace Palette;

namespace {

// A ridge line across the picture from a few fixed waves.
QPainterPath ridge(const QSize& size, qreal base, qreal height, qreal phase, qreal detail)
{
    QPainterPath path;
    path.moveTo(0, size.height());
    for (int x = 0; x <= size.width(); x += 2) {
        const qreal t = qreal(x) / size.width();
        const qreal y = base - height * (0.55 * std::sin(t * 5.1 + phase) +
                                         0.3 * std::sin(t * 11.3 + phase * 2.1) +
                                         detail * std::sin(t * 37.0 + phase * 3.7));
        path.lineTo(x, y);
    }
    path.lineTo(size.width(), size.height());
    path.closeSubpath();
    return path;
}

QImage canvasOf(const QSize& size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Ink);
    return image;
}

void stars(QPainter& p, const QSize& size, qreal bottom, quint32 seed, int count)
{
    Backdrop::sparkles(p, QRect(0, 0, size.width(), int(bottom)), seed, count);
}

} // namespace

namespace Scenes {

QImage mountains(const QSize& size)
{
    QImage image = canvasOf(size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal h = size.height();
    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0, QColor(52, 40, 104));
    sky.setColorAt(0.45, QColor(196, 104, 136));
    sky.setColorAt(0.7, QColor(255, 184, 120));
    sky.setColorAt(1, QColor(255, 220, 160));
    p.fillRect(image.rect(), sky);
    const QPointF sun(size.width() * 0.64, h * 0.58);
    QRadialGradient glow(sun, h * 0.45);
    glow.setColorAt(0, QColor(255, 240, 200, 200));
    glow.setColorAt(1, QColor(255, 240, 200, 0));
    p.fillRect(image.rect(), glow);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 246, 220));
    p.drawEllipse(sun, h * 0.09, h * 0.09);
    const QColor layers[4] = {QColor(176, 110, 150), QColor(120, 76, 132), QColor(74, 50, 108),
                              QColor(36, 26, 66)};
    for (int i = 0; i < 4; ++i) {
        p.fillPath(
            ridge(size, h * (0.62 + i * 0.1), h * (0.16 - i * 0.02), i * 1.7, 0.04 + i * 0.02),
            layers[i]);
    }
    return image;
}

QImage lighthouse(const QSize& size)
{
    QImage image = canvasOf(size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal w = size.width();
    const qreal h = size.height();
    const qreal horizon = h * 0.62;
    QLinearGradient sky(0, 0, 0, horizon);
    sky.setColorAt(0, QColor(10, 14, 40));
    sky.setColorAt(1, QColor(40, 58, 110));
    p.fillRect(QRectF(0, 0, w, horizon), sky);
    stars(p, size, horizon * 0.8, 21, 70);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 244, 220));
    p.drawEllipse(QPointF(w * 0.18, h * 0.2), h * 0.06, h * 0.06);
    p.setBrush(QColor(10, 14, 40));
    p.drawEllipse(QPointF(w * 0.18 + h * 0.025, h * 0.19), h * 0.055, h * 0.055);
    QLinearGradient sea(0, horizon, 0, h);
    sea.setColorAt(0, QColor(30, 50, 96));
    sea.setColorAt(1, QColor(8, 12, 30));
    p.fillRect(QRectF(0, horizon, w, h - horizon), sea);
    for (int i = 0; i < 26; ++i) {
        const qreal y = horizon + 4 + i * (h - horizon) / 26;
        const qreal x = std::fmod(i * 97.0, w * 0.8);
        p.fillRect(QRectF(x, y, w * 0.12 + i * 3, 1.2), QColor(140, 180, 230, 50));
    }
    const QPointF lamp(w * 0.72, h * 0.3);
    QPainterPath beam;
    beam.moveTo(lamp);
    beam.lineTo(0, h * 0.3);
    beam.lineTo(0, h * 0.52);
    beam.closeSubpath();
    QLinearGradient light(lamp, QPointF(0, h * 0.41));
    light.setColorAt(0, QColor(255, 236, 170, 150));
    light.setColorAt(1, QColor(255, 236, 170, 0));
    p.fillPath(beam, light);
    p.setBrush(QColor(14, 16, 30));
    p.drawEllipse(QPointF(w * 0.74, horizon + 6), w * 0.2, h * 0.07);
    const qreal base = horizon - 2;
    const QPolygonF tower({QPointF(lamp.x() - 14, base), QPointF(lamp.x() - 8, lamp.y() + 12),
                           QPointF(lamp.x() + 8, lamp.y() + 12), QPointF(lamp.x() + 14, base)});
    p.setBrush(QColor(236, 232, 240));
    p.drawPolygon(tower);
    p.setBrush(Rose);
    for (int band = 0; band < 3; ++band) {
        const qreal top = lamp.y() + 24 + band * (base - lamp.y() - 24) / 3;
        p.drawRect(QRectF(lamp.x() - 14, top, 28, 10));
    }
    QRadialGradient halo(lamp, 36);
    halo.setColorAt(0, QColor(255, 240, 190, 255));
    halo.setColorAt(1, QColor(255, 240, 190, 0));
    p.setBrush(halo);
    p.drawEllipse(lamp, 36, 36);
    p.setBrush(QColor(40, 40, 60));
    p.drawRect(QRectF(lamp.x() - 10, lamp.y() + 6, 20, 6));
    p.drawPolygon(QPolygonF({QPointF(lamp.x() - 11, lamp.y() - 8), QPointF(lamp.x(), lamp.y() - 20),
                             QPointF(lamp.x() + 11, lamp.y() - 8)}));
    return image;
}

QImage aurora(const QSize& size)
{
    QImage image = canvasOf(size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal w = size.width();
    const qreal h = size.height();
    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0, QColor(6, 10, 30));
    sky.setColorAt(1, QColor(20, 44, 70));
    p.fillRect(image.rect(), sky);
    stars(p, size, h * 0.7, 33, 90);
    p.setCompositionMode(QPainter::CompositionMode_Plus);
    const QColor curtains[3] = {QColor(60, 230, 170), QColor(80, 200, 230), QColor(170, 110, 240)};
    for (int band = 0; band < 3; ++band) {
        for (int x = 0; x < int(w); x += 2) {
            const qreal t = x / w;
            const qreal top = h * (0.16 + band * 0.07) + h * 0.08 * std::sin(t * 6.0 + band * 1.3);
            const qreal length = h * (0.22 + 0.08 * std::sin(t * 13.0 + band));
            QLinearGradient ray(0, top, 0, top + length);
            ray.setColorAt(0, alpha(curtains[band], 0));
            ray.setColorAt(0.7, alpha(curtains[band], 34));
            ray.setColorAt(1, alpha(curtains[band], 0));
            p.fillRect(QRectF(x, top, 2, length), ray);
        }
    }
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.fillPath(ridge(size, h * 0.86, h * 0.05, 0.4, 0.02), QColor(200, 214, 236));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(8, 16, 28));
    for (int i = 0; i < 13; ++i) {
        const qreal x = std::fmod(i * 53.0 + 17, w);
        const qreal tall = h * (0.12 + 0.06 * std::fmod(i * 0.37, 1.0));
        const qreal foot = h * 0.9 + std::fmod(i * 7.0, 10.0);
        p.drawPolygon(QPolygonF({QPointF(x, foot - tall), QPointF(x - tall * 0.28, foot),
                                 QPointF(x + tall * 0.28, foot)}));
    }
    p.fillRect(QRectF(0, h * 0.93, w, h * 0.07), QColor(8, 16, 28));
    return image;
}

} // namespace Scenes
