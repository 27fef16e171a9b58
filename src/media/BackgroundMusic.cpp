#include "media/BackgroundMusic.h"

#include "platform/Registry.h"

#include <limits>

namespace {

const QString songValue = QStringLiteral("BGSoundSong");
const QString positionValue = QStringLiteral("BGSoundPos");

} // namespace

TBackgroundMusic::TBackgroundMusic(TBackgroundMusicContext context)
    : context_(std::move(context)),
      fade_(context_.Volume ? *context_.Volume : ProgramOutputVolume(), context_.FadeTick)
{
    player_.SetOnNotify([this](TMPlayer*) { NextSong(); });
}

TBackgroundMusic::~TBackgroundMusic()
{
    fade_.Cancel();
}

Registry& TBackgroundMusic::Store() const
{
    return context_.Store ? *context_.Store : Registry::instance();
}

IOutputVolume& TBackgroundMusic::Volume() const
{
    return context_.Volume ? *context_.Volume : ProgramOutputVolume();
}

// A value that cannot be read keeps the current ones and ends the reading. A song index
// outside the list (the list changed since it was stored) starts the list from the top.
void TBackgroundMusic::ReadStoredSong()
{
    Registry& store = Store();
    store.createKey(RegistryHive::CurrentUser, context_.SettingsKey);
    if (const auto index =
            store.readInteger(RegistryHive::CurrentUser, context_.SettingsKey, songValue)) {
        songIndex_ = *index;
        if (const auto position =
                store.readInteger(RegistryHive::CurrentUser, context_.SettingsKey, positionValue)) {
            songPosition_ = *position;
        }
    }
    if (songIndex_ < 0 || songIndex_ >= context_.SongList.size()) {
        songIndex_ = 0;
        songPosition_ = 0;
    }
}

void TBackgroundMusic::StoreSong()
{
    const qint64 position = player_.Position();
    Registry& store = Store();
    store.createKey(RegistryHive::CurrentUser, context_.SettingsKey);
    store.writeInteger(RegistryHive::CurrentUser, context_.SettingsKey, songValue, songIndex_);
    store.writeInteger(RegistryHive::CurrentUser, context_.SettingsKey, positionValue,
                       qint32(std::min<qint64>(position, std::numeric_limits<qint32>::max())));
}

void TBackgroundMusic::OpenSong()
{
    player_.SetFileName(context_.AppDir + context_.SongList.at(songIndex_));
    player_.Open();
}

void TBackgroundMusic::Fail()
{
    if (context_.TurnMusicOff) {
        context_.TurnMusicOff();
    }
}

// A stored position beyond the song (the file changed) only fails the seek: the song then
// plays from its beginning.
void TBackgroundMusic::StartMusic()
{
    ReadStoredSong();
    if (context_.SongList.isEmpty()) {
        Fail();
        return;
    }
    // The fade-in starts at silence before the song opens, so that nothing of
    // it sounds at the old volume.
    const bool fading = fade_.Start(TVolumeFade::TDirection::In);
    try {
        OpenSong();
        player_.Seek(songPosition_);
        player_.Play();
    } catch (const EMCIDeviceError&) {
        EndFailedStart(fading);
        return;
    }
    if (player_.ErrorCode() != 0) {
        EndFailedStart(fading);
    }
}

// A song that could not start leaves the volume as the fade found it.
void TBackgroundMusic::EndFailedStart(bool fading)
{
    if (fading) {
        fade_.Cancel();
        Volume().SetVolume(fade_.SavedVolume());
    }
    Fail();
}

// Only a song that ended by itself moves on; a notification that arrives after the music
// was stopped (the player is closed) is left alone.
void TBackgroundMusic::NextSong()
{
    if (player_.NotifyValue() != TMPNotifyValues::Successful || !player_.IsOpen() ||
        context_.SongList.isEmpty()) {
        return;
    }
    songIndex_ = songIndex_ < context_.SongList.size() - 1 ? songIndex_ + 1 : 0;
    try {
        OpenSong();
        player_.Play();
    } catch (const EMCIDeviceError&) {
        Fail();
        return;
    }
    if (player_.ErrorCode() != 0) {
        Fail();
    }
}

// Music that is not playing (never started in this run, or failed) keeps the stored song and
// position and has nothing to fade.
void TBackgroundMusic::StopMusic(bool fade)
{
    if (!player_.IsOpen()) {
        return;
    }
    StoreSong();
    if (!fade || !fade_.Start(TVolumeFade::TDirection::Out)) {
        player_.Close();
        return;
    }
    fade_.WaitFadedOut(context_.FadeOutLimit);
    fade_.Cancel();
    player_.Close();
    Volume().SetVolume(fade_.SavedVolume());
}
