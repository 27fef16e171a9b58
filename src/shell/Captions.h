#pragma once

#include "interface/InterfaceRecords.h"

#include <QFont>
#include <QImage>
#include <QList>
#include <QRect>
#include <QString>

// How one state of an element writes its caption.
struct TCaptionStyle {
    QString FontName;
    qint32 FontSize = -1; // points at 96 pixels per inch
    TFontStyles Style = 0;
    TColor Color = 0;
};

// The font of a caption state; sizes that are missing fall back to 8 points.
QFont CaptionFont(const TCaptionStyle& style, TFontStyles styles);
QColor CaptionColor(TColor color);

// Where each character of a caption starts: the rectangle's left edge, then
// each next one the previous character's bold width plus letterSpacing further,
// so the letters keep their places whatever the state's style.
QList<int> CaptionCharacterPositions(const QString& caption, const TCaptionStyle& style, int left,
                                     int letterSpacing);

// Draws the caption letter by letter into the rectangle (left, top, right,
// bottom of the picture), each character aligned top-left and clipped to the
// rest of the rectangle. Nothing is drawn when the trimmed caption is empty or
// the picture is null.
void DrawCaption(QImage& picture, const QString& caption, const QRect& textRect,
                 const TCaptionStyle& style, int letterSpacing);

// Text rectangle from the four edges of a record.
QRect TextRect(qint32 left, qint32 top, qint32 right, qint32 bottom);
// A group member's caption "2d" or "3d" (any case) is written "2D" or "3D".
QString GroupCaption(const QString& caption);
