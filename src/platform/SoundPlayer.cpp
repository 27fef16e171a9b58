#include "platform/SoundPlayer.h"

namespace {

class SilentSoundPlayer final : public ISoundPlayer {
public:
    void PlayAsync(const QString&) override {}
    void PlayAndWait(const QString&) override {}
};

std::unique_ptr<ISoundPlayer>& installedPlayer()
{
    static std::unique_ptr<ISoundPlayer> player = std::make_unique<SilentSoundPlayer>();
    return player;
}

} // namespace

ISoundPlayer& SoundPlayer()
{
    return *installedPlayer();
}

void SetSoundPlayer(std::unique_ptr<ISoundPlayer> player)
{
    installedPlayer() = player ? std::move(player) : std::make_unique<SilentSoundPlayer>();
}
