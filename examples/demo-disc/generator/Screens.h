#pragma once

#include "StructLayout.h"

#include <QImage>

// The background pictures of the three screens, drawn around the places the
// interface description gives to panels, fields and controls.
namespace Screens {

// Screen 1, the start screen: logotype, the large disc, room for the menu.
QImage start(const StructLayout& layout);

// Screen 2, reading: header with the tool switches, the page panel frame,
// the side column with chapters, picture and clip, the tool row and status.
QImage content(const StructLayout& layout);

// Screen 3: the gallery frame and a card about the disc.
QImage gallery(const StructLayout& layout);

// The background of screen number (from 1); a null image for another number.
QImage ofScreen(int number, const StructLayout& layout);

} // namespace Screens
