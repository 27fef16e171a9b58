#include "shell/ToolbarPictures.h"

#include <QPainter>
#include <QPolygon>

namespace ToolbarPictures {

namespace {

// The colours one look of the pictures is drawn with.
struct TLook {
    QColor ArrowFill, ArrowLine;
    QColor PrinterBody, PrinterLine, PrinterLight;
    QColor PaperFill, PaperLine;
    QColor WindowFrame, WindowTitle, WindowBody, WindowArrow;
};

const TLook greyLook{
    QColor(128, 128, 128), QColor(64, 64, 64),    QColor(160, 160, 160), QColor(64, 64, 64),
    QColor(96, 96, 96),    QColor(224, 224, 224), QColor(96, 96, 96),    QColor(64, 64, 64),
    QColor(128, 128, 128), QColor(232, 232, 232), QColor(48, 48, 48),
};

const TLook colourLook{
    QColor(40, 110, 235), QColor(0, 40, 140),    QColor(176, 176, 176), QColor(64, 64, 64),
    QColor(0, 190, 0),    QColor(120, 170, 255), QColor(0, 60, 170),    QColor(40, 40, 80),
    QColor(0, 70, 190),   QColor(255, 255, 255), QColor(220, 0, 0),
};

const QColor outlineGrey(128, 128, 128);

QImage blank()
{
    QImage picture(Size, Size, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    return picture;
}

QPolygon leftArrow()
{
    return QPolygon({QPoint(2, 10), QPoint(9, 3), QPoint(9, 7), QPoint(17, 7), QPoint(17, 13),
                     QPoint(9, 13), QPoint(9, 17)});
}

QPolygon mirrored(const QPolygon& polygon)
{
    QPolygon result;
    for (const QPoint& point : polygon) {
        result << QPoint(Size - 1 - point.x(), point.y());
    }
    return result;
}

// fill may be transparent: the outline alone is drawn.
QImage arrow(const QPolygon& shape, const QColor& fill, const QColor& line)
{
    QImage picture = blank();
    QPainter painter(&picture);
    painter.setPen(line);
    painter.setBrush(fill.alpha() == 0 ? QBrush(Qt::NoBrush) : QBrush(fill));
    painter.drawPolygon(shape);
    return picture;
}

void sheet(QPainter& painter, const QRect& rect, const TLook& look)
{
    painter.setPen(look.PaperLine);
    painter.setBrush(look.PaperFill);
    painter.drawRect(rect);
}

QImage printer(const TLook& look)
{
    QImage picture = blank();
    QPainter painter(&picture);
    sheet(painter, QRect(5, 2, 9, 6), look);
    painter.setPen(look.PrinterLine);
    painter.setBrush(look.PrinterBody);
    painter.drawRect(QRect(1, 8, 17, 7));
    painter.setPen(look.PrinterLight);
    painter.drawPoint(15, 10);
    sheet(painter, QRect(5, 13, 9, 5), look);
    return picture;
}

QImage windowWithArrow(const TLook& look)
{
    QImage picture = blank();
    QPainter painter(&picture);
    painter.setPen(look.WindowFrame);
    painter.setBrush(look.WindowBody);
    painter.drawRect(QRect(1, 5, 13, 13));
    painter.fillRect(QRect(2, 6, 12, 3), look.WindowTitle);
    painter.setPen(QPen(look.WindowArrow, 2));
    painter.drawLine(QPoint(7, 12), QPoint(16, 3));
    painter.setPen(look.WindowArrow);
    painter.setBrush(look.WindowArrow);
    painter.drawPolygon(QPolygon({QPoint(18, 1), QPoint(12, 1), QPoint(18, 7)}));
    return picture;
}

QList<QImage> pictures(const TLook& look)
{
    return {arrow(leftArrow(), look.ArrowFill, look.ArrowLine),
            arrow(mirrored(leftArrow()), look.ArrowFill, look.ArrowLine), printer(look),
            windowWithArrow(look)};
}

} // namespace

QList<QImage> Normal()
{
    return pictures(greyLook);
}

QList<QImage> Hot()
{
    return pictures(colourLook);
}

QList<QImage> Disabled()
{
    return {arrow(leftArrow(), Qt::transparent, outlineGrey),
            arrow(mirrored(leftArrow()), Qt::transparent, outlineGrey)};
}

} // namespace ToolbarPictures
