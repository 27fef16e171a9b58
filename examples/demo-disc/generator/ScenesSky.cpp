#include "Backdrop.h"
#include "Canvas.h"
#include "Palette.h"
#include "Scenes.h"

#include <QPainter>
#include <QRadialGradient>
#include <cmath>

using namespace Palette;

namespace {

quint32 step(quint32& state)
{
    state = state * 1664525u + 1013904223u;
    return state >> 8;
}

void skyline(QPainter& p, const QSize& size, qreal ground, quint32 seed)
{
    quint32 state = seed;
    qreal x = -4;
    while (x < size.width()) {
        const qreal width = 22 + step(state) % 34;
        const qreal height = size.height() * (0.14 + (step(state) % 100) / 260.0);
        const QRectF house(x, ground - height, width, height);
        p.fillRect(house, QColor(18, 16, 40));
        for (qreal wy = house.top() + 6; wy < ground - 6; wy += 9) {
            for (qreal wx = house.left() + 4; wx < house.right() - 5; wx += 7) {
                if (step(state) % 5 == 0) {
                    p.fillRect(QRectF(wx, wy, 3, 4), QColor(255, 214, 130, 200));
                }
            }
        }
        x += width + 2;
    }
}

} // namespace

namespace Scenes {

QImage city(const QSize& size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Ink);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal w = size.width();
    const qreal h = size.height();
    const qreal ground = h * 0.68;
    QLinearGradient sky(0, 0, 0, ground);
    sky.setColorAt(0, QColor(20, 16, 50));
    sky.setColorAt(1, QColor(110, 60, 120));
    p.fillRect(QRectF(0, 0, w, ground), sky);
    Backdrop::sparkles(p, QRect(0, 0, int(w), int(ground * 0.6)), 45, 60);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 240, 214));
    p.drawEllipse(QPointF(w * 0.8, h * 0.18), h * 0.07, h * 0.07);
    skyline(p, size, ground, 5);
    QImage reflection = image.copy(0, int(ground - h * 0.32), int(w), int(h * 0.32)).mirrored();
    QLinearGradient water(0, ground, 0, h);
    water.setColorAt(0, QColor(36, 26, 70));
    water.setColorAt(1, QColor(10, 8, 24));
    p.fillRect(QRectF(0, ground, w, h - ground), water);
    p.setOpacity(0.35);
    p.drawImage(QPointF(0, ground), reflection);
    p.setOpacity(1);
    for (int i = 0; i < 18; ++i) {
        p.fillRect(QRectF(std::fmod(i * 61.0, w), ground + 6 + i * 5, 40, 1), QColor(0, 0, 0, 70));
    }
    return image;
}

QImage planet(const QSize& size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(QColor(6, 5, 16));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal w = size.width();
    const qreal h = size.height();
    QRadialGradient nebula(QPointF(w * 0.25, h * 0.3), h * 0.6);
    nebula.setColorAt(0, QColor(150, 70, 170, 120));
    nebula.setColorAt(1, QColor(150, 70, 170, 0));
    p.fillRect(image.rect(), nebula);
    QRadialGradient second(QPointF(w * 0.85, h * 0.85), h * 0.5);
    second.setColorAt(0, QColor(60, 150, 190, 90));
    second.setColorAt(1, QColor(60, 150, 190, 0));
    p.fillRect(image.rect(), second);
    Backdrop::sparkles(p, image.rect(), 77, 160);
    const QPointF centre(w * 0.56, h * 0.52);
    const qreal r = h * 0.26;
    const QRectF ring(centre.x() - r * 2, centre.y() - r * 0.45, r * 4, r * 0.9);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(236, 206, 150, 150), r * 0.12));
    p.drawArc(ring, 0, 180 * 16);
    QRadialGradient body(centre - QPointF(r * 0.4, r * 0.4), r * 1.5);
    body.setColorAt(0, QColor(255, 214, 160));
    body.setColorAt(0.5, QColor(210, 120, 90));
    body.setColorAt(1, QColor(40, 20, 40));
    p.setPen(Qt::NoPen);
    p.setBrush(body);
    p.drawEllipse(centre, r, r);
    p.setPen(QPen(QColor(255, 255, 255, 22), r * 0.06));
    for (int band = -2; band <= 2; ++band) {
        const qreal y = centre.y() + band * r * 0.3;
        const qreal half = std::sqrt(std::max(0.0, r * r - (y - centre.y()) * (y - centre.y())));
        p.drawLine(QPointF(centre.x() - half * 0.95, y), QPointF(centre.x() + half * 0.95, y));
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(236, 206, 150, 190), r * 0.12));
    p.drawArc(ring, 180 * 16, 180 * 16);
    return image;
}

QImage pattern(const QSize& size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Parchment);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal u = size.height() / 10.0;
    p.setPen(Qt::NoPen);
    p.setBrush(Indigo);
    p.drawRect(QRectF(0, 0, u * 4, size.height()));
    p.setBrush(Gold);
    p.drawEllipse(QPointF(u * 4, u * 4), u * 2.6, u * 2.6);
    p.setBrush(Rose);
    p.drawPie(QRectF(u * 7, u * 5, u * 6, u * 6), 0, 180 * 16);
    p.setBrush(Teal);
    p.drawRect(QRectF(u * 10, u * 1.4, u * 2.2, u * 2.2));
    p.setBrush(Violet);
    p.drawPolygon(
        QPolygonF({QPointF(u * 1, u * 9), QPointF(u * 3.4, u * 5.6), QPointF(u * 5.8, u * 9)}));
    p.setPen(QPen(Ink, u * 0.18, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(u * 6, u * 1), QPointF(size.width() - u, u * 1));
    p.drawLine(QPointF(u * 12.8, u * 4.2), QPointF(u * 12.8, u * 8.4));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Lavender, u * 0.14));
    p.drawEllipse(QPointF(u * 4, u * 4), u * 1.4, u * 1.4);
    p.setPen(QPen(Ink, u * 0.1));
    for (int i = 0; i < 5; ++i) {
        p.drawLine(QPointF(u * 7 + i * u * 0.5, u * 2.5), QPointF(u * 7 + i * u * 0.5, u * 4));
    }
    return image;
}

QList<Scene> all()
{
    return {
        {QStringLiteral("gory"), QStringLiteral("Горы на закате"), true, &mountains},
        {QStringLiteral("mayak"), QStringLiteral("Маяк"), false, &lighthouse},
        {QStringLiteral("siyanie"), QStringLiteral("Северное сияние"), true, &aurora},
        {QStringLiteral("gorod"), QStringLiteral("Ночной город"), false, &city},
        {QStringLiteral("planeta"), QStringLiteral("Планета с кольцом"), true, &planet},
        {QStringLiteral("uzor"), QStringLiteral("Узор"), false, &pattern},
    };
}

QImage slide(const Scene& scene, const QSize& size)
{
    QImage image = scene.paint(size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF band(0, size.height() - 34, size.width(), 34);
    QLinearGradient shade(0, band.top(), 0, band.bottom());
    shade.setColorAt(0, QColor(10, 8, 24, 0));
    shade.setColorAt(0.4, QColor(10, 8, 24, 170));
    shade.setColorAt(1, QColor(10, 8, 24, 210));
    p.fillRect(band, shade);
    p.setFont(Canvas::font(QStringLiteral("DejaVu Serif"), 15, true));
    p.setPen(GoldLight);
    p.drawText(band.adjusted(14, 6, -14, 0), Qt::AlignLeft | Qt::AlignVCenter, scene.title);
    return image;
}

} // namespace Scenes
