#include "AppPagePanels.h"

#include "FontForm.h"
#include "Games.h"
#include "HtmlFrame.h"
#include "HtmlViewer.h"
#include "PreviewForm.h"
#include "TopLevelTracker.h"

#include <QApplication>
#include <QKeyEvent>

namespace {

TContentContext contentContext(const TPagePanelsContext& shell, const QString& discHost,
                               const QString& discRootHost)
{
    TContentContext context;
    context.AppDir = shell.AppDir;
    context.CdRoot = shell.CdRoot;
    context.SettingsKey = shell.SettingsKey;
    context.DiscHost = discHost;
    context.DiscRootHost = discRootHost;
    context.Store = shell.Store;
    context.WindowHandle = shell.WindowHandle;
    context.Components = shell.Components;
    context.CurrentScreen = shell.CurrentScreen;
    context.ExecuteCommand = shell.ExecuteCommand;
    context.Hooks.ShiftPressAt = shell.ShiftPressAt;
    context.Hooks.EndButtonHover = shell.EndButtonHover;
    context.Hooks.StandardWindowShown = shell.StandardWindowShown;
    context.Hooks.SetStatusBarText = shell.SetStatusBarText;
    context.Hooks.UpdateHistoryLists = shell.UpdateHistoryLists;
    context.Hooks.SetTextMessage = shell.SetTextMessage;
    context.Hooks.SetPageFolder = [components = shell.Components](const QString& page) {
        if (components && components->FontInstaller) {
            components->FontInstaller->SetPageFolder(page);
        }
    };
    context.Hooks.PassEnterToFindFields = [components = shell.Components] {
        if (!components || !components->FindPanel) {
            return;
        }
        for (QWidget* edit : components->FindPanel->Edits()) {
            if (edit->isVisible()) {
                QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
                QApplication::sendEvent(edit, &enter);
            }
        }
    };
    context.Hooks.CopyFileToInstallFolder = [components = shell.Components](const QString& file) {
        if (auto* games = components ? dynamic_cast<TGames*>(components->Games) : nullptr) {
            games->CopyFileToInstallFolder(file);
        }
    };
    context.Hooks.CopyListEntry = [components = shell.Components](const QString& list) {
        if (auto* games = components ? dynamic_cast<TGames*>(components->Games) : nullptr) {
            games->CopyListEntry(list);
        }
    };
    context.Hooks.ShowPrintPreview = [window = shell.MainWindow, help = shell.PrintPreviewHelp](
                                         THtmlViewer& viewer, bool picture, QSize size) {
        TPreviewHooks hooks;
        hooks.WindowHandleOf = &TTopLevelTracker::Track;
        hooks.Help = help;
        ShowPrintPreview(viewer, picture, size, window, hooks);
    };
    context.Hooks.ChooseFont = [](ViewerDefaults& defaults) {
        return TFontForm::Choose(defaults, nullptr);
    };
    TComponentSet* components = shell.Components;
    context.Hooks.ShowStatus = [components](const QString& text) {
        if (components && components->StatusLine) {
            components->StatusLine->ShowStatus(text);
        }
    };
    context.Hooks.UpdateChapterHints = [components] {
        if (components && components->Tree) {
            components->Tree->UpdateChapterHints();
        }
    };
    return context;
}

} // namespace

TAppPagePanels::TAppPagePanels(const TPagePanelsContext& shell, const QString& discHost,
                               const QString& discRootHost)
    : context_(contentContext(shell, discHost, discRootHost)),
      frame_(CreatePagePanels(shell.MainWindow, shell.BackgroundPanel, shell.Panels, context_))
{
}

TAppPagePanels::~TAppPagePanels()
{
    frame_.reset();
}

std::unique_ptr<IPagePanelsComponent> TAppPagePanels::Create(const TPagePanelsContext& shell,
                                                             const QString& discHost,
                                                             const QString& discRootHost)
{
    auto panels = std::make_unique<TAppPagePanels>(shell, discHost, discRootHost);
    return panels->frame_ ? std::move(panels) : nullptr;
}

decltype(TComponentFactories::PagePanels) TAppPagePanels::Factory(const QString& discHost,
                                                                  const QString& discRootHost)
{
    return [discHost, discRootHost](const TPagePanelsContext& shell) {
        return Create(shell, discHost, discRootHost);
    };
}

IPagePanels& TAppPagePanels::Panels()
{
    return *frame_;
}

QStringList TAppPagePanels::HistoryTitles() const
{
    const THtmlViewer* viewer = frame_->CurrentViewer();
    return viewer ? viewer->historyTitles() : QStringList();
}

int TAppPagePanels::HistoryIndex() const
{
    const THtmlViewer* viewer = frame_->CurrentViewer();
    return viewer ? viewer->historyIndex() : 0;
}

void TAppPagePanels::GoToHistory(int index)
{
    frame_->GoToHistory(index);
}

bool TAppPagePanels::CanGoBack() const
{
    const THtmlViewer* viewer = frame_->CurrentViewer();
    return viewer && viewer->canGoBack();
}

bool TAppPagePanels::CanGoForward() const
{
    const THtmlViewer* viewer = frame_->CurrentViewer();
    return viewer && viewer->canGoForward();
}

void TAppPagePanels::SetStandardLayout()
{
    frame_->SetStandardLayout();
}

void TAppPagePanels::SetSkinnedLayout()
{
    frame_->SetSkinnedLayout();
}

QSize TAppPagePanels::LastPictureSize() const
{
    const THtmlViewer* viewer = frame_->CurrentViewer();
    return viewer ? viewer->lastPictureSize() : QSize();
}
