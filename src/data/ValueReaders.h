#pragma once

#include "data/DynamicArrays.h"

#include <QString>

// Readers of values in decoded configuration lines and pieces of command texts.
// Positions are 1-based character positions in a line; no reader ever reads
// past the end of its line or of the line array.

// The next signed decimal number at or after position; -1 when there is none.
qint32 ReadIntValue(const QString& line, int position);
// Text from position up to ";" or the end of the line, trimmed of blanks.
QString ReadStrValue(const QString& line, int position);
// Three numbers r, g, b as a colour with red in the low byte.
quint32 ReadColorValue(const QString& line, int position);
// A "[a;b;c]" list that may continue over following lines; lineIndex ends on
// the line with the closing bracket. Elements are passed through ExpandPath.
TDynamicStringArray ReadListValue(const TDynamicStringArray& lines, int& lineIndex);

// Makes relative file names absolute under AppDir and "<cd>" the disc root.
QString ExpandPath(const QString& text);
QString ExpandPath(const QString& text, const QString& appDir, const QString& cdRoot);
// Joins a relative path to a base folder; "\..\" never climbs above the first
// folder below the drive.
QString JoinPath(const QString& base, const QString& relative);

// Pieces of "key=value" and "key=value=value" command texts.
QString KeyOfLine(const QString& text);
QString ValueBetweenEquals(const QString& text);
QString ValueAfterLastEquals(const QString& text);

// First position of value; index is set only when found.
bool IndexOfInt(const TDynamicIntegerArray& values, qint32 value, int& index);
// Some element equals text, ignoring the case of the letters A to Z.
bool ContainsText(const TDynamicStringArray& list, const QString& text);
