#pragma once

#include "components/MediaComponents.h"
#include "interface/InterfaceRecords.h"
#include "media/MPlayer.h"

#include <QList>
#include <QPointer>
#include <functional>
#include <memory>

class TColorWinControl;
struct TComponentSet;

// What the main window hands the clip player; valid as long as the window lives.
struct TClipPlayerContext {
    QWidget* MainWindow = nullptr; // parent of the clip areas; none without it
    TDynamicClipArray Clips;
    std::function<int()> CurrentScreen;
    // The page panels (a clip's page) and the background music; either may be absent.
    TComponentSet* Components = nullptr;
    // The background-music setting in memory, and its change, which also ticks or unticks
    // the option box; the registry is not written.
    std::function<bool()> MusicSettingOn;
    std::function<void(bool on)> SetMusicSetting;
    // Installs the MPEG video driver of the disc after a video failed to open.
    std::function<void()> InstallMpegDriver;
    // Mouse moves over a clip area end the hover states of the window's buttons.
    std::function<void()> EndButtonHover;
};

// The clip player: sounds of links and drops, clips of the "clip" command in the clip area of
// the current screen with their page beside them, and the transport commands. While it plays
// the background music is off; a sound that stopped the music brings it back when it ends.
// Every failure to open or play is swallowed, and so are commands on a closed player.
class TSound final : public IClipPlayer {
public:
    // What the end of a clip does.
    enum class TEndAction { None = 0, Replay = 3, Close = 4, RestartMusic = 5 };

    explicit TSound(TClipPlayerContext context);
    ~TSound() override;

    void ShowScreenAreas() override;
    // kind 0 plays the file named last again, 3 a sound, 4 a clip with its page.
    void PlayClip(const QString& file, const QString& page, int kind) override;
    void Stop() override;
    void SetNotify(bool notify) override;
    void PauseOrResume() override;
    // Ten seconds forward or back, not past the end nor before the start.
    void StepForward() override;
    void StepBack() override;
    void Close() override;
    // The player's notification.
    void ClipEnded();

    TEndAction EndAction() const { return endAction_; }
    int LastScreen() const { return lastScreen_; }
    int AreaCount() const { return int(clipAreas_.size()); }
    TColorWinControl* ClipArea(int area) const;
    TMPlayer& Player() { return player_; }

private:
    void ChooseEndAction(int kind);
    void SwitchMusicOff(int kind);
    void RestartMusic();
    void ShowInClipArea(const QString& page, bool openPage);
    void OpenClip();
    void Step(qint64 offset);

    TClipPlayerContext context_;
    TMPlayer player_;
    QList<QPointer<TColorWinControl>> clipAreas_;
    QList<int> areaScreens_;
    QList<int> areaPanels_;
    int lastScreen_ = -1;
    TEndAction endAction_ = TEndAction::None;
    QString replayFile_; // what kind 0 plays
};

// The clip player, with an area for each clip element of the interface.
std::unique_ptr<TSound> CreateClipPlayer(const TClipPlayerContext& context);
