#pragma once

#include "Recipes.h"

#include <QImage>

// Draws the state pictures of buttons, switches and group members. Each
// picture starts from the piece of the screen background it will cover, so
// rounded corners and soft shadows blend into the screen when the shell
// copies the picture onto it; captions are left to the shell.
namespace Controls {

QImage paint(const Recipe& recipe, const Look& look, const QImage& under);

} // namespace Controls
