#pragma once

#include "components/MediaComponents.h"
#include "media/MPlayer.h"
#include "media/VolumeFade.h"

#include <QString>
#include <QStringList>
#include <chrono>
#include <functional>

class Registry;

// What the main window hands the background music.
struct TBackgroundMusicContext {
    QString AppDir;            // the program's folder, virtual, with a trailing backslash
    QStringList SongList;      // song files relative to AppDir, played in a loop
    QString SettingsKey;       // "SOFTWARE\Pallidrome\<disc title>" under HKEY_CURRENT_USER
    Registry* Store = nullptr; // the process's registry when null
    // Turns the background-music setting off in memory when a song cannot be played.
    std::function<void()> TurnMusicOff;
    IOutputVolume* Volume = nullptr; // the program's output volume when null
    TVolumeFade::TPeriod FadeTick{1000};
    std::chrono::milliseconds FadeOutLimit{10000}; // the longest StopMusic waits for the fade
};

// The background music: the songs of the list one after another in an endless loop, faded in
// when the music starts and out when it is switched off, the song and the position inside it
// kept as "BGSoundSong" and "BGSoundPos" from one run to the next.
class TBackgroundMusic final : public IBackgroundMusic {
public:
    explicit TBackgroundMusic(TBackgroundMusicContext context);
    ~TBackgroundMusic() override;

    // Resumes the stored song at the stored position with a fade-in.
    void StartMusic() override;
    // Stores song and position and closes the player, after a fade-out (at most FadeOutLimit)
    // when asked to fade.
    void StopMusic(bool fade) override;
    // The player's notification: a song that ended by itself is followed by the next one.
    void NextSong();

    int SongIndex() const { return songIndex_; }
    qint32 SongPosition() const { return songPosition_; }
    TMPlayer& MusicPlayer() { return player_; }
    TVolumeFade& Fade() { return fade_; }

private:
    Registry& Store() const;
    IOutputVolume& Volume() const;
    void ReadStoredSong();
    void StoreSong();
    void OpenSong();
    void Fail();
    void EndFailedStart(bool fading);

    TBackgroundMusicContext context_;
    TMPlayer player_;
    TVolumeFade fade_;
    int songIndex_ = 0;
    qint32 songPosition_ = 0;
};
