// The content of the skinned window: the page panels, the find-text fields,
// the installation-folder fields with the games, the popup menus and the
// contents tree.

#include "app/AppPagePanels.h"
#include "app/ShellComponents.h"
#include "content/ControlPopupWindow.h"
#include "content/HtmlFrame.h"
#include "content/TreeViews.h"
#include "data/ConfigText.h"
#include "data/ReadBin.h"
#include "dialogs/FontForm.h"
#include "engine/HtmlViewer.h"
#include "install/Games.h"
#include "install/PathInputBox.h"
#include "print/PreviewForm.h"
#include "search/FindTxtHtml.h"
#include "shell/MainForm.h"
#include "shell/PanelBkgrd.h"
#include "shell/ShellGlobals.h"
#include "shell/StandardWindow.h"
#include "shell/TopLevelTracker.h"

#include <QApplication>
#include <QKeyEvent>
#include <algorithm>

void TShellComponents::CreatePagePanels(const TDynamicHTMLArray& records, QWidget* backgroundPanel)
{
    if (records.isEmpty() || pagePanels_) {
        return;
    }
    pagePanels_ = TAppPagePanels::Create(ContentContext(), &form_, backgroundPanel, records);
    set_.PagePanels = pagePanels_ ? &pagePanels_->Panels() : nullptr;
}

// The calls the page panels make into the window and the other components.
TContentContext TShellComponents::ContentContext()
{
    TContentContext context;
    context.AppDir = form_.Context().AppDir;
    context.CdRoot = form_.Context().CdRoot;
    context.SettingsKey = SettingsKey();
    context.DiscHost = discHost_;
    context.DiscRootHost = discRootHost_;
    context.Store = form_.Context().Store;
    context.WindowHandle = form_.WindowHandle();
    context.Components = &set_;
    context.CurrentScreen = CurrentScreen();
    context.ExecuteCommand = [this](QString& command, QString& sound, int index, int kind,
                                    int silent) {
        form_.ExecuteCommand(command, sound, index, kind, silent);
    };
    TContentHooks& hooks = context.Hooks;
    hooks.ShiftPressAt = [this](QPoint point) {
        form_.FormMouseDown(Qt::LeftButton, Qt::ShiftModifier, point);
    };
    hooks.EndButtonHover = EndButtonHover();
    hooks.StandardWindowShown = [this] { return form_.StandardWindowShown(); };
    hooks.SetStatusBarText = [this](const QString& text) {
        if (form_.StandardWindow()) {
            form_.StandardWindow()->SetStatusText(text);
        }
    };
    hooks.UpdateHistoryLists = [this] { form_.UpdateHistoryLists(); };
    hooks.SetTextMessage = [this](const QString& text, int number) {
        SetTextMessage(text, number);
    };
    hooks.UpdateArchiveMode = [this](const QString& page) { UpdateArchiveMode(page); };
    hooks.SetPageFolder = [this](const QString& page) {
        if (set_.FontInstaller) {
            set_.FontInstaller->SetPageFolder(page);
        }
    };
    hooks.PassEnterToFindFields = [this] {
        if (!set_.FindPanel) {
            return;
        }
        for (QWidget* edit : set_.FindPanel->Edits()) {
            if (edit->isVisible()) {
                QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
                QApplication::sendEvent(edit, &enter);
            }
        }
    };
    hooks.CopyFileToInstallFolder = [this](const QString& file) {
        if (games_) {
            games_->CopyFileToInstallFolder(file);
        }
    };
    hooks.CopyListEntry = [this](const QString& list) {
        if (games_) {
            games_->CopyListEntry(list);
        }
    };
    hooks.ShowPrintPreview = [this](THtmlViewer& viewer, bool picture, QSize size) {
        TPreviewHooks preview;
        preview.WindowHandleOf = &TTopLevelTracker::Track;
        preview.Help = [this] {
            form_.FormKeyDown(TKeySender::PrintPreview, Qt::Key_F1, Qt::NoModifier);
        };
        ShowPrintPreview(viewer, picture, size, &form_, preview);
    };
    hooks.ChooseFont = [](ViewerDefaults& defaults) {
        return TFontForm::Choose(defaults, nullptr);
    };
    hooks.ShowStatus = [this](const QString& text) {
        if (set_.StatusLine) {
            set_.StatusLine->ShowStatus(text);
        }
    };
    hooks.UpdateChapterHints = [this] {
        if (set_.Tree) {
            set_.Tree->UpdateChapterHints();
        }
    };
    return context;
}

void TShellComponents::CreateFindText()
{
    if (findPanel_ || form_.Interface().FindTxt.isEmpty()) {
        return;
    }
    TFindPanelContext context;
    context.MainWindow = &form_;
    context.Records = form_.Interface().FindTxt;
    context.AppDir = form_.Context().AppDir;
    context.ArchiveBase = Shell().ArchiveBase;
    context.ThesaurusMode = form_.ThesaurusWindow();
    context.Components = &set_;
    context.CurrentScreen = CurrentScreen();
    context.CaseSensitive = [] { return Shell().CaseSensitive; };
    context.EndButtonHover = EndButtonHover();
    findPanel_ = CreateFindPanel(context, [this]() -> THtmlViewer* {
        return pagePanels_ ? pagePanels_->Frame()->CurrentViewer() : nullptr;
    });
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
    fields.CurrentScreen = CurrentScreen();
    fields.SettingsKey = SettingsKey();
    fields.Store = form_.Context().Store;
    fields.EndButtonHover = EndButtonHover();
    pathInputs_ = std::make_unique<TPathInputBox>(fields);
    set_.PathInputs = pathInputs_.get();
    TGamesContext games;
    games.Components = &set_;
    games.WindowsDir = Shell().WindowsDir;
    games.Store = form_.Context().Store;
    games.FormControls = [this] {
        const THtmlViewer* viewer = pagePanels_ ? pagePanels_->Frame()->CurrentViewer() : nullptr;
        return viewer ? viewer->formControls() : QList<FormControl>();
    };
    games_ = std::make_unique<TGames>(games);
    set_.Games = games_.get();
}

// The popup menu controller, when any screen has popups. Its favorites
// exist once a screen with a favorites list has been shown.
void TShellComponents::CreatePopups()
{
    const QList<TDynamicPopupArray>& popups = form_.Interface().Popups;
    const bool any =
        std::any_of(popups.cbegin(), popups.cend(),
                    [](const TDynamicPopupArray& screen) { return !screen.isEmpty(); });
    if (!any || popups_) {
        return;
    }
    TPopupsContext context;
    context.MainWindow = &form_;
    context.Popups = popups;
    context.ReadPicture = PictureReader();
    context.Components = &set_;
    context.CurrentScreen = CurrentScreen();
    context.ExecuteCommand = [this](QString& command, QString& sound, int index, int kind,
                                    int silent) {
        form_.ExecuteCommand(command, sound, index, kind, silent);
    };
    context.SetFavorites = [this](IFavorites* favorites) { set_.Favorites = favorites; };
    context.SettingsKey = SettingsKey();
    context.Store = form_.Context().Store;
    popups_ = ::CreatePopups(context);
    set_.Popups = popups_.get();
}

// The contents tree on the background panel, from "tree1.cfs" of the
// resource container (a missing file gives an empty tree).
void TShellComponents::CreateContentsTree()
{
    TPanelBkgrd* panel = form_.PanelBkgrd();
    if (!panel || contentsTree_) {
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
    context.CurrentScreen = CurrentScreen();
    context.EndButtonHover = EndButtonHover();
    context.SetCommandHint = [this](const QString& command, const QString& hint) {
        form_.SetCommandHint(command, hint);
    };
    contentsTree_ = ::CreateContentsTree(context);
    set_.Tree = contentsTree_.get();
}
