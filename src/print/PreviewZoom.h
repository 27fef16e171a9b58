#pragma once

#include <QPageLayout>
#include <QSize>
#include <QSizeF>
#include <QString>
#include <QStringList>

// The arithmetic of the print preview: the zoom box items, the fitted zooms,
// the steps of the zoom tools, the percentages of the status bar and the
// scale and orientation that fit a picture onto the paper.
namespace PreviewZoom {

enum Item { FitPage = 0, FitWidth = 1, Manual = 2 };
constexpr int ItemCount = 12;
// Space kept free around the pages in the scroll box, and between two pages.
constexpr int ViewGap = 20;
// Smallest zoom a fitted view goes down to in a very small window.
constexpr double MinFittedZoom = 0.01;

QStringList ItemTexts();
// The zoom of the items 3 .. 11 (25% .. 400%); 0 for the others.
double FixedZoom(int item);
// page: the page at zoom 1 in screen pixels; view: the free space of the scroll box.
double FitPageZoom(QSizeF page, QSize view);
double FitWidthZoom(QSizeF page, int viewWidth);

// One click of the print-scale tool: ×1.1 while below 3, ÷1.1 while above 0.05.
float NextPrintScale(float scale, bool enlarge);
// One click of the view-zoom tool: ×1.25 while below 20, ÷1.25 while above 0.1.
double NextViewZoom(double zoom, bool enlarge);
// A factor as a whole percentage with grouped thousands, e.g. "125".
QString Percent(double factor);

// Scale and orientation for printing a picture. The areas are the room a
// document has on the paper at scale 1 in each orientation, and picture is
// the room the picture takes in the document, both in screen pixels.
struct PictureFit {
    float scale = 1.0f;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
};
PictureFit FitPictureScale(QSizeF picture, QSizeF portraitArea, QSizeF landscapeArea,
                           QPageLayout::Orientation current);

} // namespace PreviewZoom
