#pragma once

#include "data/DynamicArrays.h"

#include <QString>

// Files below a virtual folder matching any of the masks ("*.ttf", "a?.htm"),
// the top folder's matches first, then its sub-folders level by level. The
// masks are lower-cased in place. With listFolders each visited folder is
// listed too (with a trailing backslash).
void FindFiles(const QString& folder, TDynamicStringArray& masks, bool recurse, bool listFolders,
               TDynamicStringArray& result);
