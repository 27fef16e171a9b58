// What the state machine, the dispatcher, the key map and the instance
// messages ask of the window.

#include "data/ReadBin.h"
#include "effects/EffBtnCar.h"
#include "platform/Registry.h"
#include "shell/MainForm.h"
#include "shell/PanelBkgrd.h"
#include "shell/ScreenPictures.h"
#include "shell/ShellGlobals.h"

#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QTimer>

int TMainForm::CurrentScreen() const
{
    return Shell().CurrentScreen;
}

void TMainForm::CrossFade(TElementKind kind, int index, TStatePicture from, TStatePicture to)
{
    TElementPictures* element = pictures_->Element(kind, index);
    if (!element) {
        return;
    }
    element->Effect->StartCrossFade((*element)[from], (*element)[to], element->Rect.topLeft());
    pictures_->Show(kind, index, to);
}

void TMainForm::CopyPicture(TElementKind kind, int index, TStatePicture picture)
{
    if (TElementPictures* element = pictures_->Element(kind, index)) {
        element->Effect->StopCrossFade();
        pictures_->Show(kind, index, picture);
    }
}

void TMainForm::StartWindowDrag()
{
    drag_.Start(pressGlobal_);
}

void TMainForm::HideAllPopups()
{
    if (set_.Popups) {
        set_.Popups->HideAllPopups();
    }
}

// The open 3-D clip takes the presses in its area on the start screen.
bool TMainForm::VideoAreaContains(QPoint point) const
{
    const IVideoPlayer* video = set_.VideoPlayer;
    return video && video->IsOpen() && CurrentScreen() == 0 && video->AreaContains(point);
}

// A press holds the clip or lets it run on; a left press on a held clip then
// drags the window, a moment later, while the button is still down (a quick
// click must not leave the window following the mouse).
void TMainForm::VideoPress(Qt::MouseButton button, QPoint point)
{
    IVideoPlayer* video = set_.VideoPlayer;
    if (!video || !video->HandleClick(point)) {
        return;
    }
    QTimer::singleShot(100, this, [this, button] {
        IVideoPlayer* player = set_.VideoPlayer;
        if (button == Qt::LeftButton && (QGuiApplication::mouseButtons() & Qt::LeftButton) &&
            player && player->IsHalted()) {
            StartWindowDrag();
        }
    });
}

// A button that leads to the content screen holds the playing 3-D clip's frame.
void TMainForm::FreezeVideoForScreenSwitch()
{
    IVideoPlayer* video = set_.VideoPlayer;
    if (video && video->IsOpen() && !video->IsHalted()) {
        video->Freeze();
    }
}

QString TMainForm::DiskTitle() const
{
    return Shell().DiskTitle;
}

QString TMainForm::AppDir() const
{
    return context_.AppDir;
}

bool TMainForm::ClickSoundsOn() const
{
    return settings_.Wav;
}

bool TMainForm::ResourceExists(const QString& name) const
{
    return resourceBin_ && resourceBin_->Exists(name);
}

void TMainForm::SetExitButton(int index)
{
    exitButton_ = index;
}

void TMainForm::MinimizeApplication()
{
    showMinimized();
}

void TMainForm::ClearButtonStates(int index)
{
    if (index < 0 || index >= states_.ButtonFlags().size()) {
        return;
    }
    states_.ButtonFlags()[index] = TBtnFlags();
    CopyPicture(TElementKind::Button, index, TStatePicture::Up);
}

void TMainForm::TerminateApplication()
{
    RequestTermination(0);
}

void TMainForm::PressAt(QPoint point)
{
    FormMouseDown(Qt::LeftButton, Qt::NoModifier, point);
}

bool TMainForm::BackgroundMusicOn() const
{
    return settings_.BGSound;
}

// The key is created when missing; a value that cannot be written is left.
void TMainForm::SetBackgroundMusic(bool on)
{
    settings_.BGSound = on;
    Store().writeBool(RegistryHive::CurrentUser, SettingsKey(Shell().DiskTitle),
                      QStringLiteral("BGSound"), on);
}

void TMainForm::SetCaseSensitive(bool on)
{
    Shell().CaseSensitive = on;
}

QPoint TMainForm::MapToScreen(QPoint windowPoint) const
{
    return mapToGlobal(windowPoint);
}

QPoint TMainForm::CursorPosition() const
{
    return QCursor::pos();
}

void TMainForm::SetCommandHint(const QString& command, const QString& hint)
{
    const int screen = Shell().CurrentScreen;
    if (screen < 0 || screen >= interface_.Buttons.size()) {
        return;
    }
    const TDynamicBtnArray& buttons = interface_.Buttons[screen];
    for (int index = 0; index < buttons.size(); ++index) {
        TElementPictures* element = pictures_->Element(TElementKind::Button, index);
        if (element && element->Control &&
            buttons[index].Command.compare(command, Qt::CaseInsensitive) == 0) {
            element->Control->setToolTip(hint);
        }
    }
}

void TMainForm::PlaceSplitter(int x)
{
    if (panelBkgrd_ && panelBkgrd_->Splitter()) {
        panelBkgrd_->Splitter()->move(x, panelBkgrd_->Splitter()->y());
        panelBkgrd_->Splitter()->show();
    }
}
