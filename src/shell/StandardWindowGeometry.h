#pragma once

#include <QPoint>
#include <QSize>
#include <QString>

// Where the standard window goes and how big it is for the file it shows.
namespace StandardWindowGeometry {

// "scheme.bmp" and "scheme_lux.bmp" (any letter case): 780 x 550. Other
// pictures (".bmp", ".gif", ".jpg", ".jpeg"): the picture as the page laid it
// out, 45 wider and 90 higher. Anything else, and a picture that did not
// load, keeps the current size.
QSize SizeFor(const QString& file, QSize pictureSize, QSize current);

// Left 40 and top 30; left 0 when the right edge would pass the work area's
// width, top 0 when the bottom edge would pass its height.
QPoint PositionFor(QSize size, QSize workArea);

// The file name after the last backslash or slash.
QString FileNameOf(const QString& file);

} // namespace StandardWindowGeometry
