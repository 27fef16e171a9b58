#pragma once

#include <QRectF>
#include <QTextCharFormat>

class QTextDocument;

// Where characters of a laid-out document are, in document coordinates.
namespace DocumentGeometry {

// The format of the character at position (not of the one before it).
QTextCharFormat FormatAt(const QTextDocument& document, int position);
// The box of an inline object (a picture) at position: its width on the line,
// its own height resting on the line's baseline. Empty when not laid out or
// when the character is no object.
QRectF InlineObjectRect(const QTextDocument& document, int position);

} // namespace DocumentGeometry
