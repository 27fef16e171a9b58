#include "ShellComponents.h"

#include "AboutBox.h"
#include "ClipPlayer.h"
#include "ComprStream.h"
#include "ConfigText.h"
#include "CoolDialog.h"
#include "FormOptions.h"
#include "Games.h"
#include "HelpViewer.h"
#include "KeyMap.h"
#include "MainForm.h"
#include "NavFont.h"
#include "PanelBkgrd.h"
#include "PathInputBox.h"
#include "PictureStream.h"
#include "Processes.h"
#include "ReadBin.h"
#include "ScaleBar.h"
#include "ShellGlobals.h"
#include "SlideImage.h"
#include "StandardWindow.h"
#include "StatusLine.h"
#include "TextMsg.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMovie>

TShellComponents::TShellComponents(TMainForm& form) : form_(form)
{
    set_.ShowStandardWindow = [this] { form_.ShowStandardWindow(); };
    set_.CreateAboutBox = [this] { return CreateAboutBox(); };
    set_.ShowHelp = [this](const QString& helpFile, const QString& topic) {
        HelpViewer::Show(form_.Context().AppDir, form_.WindowHandle(), helpFile, topic);
    };
}

TShellComponents::~TShellComponents() = default;

bool TShellComponents::RunThesaurusMode()
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

void TShellComponents::InstallCodecs(const QString&, bool) {}

void TShellComponents::CreateFontInstaller()
{
    if (!fontInstaller_) {
        fontInstaller_ = std::make_unique<TNavFont>(Shell().WindowsDir);
        set_.FontInstaller = fontInstaller_.get();
    }
}

void TShellComponents::CreateVolumeEvent() {}

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

void TShellComponents::CreatePagePanels()
{
    CreatePagePanels(form_.Interface().Html, form_.PanelBkgrd());
}

void TShellComponents::CreatePagePanels(const TDynamicHTMLArray& records, QWidget* backgroundPanel)
{
    if (!factories_.PagePanels || records.isEmpty() || pagePanels_) {
        return;
    }
    pagePanels_ = factories_.PagePanels(PagePanelsContext(records, backgroundPanel));
    set_.PagePanels = pagePanels_ ? &pagePanels_->Panels() : nullptr;
}

// The calls the panels make into the window.
TPagePanelsContext TShellComponents::PagePanelsContext(const TDynamicHTMLArray& records,
                                                       QWidget* backgroundPanel)
{
    TPagePanelsContext context;
    context.MainWindow = &form_;
    context.BackgroundPanel = backgroundPanel;
    context.Panels = records;
    context.AppDir = form_.Context().AppDir;
    context.CdRoot = form_.Context().CdRoot;
    context.SettingsKey = SettingsKey(Shell().DiskTitle);
    context.Store = form_.Context().Store;
    context.WindowHandle = form_.WindowHandle();
    context.Components = &set_;
    context.CurrentScreen = [] { return Shell().CurrentScreen; };
    context.ExecuteCommand = [this](QString& command, QString& sound, int index, int kind,
                                    int silent) {
        form_.ExecuteCommand(command, sound, index, kind, silent);
    };
    context.ShiftPressAt = [this](QPoint point) {
        form_.FormMouseDown(Qt::LeftButton, Qt::ShiftModifier, point);
    };
    context.EndButtonHover = [this] {
        form_.FormMouseMove(Qt::NoButton, Qt::NoModifier, QPoint(-1, -1));
    };
    context.StandardWindowShown = [this] { return form_.StandardWindowShown(); };
    context.SetStatusBarText = [this](const QString& text) {
        if (form_.StandardWindow()) {
            form_.StandardWindow()->SetStatusText(text);
        }
    };
    context.UpdateHistoryLists = [this] { form_.UpdateHistoryLists(); };
    context.SetTextMessage = [this](const QString& text, int number) {
        SetTextMessage(text, number);
    };
    context.PrintPreviewHelp = [this] {
        form_.FormKeyDown(TKeySender::PrintPreview, Qt::Key_F1, Qt::NoModifier);
    };
    return context;
}

IStandardPage* TShellComponents::StandardPage() const
{
    return pagePanels_ ? &pagePanels_->StandardPage() : nullptr;
}

void TShellComponents::CreateFindText()
{
    if (!factories_.FindPanel || findPanel_ || form_.Interface().FindTxt.isEmpty()) {
        return;
    }
    TFindPanelContext context;
    context.MainWindow = &form_;
    context.Records = form_.Interface().FindTxt;
    context.AppDir = form_.Context().AppDir;
    context.ArchiveBase = Shell().ArchiveBase;
    context.ThesaurusMode = form_.ThesaurusWindow();
    context.Components = &set_;
    context.CurrentScreen = [] { return Shell().CurrentScreen; };
    context.CaseSensitive = [] { return Shell().CaseSensitive; };
    context.EndButtonHover = [this] {
        form_.FormMouseMove(Qt::NoButton, Qt::NoModifier, QPoint(-1, -1));
    };
    findPanel_ = factories_.FindPanel(context);
    set_.FindPanel = findPanel_.get();
}

// The installation-folder fields (also without fields: the folder is then
// the current one) and the games that install into it.
void TShellComponents::CreatePathInputs()
{
    if (pathInputs_) {
        return;
    }
    TPathInputContext fields;
    fields.MainWindow = &form_;
    fields.Records = form_.Interface().PathInput;
    fields.CurrentScreen = [] { return Shell().CurrentScreen; };
    fields.SettingsKey = SettingsKey(Shell().DiskTitle);
    fields.Store = form_.Context().Store;
    fields.EndButtonHover = [this] {
        form_.FormMouseMove(Qt::NoButton, Qt::NoModifier, QPoint(-1, -1));
    };
    pathInputs_ = std::make_unique<TPathInputBox>(fields);
    set_.PathInputs = pathInputs_.get();
    TGamesContext games;
    games.Components = &set_;
    games.WindowsDir = Shell().WindowsDir;
    games.Store = form_.Context().Store;
    games.FormControls = [this] {
        return factories_.CurrentFormControls ? factories_.CurrentFormControls()
                                              : QList<FormControl>();
    };
    games_ = std::make_unique<TGames>(games);
    set_.Games = games_.get();
}

// The popup menu controller, when any screen has popups.
void TShellComponents::CreatePopups()
{
    const QList<TDynamicPopupArray>& popups = form_.Interface().Popups;
    const bool any =
        std::any_of(popups.cbegin(), popups.cend(),
                    [](const TDynamicPopupArray& screen) { return !screen.isEmpty(); });
    if (!factories_.Popups || !any || popups_) {
        return;
    }
    TPopupsContext context;
    context.MainWindow = &form_;
    context.Popups = popups;
    context.ReadPicture = PictureReader();
    context.Components = &set_;
    context.CurrentScreen = [] { return Shell().CurrentScreen; };
    context.ExecuteCommand = [this](QString& command, QString& sound, int index, int kind,
                                    int silent) {
        form_.ExecuteCommand(command, sound, index, kind, silent);
    };
    context.SettingsKey = SettingsKey(Shell().DiskTitle);
    context.Store = form_.Context().Store;
    popups_ = factories_.Popups(context);
    set_.Popups = popups_.get();
}

// The contents tree on the background panel, from "tree1.cfs" of the
// resource container (a missing file gives an empty tree).
void TShellComponents::CreateContentsTree()
{
    TPanelBkgrd* panel = form_.PanelBkgrd();
    if (!factories_.ContentsTree || !panel || contentsTree_) {
        return;
    }
    TContentsTreeContext context;
    QByteArray encoded;
    if (form_.ResourceBin() &&
        form_.ResourceBin()->ReadToBuffer(QStringLiteral("tree1.cfs"), encoded) >= 0) {
        DecodeConfig(encoded, context.Lines, false);
    }
    context.BackgroundPanel = panel;
    context.Splitter = panel->Splitter();
    context.AppDir = form_.Context().AppDir;
    context.Components = &set_;
    context.CurrentScreen = [] { return Shell().CurrentScreen; };
    context.EndButtonHover = [this] {
        form_.FormMouseMove(Qt::NoButton, Qt::NoModifier, QPoint(-1, -1));
    };
    context.SetCommandHint = [this](const QString& command, const QString& hint) {
        form_.SetCommandHint(command, hint);
    };
    contentsTree_ = factories_.ContentsTree(context);
    set_.Tree = contentsTree_.get();
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

bool TShellComponents::PlayIntroClip()
{
    return false;
}

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

void TShellComponents::FreeComponents()
{
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
    set_.Popups = nullptr;
    popups_.reset();
    set_.Tree = nullptr;
    contentsTree_.reset();
    set_.PagePanels = nullptr;
    pagePanels_.reset();
    delete gifAnimator_;
    gifAnimator_ = nullptr;
}
