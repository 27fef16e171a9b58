#pragma once

#include "data/DynamicArrays.h"

#include <QString>

// The pages a search walks or scans, as full virtual paths. A list never
// comes back empty: with no page it holds one empty entry, which no viewer
// loads. Lists are cut at MaxPages entries, so a disc with an absurd number
// of files cannot make a search list without bound.
namespace FindPageLists {

constexpr qsizetype MaxPages = 100000;

// Every "*.htm*" file of folder and, breadth first, of its sub-folders.
TDynamicStringArray DiskPages(const QString& folder);

// The pages among the archive's member paths: an extension containing
// ".htm", not in a top folder "man\" or "man_\"; each entry is archiveBase
// followed by the lower-cased path. Unless allPages, entries containing any
// non-blank noFiles fragment (letter case ignored) are left out.
TDynamicStringArray ArchivePages(const TDynamicStringArray& members, const QString& archiveBase,
                                 const TDynamicStringArray& noFiles, bool allPages);

} // namespace FindPageLists
