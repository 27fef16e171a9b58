#pragma once

#include "data/DynamicArrays.h"
#include "interface/InterfaceRecords.h"

#include <QIcon>
#include <QString>

class TReadBin;

// Pieces of the file viewer's start-up: the one page panel it shows its file
// in, and the icon the disc names.
namespace ViewerMode {

// The caption of a file viewer showing a picture or page, by which the
// program's other windows find it; help mode shows its disc title instead.
const QString& Caption();
// The disc title of help mode.
const QString& HelpTitle();

// A panel on the first screen with an empty rectangle, showing file.
RHTML PanelRecord(const QString& file);

// The icon entry named by the first line whose lower-cased text holds
// "icon": the text from five characters after that word's start, read as a
// string value. Only that first line is looked at; empty when it names none.
QString IconEntry(const TDynamicStringArray& lines);

// The icon named by the disc's Struct.cfs (decoded without lower-casing);
// null when there is none or it cannot be read.
QIcon DiscIcon(const TReadBin& bin);

} // namespace ViewerMode
