#include "Backdrop.h"
#include "Canvas.h"
#include "Palette.h"

#include <QConicalGradient>
#include <QFontMetricsF>
#include <QPainter>
#include <QRadialGradient>
#include <algorithm>

using namespace Palette;

namespace {

constexpr qreal DegreesPerRadian = 180 / 3.14159265358979;

// Letters set around a circle, reading clockwise from the top.
void ringText(QPainter& p, QPointF centre, qreal radius, const QString& text)
{
    const QFont font = Canvas::font(QStringLiteral("DejaVu Sans"), 8, true);
    const QFontMetricsF metrics(font);
    const qreal total = Canvas::trackedWidth(font, text, 1.8);
    qreal angle = -90 - (total / 2) / radius * DegreesPerRadian;
    p.save();
    p.setFont(font);
    p.setPen(Palette::alpha(Palette::GoldLight, 170));
    for (const QChar letter : text) {
        const qreal advance = metrics.horizontalAdvance(letter) + 1.8;
        const qreal middle = angle + (advance / 2) / radius * DegreesPerRadian;
        p.save();
        p.translate(centre);
        p.rotate(middle + 90);
        p.drawText(QPointF(-metrics.horizontalAdvance(letter) / 2, -radius), QString(letter));
        p.restore();
        angle += advance / radius * DegreesPerRadian;
    }
    p.restore();
}

} // namespace

namespace Backdrop {

void emblem(QPainter& p, QPointF centre, qreal radius)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath body;
    body.addEllipse(centre, radius, radius);
    Canvas::softShadow(p, body, QPointF(0, radius * 0.1), int(radius * 0.15) + 1,
                       QColor(0, 0, 0, 150));
    QConicalGradient shimmer(centre, 30);
    const QColor stops[] = {QColor(255, 226, 170), QColor(150, 214, 226), QColor(196, 168, 250),
                            QColor(255, 240, 214), QColor(140, 186, 250), QColor(255, 226, 170)};
    for (int i = 0; i < 6; ++i) {
        shimmer.setColorAt(i / 5.0, stops[i]);
    }
    p.fillPath(body, shimmer);
    p.setPen(QPen(QColor(255, 255, 255, 160), std::max(1.0, radius / 20)));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, radius - 0.5, radius - 0.5);
    p.setPen(Qt::NoPen);
    p.setBrush(Canvas::goldGradient(centre.y() - radius * 0.38, centre.y() + radius * 0.38));
    p.drawEllipse(centre, radius * 0.38, radius * 0.38);
    p.setBrush(Ink);
    p.drawEllipse(centre, radius * 0.13, radius * 0.13);
    p.restore();
}

void disc(QPainter& p, QPointF centre, qreal radius)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath body;
    body.addEllipse(centre, radius, radius);
    Canvas::softShadow(p, body, QPointF(12, 18), 14, QColor(0, 0, 0, 170));
    QRadialGradient metal(centre, radius);
    metal.setColorAt(0, QColor(206, 200, 232));
    metal.setColorAt(1, QColor(118, 108, 170));
    p.fillPath(body, metal);
    QConicalGradient shimmer(centre, 20);
    const QColor stops[] = {QColor(255, 206, 130, 150), QColor(110, 220, 232, 120),
                            QColor(200, 140, 255, 150), QColor(255, 244, 210, 110),
                            QColor(120, 170, 255, 130), QColor(255, 150, 200, 110),
                            QColor(255, 206, 130, 150)};
    for (int i = 0; i < 7; ++i) {
        shimmer.setColorAt(i / 6.0, stops[i]);
    }
    p.fillPath(body, shimmer);
    p.setBrush(Qt::NoBrush);
    for (qreal r = radius * 0.36; r < radius - 3; r += 2.5) {
        const int tone = (int(r) % 5 == 0) ? 26 : 12;
        p.setPen(QPen(QColor(255, 255, 255, tone), 0.8));
        p.drawEllipse(centre, r, r);
    }
    for (const qreal angle : {40.0, 220.0}) {
        QConicalGradient flare(centre, angle);
        flare.setColorAt(0, QColor(255, 255, 255, 130));
        flare.setColorAt(0.06, QColor(255, 255, 255, 0));
        flare.setColorAt(0.94, QColor(255, 255, 255, 0));
        flare.setColorAt(1, QColor(255, 255, 255, 130));
        p.fillPath(body, flare);
    }
    p.setPen(QPen(QColor(255, 255, 255, 170), 1.5));
    p.drawEllipse(centre, radius - 1, radius - 1);
    const qreal label = radius * 0.33;
    QRadialGradient face(centre, label);
    face.setColorAt(0, Indigo);
    face.setColorAt(1, Night);
    p.setPen(QPen(Gold, 2));
    p.setBrush(face);
    p.drawEllipse(centre, label, label);
    p.setPen(QPen(alpha(GoldLight, 120), 1));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, label - 6, label - 6);
    ringText(p, centre, label - 17, QStringLiteral("ДЕМОНСТРАЦИОННЫЙ  ·  ДИСК"));
    p.setPen(QPen(QColor(220, 214, 240), 2));
    p.setBrush(QColor(12, 10, 26));
    p.drawEllipse(centre, radius * 0.09, radius * 0.09);
    p.restore();
}

} // namespace Backdrop
