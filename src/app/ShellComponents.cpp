#include "app/ShellComponents.h"

#include "app/AppPagePanels.h"
#include "data/ComprStream.h"
#include "dialogs/AboutBox.h"
#include "dialogs/CoolDialog.h"
#include "dialogs/FormOptions.h"
#include "dialogs/ScaleBar.h"
#include "dialogs/StatusLine.h"
#include "dialogs/TextMsg.h"
#include "install/Games.h"
#include "install/NavFont.h"
#include "install/archive/UnRar.h"
#include "media/CodecInstaller.h"
#include "media/MyAviPlayer.h"
#include "media/StartClip.h"
#include "platform/WinePrefix.h"
#include "shell/MainForm.h"
#include "shell/PanelBkgrd.h"
#include "shell/PictureStream.h"
#include "shell/ScreenPictures.h"
#include "shell/ShellGlobals.h"
#include "shell/StartupProbes.h"

#include <QLabel>
#include <QMovie>

TShellComponents::TShellComponents(TMainForm& form, QString discHost, QString discRootHost)
    : form_(form), set_(form.Components()), discHost_(std::move(discHost)),
      discRootHost_(std::move(discRootHost))
{
    set_.CreateAboutBox = [this] { return CreateAboutBox(); };
    set_.CreateVideoPlayer = [this] { return CreateVideoPlayer(); };
    WireThesaurusSearch();
}

// The window outlives its components when the program ends early: it is
// told that they are gone.
TShellComponents::~TShellComponents()
{
    FreeComponents();
    set_.CreateAboutBox = nullptr;
    set_.CreateVideoPlayer = nullptr;
    set_.CreateThesaurusSearch = nullptr;
    form_.SetComponents(nullptr);
}

// The thesaurus window's components: status line, text elements, the page
// panels on the window itself and the find fields beside them.
bool TShellComponents::RunThesaurusMode()
{
    CreateStatusLine();
    CreateTextMessages();
    CreatePagePanels(form_.Interface().Html, nullptr);
    CreateFindText();
    return true;
}

void TShellComponents::InstallCodecs(const QString& codecRequest, bool clipOn)
{
    Codecs().InstallRequested(codecRequest, clipOn);
}

// The codecs of the disc's "Resource" folder, for the Windows programs of a
// Wine prefix; the clips ask for the MPEG driver when a clip will not open.
TCodecInstaller& TShellComponents::Codecs()
{
    if (!codecs_) {
        TCodecInstallerContext context;
        context.AppDir = form_.Context().AppDir;
        context.SystemDir = Shell().SystemDir;
        context.WinePrefixExists = [] { return WinePrefix::exists(); };
        codecs_ = std::make_unique<TCodecInstaller>(std::move(context));
    }
    return *codecs_;
}

std::function<void()> TShellComponents::MpegDriverInstaller()
{
    return [this] { Codecs().InstallMpegDriver(); };
}

// The status line, the fonts installer, the music player and the volume
// event; the volume event does not exist yet.
void TShellComponents::CreateServices()
{
    CreateStatusLine();
    CreateFontInstaller();
    CreateMusicPlayer();
}

void TShellComponents::CreateScreenComponents()
{
    CreateTextMessages();
    CreatePagePanels(form_.Interface().Html, form_.PanelBkgrd());
    CreateFindText();
    CreatePathInputs();
    CreateArchiveBrowser();
    CreateClipPlayer();
    CreateSlideShow();
    CreatePopups();
    CreateContentsTree();
    CreateScaleBar();
    CreateGifAnimator();
}

void TShellComponents::CreateViewerComponents(const TDynamicHTMLArray& panels)
{
    CreatePagePanels(panels, nullptr);
    CreateArchiveBrowser();
    CreateClipPlayer();
}

void TShellComponents::CreateFontInstaller()
{
    if (!fontInstaller_) {
        fontInstaller_ = std::make_unique<TNavFont>(Shell().WindowsDir);
        set_.FontInstaller = fontInstaller_.get();
    }
}

// The intro clip continues the start-up once it has ended, however it ends.
bool TShellComponents::PlayIntroClip()
{
    if (introClip_) {
        return false;
    }
    TStartClipContext context;
    context.ClipFile = form_.Context().AppDir + form_.Interface().IntroClip.trimmed();
    const QString backdrop = form_.Interface().IntroBackdrop.trimmed();
    context.Backdrop = !backdrop.isEmpty() && backdrop != QLatin1String("no");
    context.InstallMpegDriver = MpegDriverInstaller();
    context.AfterStart = [this] { form_.ContinueStartup(); };
    context.FirstFrameShown = [] { MarkIntroFrame(); };
    introClip_ = std::make_unique<TStartClip>(std::move(context));
    return true;
}

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

IStandardPage* TShellComponents::StandardPage() const
{
    return pagePanels_.get();
}

// The 3-D view, made by the first "3d" and kept until shutdown.
IVideoPlayer* TShellComponents::CreateVideoPlayer()
{
    if (!videoPlayer_) {
        TMyAviPlayerContext context;
        context.ReadPicture = PictureReader();
        context.Background = [this] { return &form_.Pictures().Background(); };
        videoPlayer_ = std::make_unique<TMyAviPlayer>(std::move(context));
    }
    return videoPlayer_.get();
}

void TShellComponents::ReleaseVideoPlayer()
{
    if (videoPlayer_) {
        videoPlayer_->ReleasePlayer();
    }
}

// Each component leaves the set before it goes, so that nothing reaches a
// freed one; the order is the reverse of their dependencies.
void TShellComponents::FreeComponents()
{
    introClip_.reset();
    set_.VideoPlayer = nullptr;
    videoPlayer_.reset();
    FreeArchiveBrowser();
    set_.Games = nullptr;
    games_.reset();
    set_.PathInputs = nullptr;
    pathInputs_.reset();
    set_.AboutBox = nullptr;
    aboutBox_.reset();
    set_.FontInstaller = nullptr;
    fontInstaller_.reset();
    set_.SlideShow = nullptr;
    slideShow_.reset();
    set_.ClipPlayer = nullptr;
    clipPlayer_.reset();
    set_.FindPanel = nullptr;
    findPanel_.reset();
    set_.Options = nullptr;
    options_.reset();
    set_.Dialog = nullptr;
    dialog_.reset();
    set_.ScaleBar = nullptr;
    scaleBar_.reset();
    set_.Music = nullptr;
    music_.reset();
    set_.Favorites = nullptr;
    set_.Popups = nullptr;
    popups_.reset();
    set_.Tree = nullptr;
    contentsTree_.reset();
    set_.PagePanels = nullptr;
    pagePanels_.reset();
    set_.StatusLine = nullptr;
    statusLine_.reset();
    textMessages_.reset();
    delete gifAnimator_;
    gifAnimator_ = nullptr;
    codecs_.reset();
}

std::function<QImage(const QString&)> TShellComponents::PictureReader() const
{
    return [this](const QString& name) {
        if (!form_.ResourceBin()) {
            return QImage();
        }
        TPictureStream stream(*form_.ResourceBin());
        return stream.Read(name);
    };
}

// The main window's mouse move at (-1, -1): the hover states of its buttons end.
std::function<void()> TShellComponents::EndButtonHover() const
{
    return [this] { form_.FormMouseMove(Qt::NoButton, Qt::NoModifier, QPoint(-1, -1)); };
}

std::function<int()> TShellComponents::CurrentScreen()
{
    return [] { return Shell().CurrentScreen; };
}

QString TShellComponents::SettingsKey() const
{
    return ::SettingsKey(Shell().DiskTitle);
}
