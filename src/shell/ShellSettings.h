#pragma once

#include <QString>

class Registry;

// The user settings the shell window reads, kept under the settings key. A
// value that is missing or unreadable takes its default, which is written
// back. The options dialog edits them; until it exists they are only loaded.
struct TShellSettings {
    bool Clip = true;      // intro clip at start-up
    bool Wav = true;       // click sounds of buttons and switches
    bool BGSound = true;   // background music
    bool Animation = true; // loaded; switched off in memory once the window is up
    bool Hint = true;      // tooltips

    void Load(Registry& registry, const QString& key);
};
