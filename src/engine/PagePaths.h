#pragma once

#include <QString>

// Links of pages as Windows-style paths: what a link names, and what kind of
// page a file makes.
namespace PagePaths {

enum class PageKind { Html, Text, Picture };

// "http:", "mailto:", "printhtml:" ...: a scheme of two or more letters
// before the first ":" (a drive letter is no scheme).
bool HasScheme(const QString& url);
// The link made a full path against the folder of baseFile: "/" becomes "\",
// %xx escapes are decoded, "." and ".." steps collapse; a "#anchor" stays.
// Links with a scheme come back unchanged, except "file:" links.
QString Expand(const QString& baseFile, const QString& url);
// The folder of a file, with its final "\".
QString FolderOf(const QString& file);
// A path split at its first "#".
QString WithoutAnchor(const QString& path);
QString AnchorOf(const QString& path);
// Lower-cased extension with its dot, "" when there is none.
QString ExtensionOf(const QString& path);
PageKind KindOf(const QString& path);
// A file the viewer shows itself: pages, text files and pictures.
bool IsViewable(const QString& path);
bool SameFile(const QString& a, const QString& b);

} // namespace PagePaths
