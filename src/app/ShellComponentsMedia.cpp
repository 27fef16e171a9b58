// The media of the skinned window: the background music, the clip player
// with its clip areas and the slide show of the picture areas.

#include "app/ShellComponents.h"
#include "dialogs/FormOptions.h"
#include "media/BackgroundMusic.h"
#include "media/ClipPlayer.h"
#include "media/SlideImage.h"
#include "shell/MainForm.h"
#include "shell/ShellGlobals.h"

#include <QCheckBox>

void TShellComponents::CreateMusicPlayer()
{
    if (music_) {
        return;
    }
    TBackgroundMusicContext context;
    context.AppDir = form_.Context().AppDir;
    context.SongList = form_.Interface().BgSoundDefault;
    context.SettingsKey = SettingsKey();
    context.Store = form_.Context().Store;
    context.TurnMusicOff = [this] { form_.Settings().BGSound = false; };
    music_ = std::make_unique<TBackgroundMusic>(std::move(context));
    set_.Music = music_.get();
}

// The clip player exists on every disc: sounds of links and drops play
// without clip areas too.
void TShellComponents::CreateClipPlayer()
{
    if (clipPlayer_) {
        return;
    }
    TClipPlayerContext context;
    context.MainWindow = &form_;
    context.Clips = form_.Interface().Clips;
    context.CurrentScreen = CurrentScreen();
    context.Components = &set_;
    context.MusicSettingOn = [this] { return form_.Settings().BGSound; };
    context.SetMusicSetting = [this](bool on) {
        form_.Settings().BGSound = on;
        if (options_) {
            options_->CheckBoxBGSound->setChecked(on);
        }
    };
    context.EndButtonHover = EndButtonHover();
    context.InstallMpegDriver = MpegDriverInstaller();
    clipPlayer_ = ::CreateClipPlayer(context);
    set_.ClipPlayer = clipPlayer_.get();
}

void TShellComponents::CreateSlideShow()
{
    if (slideShow_ || form_.Interface().Images.isEmpty()) {
        return;
    }
    TSlideShowContext context;
    context.MainWindow = &form_;
    context.Images = form_.Interface().Images;
    context.CurrentScreen = CurrentScreen();
    context.RunSlideShow = [this] { return form_.Settings().RunSlideShow; };
    context.SlideShowTime = [this] { return form_.Settings().SlideShowTime; };
    context.ImageSequence = [this] { return form_.Settings().ImageSequence; };
    context.EndButtonHover = EndButtonHover();
    slideShow_ = ::CreateSlideShow(context);
    set_.SlideShow = slideShow_.get();
}
