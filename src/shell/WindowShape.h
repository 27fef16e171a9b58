#pragma once

#include <QList>
#include <QPoint>
#include <QRegion>
#include <QSize>
#include <optional>

// Window regions as the skinned window uses them. Bounding coordinates follow
// the region rules of the original platform: left and top inclusive, right and
// bottom exclusive, so (0, 0, w, h) is exactly a w x h window.

QRegion EllipseRegion(int left, int top, int right, int bottom);
// Rounded rectangle whose corners are quarters of a cornerWidth x cornerHeight ellipse.
QRegion RoundRectRegion(int left, int top, int right, int bottom, int cornerWidth,
                        int cornerHeight);
// Interior of the polygon, winding fill.
QRegion PolygonRegion(const QList<QPoint>& vertices);

// One tick of the opening animation: the ellipse between the insets and the
// opposite insets, after which the insets shrink by 4 and 2. Nothing (the
// animation ends, the region stays) once animLeft is below -(width / 2).
// Start with animLeft = width / 2 and animTop = height / 2.
std::optional<QRegion> OpeningAnimationStep(QSize window, int& animLeft, int& animTop);

// One tick of the closing animation (insets start at 0, 0): the window
// collapses from top and bottom to a strip, narrows from both sides and ends
// as a shrinking ellipse. Nothing once all three phases are done.
std::optional<QRegion> ClosingAnimationStep(QSize window, int& animLeft, int& animTop);

// Whole sequences, for checking the animations.
QList<QRegion> OpeningAnimationRegions(QSize window);
QList<QRegion> ClosingAnimationRegions(QSize window);
