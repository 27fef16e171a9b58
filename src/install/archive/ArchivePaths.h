#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

// Names and times of the archive browser.
namespace ArchivePaths {

// Every backslash and colon becomes "_", and so does the dot of the file
// extension: D:\games\pack.rar gives D__games_pack_rar.
QString MangleArchivePath(const QString& path);

// The file name after the last backslash.
QString FileNameOf(const QString& path);
// The part before the last backslash; empty without one.
QString FolderOf(const QString& path);

// The 32-bit DOS date-time of a local time; 0 before 1980 or after 2107.
quint32 DosDateTime(const QDateTime& time);
// The local time of a DOS date-time; invalid for 0 or an impossible date.
QDateTime FromDosDateTime(quint32 value);

// The later volumes a multi-volume set may have after the volume named:
// "x.part1.rar" is followed by "x.part2.rar" (same digit count), "x.rar" by
// "x.r00" to "x.r99". Empty for a name of neither kind.
QStringList LaterVolumeNames(const QString& volume, int count);

} // namespace ArchivePaths
