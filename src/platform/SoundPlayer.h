#pragma once

#include <QString>
#include <memory>

// Click and exit sounds: wave files played by their virtual file names. Where
// the file is missing or the output is busy nothing is played and no default
// sound takes its place.
class ISoundPlayer {
public:
    virtual ~ISoundPlayer() = default;
    // Starts the sound and returns at once; a sound still playing is cut off.
    virtual void PlayAsync(const QString& virtualPath) = 0;
    // Plays the sound and returns when it has ended.
    virtual void PlayAndWait(const QString& virtualPath) = 0;
};

// The player of the process. Until the media layer installs its own, sounds
// go to a player that plays nothing.
ISoundPlayer& SoundPlayer();
// Installs a player; nullptr brings back the silent one.
void SetSoundPlayer(std::unique_ptr<ISoundPlayer> player);
