#include "Controls.h"

#include "Canvas.h"
#include "Palette.h"

#include <QPainter>

using namespace Palette;

namespace {

// Fill, border and icon colour of a surface in a given state.
struct Surface {
    QBrush fill;
    QColor border;
    qreal borderWidth = 1.0;
    QColor glyph;
};

Surface surfaceOf(const Look& look, const QRectF& body)
{
    Surface surface;
    if (look.on) {
        QLinearGradient gold = Canvas::goldGradient(body.top(), body.bottom());
        if (look.hover) {
            gold.setColorAt(0.0, QColor(255, 246, 214));
            gold.setColorAt(1.0, QColor(255, 222, 150));
        }
        surface.fill = gold;
        surface.border = look.hover ? GoldLight : GoldDeep;
        surface.glyph = Ink;
        return surface;
    }
    QLinearGradient glass(0, body.top(), 0, body.bottom());
    if (look.pressed) {
        glass.setColorAt(0, alpha(Ink, 190));
        glass.setColorAt(1, alpha(Dusk, 200));
        surface.border = GoldDeep;
        surface.glyph = Qt::white;
    } else if (look.hover) {
        glass.setColorAt(0, QColor(255, 255, 255, 52));
        glass.setColorAt(1, QColor(255, 255, 255, 18));
        surface.border = Gold;
        surface.borderWidth = 1.4;
        surface.glyph = GoldLight;
    } else {
        glass.setColorAt(0, QColor(255, 255, 255, 26));
        glass.setColorAt(1, QColor(255, 255, 255, 8));
        surface.border = alpha(Lavender, 70);
        surface.glyph = Mist;
    }
    surface.fill = glass;
    return surface;
}

// A glow around body that does not shine through its translucent fill.
void glow(QPainter& p, const QPainterPath& body, int radius, const QColor& color)
{
    QPainterPath outside;
    outside.addRect(QRectF(0, 0, p.device()->width(), p.device()->height()));
    p.save();
    p.setClipPath(outside.subtracted(body));
    Canvas::softShadow(p, body, QPointF(0, 0), radius, color);
    p.restore();
}

// Shadow, fill, a light edge along the top and the border of a body.
void paintBody(QPainter& p, const QPainterPath& body, const Look& look)
{
    if (!look.pressed) {
        Canvas::softShadow(p, body, QPointF(0, 1.5), 2, QColor(0, 0, 0, 110));
    }
    if (look.hover && !look.pressed) {
        glow(p, body, 3, alpha(Gold, look.on ? 140 : 110));
    }
    const Surface surface = surfaceOf(look, body.boundingRect());
    p.fillPath(body, surface.fill);
    if (!look.pressed) {
        QLinearGradient shine(0, body.boundingRect().top(), 0, body.boundingRect().center().y());
        shine.setColorAt(0, QColor(255, 255, 255, look.on ? 150 : 60));
        shine.setColorAt(1, QColor(255, 255, 255, 0));
        p.strokePath(body, QPen(QBrush(shine), 1.0));
    }
    p.strokePath(body, QPen(surface.border, surface.borderWidth));
}

QRectF glyphBox(const QRectF& body, qreal size, qreal left)
{
    return QRectF(body.left() + left, body.center().y() - size / 2, size, size);
}

void big(QPainter& p, const Recipe& recipe, const Look& look)
{
    const qreal shift = look.pressed ? 1 : 0;
    const QRectF body = QRectF(4, 3 + shift, recipe.size.width() - 8, 46);
    QPainterPath path;
    path.addRoundedRect(body, 14, 14);
    if (!look.pressed) {
        Canvas::softShadow(p, path, QPointF(0, 4), 4, QColor(0, 0, 0, 140));
    }
    if (look.hover && !look.pressed) {
        glow(p, path, 5, alpha(Gold, 110));
    }
    QLinearGradient glass(0, body.top(), 0, body.bottom());
    glass.setColorAt(0, look.pressed ? alpha(Ink, 220) : alpha(Violet, look.hover ? 215 : 165));
    glass.setColorAt(0.5, look.pressed ? alpha(Night, 225) : alpha(Indigo, look.hover ? 225 : 190));
    glass.setColorAt(1, look.pressed ? alpha(Dusk, 230) : alpha(Night, 215));
    p.fillPath(path, glass);
    QLinearGradient shine(0, body.top(), 0, body.top() + 20);
    shine.setColorAt(0, QColor(255, 255, 255, look.pressed ? 10 : 46));
    shine.setColorAt(1, QColor(255, 255, 255, 0));
    QPainterPath upper;
    upper.addRoundedRect(body.adjusted(2, 2, -2, -24), 12, 10);
    p.fillPath(upper, shine);
    p.strokePath(path, QPen(look.hover ? Gold : alpha(Lavender, 80), look.hover ? 1.5 : 1.0));

    const QPointF centre(body.left() + 28, body.center().y());
    p.setPen(QPen(look.hover ? GoldLight : Gold, 1.5));
    p.setBrush(alpha(Ink, look.pressed ? 230 : 170));
    p.drawEllipse(centre, 16, 16);
    const QColor glyph = look.pressed ? Qt::white : look.hover ? GoldLight : Lavender;
    Glyphs::draw(p, recipe.glyph, QRectF(centre - QPointF(10, 10), QSizeF(20, 20)), glyph);
    const qreal arrowX = body.right() - 26 + (look.hover ? 4 : 0);
    Glyphs::draw(p, Glyph::ChevronRight, QRectF(arrowX, centre.y() - 8, 16, 16),
                 look.hover ? GoldLight : alpha(Lavender, 110));
}

void system(QPainter& p, const Recipe& recipe, const Look& look)
{
    const QPointF centre(14, 14 + (look.pressed ? 0.5 : 0));
    QColor fill = alpha(Lavender, 22);
    QColor glyph = Mist;
    if (look.hover) {
        fill = recipe.danger ? Rose : alpha(Gold, 230);
        glyph = recipe.danger ? QColor(Qt::white) : Ink;
    }
    if (look.pressed) {
        fill = recipe.danger ? Rose.darker(140) : GoldDeep;
        glyph = Qt::white;
    }
    p.setPen(QPen(look.hover ? alpha(Qt::white, 90) : alpha(Lavender, 60), 1));
    p.setBrush(fill);
    p.drawEllipse(centre, 12, 12);
    Glyphs::draw(p, recipe.glyph, QRectF(centre - QPointF(7, 7), QSizeF(14, 14)), glyph);
}

void tab(QPainter& p, const Look& look)
{
    const QRectF body(1.5, 2.5, 69, 29);
    QPainterPath path;
    path.addRoundedRect(body, 8, 8);
    paintBody(p, path, look);
    const QColor marker = look.on ? Ink : look.hover ? GoldLight : alpha(Lavender, 90);
    p.setPen(Qt::NoPen);
    p.setBrush(marker);
    p.drawRoundedRect(QRectF(body.left() + 4, body.top() + 8, 3, body.height() - 16), 1.5, 1.5);
}

void shaped(QPainter& p, const Recipe& recipe, const Look& look)
{
    const QSizeF size = recipe.size;
    QRectF body(1.5, 1.5, size.width() - 3, size.height() - 4);
    QPainterPath path;
    qreal glyphSize = std::min(18.0, body.height() - 12);
    qreal glyphLeft = (body.width() - glyphSize) / 2;
    switch (recipe.shape) {
    case Shape::Pill: {
        const qreal radius = size.height() <= 30 ? body.height() / 2 : 10;
        path.addRoundedRect(body, radius, radius);
        glyphSize = size.height() <= 30 ? 16 : 18;
        glyphLeft = size.height() <= 30 ? 11 : 13;
        break;
    }
    case Shape::SplitLeft:
        body.setRight(size.width());
        path = Canvas::roundedRect(body, 10, 0, 0, 10);
        glyphLeft = (body.width() - glyphSize) / 2 + 1;
        break;
    case Shape::SplitRight:
        body.setLeft(0.5);
        path = Canvas::roundedRect(body, 0, 10, 10, 0);
        glyphSize = 14;
        glyphLeft = (body.width() - glyphSize) / 2 - 0.5;
        break;
    case Shape::Round:
        path.addRoundedRect(body, body.height() / 2, body.height() / 2);
        glyphSize = 20;
        glyphLeft = (body.width() - glyphSize) / 2;
        break;
    case Shape::Mini:
        path.addRoundedRect(body, 6, 6);
        glyphSize = 12;
        glyphLeft = (body.width() - glyphSize) / 2;
        break;
    default:
        path.addRoundedRect(body, 9, 9);
        break;
    }
    paintBody(p, path, look);
    if (recipe.shape == Shape::SplitRight) {
        p.setPen(QPen(alpha(Lavender, look.hover ? 120 : 50), 1));
        p.drawLine(QPointF(0.5, body.top() + 7), QPointF(0.5, body.bottom() - 7));
    }
    if (recipe.glyph != Glyph::None) {
        const Surface surface = surfaceOf(look, body);
        Glyphs::draw(p, recipe.glyph, glyphBox(body, glyphSize, glyphLeft), surface.glyph);
    }
}

void column(QPainter& p, const Recipe& recipe, const Look& look)
{
    const QRectF body(1.5, 1.5, recipe.size.width() - 3, recipe.size.height() - 4);
    QPainterPath path;
    path.addRoundedRect(body, 10, 10);
    paintBody(p, path, look);
    const Surface surface = surfaceOf(look, body);
    Glyphs::draw(p, recipe.glyph, QRectF(body.center().x() - 11, 6, 22, 22), surface.glyph);
}

} // namespace

namespace Controls {

QImage paint(const Recipe& recipe, const Look& look, const QImage& under)
{
    QImage image = under.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    switch (recipe.shape) {
    case Shape::Big:
        big(painter, recipe, look);
        break;
    case Shape::System:
        system(painter, recipe, look);
        break;
    case Shape::Tab:
        tab(painter, look);
        break;
    case Shape::Column:
        column(painter, recipe, look);
        break;
    default:
        shaped(painter, recipe, look);
        break;
    }
    painter.end();
    return image.convertToFormat(QImage::Format_RGB32);
}

} // namespace Controls
