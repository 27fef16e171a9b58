#include "DemoPictures.h"

#include <QDir>
#include <QLinearGradient>
#include <QPainter>
#include <QPolygon>
#include <QRadialGradient>

namespace {

const QColor Deep(24, 44, 84);
const QColor Light(236, 240, 246);
const QColor Accent(214, 160, 52);
// Flat colours under the buttons, so that the button pictures blend in.
const QColor Panel(34, 58, 104);
const QColor Tray(28, 48, 88);

// The octagon of the window shape; outside it the window is cut away.
QPolygon windowOutline()
{
    const int w = DemoPictures::WindowWidth;
    const int h = DemoPictures::WindowHeight;
    const int c = DemoPictures::Corner;
    return QPolygon({QPoint(c, 0), QPoint(w - c, 0), QPoint(w, c), QPoint(w, h - c),
                     QPoint(w - c, h), QPoint(c, h), QPoint(0, h - c), QPoint(0, c)});
}

void drawRings(QPainter& painter)
{
    painter.setBrush(Qt::NoBrush);
    for (int ring = 0; ring < 6; ++ring) {
        painter.setPen(QPen(QColor(255, 255, 255, 14 + ring * 4), 1.5));
        painter.drawEllipse(QPointF(560, 30), 40.0 + ring * 22, 14.0 + ring * 6);
    }
}

} // namespace

QColor DemoPictures::stateColor(State state)
{
    switch (state) {
    case State::Up:
        return QColor(46, 78, 132);
    case State::Move:
        return QColor(70, 112, 178);
    case State::Down:
        return QColor(30, 52, 94);
    }
    return Deep;
}

QImage DemoPictures::background(const QString& title)
{
    QImage image(WindowWidth, WindowHeight, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    QLinearGradient body(0, 0, 0, WindowHeight);
    body.setColorAt(0, Deep.lighter(130));
    body.setColorAt(1, Deep.darker(140));
    painter.setBrush(body);
    painter.setPen(QPen(Accent, 3));
    painter.drawPolygon(windowOutline());
    drawRings(painter);

    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 24));
    painter.drawRect(QRect(24, 60, 752, 2));
    QRadialGradient glow(QPointF(130, 40), 120);
    glow.setColorAt(0, QColor(255, 220, 140, 90));
    glow.setColorAt(1, QColor(255, 220, 140, 0));
    painter.setBrush(glow);
    painter.drawEllipse(QPointF(130, 40), 120, 40);

    painter.setPen(Light);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(24);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(QRect(36, 14, 600, 40), Qt::AlignLeft | Qt::AlignVCenter, title);

    painter.setPen(QPen(Accent.darker(130), 1));
    painter.setBrush(Panel);
    painter.drawRoundedRect(QRect(24, 96, 220, 492), 10, 10);
    painter.setBrush(Tray);
    painter.drawRoundedRect(QRect(716, 12, 70, 36), 8, 8);

    painter.setPen(QPen(Accent, 2));
    painter.setBrush(Light);
    painter.drawRoundedRect(QRect(256, 106, 528, 478), 6, 6);
    return image;
}

QImage DemoPictures::menuButton(State state)
{
    QImage image(ButtonWidth, ButtonHeight, QImage::Format_RGB32);
    image.fill(Panel.rgb());
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient face(0, 0, 0, ButtonHeight);
    const QColor color = stateColor(state);
    face.setColorAt(0, state == State::Down ? color.darker(120) : color.lighter(125));
    face.setColorAt(1, state == State::Down ? color.lighter(110) : color.darker(115));
    painter.setBrush(face);
    painter.setPen(QPen(state == State::Move ? Accent : Light.darker(140), 2));
    painter.drawRoundedRect(QRectF(1, 1, ButtonWidth - 2, ButtonHeight - 2), 10, 10);
    painter.setBrush(Accent);
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(QPointF(ButtonWidth - 18, ButtonHeight / 2.0), 4, 4);
    return image;
}

QImage DemoPictures::systemButton(State state, bool cross)
{
    QImage image(SystemButtonSize, SystemButtonSize, QImage::Format_RGB32);
    image.fill(Tray.rgb());
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(cross && state != State::Up ? QColor(178, 48, 48) : stateColor(state));
    painter.setPen(QPen(Light.darker(130), 1.5));
    painter.drawEllipse(QRectF(1.5, 1.5, SystemButtonSize - 3, SystemButtonSize - 3));
    painter.setPen(QPen(Light, 2.5, Qt::SolidLine, Qt::RoundCap));
    const int offset = state == State::Down ? 1 : 0;
    if (cross) {
        painter.drawLine(8 + offset, 8 + offset, 16 + offset, 16 + offset);
        painter.drawLine(16 + offset, 8 + offset, 8 + offset, 16 + offset);
    } else {
        painter.drawLine(7 + offset, 15 + offset, 17 + offset, 15 + offset);
    }
    return image;
}

QImage DemoPictures::minimizeButton(State state)
{
    return systemButton(state, false);
}

QImage DemoPictures::closeButton(State state)
{
    return systemButton(state, true);
}

bool DemoPictures::writeAll(const QString& folder, QString& error)
{
    struct Named {
        QString name;
        QImage image;
    };
    const QList<Named> pictures{
        {QStringLiteral("main.bmp"), background(QStringLiteral("Демонстрационный диск"))},
        {QStringLiteral("btn_up.bmp"), menuButton(State::Up)},
        {QStringLiteral("btn_mv.bmp"), menuButton(State::Move)},
        {QStringLiteral("btn_dn.bmp"), menuButton(State::Down)},
        {QStringLiteral("sys_min_up.bmp"), minimizeButton(State::Up)},
        {QStringLiteral("sys_min_mv.bmp"), minimizeButton(State::Move)},
        {QStringLiteral("sys_min_dn.bmp"), minimizeButton(State::Down)},
        {QStringLiteral("sys_x_up.bmp"), closeButton(State::Up)},
        {QStringLiteral("sys_x_mv.bmp"), closeButton(State::Move)},
        {QStringLiteral("sys_x_dn.bmp"), closeButton(State::Down)},
    };
    if (!QDir().mkpath(folder)) {
        error = QStringLiteral("cannot create %1").arg(folder);
        return false;
    }
    for (const Named& picture : pictures) {
        const QString path = folder + QLatin1Char('/') + picture.name;
        if (!picture.image.convertToFormat(QImage::Format_RGB888).save(path, "BMP")) {
            error = QStringLiteral("cannot write %1").arg(path);
            return false;
        }
    }
    return true;
}
