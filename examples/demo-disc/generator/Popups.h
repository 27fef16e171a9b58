#pragma once

#include <QImage>
#include <QPolygon>
#include <QSize>

// Pictures of the skinned popup menus. A rectangular popup is stretched by
// the shell by repeating its middle row, so only its first and last Margin
// rows carry the ends; a shaped popup keeps its height and is cut to its
// outline. Items sit Margin pixels in from the left and the top.
namespace Popups {

constexpr int Margin = 6;
constexpr int ItemHeight = 24;

// The background: outline empty for a rectangular popup of size.
QImage background(const QSize& size, const QPolygon& outline);

// An item picture over the background piece it covers: state 0 up,
// 1 under the mouse, 2 pressed.
QImage item(const QImage& under, int state);

// The size a popup's background takes: the outline's extent, or the size of a
// rectangular popup.
QSize sizeFor(const QPolygon& outline);

} // namespace Popups
