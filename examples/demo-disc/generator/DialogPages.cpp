#include "DialogPages.h"

#include "Backdrop.h"
#include "Canvas.h"
#include "Palette.h"

#include <QFontMetricsF>
#include <QPainter>

using namespace Palette;

namespace {

constexpr int MessageHeader = 30;
constexpr int FindHeader = 36;

QImage panel(const QSize& size, int headerHeight)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&image);
    QLinearGradient body(0, 0, 0, size.height());
    body.setColorAt(0, QColor(40, 32, 80));
    body.setColorAt(1, QColor(22, 18, 46));
    p.fillRect(image.rect(), body);
    QLinearGradient band(0, 0, 0, headerHeight);
    band.setColorAt(0, QColor(54, 43, 104));
    band.setColorAt(1, QColor(36, 29, 74));
    p.fillRect(QRect(0, 0, size.width(), headerHeight), band);
    QLinearGradient rule(0, 0, size.width(), 0);
    rule.setColorAt(0, alpha(Gold, 0));
    rule.setColorAt(0.12, alpha(Gold, 170));
    rule.setColorAt(0.88, alpha(Gold, 170));
    rule.setColorAt(1, alpha(Gold, 0));
    p.fillRect(QRectF(0, headerHeight - 1, size.width(), 1), rule);
    p.fillRect(QRectF(0, headerHeight, size.width(), 2), QColor(0, 0, 0, 50));
    return image;
}

void frame(QImage& image)
{
    QPainter p(&image);
    const QRectF outer(0.5, 0.5, image.width() - 1, image.height() - 1);
    p.setPen(QPen(QColor(8, 6, 18), 1));
    p.drawRect(outer);
    p.setPen(QPen(alpha(Lilac, 150), 1));
    p.drawRect(outer.adjusted(1, 1, -1, -1));
}

void heading(QPainter& p, int headerHeight, const QString& title, Glyph glyph)
{
    p.setRenderHint(QPainter::Antialiasing);
    const qreal middle = headerHeight / 2.0;
    Glyphs::draw(p, glyph, QRectF(11, middle - 8.5, 16, 16), Gold);
    const QFont font = Canvas::font(QStringLiteral("DejaVu Serif"), 15, true);
    const qreal baseline = middle + QFontMetricsF(font).capHeight() / 2 - 0.5;
    const QPainterPath text = Canvas::textPath(font, QPointF(33, baseline), title);
    Canvas::softShadow(p, text, QPointF(0, 1.5), 1, QColor(0, 0, 0, 150));
    QLinearGradient ink(0, baseline - 12, 0, baseline);
    ink.setColorAt(0, Qt::white);
    ink.setColorAt(1, Mist);
    p.fillPath(text, ink);
}

} // namespace

namespace DialogPages {

QImage message(const QString& title, Glyph glyph, const QString& text)
{
    QImage image = panel(MessageSize, MessageHeader);
    {
        QPainter p(&image);
        heading(p, MessageHeader, title, glyph);
    }
    if (!text.isEmpty()) {
        const QFontMetricsF metrics(
            Canvas::font(QStringLiteral("DejaVu Sans"), MessagePixels, true));
        // Top-aligned at the message's top, as the shell draws the message.
        const QPointF centre((MessageLeft + MessageRight) / 2.0,
                             MessageTop + metrics.ascent() - metrics.capHeight() / 2);
        paintLabel(image, centre, text, MessagePixels, Lavender);
    }
    frame(image);
    return image.convertToFormat(QImage::Format_RGB32);
}

QImage find(const QRect& fieldWell, const QRect& bar, int foldedHeight, const QRect& list)
{
    QImage image = panel(FindSize, FindHeader);
    QPainter p(&image);
    heading(p, FindHeader, QStringLiteral("Поиск"), Glyph::Magnifier);
    Backdrop::well(p, QRectF(fieldWell).adjusted(0.5, 0.5, 0.5, 0.5), 6, Parchment);
    p.fillRect(QRectF(bar).adjusted(-1, -1, 1, 1), QColor(0, 0, 0, 40));

    const QRectF results(1, foldedHeight, image.width() - 2, image.height() - foldedHeight);
    p.fillRect(results, QColor(0, 0, 0, 45));
    p.fillRect(QRectF(1, foldedHeight - 1, image.width() - 2, 1), alpha(Lilac, 120));
    Backdrop::well(p, QRectF(list).adjusted(-1.5, -1.5, 1.5, 1.5), 4, Parchment);
    p.end();
    frame(image);
    return image.convertToFormat(QImage::Format_RGB32);
}

QImage bar(const QImage& under, bool full)
{
    QImage image = under.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF track(0.5, 0.5, image.width() - 1, image.height() - 1);
    QPainterPath path;
    const qreal radius = track.height() / 2;
    path.addRoundedRect(track, radius, radius);
    if (full) {
        p.fillPath(path, Canvas::goldGradient(track.top(), track.bottom()));
        p.strokePath(path, QPen(GoldDeep, 1));
        p.fillRect(QRectF(radius, 1.5, track.width() - 2 * radius, 1), QColor(255, 255, 255, 110));
    } else {
        p.fillPath(path, alpha(Ink, 230));
        p.strokePath(path, QPen(alpha(Lavender, 70), 1));
        p.fillRect(QRectF(radius, 1.5, track.width() - 2 * radius, 1), QColor(0, 0, 0, 90));
    }
    p.end();
    return image.convertToFormat(QImage::Format_RGB32);
}

void paintLabel(QImage& image, const QPointF& centre, const QString& text, int pixelSize,
                const QColor& color)
{
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QFont font = Canvas::font(QStringLiteral("DejaVu Sans"), pixelSize, true);
    const QFontMetricsF metrics(font);
    const QPointF baseline(centre.x() - metrics.horizontalAdvance(text) / 2,
                           centre.y() + metrics.capHeight() / 2);
    p.setFont(font);
    p.setPen(color);
    p.drawText(baseline, text);
}

} // namespace DialogPages
