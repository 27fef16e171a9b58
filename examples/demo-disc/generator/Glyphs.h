#pragma once

#include <QColor>
#include <QRectF>

class QPainter;

// The line icons of the controls, drawn in a square box with rounded strokes
// so that they read well from 12 to 24 pixels.
enum class Glyph {
    None,
    Book,
    Magnifier,
    Info,
    Door,
    Dots,
    Minus,
    Cross,
    ArrowLeft,
    ArrowRight,
    Caret,
    House,
    Star,
    StarPlus,
    Printer,
    FolderArrow,
    Folder,
    Note,
    Contents,
    Letters,
    Play,
    Pause,
    Stop,
    Film,
    Picture,
    ChevronLeft,
    ChevronRight,
};

namespace Glyphs {

// Draws glyph into box with the colour given.
void draw(QPainter& painter, Glyph glyph, const QRectF& box, const QColor& color);

} // namespace Glyphs
