#include "ScreenShots.h"

#include "Canvas.h"
#include "Palette.h"

#include <QFontMetrics>
#include <QPainter>

using namespace Palette;

namespace {

// Each letter advances by its bold width less one pixel, as in the shell.
void paintCaption(QPainter& p, QPoint origin, const StructLayout::Caption& caption)
{
    if (caption.text.trimmed().isEmpty() || caption.pointSize <= 0) {
        return;
    }
    const int pixels = qRound(caption.pointSize * 96.0 / 72.0);
    const QFont bold = Canvas::font(caption.font, pixels, true);
    const QFontMetrics boldMetrics(bold);
    QRect rect = caption.rect.translated(origin);
    p.setFont(Canvas::font(caption.font, pixels, caption.bold));
    p.setPen(caption.color);
    for (const QChar letter : caption.text) {
        p.drawText(rect, Qt::AlignLeft | Qt::AlignTop, QString(letter));
        rect.setLeft(rect.left() + boldMetrics.horizontalAdvance(letter) - 1);
    }
}

void sketchPage(QPainter& p, const QRect& panel)
{
    p.fillRect(panel, Qt::white);
    const QRect tree(panel.left(), panel.top(), 165, panel.height());
    p.fillRect(tree, QColor(246, 244, 251));
    p.fillRect(QRect(tree.left() + 6, tree.top() + 30, tree.width() - 12, 16), Indigo);
    p.setPen(QPen(QColor(200, 194, 220), 1));
    for (int row = 0; row < 9; ++row) {
        if (row != 1) {
            p.drawLine(tree.left() + 14, tree.top() + 16 + row * 22,
                       tree.left() + 100 + (row * 37) % 50, tree.top() + 16 + row * 22);
        }
    }
    const int left = tree.right() + 24;
    p.fillRect(QRect(left, panel.top() + 20, 300, 12), Indigo);
    p.fillRect(QRect(left, panel.top() + 38, 470, 2), Gold);
    p.setPen(QPen(QColor(170, 164, 196), 3));
    for (int line = 0; line < 14; ++line) {
        const int y = panel.top() + 60 + line * 22 + (line / 5) * 16;
        const int length = line % 5 == 4 ? 250 : 460 - (line * 53) % 60;
        p.drawLine(left, y, left + length, y);
    }
}

void pictureIn(QPainter& p, const QRect& area, const QImage& slide)
{
    const QImage scaled =
        slide.scaled(area.size(), Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
    p.drawImage(area, scaled,
                QRect((scaled.width() - area.width()) / 2, (scaled.height() - area.height()) / 2,
                      area.width(), area.height()));
}

} // namespace

namespace ScreenShots {

QImage compose(int screen, const QImage& background, const StructLayout& layout,
               const QMap<QString, QImage>& pictures, const QImage& slide)
{
    QImage shot = background.convertToFormat(QImage::Format_RGB32);
    QPainter p(&shot);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    for (const StructLayout::Area& area : layout.areas()) {
        if (area.screen != screen) {
            continue;
        }
        if (area.section == QLatin1String("_html")) {
            sketchPage(p, area.rect);
        } else if (area.section == QLatin1String("_image")) {
            pictureIn(p, area.rect, slide);
        }
    }
    for (const StructLayout::Element& element : layout.elements()) {
        if (element.screen != screen && element.screen != 0) {
            continue;
        }
        const QString rest = element.pictures.value(element.on ? 3 : 0);
        p.drawImage(element.position, pictures.value(rest));
        paintCaption(p, element.position, element.caption);
    }
    return shot;
}

} // namespace ScreenShots
