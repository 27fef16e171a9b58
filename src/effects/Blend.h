#pragma once

#include <QtGlobal>
#include <array>

class TFastBitmap;

// The table of one blend step: T[d + 255] = (alpha * d) >> 8 for d = -255 .. 255, the shift
// being arithmetic (rounding towards minus infinity).
using TBlendTable = std::array<int, 511>;
TBlendTable MakeBlendTable(int alpha);

// Blends two equally sized 24-bit pictures, from (A) and to (B), into `into` (C) with alpha 0 to
// 255 (clamped): C = A + T[B - A + 255] for every byte of every pixel, so alpha 0 gives A and
// alpha 255 gives B up to one unit per channel. `into` takes the pictures' size when it differs.
// False, with `into` unchanged, when the pictures are null or differ in size.
bool Blend(const TFastBitmap& from, const TFastBitmap& to, int alpha, TFastBitmap& into);

// The same blend done byte by byte through the table: the yardstick of the fast routine.
bool BlendReference(const TFastBitmap& from, const TFastBitmap& to, int alpha, TFastBitmap& into);

// Blends count bytes of one row with the fast routine.
void BlendBytes(const uchar* from, const uchar* to, uchar* into, qsizetype count, int alpha);
