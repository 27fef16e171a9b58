#include "data/FindFiles.h"
#include "data/ReadBin.h"
#include "platform/VirtualFs.h"
#include "shell/MainForm.h"
#include "shell/PictureStream.h"
#include "shell/ScreenPictures.h"
#include "shell/ShellGlobals.h"
#include "shell/StartupProbes.h"
#include "shell/SwitchStore.h"
#include "shell/WindowAnimation.h"

#include <QApplication>
#include <QFontDatabase>
#include <QScreen>
#include <QTimer>

namespace {

bool declared(const QString& value)
{
    return !value.isEmpty() && value != QLatin1String("no");
}

} // namespace

// The stored switch states are taken before the face is built, so that the
// switches that are on show their down pictures.
void TMainForm::BuildFirstScreen()
{
    Shell().CurrentScreen = 0;
    RestoreSwitchStates(interface_, Store(), SettingsKey(interface_.DiskTitle));
    BuildScreen(0);
    const QSize size = pictures_->Background().size();
    setFixedSize(size.isEmpty() ? QSize(0, 0) : size);
}

// The disc's own fonts, for this process only, are there before the first
// captions are drawn.
void TMainForm::AddDiscFonts()
{
    TDynamicStringArray masks{QStringLiteral("*.ttf")};
    TDynamicStringArray files;
    FindFiles(context_.AppDir, masks, false, false, files);
    for (const QString& file : files) {
        const auto bytes = VirtualFs::instance().readFile(file);
        const int id = bytes ? QFontDatabase::addApplicationFontFromData(*bytes) : -1;
        if (id >= 0) {
            Shell().InstalledFonts.append(file);
            Shell().InstalledFontIds.append(id);
        }
    }
}

void TMainForm::CreateContentComponents()
{
    components_->CreateScreenComponents();
}

void TMainForm::NoteDeclaredOptions()
{
    introClipDeclared_ = declared(interface_.IntroClip);
    clickSoundsDeclared_ = false;
    for (const TDynamicBtnArray& buttons : interface_.Buttons) {
        for (const RBtn& button : buttons) {
            clickSoundsDeclared_ = clickSoundsDeclared_ || declared(button.Sound);
        }
    }
    components_->EnableOptionChecks(introClipDeclared_, clickSoundsDeclared_);
}

bool TMainForm::IntroClipRequested() const
{
    return declared(interface_.IntroClip) && settings_.Clip;
}

// The window appears centred on the screen, through the opening animation.
void TMainForm::ContinueStartup()
{
    settings_.Animation = false;
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect available = screen->availableGeometry();
        move(available.center() - QPoint(width() / 2, height() / 2));
    }
    animation_->StartOpening();
    activateWindow();
    if (settings_.BGSound) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        if (set_.Music) {
            set_.Music->StartMusic();
        }
        QApplication::restoreOverrideCursor();
    }
}

// Before the message loop runs the request is kept and the loop is not entered.
void TMainForm::RequestTermination(int exitCode)
{
    if (terminationRequested_) {
        return;
    }
    terminationRequested_ = true;
    exitCode_ = exitCode;
    QTimer::singleShot(0, qApp, [exitCode] { QCoreApplication::exit(exitCode); });
}

void TMainForm::OnAnimationFinished(bool closing)
{
    if (!closing) {
        MarkReady(x(), y(), width(), height());
        return;
    }
    components_->ReleaseVideoPlayer();
    RequestTermination(0);
}

void TMainForm::CreateSkinnedDialog()
{
    if (!viewerMode_ && resourceBin_ && resourceBin_->Exists(QStringLiteral("Dialog.cfs"))) {
        components_->CreateSkinnedDialog();
    }
}
