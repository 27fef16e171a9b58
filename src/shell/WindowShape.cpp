#include "shell/WindowShape.h"

#include <QPainterPath>
#include <QPolygon>

QRegion EllipseRegion(int left, int top, int right, int bottom)
{
    if (right <= left || bottom <= top) {
        return QRegion();
    }
    return QRegion(QRect(left, top, right - left, bottom - top), QRegion::Ellipse);
}

QRegion RoundRectRegion(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight)
{
    if (right <= left || bottom <= top) {
        return QRegion();
    }
    QPainterPath path;
    path.addRoundedRect(QRectF(left, top, right - left, bottom - top), cornerWidth / 2.0,
                        cornerHeight / 2.0);
    return QRegion(path.toFillPolygon().toPolygon(), Qt::WindingFill) &
           QRegion(left, top, right - left, bottom - top);
}

QRegion PolygonRegion(const QList<QPoint>& vertices)
{
    if (vertices.size() < 3) {
        return QRegion();
    }
    return QRegion(QPolygon(vertices), Qt::WindingFill);
}

std::optional<QRegion> OpeningAnimationStep(QSize window, int& animLeft, int& animTop)
{
    const int width = window.width();
    const int height = window.height();
    if (animLeft < (-width) / 2) {
        return std::nullopt;
    }
    QRegion region = EllipseRegion(animLeft, animTop, width - animLeft, height - animTop);
    animLeft -= 4;
    animTop -= 2;
    return region;
}

std::optional<QRegion> ClosingAnimationStep(QSize window, int& animLeft, int& animTop)
{
    const int width = window.width();
    const int height = window.height();
    if (animTop <= height / 2 - 10) {
        QRegion region = RoundRectRegion(0, animTop, width, height - animTop, 20, 20);
        animTop += 2;
        return region;
    }
    if (animLeft <= width / 2 - 10) {
        QRegion region =
            RoundRectRegion(animLeft, animTop, width - animLeft, height - animTop, 20, 20);
        animLeft += 3;
        return region;
    }
    if (animLeft <= width / 2) {
        QRegion region = EllipseRegion(animLeft, animTop, width - animLeft, height - animTop);
        animLeft += 1;
        animTop += 1;
        return region;
    }
    return std::nullopt;
}

QList<QRegion> OpeningAnimationRegions(QSize window)
{
    QList<QRegion> regions;
    int animLeft = window.width() / 2;
    int animTop = window.height() / 2;
    while (const auto region = OpeningAnimationStep(window, animLeft, animTop)) {
        regions.append(*region);
    }
    return regions;
}

QList<QRegion> ClosingAnimationRegions(QSize window)
{
    QList<QRegion> regions;
    int animLeft = 0;
    int animTop = 0;
    while (const auto region = ClosingAnimationStep(window, animLeft, animTop)) {
        regions.append(*region);
    }
    return regions;
}
