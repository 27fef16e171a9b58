#pragma once

#include <QString>

// The Wine prefix the program shares with the Windows programs of a disc:
// $WINEPREFIX, else ~/.wine. It counts as existing only when it holds a
// Windows folder, which Wine makes when it first runs.
namespace WinePrefix {

// The prefix's host folder, whether it exists or not.
QString folder();
// Its drive_c when the prefix exists; empty otherwise.
QString driveC();
bool exists();

} // namespace WinePrefix
