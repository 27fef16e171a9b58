#pragma once

#include <QColor>

// The colours of the demo disc: deep indigo surfaces, lavender text and a
// gold accent. Every picture takes its colours from here, so that the screens,
// the controls and the popups belong together.
namespace Palette {

inline const QColor Ink(15, 12, 32);
inline const QColor Night(28, 22, 56);
inline const QColor Dusk(40, 31, 78);
inline const QColor Indigo(53, 43, 99);
inline const QColor Violet(92, 78, 158);
inline const QColor Lilac(140, 124, 206);
inline const QColor Lavender(233, 228, 247);
inline const QColor Mist(200, 192, 228);
inline const QColor Dim(150, 140, 190);
inline const QColor Gold(233, 180, 76);
inline const QColor GoldLight(255, 217, 138);
inline const QColor GoldDeep(168, 118, 36);
inline const QColor Rose(208, 80, 106);
inline const QColor Teal(84, 196, 200);
inline const QColor Parchment(251, 248, 241);

// A colour with another alpha.
inline QColor alpha(const QColor& color, int value)
{
    QColor result = color;
    result.setAlpha(value);
    return result;
}

} // namespace Palette
