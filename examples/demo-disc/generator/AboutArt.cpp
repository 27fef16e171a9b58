#include "AboutArt.h"

#include "Backdrop.h"
#include "Canvas.h"
#include "Controls.h"
#include "DialogPages.h"
#include "Palette.h"
#include "Recipes.h"

#include <QFontMetrics>
#include <QHash>
#include <QPainter>
#include <QRadialGradient>
#include <algorithm>
#include <array>
#include <utility>

using namespace Palette;

namespace {

// How each button of the about box looks, by the stem of its picture names,
// and the caption painted into its pictures.
struct AboutControl {
    Recipe recipe;
    QString label;
};

const AboutControl* controlOf(const QString& stem)
{
    static const QHash<QString, AboutControl> table{
        {QStringLiteral("aboutok"),
         {{Shape::Pill, Glyph::None, {96, 30}, false}, QStringLiteral("OK")}},
    };
    const auto found = table.constFind(stem);
    return found == table.constEnd() ? nullptr : &found.value();
}

QPainterPath outlinePath(const QPolygon& outline)
{
    QPainterPath path;
    path.addPolygon(QPolygonF(outline));
    path.closeSubpath();
    return path;
}

void paintBody(QPainter& p, const QRectF& area)
{
    QLinearGradient body(0, 0, 0, area.height());
    body.setColorAt(0, QColor(40, 32, 80));
    body.setColorAt(1, QColor(20, 16, 42));
    p.fillRect(area, body);
    QRadialGradient warm(QPointF(60, 30), 260);
    warm.setColorAt(0, alpha(Gold, 24));
    warm.setColorAt(1, alpha(Gold, 0));
    p.fillRect(area, warm);
    QRadialGradient glow(QPointF(area.width() * 0.8, area.height()), 300);
    glow.setColorAt(0, alpha(Violet, 70));
    glow.setColorAt(1, alpha(Indigo, 0));
    p.fillRect(area, glow);
}

void paintHeader(QPainter& p, qreal width, int height)
{
    const QRectF band(0, 0, width, height);
    QLinearGradient fill(0, 0, 0, height);
    fill.setColorAt(0, QColor(54, 43, 104, 235));
    fill.setColorAt(1, QColor(34, 27, 70, 235));
    p.fillRect(band, fill);
    p.save();
    p.setClipRect(band);
    p.setPen(QPen(QColor(255, 255, 255, 7), 1));
    for (qreal x = -height; x < width; x += 7) {
        p.drawLine(QPointF(x, height), QPointF(x + height, 0));
    }
    p.restore();
    QLinearGradient rule(0, 0, width, 0);
    rule.setColorAt(0, alpha(Gold, 0));
    rule.setColorAt(0.12, alpha(Gold, 170));
    rule.setColorAt(0.88, alpha(Gold, 170));
    rule.setColorAt(1, alpha(Gold, 0));
    p.fillRect(QRectF(0, height - 1, width, 1), rule);
    p.fillRect(QRectF(0, height, width, 3), QColor(0, 0, 0, 60));
    Backdrop::emblem(p, QPointF(36, height / 2.0), 18);
}

QColor labelColour(const Look& look)
{
    return look.hover ? GoldLight : Lavender;
}

} // namespace

AboutArt::AboutArt(const AboutLayout& layout, std::function<bool(const QString&)> soundExists)
    : layout_(layout), soundExists_(std::move(soundExists))
{
}

QFont AboutArt::fontOf(const AboutLayout::Text& text)
{
    QFont font(text.font);
    font.setPixelSize(qMax(1, (text.pointSize * 96 + 36) / 72));
    font.setBold(text.style.contains(QLatin1String("bold")));
    font.setItalic(text.style.contains(QLatin1String("italic")));
    font.setUnderline(text.style.contains(QLatin1String("underline")));
    font.setStrikeOut(text.style.contains(QLatin1String("strikeout")));
    return font;
}

bool AboutArt::paint()
{
    if (!checkOutline()) {
        return false;
    }
    picture_ = picture();
    pictures_.insert(layout_.picture(), picture_);
    for (const AboutLayout::Button& button : layout_.buttons()) {
        if (!paintButton(button)) {
            return false;
        }
    }
    for (const AboutLayout::Text& text : layout_.texts()) {
        if (!checkText(text)) {
            return false;
        }
    }
    return true;
}

// The shell cuts the window to the outline and sizes it to the picture: the
// outline must run along the picture's edges.
bool AboutArt::checkOutline()
{
    const QRect bounds = layout_.outline().boundingRect();
    if (bounds.topLeft() != QPoint(0, 0) || bounds.right() != PictureSize.width() ||
        bounds.bottom() != PictureSize.height()) {
        error_ = QStringLiteral("About.txt: the outline spans (%1, %2)-(%3, %4), not the %5 x %6 "
                                "picture")
                     .arg(bounds.left())
                     .arg(bounds.top())
                     .arg(bounds.right())
                     .arg(bounds.bottom())
                     .arg(PictureSize.width())
                     .arg(PictureSize.height());
        return false;
    }
    return true;
}

QImage AboutArt::picture() const
{
    QImage image(PictureSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(QColor(8, 6, 18));
    const QPainterPath outline = outlinePath(layout_.outline());
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setClipPath(outline);
        paintBody(p, image.rect());
        paintHeader(p, image.width(), HeaderHeight);
        Backdrop::sparkles(p, QRect(250, 6, 160, HeaderHeight - 12), 0xab0u, 14);
        QLinearGradient rule(24, 0, image.width() - 24, 0);
        rule.setColorAt(0, alpha(Lilac, 110));
        rule.setColorAt(1, alpha(Lilac, 0));
        p.fillRect(QRectF(24, DividerRow, image.width() - 48, 1), rule);
    }
    Canvas::addGrain(image, image.rect(), 0xab1u, 3);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setClipPath(outline);
    p.strokePath(outline, QPen(alpha(Lilac, 150), 2.5));
    p.strokePath(outline, QPen(QColor(0, 0, 0, 160), 1));
    p.end();
    return image.convertToFormat(QImage::Format_RGB32);
}

bool AboutArt::paintButton(const AboutLayout::Button& button)
{
    const QString stem = Recipes::stemOf(button.up);
    const AboutControl* control = controlOf(stem);
    if (control == nullptr || Recipes::stemOf(button.hover) != stem) {
        error_ = QStringLiteral("About.txt line %1: no drawing for the pictures \"%2\", \"%3\"")
                     .arg(button.line)
                     .arg(button.up, button.hover);
        return false;
    }
    if (button.sound != QLatin1String("no") && !soundExists_(button.sound)) {
        error_ = QStringLiteral("About.txt line %1: the disc has no sound \"%2\"")
                     .arg(button.line)
                     .arg(button.sound);
        return false;
    }
    const QSize size = control->recipe.size;
    const QRect place(button.position, size);
    if (!checkPlace(place, button.line)) {
        return false;
    }
    const QImage under = picture_.copy(place);
    const QStringList names{button.up, button.hover};
    for (int i = 0; i < names.size(); ++i) {
        const Look look = Recipes::lookOf(false, i);
        QImage image = Controls::paint(control->recipe, look, under);
        const QPointF centre(size.width() / 2.0, (size.height() - 1) / 2.0);
        DialogPages::paintLabel(image, centre, control->label, DialogPages::MessagePixels,
                                labelColour(look));
        pictures_.insert(names.at(i), image);
    }
    return true;
}

// The box of a text as the shell measures a link: its whole value.
bool AboutArt::checkText(const AboutLayout::Text& text)
{
    const QFontMetrics metrics(fontOf(text));
    return checkPlace(
        QRect(text.position, QSize(metrics.horizontalAdvance(text.value), metrics.height())),
        text.line);
}

bool AboutArt::checkPlace(const QRect& place, int line)
{
    const QPolygon& outline = layout_.outline();
    const std::array<int, 2> rules{HeaderHeight - 1, DividerRow};
    const QList<QPoint> corners{place.topLeft(), place.topRight(), place.bottomLeft(),
                                place.bottomRight()};
    const bool inside = std::all_of(corners.cbegin(), corners.cend(), [&](const QPoint& corner) {
        return outline.containsPoint(corner, Qt::WindingFill);
    });
    const bool crossesRule = std::any_of(rules.cbegin(), rules.cend(), [&](int row) {
        return place.top() <= row && place.bottom() >= row;
    });
    const bool overlaps =
        crossesRule || std::any_of(taken_.cbegin(), taken_.cend(),
                                   [&](const QRect& other) { return other.intersects(place); });
    if (!inside || overlaps) {
        error_ = QStringLiteral("About.txt line %1: the element at (%2, %3), %4 x %5, %6")
                     .arg(line)
                     .arg(place.left())
                     .arg(place.top())
                     .arg(place.width())
                     .arg(place.height())
                     .arg(inside ? QStringLiteral("covers another element or a rule")
                                 : QStringLiteral("reaches out of the window"));
        return false;
    }
    taken_.append(place);
    return true;
}
