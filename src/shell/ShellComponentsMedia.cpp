// The media of the skinned window: the background music, the clip player
// with its clip areas and the slide show of the picture areas.

#include "ClipPlayer.h"
#include "FormOptions.h"
#include "MainForm.h"
#include "ShellComponents.h"
#include "ShellGlobals.h"
#include "SlideImage.h"

#include <QCheckBox>

void TShellComponents::CreateMusicPlayer()
{
    if (!factories_.Music || music_) {
        return;
    }
    TMusicContext context;
    context.AppDir = form_.Context().AppDir;
    context.SongList = form_.Interface().BgSoundDefault;
    context.SettingsKey = SettingsKey(Shell().DiskTitle);
    context.Store = form_.Context().Store;
    context.TurnMusicOff = [this] { form_.Settings().BGSound = false; };
    music_ = factories_.Music(context);
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
    context.CurrentScreen = [] { return Shell().CurrentScreen; };
    context.Components = &set_;
    context.MusicSettingOn = [this] { return form_.Settings().BGSound; };
    context.SetMusicSetting = [this](bool on) {
        form_.Settings().BGSound = on;
        if (options_) {
            options_->CheckBoxBGSound->setChecked(on);
        }
    };
    context.EndButtonHover = [this] {
        form_.FormMouseMove(Qt::NoButton, Qt::NoModifier, QPoint(-1, -1));
    };
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
    context.CurrentScreen = [] { return Shell().CurrentScreen; };
    context.RunSlideShow = [this] { return form_.Settings().RunSlideShow; };
    context.SlideShowTime = [this] { return form_.Settings().SlideShowTime; };
    context.ImageSequence = [this] { return form_.Settings().ImageSequence; };
    context.EndButtonHover = [this] {
        form_.FormMouseMove(Qt::NoButton, Qt::NoModifier, QPoint(-1, -1));
    };
    slideShow_ = ::CreateSlideShow(context);
    set_.SlideShow = slideShow_.get();
}

void TShellComponents::StartMusic()
{
    if (set_.Music) {
        set_.Music->StartMusic();
    }
}

void TShellComponents::StopMusic()
{
    if (set_.Music) {
        set_.Music->StopMusic(true);
    }
}
