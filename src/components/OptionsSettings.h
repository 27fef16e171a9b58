#pragma once

#include <QString>

class Registry;

// The user settings, kept under the settings key in the current user's
// registry. A value that is missing or unreadable takes its default, which
// is written back. The options dialog shows and edits them; the shell, the
// music, the slide show and the dialogs read them.
struct TOptionsSettings {
    bool Clip = true;      // intro clip at start-up
    bool Wav = true;       // click sounds of buttons and switches
    bool BGSound = true;   // background music
    bool Animation = true; // loaded; switched off in memory once the window is up
    bool Hint = true;      // tooltips
    int SizeInterface = 0; // written when the options are confirmed, never read
    // The slide show, loaded only for interfaces with picture areas.
    bool RunSlideShow = false;
    int SlideShowTime = 5; // seconds, 1 to 10
    int ImageSequence = 0; // 0 forward, 1 backward, other values random

    void Load(Registry& registry, const QString& key);
    void LoadPictureSettings(Registry& registry, const QString& key);
};
