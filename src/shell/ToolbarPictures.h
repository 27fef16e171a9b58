#pragma once

#include <QImage>
#include <QList>

// The 20 x 20 pictures of the standard window's toolbar, drawn at run time.
// Pictures: 0 an arrow pointing left, 1 an arrow pointing right, 2 a printer,
// 3 a window with an arrow pointing to its upper right corner.
namespace ToolbarPictures {

enum Picture { ArrowLeft = 0, ArrowRight = 1, Printer = 2, WindowArrow = 3 };

inline constexpr int Size = 20;

// Shades of grey (ImgListEnb, four pictures).
QList<QImage> Normal();
// In colour: blue arrows, a printer with blue paper, a window with a red arrow
// (ImgListHot, four pictures).
QList<QImage> Hot();
// The two arrows as grey outlines (ImgListDis, two pictures).
QList<QImage> Disabled();

} // namespace ToolbarPictures
