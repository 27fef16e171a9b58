#include "print/PreviewArt.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>

namespace PreviewArt {

namespace {

constexpr int kIconSize = 24;
const QColor kInk(40, 40, 40);
const QColor kAccent(30, 90, 170);

void drawSheet(QPainter& painter, const QRectF& sheet)
{
    painter.setPen(QPen(kInk, 1));
    painter.setBrush(Qt::white);
    painter.drawRect(sheet);
    painter.setPen(QPen(QColor(150, 150, 150), 1));
    for (double y = sheet.top() + 4; y < sheet.bottom() - 2; y += 3) {
        painter.drawLine(QPointF(sheet.left() + 3, y), QPointF(sheet.right() - 3, y));
    }
}

void drawMagnifier(QPainter& painter, QPointF centre, double radius, int sign)
{
    painter.setPen(QPen(kInk, 2));
    painter.setBrush(QColor(225, 240, 255));
    painter.drawEllipse(centre, radius, radius);
    const QPointF rim = centre + QPointF(radius * 0.7, radius * 0.7);
    painter.setPen(QPen(kInk, 3, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(rim, rim + QPointF(radius * 0.8, radius * 0.8));
    painter.setPen(QPen(kInk, 1.5));
    const double arm = radius * 0.5;
    if (sign != 0) {
        painter.drawLine(centre - QPointF(arm, 0), centre + QPointF(arm, 0));
    }
    if (sign > 0) {
        painter.drawLine(centre - QPointF(0, arm), centre + QPointF(0, arm));
    }
}

void drawHand(QPainter& painter, const QRectF& box, bool closed)
{
    painter.setPen(QPen(kInk, 1.2));
    painter.setBrush(QColor(255, 235, 205));
    const double fingerHeight = closed ? box.height() * 0.2 : box.height() * 0.45;
    const double fingerWidth = box.width() / 5;
    for (int i = 0; i < 4; ++i) {
        const QRectF finger(box.left() + fingerWidth * (i + 0.5),
                            box.top() + box.height() * 0.45 - fingerHeight, fingerWidth,
                            fingerHeight + 2);
        painter.drawRoundedRect(finger, fingerWidth / 2, fingerWidth / 2);
    }
    painter.drawRoundedRect(QRectF(box.left() + fingerWidth * 0.5, box.top() + box.height() * 0.42,
                                   fingerWidth * 4, box.height() * 0.5),
                            3, 3);
}

void drawArrow(QPainter& painter, bool forward, bool toEnd)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(kAccent);
    const double tip = forward ? 17 : 7;
    const double base = forward ? 8 : 16;
    painter.drawPolygon(QPolygonF({QPointF(base, 6), QPointF(tip, 12), QPointF(base, 18)}));
    if (toEnd) {
        painter.drawRect(QRectF(forward ? 18 : 4, 6, 2, 12));
    }
}

void drawPicture(QPainter& painter, Icon icon)
{
    switch (icon) {
    case Icon::Print:
        drawSheet(painter, QRectF(7, 3, 10, 9));
        painter.setPen(QPen(kInk, 1));
        painter.setBrush(QColor(190, 190, 190));
        painter.drawRoundedRect(QRectF(3, 10, 18, 8), 2, 2);
        painter.setBrush(Qt::white);
        painter.drawRect(QRectF(7, 16, 10, 5));
        break;
    case Icon::Orientation:
        drawSheet(painter, QRectF(3, 7, 18, 12));
        painter.setPen(QPen(kAccent, 1.5));
        painter.drawArc(QRectF(12, 2, 9, 9), 0, 180 * 16);
        break;
    case Icon::FirstPage:
    case Icon::PrevPage:
    case Icon::NextPage:
    case Icon::LastPage:
        drawArrow(painter, icon == Icon::NextPage || icon == Icon::LastPage,
                  icon == Icon::FirstPage || icon == Icon::LastPage);
        break;
    case Icon::GoToPage:
        drawSheet(painter, QRectF(4, 3, 12, 17));
        painter.setPen(QPen(kAccent, 2));
        painter.drawLine(QPointF(11, 14), QPointF(20, 14));
        painter.drawLine(QPointF(17, 11), QPointF(20, 14));
        painter.drawLine(QPointF(17, 17), QPointF(20, 14));
        break;
    case Icon::FitPage:
        painter.setPen(QPen(kAccent, 1, Qt::DashLine));
        painter.drawRect(QRectF(2, 2, 20, 20));
        drawSheet(painter, QRectF(6, 4, 12, 16));
        break;
    case Icon::FitWidth:
        drawSheet(painter, QRectF(4, 4, 16, 17));
        painter.setPen(QPen(kAccent, 2));
        painter.drawLine(QPointF(2, 12), QPointF(22, 12));
        break;
    case Icon::RestoreScale:
        painter.setPen(QPen(kAccent, 2));
        painter.drawArc(QRectF(4, 4, 16, 16), 30 * 16, 300 * 16);
        painter.drawLine(QPointF(18, 4), QPointF(19, 9));
        painter.drawLine(QPointF(19, 9), QPointF(14, 9));
        break;
    case Icon::PrintScaleTool:
        drawSheet(painter, QRectF(2, 2, 12, 16));
        drawMagnifier(painter, QPointF(14, 13), 5, 0);
        break;
    case Icon::ZoomTool:
        drawMagnifier(painter, QPointF(10, 10), 6.5, 1);
        break;
    case Icon::HandTool:
        drawHand(painter, QRectF(2, 2, 20, 20), false);
        break;
    case Icon::OnePage:
        drawSheet(painter, QRectF(6, 3, 12, 18));
        break;
    case Icon::TwoPages:
        drawSheet(painter, QRectF(1, 4, 10, 16));
        drawSheet(painter, QRectF(13, 4, 10, 16));
        break;
    case Icon::Help:
        painter.setPen(QPen(kAccent, 1));
        painter.setBrush(QColor(225, 240, 255));
        painter.drawEllipse(QRectF(2, 2, 20, 20));
        painter.setPen(kAccent);
        painter.setFont(QFont(QStringLiteral("Sans"), 11, QFont::Bold));
        painter.drawText(QRectF(2, 2, 20, 20), Qt::AlignCenter, QStringLiteral("?"));
        break;
    case Icon::Close:
        painter.setPen(QPen(QColor(180, 30, 30), 3, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(6, 6), QPointF(18, 18));
        painter.drawLine(QPointF(18, 6), QPointF(6, 18));
        break;
    }
}

QPixmap cursorPicture(Cursor cursor)
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    switch (cursor) {
    case Cursor::Zoom:
    case Cursor::ZoomIn:
    case Cursor::ZoomOut:
        drawMagnifier(painter, QPointF(11, 11), 8,
                      cursor == Cursor::ZoomIn    ? 1
                      : cursor == Cursor::ZoomOut ? -1
                                                  : 0);
        break;
    case Cursor::HandOpened:
    case Cursor::HandClosed:
        drawHand(painter, QRectF(4, 4, 24, 24), cursor == Cursor::HandClosed);
        break;
    }
    return pixmap;
}

} // namespace

QCursor MakeCursor(Cursor cursor)
{
    const bool hand = cursor == Cursor::HandOpened || cursor == Cursor::HandClosed;
    return QCursor(cursorPicture(cursor), hand ? 16 : 11, hand ? 16 : 11);
}

QIcon MakeIcon(Icon icon)
{
    QPixmap pixmap(kIconSize, kIconSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    drawPicture(painter, icon);
    painter.end();
    return QIcon(pixmap);
}

} // namespace PreviewArt
