#include "Screens.h"

#include "Backdrop.h"
#include "Canvas.h"
#include "Clips.h"
#include "Glyphs.h"
#include "Palette.h"

#include <QPainter>
#include <QTextOption>

using namespace Palette;

namespace {

QRectF areaRect(const StructLayout& layout, const char* section, int screen)
{
    const QList<StructLayout::Area> areas = layout.areasOf(QLatin1String(section), screen);
    return areas.isEmpty() ? QRectF() : QRectF(areas.first().rect);
}

// "Демонстрационный диск" in one line above the 3-D area.
void logotype(QPainter& p)
{
    p.setFont(Canvas::font(QStringLiteral("DejaVu Sans"), 12, true));
    p.setPen(alpha(Gold, 220));
    Canvas::drawTracked(p, QPointF(66, 52), QStringLiteral("ИНТЕРАКТИВНОЕ ИЗДАНИЕ"), 3.2);

    const QFont serif = Canvas::font(QStringLiteral("DejaVu Serif"), 44, true);
    const QPainterPath first =
        Canvas::textPath(serif, QPointF(62, 108), QStringLiteral("Демонстрационный"));
    Canvas::softShadow(p, first, QPointF(0, 4), 4, QColor(0, 0, 0, 170));
    QLinearGradient light(0, 72, 0, 110);
    light.setColorAt(0, Qt::white);
    light.setColorAt(1, Mist);
    p.fillPath(first, light);

    const QPainterPath second = Canvas::textPath(
        serif, QPointF(first.boundingRect().right() + 16, 108), QStringLiteral("диск"));
    Canvas::softShadow(p, second, QPointF(0, 4), 4, QColor(0, 0, 0, 180));
    Canvas::softShadow(p, second, QPointF(0, 0), 8, alpha(Gold, 70));
    p.fillPath(second, Canvas::goldGradient(78, 110));
    p.strokePath(second, QPen(alpha(GoldLight, 140), 0.8));
}

// The stage of the 3-D area: the disc at rest inside a lit frame, which
// stays on the screen while the clip plays.
void videoStage(QPainter& p)
{
    const QRectF area(Clips::VideoArea);
    QPainterPath frame;
    frame.addRoundedRect(area.adjusted(-5, -5, 5, 5), 8, 8);
    Canvas::softShadow(p, frame, QPointF(0, 6), 8, QColor(0, 0, 0, 170));
    p.fillPath(frame, QColor(24, 19, 50));
    p.strokePath(frame, QPen(alpha(Gold, 120), 1));
    p.drawImage(area.topLeft(), Clips::stageAtRest());
}

void panelFrame(QPainter& p, const QRectF& panel)
{
    QPainterPath frame;
    frame.addRoundedRect(panel.adjusted(-4, -4, 4, 4), 6, 6);
    Canvas::softShadow(p, frame, QPointF(0, 6), 8, QColor(0, 0, 0, 170));
    p.fillPath(frame, QColor(24, 19, 50));
    p.strokePath(frame, QPen(alpha(Lilac, 90), 1));
    p.fillRect(panel, Parchment);
    p.setPen(QPen(alpha(Gold, 150), 1));
    p.drawLine(QPointF(panel.left(), panel.top() - 0.5), QPointF(panel.right(), panel.top() - 0.5));
    p.save();
    p.setOpacity(0.06);
    Backdrop::emblem(p, panel.center(), 90);
    p.restore();
}

void mediaWell(QPainter& p, const QRectF& area, Glyph glyph)
{
    Backdrop::well(p, area.adjusted(-2, -2, 2, 2), 6, Ink);
    Glyphs::draw(p, glyph, QRectF(area.center() - QPointF(12, 12), QSizeF(24, 24)),
                 alpha(Lilac, 110));
}

void sideColumn(QPainter& p, const StructLayout& layout)
{
    Backdrop::card(p, QRectF(709.5, 89.5, 81, 425), 10);
    int firstMember = 0;
    for (const StructLayout::Element& element : layout.elements()) {
        if (element.kind == StructLayout::Kind::Group && element.screen == 2 &&
            (firstMember == 0 || element.position.y() < firstMember)) {
            firstMember = element.position.y();
        }
    }
    if (firstMember > 0) {
        Backdrop::label(p, 750, firstMember - 13, QStringLiteral("ГЛАВЫ"));
    }
    const QRectF picture = areaRect(layout, "_image", 2);
    if (!picture.isEmpty()) {
        Backdrop::label(p, 750, picture.top() - 16, QStringLiteral("РИСУНОК"));
        mediaWell(p, picture, Glyph::Picture);
    }
    const QRectF clip = areaRect(layout, "_clip", 2);
    if (!clip.isEmpty()) {
        Backdrop::label(p, 750, clip.top() - 16, QStringLiteral("ВИДЕО"));
        mediaWell(p, clip, Glyph::Film);
    }
}

void toolRow(QPainter& p, const StructLayout& layout)
{
    const QRectF path = areaRect(layout, "_path", 2);
    if (!path.isEmpty()) {
        const QRectF box = path.adjusted(-31, -9, 6, 9);
        Backdrop::well(p, box, 9, Parchment);
        Glyphs::draw(p, Glyph::Folder, QRectF(box.left() + 7, box.center().y() - 9, 18, 18),
                     Indigo);
    }
    const QRectF status(33.5, 562.5, 753, 27);
    QPainterPath strip;
    strip.addRoundedRect(status, 8, 8);
    p.fillPath(strip, QColor(0, 0, 0, 70));
    p.strokePath(strip, QPen(alpha(Lavender, 28), 1));
    p.setPen(Qt::NoPen);
    p.setBrush(Gold);
    p.drawEllipse(QPointF(42, status.center().y()), 2.5, 2.5);
}

void aboutCard(QPainter& p, const QRectF& rect)
{
    Backdrop::card(p, rect, 12);
    const QRectF inner = rect.adjusted(20, 18, -18, -18);
    p.setFont(Canvas::font(QStringLiteral("DejaVu Serif"), 22, true));
    p.setPen(GoldLight);
    p.drawText(QPointF(inner.left(), inner.top() + 20), QStringLiteral("О диске"));
    p.fillRect(QRectF(inner.left(), inner.top() + 32, 60, 1.5), alpha(Gold, 200));
    p.setFont(Canvas::font(QStringLiteral("DejaVu Sans"), 12, false));
    p.setPen(Mist);
    QTextOption wrap;
    wrap.setWrapMode(QTextOption::WordWrap);
    p.drawText(QRectF(inner.left(), inner.top() + 46, inner.width(), 120),
               QStringLiteral("Этот диск показывает оболочку за работой: окно, нарисованное "
                              "по описанию интерфейса, страницы из упакованного архива и "
                              "картинки с диска."),
               wrap);
    const QStringList points{QStringLiteral("три экрана"), QStringLiteral("страницы и оглавление"),
                             QStringLiteral("история и избранное"),
                             QStringLiteral("фоновая музыка"), QStringLiteral("показ картинок")};
    qreal y = inner.top() + 186;
    for (const QString& point : points) {
        p.setPen(Qt::NoPen);
        p.setBrush(Gold);
        p.drawPolygon(QPolygonF({QPointF(inner.left() + 1, y - 4), QPointF(inner.left() + 5, y - 8),
                                 QPointF(inner.left() + 9, y - 4), QPointF(inner.left() + 5, y)}));
        p.setPen(Lavender);
        p.drawText(QPointF(inner.left() + 18, y), point);
        y += 24;
    }
    p.fillRect(QRectF(inner.left(), inner.bottom() - 34, inner.width(), 1), alpha(Lavender, 40));
    p.setFont(Canvas::font(QStringLiteral("DejaVu Sans"), 10, false));
    p.setPen(Dim);
    p.drawText(QRectF(inner.left(), inner.bottom() - 28, inner.width(), 30),
               QStringLiteral("Картинки, звуки и музыка созданы программой при сборке диска."),
               wrap);
}

void pictureMount(QPainter& p, const QRectF& area)
{
    const QRectF frame = area.adjusted(-10, -10, 10, 10);
    QPainterPath path;
    path.addRoundedRect(frame, 6, 6);
    Canvas::softShadow(p, path, QPointF(0, 8), 10, QColor(0, 0, 0, 190));
    QLinearGradient wood(0, frame.top(), 0, frame.bottom());
    wood.setColorAt(0, QColor(44, 36, 84));
    wood.setColorAt(1, QColor(26, 21, 54));
    p.fillPath(path, wood);
    p.strokePath(path, QPen(alpha(Lilac, 100), 1));
    QPainterPath line;
    line.addRoundedRect(frame.adjusted(4.5, 4.5, -4.5, -4.5), 3, 3);
    p.strokePath(line, QPen(alpha(Gold, 170), 1));
    p.fillRect(area, QColor(10, 8, 22));
    Glyphs::draw(p, Glyph::Picture, QRectF(area.center() - QPointF(24, 24), QSizeF(48, 48)),
                 alpha(Lilac, 80));
}

} // namespace

namespace Screens {

QImage start(const StructLayout& layout)
{
    QImage image = Backdrop::base(layout.windowOutline(), QPointF(360, 264));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    Backdrop::sparkles(p, QRect(340, 20, 440, 110), 7, 30);
    Backdrop::sparkles(p, QRect(20, 400, 760, 180), 11, 30);
    logotype(p);
    videoStage(p);
    const QList<StructLayout::Element> elements = layout.elements();
    for (const StructLayout::Element& element : elements) {
        if (element.kind == StructLayout::Kind::Group && element.screen == 1) {
            Backdrop::label(p, element.position.x() + 36, 140, QStringLiteral("ВИД"));
            break;
        }
    }
    QLinearGradient rule(64, 0, 430, 0);
    rule.setColorAt(0, alpha(Lavender, 60));
    rule.setColorAt(1, alpha(Lavender, 0));
    p.fillRect(QRectF(64, 556, 366, 1), rule);
    p.end();
    Backdrop::finish(image, layout.windowOutline(), 1);
    return image;
}

QImage content(const StructLayout& layout)
{
    QImage image = Backdrop::base(layout.windowOutline(), QPointF(400, 330));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    Backdrop::header(p);
    const QRectF panel = areaRect(layout, "_html", 2);
    if (!panel.isEmpty()) {
        panelFrame(p, panel.adjusted(0, 0, 1, 1));
    }
    sideColumn(p, layout);
    toolRow(p, layout);
    p.end();
    Backdrop::finish(image, layout.windowOutline(), 2);
    return image;
}

QImage gallery(const StructLayout& layout)
{
    QImage image = Backdrop::base(layout.windowOutline(), QPointF(280, 280));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    Backdrop::header(p);
    const QRectF picture = areaRect(layout, "_image", 3);
    if (!picture.isEmpty()) {
        pictureMount(p, picture.adjusted(0, 0, 1, 1));
    }
    aboutCard(p, QRectF(544.5, 95.5, 228, 370));
    QLinearGradient rule(36, 0, 772, 0);
    rule.setColorAt(0, alpha(Lavender, 0));
    rule.setColorAt(0.5, alpha(Lavender, 50));
    rule.setColorAt(1, alpha(Lavender, 0));
    p.fillRect(QRectF(36, 519, 736, 1), rule);
    p.end();
    Backdrop::finish(image, layout.windowOutline(), 3);
    return image;
}

QImage ofScreen(int number, const StructLayout& layout)
{
    switch (number) {
    case 1:
        return start(layout);
    case 2:
        return content(layout);
    case 3:
        return gallery(layout);
    }
    return QImage();
}

} // namespace Screens
