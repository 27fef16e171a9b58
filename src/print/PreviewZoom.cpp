#include "print/PreviewZoom.h"

#include <QLocale>
#include <array>
#include <cmath>

namespace PreviewZoom {

namespace {

constexpr std::array<double, ItemCount> kFixedZooms = {0,   0,    0,   0.25, 0.5, 0.75,
                                                       1.0, 1.25, 1.5, 2.0,  3.0, 4.0};

// The largest scale in float that keeps size within room: a scale rounded up
// would leave a picture that exactly fills the page one pixel too large.
float scaleToFit(double room, double size)
{
    float scale = float(room / size);
    while (scale > 0 && double(scale) * size > room) {
        scale = std::nextafter(scale, 0.0f);
    }
    return scale;
}

} // namespace

QStringList ItemTexts()
{
    return {QStringLiteral("Страница целиком"),
            QStringLiteral("По ширине страницы"),
            QStringLiteral("Вручную"),
            QStringLiteral("25%"),
            QStringLiteral("50%"),
            QStringLiteral("75%"),
            QStringLiteral("100%"),
            QStringLiteral("125%"),
            QStringLiteral("150%"),
            QStringLiteral("200%"),
            QStringLiteral("300%"),
            QStringLiteral("400%")};
}

double FixedZoom(int item)
{
    return item >= 0 && item < ItemCount ? kFixedZooms[std::size_t(item)] : 0.0;
}

double FitPageZoom(QSizeF page, QSize view)
{
    if (page.width() <= 0 || page.height() <= 0) {
        return 1.0;
    }
    const double zoom = std::min((view.width() - ViewGap) / page.width(),
                                 (view.height() - ViewGap) / page.height());
    return std::max(zoom, MinFittedZoom);
}

double FitWidthZoom(QSizeF page, int viewWidth)
{
    if (page.width() <= 0) {
        return 1.0;
    }
    return std::max((viewWidth - ViewGap) / page.width(), MinFittedZoom);
}

float NextPrintScale(float scale, bool enlarge)
{
    if (enlarge) {
        return scale < 3.0f ? scale * 1.1f : scale;
    }
    return scale > 0.05f ? scale / 1.1f : scale;
}

double NextViewZoom(double zoom, bool enlarge)
{
    if (enlarge) {
        return zoom < 20.0 ? zoom * 1.25 : zoom;
    }
    return zoom > 0.1 ? zoom / 1.25 : zoom;
}

QString Percent(double factor)
{
    const double percent = std::round(factor * 100.0);
    if (!std::isfinite(percent) || std::abs(percent) > 1e12) {
        return QStringLiteral("0");
    }
    return QLocale(QLocale::Russian, QLocale::Russia).toString(qlonglong(percent));
}

PictureFit FitPictureScale(QSizeF picture, QSizeF portraitArea, QSizeF landscapeArea,
                           QPageLayout::Orientation current)
{
    PictureFit fit;
    fit.orientation = current;
    if (picture.isEmpty() || portraitArea.isEmpty() || landscapeArea.isEmpty()) {
        return fit;
    }
    const bool wide = picture.width() > picture.height();
    auto areaOf = [&](QPageLayout::Orientation orientation) {
        return orientation == QPageLayout::Landscape ? landscapeArea : portraitArea;
    };
    QSizeF area = areaOf(current);
    if (wide && picture.width() > area.width()) {
        fit.orientation = QPageLayout::Landscape;
        area = areaOf(fit.orientation);
        fit.scale = scaleToFit(area.width(), picture.width());
    } else if (!wide && picture.height() > area.height()) {
        fit.orientation = QPageLayout::Portrait;
        area = areaOf(fit.orientation);
        fit.scale = scaleToFit(area.height(), picture.height());
    }
    if (wide && picture.height() * fit.scale > area.height()) {
        fit.scale = scaleToFit(area.height(), picture.height());
    } else if (!wide && picture.width() * fit.scale > area.width()) {
        fit.scale = scaleToFit(area.width(), picture.width());
    }
    return fit;
}

} // namespace PreviewZoom
