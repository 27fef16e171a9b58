#pragma once

#include <QPoint>
#include <QString>
#include <litehtml.h>

// Client-side image maps: the <area> of a <map> that a picture with
// usemap="#name" shows at a point, by the shapes rect, circle, poly and
// default, tried in document order as browsers do.
namespace ImageMap {

// Whether an area of the given shape and coordinates holds point, relative
// to the picture's top-left corner.
bool Contains(const QString& shape, const QString& coords, QPoint point);

// The area of image's map at point (page coordinates); null for none.
litehtml::element::ptr AreaAt(const litehtml::element::ptr& image, QPoint point);

} // namespace ImageMap
