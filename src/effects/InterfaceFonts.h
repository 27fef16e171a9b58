#pragma once

#include "interface/InterfaceRecords.h"

#include <QColor>
#include <QFont>
#include <QString>

// Fonts and colours as the interface description gives them, for the
// windows that draw them (the description itself needs no fonts).

// The style words "bold", "italic", "underline" and "strikeout" anywhere in
// a text, letter case counting.
inline TFontStyles StyleWords(const QString& words)
{
    TFontStyles styles = 0;
    styles |= words.contains(QLatin1String("bold")) ? StyleBold : 0;
    styles |= words.contains(QLatin1String("italic")) ? StyleItalic : 0;
    styles |= words.contains(QLatin1String("underline")) ? StyleUnderline : 0;
    styles |= words.contains(QLatin1String("strikeout")) ? StyleStrikeOut : 0;
    return styles;
}

// A font by name (Arial when none) and size in points (8 when none), shown
// at 96 dots per inch whatever the screen.
inline QFont InterfaceFont(const QString& name, qint32 points, TFontStyles styles)
{
    QFont font(name.isEmpty() ? QStringLiteral("Arial") : name);
    font.setPixelSize(qMax(1, ((points > 0 ? points : 8) * 96 + 36) / 72));
    font.setBold(styles & StyleBold);
    font.setItalic(styles & StyleItalic);
    font.setUnderline(styles & StyleUnderline);
    font.setStrikeOut(styles & StyleStrikeOut);
    return font;
}

// A colour stored with red in the low byte.
inline QColor InterfaceColour(TColor colour)
{
    return QColor(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF));
}
