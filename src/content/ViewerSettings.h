#pragma once

#include "engine/HtmlViewerTypes.h"

#include <QString>

class Registry;

// The default look of the pages, kept per user under the settings key as
// "FontName", "FontColor", "FontSize", "HotSpotColor" and "Background".
// Colours are stored as numbers with red in the low byte.
namespace ViewerSettings {

// The stored values; a value that is missing or of another type (and an empty
// font name) takes its default. Creates the key when missing.
ViewerDefaults Load(Registry& store, const QString& key);
// Writes the five values; a value that cannot be written is skipped.
void Save(Registry& store, const QString& key, const ViewerDefaults& defaults);

quint32 ColorToNumber(const QColor& color);
QColor NumberToColor(quint32 number);

} // namespace ViewerSettings
