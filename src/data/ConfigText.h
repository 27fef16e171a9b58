#pragma once

#include "data/DynamicArrays.h"

#include <QByteArray>

// Decodes an encoded configuration buffer (.cfs) into text lines, appending
// them to lines. With lowerCase only the letters A to Z are lowered. Never
// fails: a damaged buffer decodes into whatever lines result.
void DecodeConfig(const QByteArray& buffer, TDynamicStringArray& lines, bool lowerCase);

// The decoded text as Windows-1251 bytes, lines joined by CR LF, before splitting.
QByteArray DecodeConfigText(const QByteArray& buffer);

// The inverse of the decoding: text (Windows-1251 bytes) to an encoded buffer
// of twice its length. The filler bytes are deterministic.
QByteArray EncodeConfig(const QByteArray& text);
