// The archive browser and the thesaurus lookup: logic without widgets,
// wired here to the page panels and the skinned dialog.

#include "app/AppPagePanels.h"
#include "app/ShellComponents.h"
#include "content/HtmlFrame.h"
#include "install/archive/UnRar.h"
#include "search/index/MakeTesaurusFind.h"
#include "shell/MainForm.h"
#include "shell/ShellGlobals.h"

#include <QCoreApplication>

void TShellComponents::WireThesaurusSearch()
{
    set_.CreateThesaurusSearch = [] { return std::make_unique<TMakeTesaurusFind>(); };
}

void TShellComponents::CreateArchiveBrowser()
{
    if (archiveBrowser_) {
        return;
    }
    TArchiveBrowserContext context;
    context.TempDir = Shell().TempDir;
    context.IsArchiveMode = [this] { return set_.PagePanels && set_.PagePanels->IsArchiveMode(); };
    context.SetArchiveMode = [this](bool on) {
        if (pagePanels_) {
            pagePanels_->Frame()->SetArchiveMode(on);
        }
    };
    context.ShowPage = [this](const QString& page) {
        if (set_.PagePanels) {
            set_.PagePanels->OpenFile(page);
        }
    };
    context.ShowMessage = [this](const QString& text) {
        if (set_.Dialog) {
            set_.Dialog->ShowDialogPage(0, text);
        }
    };
    context.ProcessEvents = [] { QCoreApplication::processEvents(); };
    archiveBrowser_ = std::make_unique<TUnRar>(context);
    set_.ArchiveBrowser = archiveBrowser_.get();
}

// After every page load of the panels.
void TShellComponents::UpdateArchiveMode(const QString& page)
{
    if (archiveBrowser_) {
        archiveBrowser_->UpdateArchiveMode(page);
    }
}

void TShellComponents::FreeArchiveBrowser()
{
    set_.ArchiveBrowser = nullptr;
    archiveBrowser_.reset();
}
