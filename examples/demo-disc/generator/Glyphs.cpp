#include "Glyphs.h"

#include "Canvas.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <cmath>

namespace {

// Glyphs are designed on a 24 x 24 grid; unit() maps grid points into the box.
struct Grid {
    QRectF box;
    qreal unit() const { return box.width() / 24.0; }
    QPointF at(qreal x, qreal y) const
    {
        return QPointF(box.left() + x * unit(), box.top() + y * unit());
    }
    QRectF rect(qreal x, qreal y, qreal w, qreal h) const
    {
        return QRectF(at(x, y), QSizeF(w * unit(), h * unit()));
    }
};

void book(QPainter& p, const Grid& g)
{
    QPainterPath left;
    left.moveTo(g.at(12, 6.5));
    left.cubicTo(g.at(9, 4.5), g.at(5.5, 4.5), g.at(3, 5.5));
    left.lineTo(g.at(3, 18.5));
    left.cubicTo(g.at(5.5, 17.5), g.at(9, 17.5), g.at(12, 19.5));
    QPainterPath right;
    right.moveTo(g.at(12, 6.5));
    right.cubicTo(g.at(15, 4.5), g.at(18.5, 4.5), g.at(21, 5.5));
    right.lineTo(g.at(21, 18.5));
    right.cubicTo(g.at(18.5, 17.5), g.at(15, 17.5), g.at(12, 19.5));
    p.drawPath(left);
    p.drawPath(right);
    p.drawLine(g.at(12, 6.5), g.at(12, 19.5));
}

void magnifier(QPainter& p, const Grid& g)
{
    p.drawEllipse(g.rect(4, 4, 11, 11));
    p.drawLine(g.at(13.5, 13.5), g.at(20, 20));
}

void info(QPainter& p, const Grid& g, const QColor& color)
{
    p.drawEllipse(g.rect(3.5, 3.5, 17, 17));
    p.drawLine(g.at(12, 11), g.at(12, 16.5));
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawEllipse(g.at(12, 7.8), 1.3 * g.unit(), 1.3 * g.unit());
    p.restore();
}

void door(QPainter& p, const Grid& g)
{
    p.drawPolyline(QPolygonF({g.at(13, 4), g.at(5, 4), g.at(5, 20), g.at(13, 20)}));
    p.drawLine(g.at(10, 12), g.at(20, 12));
    p.drawPolyline(QPolygonF({g.at(16.5, 8.5), g.at(20, 12), g.at(16.5, 15.5)}));
}

void dots(QPainter& p, const Grid& g, const QColor& color)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    for (const qreal x : {6.0, 12.0, 18.0}) {
        p.drawEllipse(g.at(x, 12), 1.8 * g.unit(), 1.8 * g.unit());
    }
    p.restore();
}

void arrow(QPainter& p, const Grid& g, bool left)
{
    const qreal tip = left ? 5 : 19;
    const qreal tail = left ? 19 : 5;
    const qreal wing = left ? 11 : 13;
    p.drawLine(g.at(tail, 12), g.at(tip, 12));
    p.drawPolyline(QPolygonF({g.at(wing, 6), g.at(tip, 12), g.at(wing, 18)}));
}

void chevron(QPainter& p, const Grid& g, bool left)
{
    const qreal tip = left ? 8 : 16;
    const qreal wing = left ? 15 : 9;
    p.drawPolyline(QPolygonF({g.at(wing, 5), g.at(tip, 12), g.at(wing, 19)}));
}

void house(QPainter& p, const Grid& g)
{
    p.drawPolyline(QPolygonF({g.at(3, 12), g.at(12, 4), g.at(21, 12)}));
    p.drawPolyline(QPolygonF({g.at(6, 10), g.at(6, 20), g.at(10, 20), g.at(10, 15), g.at(14, 15),
                              g.at(14, 20), g.at(18, 20), g.at(18, 10)}));
}

QPolygonF starShape(const Grid& g, QPointF centre, qreal outer)
{
    QPolygonF star;
    for (int i = 0; i < 10; ++i) {
        const qreal radius = (i % 2 == 0) ? outer : outer * 0.45;
        const qreal angle = (-90 + i * 36) * 3.14159265358979 / 180.0;
        star << g.at(centre.x() + radius * std::cos(angle), centre.y() + radius * std::sin(angle));
    }
    return star;
}

void printer(QPainter& p, const Grid& g)
{
    p.drawPolyline(QPolygonF({g.at(7, 9), g.at(7, 4), g.at(17, 4), g.at(17, 9)}));
    p.drawRoundedRect(g.rect(3.5, 9, 17, 8), 2 * g.unit(), 2 * g.unit());
    p.drawPolygon(QPolygonF({g.at(7, 14), g.at(17, 14), g.at(17, 20.5), g.at(7, 20.5)}));
}

void folder(QPainter& p, const Grid& g)
{
    p.drawPolygon(QPolygonF(
        {g.at(3, 6), g.at(9, 6), g.at(11, 8.5), g.at(21, 8.5), g.at(21, 19), g.at(3, 19)}));
}

void note(QPainter& p, const Grid& g, const QColor& color)
{
    p.drawPolyline(QPolygonF({g.at(9, 17), g.at(9, 5), g.at(19, 3), g.at(19, 15)}));
    p.save();
    p.setBrush(color);
    p.drawEllipse(g.rect(4.5, 15, 5.5, 4.5));
    p.drawEllipse(g.rect(14.5, 13, 5.5, 4.5));
    p.restore();
}

void contents(QPainter& p, const Grid& g, const QColor& color)
{
    const qreal rows[3] = {6, 12, 18};
    const qreal indents[3] = {9, 12, 12};
    for (int i = 0; i < 3; ++i) {
        p.drawLine(g.at(indents[i], rows[i]), g.at(21, rows[i]));
    }
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawEllipse(g.at(4.5, 6), 1.6 * g.unit(), 1.6 * g.unit());
    p.drawEllipse(g.at(7.5, 12), 1.3 * g.unit(), 1.3 * g.unit());
    p.drawEllipse(g.at(7.5, 18), 1.3 * g.unit(), 1.3 * g.unit());
    p.restore();
}

void letters(QPainter& p, const Grid& g, const QColor& color)
{
    p.save();
    p.setPen(color);
    p.setFont(Canvas::font(QStringLiteral("DejaVu Serif"), qRound(15 * g.unit()), true));
    p.drawText(g.at(1, 18.5), QStringLiteral("А"));
    p.setFont(Canvas::font(QStringLiteral("DejaVu Serif"), qRound(11 * g.unit()), true));
    p.drawText(g.at(13, 18.5), QStringLiteral("а"));
    p.restore();
}

void filled(QPainter& p, const QColor& color, const QPolygonF& shape)
{
    p.save();
    p.setBrush(color);
    p.drawPolygon(shape);
    p.restore();
}

void film(QPainter& p, const Grid& g)
{
    p.drawRoundedRect(g.rect(3, 5, 18, 14), 2 * g.unit(), 2 * g.unit());
    p.drawLine(g.at(7, 5), g.at(7, 19));
    p.drawLine(g.at(17, 5), g.at(17, 19));
    p.drawLine(g.at(3, 12), g.at(7, 12));
    p.drawLine(g.at(17, 12), g.at(21, 12));
}

void picture(QPainter& p, const Grid& g)
{
    p.drawRoundedRect(g.rect(3, 5, 18, 14), 2 * g.unit(), 2 * g.unit());
    p.drawPolyline(
        QPolygonF({g.at(5, 17), g.at(10, 11), g.at(14, 15), g.at(16, 13), g.at(19, 17)}));
    p.drawEllipse(g.at(16, 9), 1.5 * g.unit(), 1.5 * g.unit());
}

} // namespace

namespace Glyphs {

void draw(QPainter& painter, Glyph glyph, const QRectF& box, const QColor& color)
{
    const Grid g{box};
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(
        QPen(color, std::max(1.2, 1.9 * g.unit()), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    switch (glyph) {
    case Glyph::None:
        break;
    case Glyph::Book:
        book(painter, g);
        break;
    case Glyph::Magnifier:
        magnifier(painter, g);
        break;
    case Glyph::Info:
        info(painter, g, color);
        break;
    case Glyph::Door:
        door(painter, g);
        break;
    case Glyph::Dots:
        dots(painter, g, color);
        break;
    case Glyph::Minus:
        painter.drawLine(g.at(6, 12), g.at(18, 12));
        break;
    case Glyph::Cross:
        painter.drawLine(g.at(7, 7), g.at(17, 17));
        painter.drawLine(g.at(17, 7), g.at(7, 17));
        break;
    case Glyph::ArrowLeft:
        arrow(painter, g, true);
        break;
    case Glyph::ArrowRight:
        arrow(painter, g, false);
        break;
    case Glyph::Caret:
        filled(painter, color, QPolygonF({g.at(7, 10), g.at(17, 10), g.at(12, 15.5)}));
        break;
    case Glyph::House:
        house(painter, g);
        break;
    case Glyph::Star:
        painter.drawPolygon(starShape(g, QPointF(12, 12.8), 9));
        break;
    case Glyph::StarPlus:
        painter.drawPolygon(starShape(g, QPointF(10.5, 13), 8));
        painter.drawLine(g.at(19.5, 2.5), g.at(19.5, 8.5));
        painter.drawLine(g.at(16.5, 5.5), g.at(22.5, 5.5));
        break;
    case Glyph::Printer:
        printer(painter, g);
        break;
    case Glyph::FolderArrow:
        folder(painter, g);
        painter.drawLine(g.at(8, 14), g.at(16, 14));
        painter.drawPolyline(QPolygonF({g.at(13, 11), g.at(16, 14), g.at(13, 17)}));
        break;
    case Glyph::Folder:
        folder(painter, g);
        break;
    case Glyph::Note:
        note(painter, g, color);
        break;
    case Glyph::Contents:
        contents(painter, g, color);
        break;
    case Glyph::Letters:
        letters(painter, g, color);
        break;
    case Glyph::Play:
        filled(painter, color, QPolygonF({g.at(8, 5), g.at(19, 12), g.at(8, 19)}));
        break;
    case Glyph::Pause:
        filled(painter, color, QPolygonF(g.rect(6.5, 5.5, 3.5, 13)));
        filled(painter, color, QPolygonF(g.rect(14, 5.5, 3.5, 13)));
        break;
    case Glyph::Stop:
        filled(painter, color, QPolygonF(g.rect(6.5, 6.5, 11, 11)));
        break;
    case Glyph::Film:
        film(painter, g);
        break;
    case Glyph::Picture:
        picture(painter, g);
        break;
    case Glyph::ChevronLeft:
        chevron(painter, g, true);
        break;
    case Glyph::ChevronRight:
        chevron(painter, g, false);
        break;
    }
    painter.restore();
}

} // namespace Glyphs
