// The face of a screen, built the same way at start-up and on every switch,
// and the steps of the switch itself.

#include "effects/EffBtnCar.h"
#include "shell/MainForm.h"
#include "shell/PanelBkgrd.h"
#include "shell/PictureStream.h"
#include "shell/ScreenPictures.h"
#include "shell/ShellGlobals.h"

#include <QApplication>
#include <QTimer>

namespace {

constexpr int restartInterval = 100;
// Switch commands that switch the screen again are followed this deep, no
// further, so that a screen whose switch asks for itself cannot recurse.
constexpr int maxNestedSwitches = 4;
const QString video3D = QStringLiteral("3d");

template <typename List> List& listOf(QList<List>& lists, int screen)
{
    static List none;
    none.clear();
    return screen >= 0 && screen < lists.size() ? lists[screen] : none;
}

// The hourglass shows while the screen is built, however the switch ends.
class TBusyScreenCursor {
public:
    explicit TBusyScreenCursor(int& depth) : depth_(depth)
    {
        ++depth_;
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~TBusyScreenCursor()
    {
        QApplication::restoreOverrideCursor();
        --depth_;
    }
    TBusyScreenCursor(const TBusyScreenCursor&) = delete;
    TBusyScreenCursor& operator=(const TBusyScreenCursor&) = delete;

private:
    int& depth_;
};

} // namespace

// Background, element pictures with captions, hover controls and fades, then
// the up pictures composed into the background. Hover and pressed flags
// start cleared.
void TMainForm::BuildScreen(int screen)
{
    pictures_->LoadBackground(interface_, screen, *pictureStream_);
    pictures_->BuildElements(interface_, screen, *pictureStream_, Shell().LetterSpacing);
    states_.ResetButtons(int(listOf(interface_.Buttons, screen).size()));
    for (RSwthOne& element : listOf(interface_.Switches, screen)) {
        element.Hover = false;
    }
    for (RSwthGrp& element : listOf(interface_.SwitchGroups, screen)) {
        element.Hover = false;
    }
    pictures_->ComposeBackground(interface_, screen);
}

void TMainForm::SwitchScreen(int screen, int index, int kind)
{
    if (switchDepth_ >= maxNestedSwitches || !pictureStream_) {
        return;
    }
    StopRestartTimer();
    ReleaseIssuer(index, kind);
    Shell().CurrentScreen = screen;
    // The 3-D clip plays on the start screen only: leaving it for any screen
    // holds the clip, which would otherwise go on over the new screen.
    IVideoPlayer* video = set_.VideoPlayer;
    if (screen != 0 && video) {
        video->Freeze();
    }
    setCursor(Qt::ArrowCursor);
    const TBusyScreenCursor busy(switchDepth_);
    BuildScreen(screen);
    TellComponentsScreenChanged(screen);
    ReplayScreenSwitches(screen);
    video = set_.VideoPlayer;
    if (screen == 0 && video) {
        video->PaintFrozenFrame(pictures_->Background());
    }
    StartRestartTimerIfHeld(screen);
    update();
}

// The element that issued the command lets go; a switch keeps its state.
void TMainForm::ReleaseIssuer(int index, int kind)
{
    switch (TElementKind(kind)) {
    case TElementKind::Button:
        if (index >= 0 && index < states_.ButtonFlags().size()) {
            states_.ButtonFlags()[index] = TBtnFlags();
        }
        if (TElementPictures* element = pictures_->Element(TElementKind::Button, index)) {
            element->Effect->StopCrossFade();
        }
        break;
    case TElementKind::SingleSwitch:
        if (index >= 0 && index < listOf(interface_.Switches, CurrentScreen()).size()) {
            interface_.Switches[CurrentScreen()][index].Hover = false;
        }
        break;
    case TElementKind::SwitchGroup:
        if (index >= 0 && index < listOf(interface_.SwitchGroups, CurrentScreen()).size()) {
            interface_.SwitchGroups[CurrentScreen()][index].Hover = false;
        }
        break;
    }
}

void TMainForm::TellComponentsScreenChanged(int screen)
{
    const TComponentSet& set = set_;
    if (set.FindPanel) {
        set.FindPanel->ShowScreenEdits();
    }
    if (set.PathInputs) {
        set.PathInputs->ScreenChanged();
    }
    if (set.ClipPlayer) {
        set.ClipPlayer->ShowScreenAreas();
    }
    if (set.SlideShow) {
        set.SlideShow->ShowScreenPictures();
    }
    if (set.Popups) {
        set.Popups->RebuildPopups();
    }
    components_->ShowGifAnimation(screen != 1);
    if (set.PagePanels) {
        set.PagePanels->ScreenChanged();
    }
    // The popups were rebuilt empty: the history lists come back at once.
    FillHistoryPopups();
    if (StandardWindowShown()) {
        UpdateHistoryLists();
        LayOutStandardWindow();
    }
    if (set.Tree) {
        set.Tree->SyncWithScreen();
    } else {
        ShowBackgroundPanelForScreen(screen);
    }
}

// The contents tree shows the background panel with itself; a disc without a
// tree still needs it behind the content screen's page, and on no other.
void TMainForm::ShowBackgroundPanelForScreen(int screen)
{
    if (panelBkgrd_) {
        panelBkgrd_->setVisible(screen == 1);
    }
}

// The switches of the new screen run their commands again, twice, as their
// states say; the 3-D clip's own switches are left to the restart timer.
void TMainForm::ReplayScreenSwitches(int screen)
{
    for (int round = 0; round < 2; ++round) {
        const TDynamicSwthOneArray switches = listOf(interface_.Switches, screen);
        for (int i = 0; i < switches.size(); ++i) {
            const RSwthOne& element = switches[i];
            if (element.CmdDown != video3D) {
                QString command = element.State ? element.CmdDown : element.CmdUp;
                QString sound = element.Sound;
                ExecuteCommand(command, sound, i, int(TElementKind::SingleSwitch), 1);
            }
        }
    }
    const TDynamicSwthGrpArray groups = listOf(interface_.SwitchGroups, screen);
    for (int i = 0; i < groups.size(); ++i) {
        if (groups[i].State && groups[i].Command != video3D) {
            QString command = groups[i].Command;
            QString sound = groups[i].Sound;
            ExecuteCommand(command, sound, i, int(TElementKind::SwitchGroup), 1);
        }
    }
}

// Back on the start screen, a held 3-D clip whose switch is still on plays
// on a moment later.
void TMainForm::StartRestartTimerIfHeld(int screen)
{
    IVideoPlayer* video = set_.VideoPlayer;
    if (screen != 0 || !video || !video->Mode3D() || !video->IsHalted()) {
        return;
    }
    bool wanted = false;
    for (const RSwthOne& element : listOf(interface_.Switches, 0)) {
        wanted = wanted || (element.State && element.CmdDown == video3D);
    }
    for (const RSwthGrp& element : listOf(interface_.SwitchGroups, 0)) {
        wanted = wanted || (element.State && element.Command == video3D);
    }
    if (!wanted) {
        return;
    }
    if (!restartTimer_) {
        restartTimer_ = new QTimer(this);
        restartTimer_->setInterval(restartInterval);
        connect(restartTimer_, &QTimer::timeout, this, [this] {
            restartTimer_->stop();
            IVideoPlayer* player = set_.VideoPlayer;
            if (CurrentScreen() == 0 && player) {
                player->ResumeUnlessUserPaused();
            }
        });
    }
    restartTimer_->start();
}

void TMainForm::StopRestartTimer()
{
    if (restartTimer_) {
        restartTimer_->stop();
    }
}
