#pragma once

#include "Glyphs.h"

#include <QSize>
#include <QString>

// How each control of the demo disc looks. A control is known by the stem of
// its picture names in the interface description (read_u.bmp -> "read").
enum class Shape {
    Big,        // the large glass buttons of the start screen
    Pill,       // rounded buttons and switches with an icon at the left
    Square,     // icon buttons of the tool row
    SplitLeft,  // back and forward, joined to the caret at their right
    SplitRight, // the caret that opens a history list
    Mini,       // small buttons under the picture and clip areas
    Round,      // the arrows of the gallery
    System,     // minimise and close
    Column,     // the music button of the side column
    Tab,        // members of the chapter group
};

struct Recipe {
    Shape shape = Shape::Pill;
    Glyph glyph = Glyph::None;
    QSize size;
    bool danger = false; // turns red under the mouse (close)
};

// The state a picture shows: mouse over, pressed, switched on.
struct Look {
    bool hover = false;
    bool pressed = false;
    bool on = false;
};

namespace Recipes {

// The recipe of a stem; nullptr when the stem is unknown.
const Recipe* find(const QString& stem);

// The stem of a picture name: the text before its last "_".
QString stemOf(const QString& pictureName);

// The look of the index-th picture of a button (up, mv, dn) or of a switch
// (up, mouse over while off, mouse over while on, on).
Look lookOf(bool isSwitch, int index);

} // namespace Recipes
