#pragma once

#include "data/DynamicArrays.h"

#include <QString>
#include <optional>

// Splits text at every occurrence of delimiter, left to right. Each piece cut
// off by a delimiter is trimmed (characters 0 to 32 at both ends) and kept
// only when something is left. The text after the last delimiter is kept
// untrimmed when it is not blank, and also when blank if exactly one piece
// came before it ("abc~" gives "abc" and ""). Nullopt when no piece results (an
// empty or blank text, or only delimiters and blanks). An empty delimiter
// never matches.
std::optional<TDynamicStringArray> SplitString(const QString& delimiter, const QString& text);

// The text without leading and trailing characters 0 to 32.
QString TrimControls(const QString& text);
