#include "ShellComponents.h"

#include "ComprStream.h"
#include "MainForm.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMovie>

TShellComponents::TShellComponents(TMainForm& form) : form_(form) {}

TShellComponents::~TShellComponents() = default;

bool TShellComponents::RunThesaurusMode()
{
    return false;
}

bool TShellComponents::ShowStandardWindow()
{
    return false;
}

// An open popup closes when the program loses the focus to another one.
void TShellComponents::InstallDeactivationHandler()
{
    QObject::connect(qGuiApp, &QGuiApplication::applicationStateChanged, &form_,
                     [this](Qt::ApplicationState state) {
                         if (state == Qt::ApplicationInactive) {
                             HideAllPopups();
                         }
                     });
}

void TShellComponents::CreateOptionsWindow(bool) {}

void TShellComponents::InstallCodecs(const QString&, bool) {}

void TShellComponents::CreateStatusLine() {}

void TShellComponents::CreateFontInstaller() {}

void TShellComponents::CreateMusicPlayer() {}

void TShellComponents::CreateVolumeEvent() {}

void TShellComponents::CreateTextMessages() {}

void TShellComponents::CreatePagePanels() {}

void TShellComponents::CreateFindText() {}

void TShellComponents::CreatePathInputs() {}

void TShellComponents::CreateClipPlayer() {}

void TShellComponents::CreateSlideShow() {}

void TShellComponents::CreatePopups() {}

void TShellComponents::CreateContentsTree() {}

void TShellComponents::CreateScaleBar() {}

// "piston.gif" beside the program, read from the archive or the disk, loops at
// (583, 470) on the start screen.
void TShellComponents::CreateGifAnimator()
{
    auto* stream = new TComprStream(form_.Context().AppDir + QStringLiteral("piston.gif"));
    if (stream->hasError() || stream->size() == 0) {
        delete stream;
        return;
    }
    gifAnimator_ = new QLabel(&form_);
    stream->setParent(gifAnimator_);
    auto* movie = new QMovie(stream, QByteArray(), gifAnimator_);
    if (!movie->isValid()) {
        delete gifAnimator_;
        gifAnimator_ = nullptr;
        return;
    }
    movie->jumpToFrame(0);
    gifAnimator_->setMovie(movie);
    gifAnimator_->setGeometry(583, 470, movie->currentImage().width(),
                              movie->currentImage().height());
    gifAnimator_->show();
    movie->start();
}

void TShellComponents::EnableOptionChecks(bool, bool) {}

bool TShellComponents::PlayIntroClip()
{
    return false;
}

void TShellComponents::StartMusic() {}

void TShellComponents::CreateSkinnedDialog() {}

void TShellComponents::PaintTextMessages(QPainter&) {}

void TShellComponents::HideAllPopups()
{
    if (set_.Popups) {
        set_.Popups->HideAllPopups();
    }
}

void TShellComponents::ShowGifAnimation(bool shown)
{
    if (!gifAnimator_) {
        return;
    }
    QMovie* movie = gifAnimator_->movie();
    if (shown) {
        gifAnimator_->show();
        movie->start();
    } else {
        movie->stop();
        gifAnimator_->hide();
    }
}

void TShellComponents::ReleaseVideoPlayer() {}

void TShellComponents::CloseAboutBox() {}

void TShellComponents::CloseSkinnedDialog() {}

void TShellComponents::StopMusic() {}

void TShellComponents::FreeComponents()
{
    delete gifAnimator_;
    gifAnimator_ = nullptr;
}
