#pragma once

#include <QString>

// Small operations on the virtual paths and files of the content.
namespace ContentFiles {

// The name after the last "\".
QString FileNameOf(const QString& path);
// "d:" of "d:\x"; empty when the path has no drive.
QString DriveOf(const QString& path);
// A path made absolute: a drive-less path against the current folder (a
// leading "\" against its drive).
QString Absolute(const QString& path);
// Copies a content file, from the packed archive when it is there and from
// the disk otherwise, creating the target's folders and overwriting, where
// the write policy allows (userFolder: the folder the user chose). False
// when nothing was copied.
bool CopyContentFile(const QString& from, const QString& to, const QString& userFolder);

} // namespace ContentFiles
