#pragma once

#include "Glyphs.h"

#include <QImage>
#include <QRect>
#include <QString>

// The page pictures of the skinned dialog and the pictures of its progress
// bar. A page is a dark framed panel with a header band. The shell widens a
// message page for a long message by repeating its middle column, so the
// message pages vary only from top to bottom across their middle.
namespace DialogPages {

constexpr QSize MessageSize(400, 130);
constexpr QSize FindSize(400, 250);

// Where the message stands and its font: DejaVu Sans, bold, 10 points.
constexpr int MessageLeft = 24;
constexpr int MessageTop = 40;
constexpr int MessageRight = 376;
constexpr int MessagePixels = 13;

// A message page headed by title; text, when not empty, is painted into the
// message area (pages whose message is part of the picture).
QImage message(const QString& title, Glyph glyph, const QString& text);

// The find page: a light well around the search field, a slot for the
// progress bar, a divider at the height the window keeps without results
// (foldedHeight) and a light well under the result list.
QImage find(const QRect& fieldWell, const QRect& bar, int foldedHeight, const QRect& list);

// The progress bar over the piece of page it covers: empty or full.
QImage bar(const QImage& under, bool full);

// Draws text centred on centre, in the colour given.
void paintLabel(QImage& image, const QPointF& centre, const QString& text, int pixelSize,
                const QColor& color);

} // namespace DialogPages
