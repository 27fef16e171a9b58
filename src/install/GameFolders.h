#pragma once

#include <QString>
#include <QStringList>

// The file work behind removing a game: finding the uninstall log the game's
// installer left in (or above) its folder, the uninstaller's command line,
// and clearing what the uninstaller left behind. Paths are virtual.
namespace GameFolders {

inline constexpr const char* UninstallLog = "Uninst.isu";
inline constexpr const char* Uninstaller = "IsUninst.exe";

// The program of a game: "exename" relative to "instdir", split after its
// ".exe" into the program and the parameters (the blank after ".exe" kept).
struct TGameProgram {
    QString Program;
    QString Parameters;
};
TGameProgram SplitAtExe(const QString& program);

// The installation folder made absolute and without a final backslash;
// empty when it is not a path.
QString NormalizedFolder(const QString& folder);

// The folder itself when it holds the uninstall log (never a folder above
// it: that could be any folder of the user's); empty otherwise.
QString FindUninstallFolder(const QString& folder);

// windowsDir + "IsUninst.exe -f" + '"' + folder + "\Uninst.isu": the quote
// opens the path and nothing closes it.
QString UninstallCommandLine(const QString& windowsDir, const QString& folder);

// True for a drive's root ("c:"), whose content is never cleared.
bool IsDriveRoot(const QString& folder);

// Deletes every file below folder (read-only ones included) and then every
// folder that became empty, deepest first; folder itself goes last. Links are
// removed as links and never followed (a linked folder itself is left alone),
// host names holding "\" are skipped, and everything goes through the write
// policy. Errors are skipped. Returns the entries (files and folders with a
// final backslash) that were listed.
QStringList ClearFolder(const QString& folder);

} // namespace GameFolders
