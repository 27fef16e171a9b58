#pragma once

#include "StructLayout.h"

#include <QImage>
#include <QMap>
#include <QString>

// Pictures of the screens as the shell shows them at rest, for the pages
// that describe the disc: the background with the resting picture of every
// control and its caption painted letter by letter as the shell paints it,
// a sketch of a page in the page panel and a picture in each picture area.
namespace ScreenShots {

QImage compose(int screen, const QImage& background, const StructLayout& layout,
               const QMap<QString, QImage>& pictures, const QImage& slide);

} // namespace ScreenShots
