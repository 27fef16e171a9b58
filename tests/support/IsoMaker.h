#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// ISO 9660 images for tests, made by xorriso from a host folder.
namespace IsoMaker {

// Names the image carries beside the plain ISO names.
enum class Names { Plain, RockRidge, Joliet, JolietAndRockRidge };

bool available();
// Writes an image of folder to image; empty on success, else xorriso's complaint.
QString make(const QString& folder, const QString& image, Names names);

QByteArray readAll(const QString& path);
bool writeAll(const QString& path, const QByteArray& bytes);

} // namespace IsoMaker
