#pragma once

#include "data/DynamicArrays.h"
#include "interface/InterfaceDescription.h"
#include "interface/InterfaceDiagnostics.h"

#include <QList>
#include <QPoint>

// Reads the interface description (the lines of Struct.cfs, decoded
// lower-cased) into its records. Keys are found as substrings of lines and
// values are read by the configuration value readers; relative paths are
// expanded under Paths().AppDir. Bad input never stops the reading: missing
// numbers are -1, missing strings empty, and what the reader had to leave
// out is reported to the optional diagnostics list.

// Screens a description may have; higher screen numbers are left out.
constexpr int MaxScreens = 256;
// Vertices a polygon may have; further ones are ignored.
constexpr int MaxVertices = 2000;

// Both passes, one after the other.
TInterfaceDescription ReadInterfaceDescription(const TDynamicStringArray& lines,
                                               TInterfaceDiagnostics* diagnostics = nullptr);

// First pass: the global keys (title, codec, rolic, helpwin, background,
// icon, bgsounddef, vertexmain, minimize, close), looked for in every line,
// inside element sections too. A window polygon with a vertex that is no
// number pair leaves WindowPolygonValid false; the start-up stops there.
void ReadInterfaceGlobals(const TDynamicStringArray& lines, TInterfaceDescription& description,
                          TInterfaceDiagnostics* diagnostics = nullptr);

// Second pass: the element sections, screen by screen. Each "_screen" line
// appends copies of the system buttons as the first pass left them, so the
// first pass must have run on the same description before.
void ReadInterfaceElements(const TDynamicStringArray& lines, TInterfaceDescription& description,
                           TInterfaceDiagnostics* diagnostics = nullptr);

// One vertex "x,y": x before the first comma, y after it, both signed
// decimal numbers (blanks around them allowed). False when it is not.
bool ParseVertex(const QString& text, QPoint& vertex);

// The first-pass key words, in the order the first pass looks for them.
const QStringList& GlobalKeyWords();
// The section words, in the order the second pass tests them.
const QStringList& SectionWords();
