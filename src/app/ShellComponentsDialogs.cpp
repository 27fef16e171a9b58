// The dialogs and the small widgets of the skinned window: the options and
// about boxes, the skinned dialog, the text elements, the status line and
// the progress bar.

#include "app/ShellComponents.h"
#include "data/ConfigText.h"
#include "data/ReadBin.h"
#include "dialogs/AboutBox.h"
#include "dialogs/CoolDialog.h"
#include "dialogs/FormOptions.h"
#include "dialogs/ScaleBar.h"
#include "dialogs/StatusLine.h"
#include "dialogs/TextMsg.h"
#include "platform/Processes.h"
#include "shell/KeyMap.h"
#include "shell/MainForm.h"
#include "shell/ShellGlobals.h"

#include <QPainter>

void TShellComponents::CreateOptionsWindow(bool hasPictureAreas)
{
    if (options_) {
        return;
    }
    TFormOptionsContext context;
    context.MainWindow = &form_;
    context.Settings = &form_.Settings();
    context.Store = form_.Context().Store;
    context.SettingsKey = SettingsKey();
    context.PicturesPageVisible = hasPictureAreas;
    context.SetSlideShowRunning = [this](bool running) {
        if (set_.SlideShow) {
            set_.SlideShow->SetTimerRunning(running);
        }
    };
    context.SetSlideShowInterval = [this](int seconds) {
        if (set_.SlideShow) {
            set_.SlideShow->SetInterval(seconds);
        }
    };
    context.ChooseFont = [this] {
        if (set_.PagePanels) {
            set_.PagePanels->ChooseDefaultFont();
        }
    };
    options_ = std::make_unique<TFormOptions>(context);
    set_.Options = options_.get();
}

void TShellComponents::CreateStatusLine()
{
    statusLine_ = std::make_unique<TStatusLine>(textMessages_.get());
    set_.StatusLine = statusLine_.get();
}

// The text elements of the interface, when it has any.
void TShellComponents::CreateTextMessages()
{
    if (form_.Interface().Texts.isEmpty() || textMessages_) {
        return;
    }
    textMessages_ = std::make_unique<TTextMsg>(&form_, form_.Interface().Texts, CurrentScreen());
    if (statusLine_) {
        statusLine_->SetTexts(textMessages_.get());
    }
}

void TShellComponents::SetTextMessage(const QString& text, int number)
{
    if (textMessages_) {
        textMessages_->SetText(text, number, true);
    }
}

void TShellComponents::CreateScaleBar()
{
    scaleBar_ = std::make_unique<TScaleBar>(PictureReader(), CurrentScreen());
    set_.ScaleBar = scaleBar_.get();
}

void TShellComponents::EnableOptionChecks(bool introClipDeclared, bool clickSoundsDeclared)
{
    if (options_) {
        options_->EnableChecks(introClipDeclared, clickSoundsDeclared);
    }
}

// The skinned dialog from "Dialog.cfs"; the text elements of number 1000
// and the progress bar draw on it.
void TShellComponents::CreateSkinnedDialog()
{
    QByteArray encoded;
    if (dialog_ || !form_.ResourceBin() ||
        form_.ResourceBin()->ReadToBuffer(QStringLiteral("Dialog.cfs"), encoded) < 0) {
        return;
    }
    TCoolDialogContext context;
    context.MainWindow = &form_;
    DecodeConfig(encoded, context.Lines, true);
    context.ReadPicture = PictureReader();
    context.Components = &set_;
    context.AppDir = form_.Context().AppDir;
    context.SettingsKey = SettingsKey();
    context.Store = form_.Context().Store;
    context.ClickSoundsOn = [this] { return form_.Settings().Wav; };
    context.HintsOn = [this] { return form_.Settings().Hint; };
    context.PassKey = [this](int key, Qt::KeyboardModifiers modifiers) {
        form_.FormKeyDown(TKeySender::MainWindow, key, modifiers);
    };
    context.PaintTexts = [this](QPainter& painter) {
        if (textMessages_) {
            textMessages_->PaintTexts(painter, true);
        }
    };
    dialog_ = std::make_unique<TCoolDialog>(context);
    set_.Dialog = dialog_.get();
    if (textMessages_) {
        textMessages_->SetDialog(dialog_.get());
    }
    if (scaleBar_) {
        scaleBar_->SetDialog(dialog_.get());
    }
}

void TShellComponents::PaintTextMessages(QPainter& painter)
{
    if (textMessages_) {
        textMessages_->PaintTexts(painter, false);
    }
}

// The about box from "About.cfs", made on the first "about".
IAboutBox* TShellComponents::CreateAboutBox()
{
    QByteArray encoded;
    if (!aboutBox_ && form_.ResourceBin() &&
        form_.ResourceBin()->ReadToBuffer(QStringLiteral("About.cfs"), encoded) >= 0) {
        TAboutBoxContext context;
        DecodeConfig(encoded, context.Lines, true);
        context.ReadPicture = PictureReader();
        context.AppDir = form_.Context().AppDir;
        context.ClickSoundsOn = [this] { return form_.Settings().Wav; };
        context.HintsOn = [this] { return form_.Settings().Hint; };
        context.OpenTarget = [](const QString& target) { Processes::OpenUrl(target); };
        aboutBox_ = std::make_unique<TAboutBox>(context, &form_);
    }
    return aboutBox_.get();
}

void TShellComponents::CloseDialogs()
{
    if (aboutBox_) {
        aboutBox_->reject();
    }
    if (dialog_) {
        dialog_->close();
    }
}
