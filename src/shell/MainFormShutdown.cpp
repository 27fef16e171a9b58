#include "data/ReadBin.h"
#include "platform/InstanceLock.h"
#include "platform/Instances.h"
#include "platform/SoundPlayer.h"
#include "platform/WindowRegistry.h"
#include "shell/MainForm.h"
#include "shell/ScreenPictures.h"
#include "shell/ShellGlobals.h"
#include "shell/SwitchStore.h"
#include "shell/WindowAnimation.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QTimer>

// The skinned window does not close at once: its family closes and the closing
// animation ends the program. A close while an animation runs changes nothing.
void TMainForm::closeEvent(QCloseEvent* event)
{
    if (thesaurusMode_ || viewerMode_) {
        event->accept();
        return;
    }
    event->ignore();
    if (animation_->Running()) {
        return;
    }
    CloseFamilyWindows();
    delete restartTimer_;
    restartTimer_ = nullptr;
    components_->ReleaseVideoPlayer();
}

void TMainForm::CloseFamilyWindows()
{
    CloseWindowsCaptioned(QStringLiteral("Помощь"), false);
    CloseWindowsCaptioned(QStringLiteral("Тезаурус"), false);
    for (const char* caption : {"Лумбарт", "Help System: Кестрамон", "Справка: Кестрамон",
                                "Help Topics: Кестрамон", "Кестрамон"}) {
        CloseWindowsCaptioned(QString::fromUtf8(caption), true);
    }
    components_->CloseDialogs();
    if (!viewerMode_) {
        CloseWindowsCaptioned(QStringLiteral("Увеличенная картинка"), true);
    }
    animation_->StartClosing();
}

// Each matching window is asked once; a window that refuses to close is not
// asked again and again.
void TMainForm::CloseWindowsCaptioned(const QString& caption, bool all)
{
    for (const WindowRegistry::Info& window : Instances::TopLevelWindows()) {
        if (window.visible && WindowRegistry::CaptionMatches(window.caption, caption, 127)) {
            Instances::Close(window.handle);
            if (!all) {
                return;
            }
        }
    }
}

void TMainForm::FormDestroy()
{
    if (destroyed_) {
        return;
    }
    destroyed_ = true;
    PlayExitSound();
    structBuffer_.clear();
    if (settings_.BGSound) {
        if (set_.Music) {
            set_.Music->StopMusic(true);
        }
    }
    RemoveDiscFonts();
    components_->FreeComponents();
    if (!viewerMode_) {
        StoreSwitchStates(interface_, Store(), SettingsKey(interface_.DiskTitle));
    }
    pictures_->Clear();
    pictures_->Background() = QImage();
    instanceLock_.reset();
}

void TMainForm::PlayExitSound()
{
    const TDynamicBtnArray buttons = interface_.Buttons.value(Shell().CurrentScreen);
    if (exitButton_ < 0 || exitButton_ >= buttons.size() || !settings_.Wav) {
        return;
    }
    const QString& sound = buttons[exitButton_].Sound;
    if (!sound.isEmpty() && sound != QLatin1String("no")) {
        SoundPlayer().PlayAndWait(context_.AppDir + sound);
    }
}

void TMainForm::RemoveDiscFonts()
{
    for (const int id : Shell().InstalledFontIds) {
        QFontDatabase::removeApplicationFont(id);
    }
    Shell().InstalledFontIds.clear();
    Shell().InstalledFonts.clear();
}
