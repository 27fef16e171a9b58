// Rows 1 to 19 of the command table: screens, the 3-D clip, programs, the
// window, the contents tree, the popup lists and the page history.

#include "platform/Processes.h"
#include "platform/VirtualFs.h"
#include "shell/CommandTable.h"
#include "shell/HelpTopics.h"
#include "shell/ThesaurusWindow.h"

namespace {

constexpr int buttonKind = 0;
// The favorites popup opened to delete an entry.
constexpr int popupFavoriteDelete = -4;

// Where the 3-D clip plays on the start screen (left, top, right, bottom
// 31, 135, 687, 394).
const QRect videoArea(QPoint(31, 135), QPoint(686, 393));

QString folderOf(const QString& file)
{
    return file.left(file.lastIndexOf(QLatin1Char('\\')) + 1);
}

} // namespace

void TCommandTable::Screen(const TCommandRequest& request)
{
    const int screen = TCommandText::NumberFrom(request.Text.Keyword, 1) - 1;
    if (components_.Tree) {
        components_.Tree->SetScreenStartFile(request.Text.Value);
    }
    if (ValidScreen(screen)) {
        host_.SwitchScreen(screen, request.Index, request.Kind);
    }
}

void TCommandTable::Video2D(const TCommandRequest&)
{
    if (components_.VideoPlayer) {
        components_.VideoPlayer->Set3DMode(false);
    }
}

void TCommandTable::Video3D(const TCommandRequest&)
{
    if (!components_.VideoPlayer && components_.CreateVideoPlayer) {
        VirtualFs::instance().setCurrentFolder(host_.AppDir());
        components_.VideoPlayer = components_.CreateVideoPlayer();
        if (components_.VideoPlayer) {
            components_.VideoPlayer->Prepare(host_.Window(), host_.Window(), videoArea,
                                             QStringLiteral("car.avi"));
        }
    }
    if (components_.VideoPlayer) {
        components_.VideoPlayer->Set3DMode(true);
    }
}

void TCommandTable::RunProgram(const TCommandRequest& request)
{
    const QString& file = request.Text.Value;
    VirtualFs::instance().setCurrentFolder(folderOf(file));
    Processes::Open(file, request.Text.Param);
}

void TCommandTable::About(const TCommandRequest&)
{
    if (!components_.AboutBox && components_.CreateAboutBox &&
        host_.ResourceExists(QStringLiteral("About.cfs"))) {
        components_.AboutBox = components_.CreateAboutBox();
    }
    if (components_.AboutBox) {
        components_.AboutBox->ShowModal();
    }
}

void TCommandTable::Minimize(const TCommandRequest& request)
{
    host_.MinimizeApplication();
    if (request.Kind == buttonKind) {
        host_.ClearButtonStates(request.Index);
    }
}

void TCommandTable::HideTree(const TCommandRequest&)
{
    IContentsTree* tree = components_.Tree;
    if (!tree) {
        return;
    }
    if (!tree->TreeHidden()) {
        tree->HideTree();
    }
    tree->SetScreenHidden(true);
}

// The page gives the tree its room: the viewer lets go of its alignment while
// the tree and the splitter take their places.
void TCommandTable::ShowTree(const TCommandRequest&)
{
    IContentsTree* tree = components_.Tree;
    if (!tree) {
        return;
    }
    if (!tree->TreeHidden()) {
        if (components_.PagePanels) {
            components_.PagePanels->ReleaseViewerAlignment();
        }
        tree->ShowTree();
        host_.PlaceSplitter(tree->TreeWidth() + 1);
        if (components_.PagePanels) {
            components_.PagePanels->FillPanelWithViewer();
        }
    }
    tree->SetScreenHidden(false);
}

void TCommandTable::UnfoldTree(const TCommandRequest&)
{
    IPagePanels* panels = components_.PagePanels;
    if (panels) {
        panels->HideCurrentViewer();
    }
    if (components_.Tree && components_.Tree->TreeHidden()) {
        components_.Tree->SetHiddenByCommand(false);
    }
    if (panels) {
        panels->ShowCurrentViewer();
    }
}

void TCommandTable::FoldTree(const TCommandRequest&)
{
    IPagePanels* panels = components_.PagePanels;
    if (panels) {
        panels->HideCurrentViewer();
    }
    if (components_.Tree && !components_.Tree->TreeHidden()) {
        components_.Tree->SetHiddenByCommand(true);
    }
    if (panels) {
        panels->ShowCurrentViewer();
    }
}

void TCommandTable::HistoryBack(const TCommandRequest& request)
{
    ShowPopupAtButton(request, PopupHistoryBack, true);
}

void TCommandTable::HistoryForward(const TCommandRequest& request)
{
    ShowPopupAtButton(request, PopupHistoryForward, false);
}

void TCommandTable::ShowFavorite(const TCommandRequest& request)
{
    ShowPopupAtButton(request, PopupFavorite, false);
}

void TCommandTable::AddToFavorite(const TCommandRequest&)
{
    if (components_.Favorites) {
        components_.Favorites->AddFavorite();
    }
}

void TCommandTable::DeleteFromFavorite(const TCommandRequest& request)
{
    ShowPopupAtButton(request, popupFavoriteDelete, false);
}

void TCommandTable::Thesaurus(const TCommandRequest&)
{
    thesaurus_.Open(QString());
}

void TCommandTable::ContextMenu(const TCommandRequest& request)
{
    if (request.Kind == buttonKind && components_.Popups) {
        components_.Popups->ShowPopup(TCommandText::NumberFrom(request.Text.Command, 11),
                                      host_.CursorPosition());
    }
}

void TCommandTable::Back(const TCommandRequest&)
{
    if (components_.PagePanels) {
        components_.PagePanels->GoBack(CurrentSwitches(), CurrentGroups());
        if (components_.Tree) {
            components_.Tree->SelectNodeOfPage(QString());
        }
    }
}

void TCommandTable::Forward(const TCommandRequest&)
{
    if (components_.PagePanels) {
        components_.PagePanels->GoForward(CurrentSwitches(), CurrentGroups());
        if (components_.Tree) {
            components_.Tree->SelectNodeOfPage(QString());
        }
    }
}
