#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Process-wide values of the shell, set by the start-up sequence. Folders are
// virtual paths ending in a backslash.
struct TShellGlobals {
    QString DiskTitle;   // window title, instance marker name, registry sub-key
    QString ArchiveBase; // AppDir without its first "run\"
    QString SystemDir;
    QString WindowsDir;
    QString TempDir;
    int CurrentScreen = 0;  // zero-based; 0 is the start screen
    int LetterSpacing = -1; // pixels added after each caption character
    bool SecondInstance = false;
    bool CaseSensitive = false; // the page search tells the case of letters apart
    QStringList InstalledFonts; // font files added for this process
    QList<int> InstalledFontIds;
};

TShellGlobals& Shell();

// The settings key of the disc: SOFTWARE\Pallidrome\<DiskTitle> under the
// current user.
QString SettingsKey(const QString& diskTitle);
