#include "content/FillAlignment.h"
#include "content/HtmlFrame.h"
#include "engine/HtmlViewer.h"

// Placing the viewers on the panels of the screens, and the operations on the
// viewer of the current screen.

namespace {

const int ContentScreen = 1; // its viewer lives on the background panel

QRect RectOf(const RHTML& panel)
{
    return QRect(QPoint(panel.Left, panel.Top),
                 QSize(qMax(0, panel.Right - panel.Left), qMax(0, panel.Bottom - panel.Top)));
}

int FirstPanel(const TDynamicHTMLArray& panels, const std::function<bool(const RHTML&)>& wanted)
{
    for (int i = 0; i < panels.size(); ++i) {
        if (wanted(panels.at(i))) {
            return i;
        }
    }
    return -1;
}

// The history's own comparison: letter case does not count.
int HistoryIndexOf(const THtmlViewer& viewer, const QString& page)
{
    const QStringList files = viewer.historyFiles();
    for (int i = 0; i < files.size(); ++i) {
        if (files.at(i).compare(page, Qt::CaseInsensitive) == 0) {
            return i;
        }
    }
    return -1;
}

bool IsShown(const THtmlViewer* viewer)
{
    return viewer && !viewer->isHidden();
}

} // namespace

void THtmlFrame::ScreenChanged()
{
    const int screen = context_.Screen();
    const int panel = FirstPanel(panels_, [screen](const RHTML& p) { return p.Screen == screen; });
    const int shown = ViewerIndexOfScreen(screen);
    if (panel >= 0 && shown >= 0) {
        currentPanel_ = panel;
        currentViewerIndex_ = shown;
        THtmlViewer& viewer = *Viewer(shown);
        bool ready = true;
        if (viewer.historyFiles().isEmpty()) {
            ready = viewer.loadFile(panels_.at(panel).File);
        } else {
            viewer.setVerticalPosition(0);
        }
        PlaceOnPanel(shown, panel);
        viewer.setVisible(ready);
        if (screen == ContentScreen) {
            SetFilling(shown, true);
        }
    }
    const int previous = ViewerIndexOfScreen(previousScreen_);
    if (previous >= 0 && previous != shown) {
        Viewer(previous)->hide();
    }
    previousScreen_ = screen;
}

void THtmlFrame::OpenInPanel(int number, const QString& page)
{
    const int panel = FirstPanel(panels_, [number](const RHTML& p) { return p.Number == number; });
    const int index = panel < 0 ? -1 : ViewerIndexOfScreen(panels_.at(panel).Screen);
    THtmlViewer* viewer = Viewer(index);
    if (!viewer) {
        return;
    }
    const QString wanted = page.isEmpty() ? panels_.at(panel).File : page;
    if (panels_.at(panel).Screen == context_.Screen()) {
        const bool ready = ShowPage(*viewer, wanted);
        PlaceOnPanel(index, panel);
        viewer->setVerticalPosition(0);
        viewer->setVisible(ready);
        currentPanel_ = panel;
    } else {
        // Ready for when its screen is next shown.
        viewer->setGeometry(viewer->x(), viewer->y(), 0, 0);
        ShowPage(*viewer, wanted);
        viewer->hide();
    }
}

bool THtmlFrame::ShowPage(THtmlViewer& viewer, const QString& page)
{
    const int entry = HistoryIndexOf(viewer, page);
    return entry >= 0 ? viewer.setHistoryIndex(entry) : viewer.loadFile(page);
}

// On the content screen the viewer lives on the background panel, elsewhere
// on the main window; a filling viewer keeps filling its parent.
void THtmlFrame::PlaceOnPanel(int viewerIndex, int panel)
{
    THtmlViewer* viewer = Viewer(viewerIndex);
    const RHTML& record = panels_.at(panel);
    QRect rect = RectOf(record);
    QWidget* parent = mainWindow_;
    if (record.Screen == ContentScreen && backgroundPanel_) {
        rect.translate(-backgroundPanel_->pos());
        parent = backgroundPanel_;
    }
    if (parent && viewer->parentWidget() != parent) {
        viewer->setParent(parent);
    }
    viewer->setGeometry(rect);
    alignments_.at(viewerIndex)->Apply();
}

void THtmlFrame::SetFilling(int viewerIndex, bool on)
{
    if (viewerIndex >= 0 && viewerIndex < alignments_.size()) {
        alignments_.at(viewerIndex)->SetFilling(on);
    }
}

void THtmlFrame::OpenFile(const QString& page)
{
    THtmlViewer* viewer = CurrentViewer();
    if (!IsShown(viewer)) {
        return;
    }
    const int entry = HistoryIndexOf(*viewer, page);
    if (entry < 0) {
        viewer->addVisitedLink(page);
        viewer->checkVisitedLinks();
        viewer->loadFile(page);
    } else {
        viewer->setHistoryIndex(entry);
        viewer->setVerticalPosition(0);
    }
}

void THtmlFrame::GoToHistory(int index)
{
    if (THtmlViewer* viewer = CurrentViewer()) {
        viewer->setHistoryIndex(index);
    }
}

QString THtmlFrame::HistoryFile(int index) const
{
    const THtmlViewer* viewer = CurrentViewer();
    return viewer ? viewer->historyFiles().value(index) : QString();
}

QString THtmlFrame::CurrentTitle() const
{
    const THtmlViewer* viewer = CurrentViewer();
    return viewer ? viewer->documentTitle() : QString();
}

int THtmlFrame::CurrentPosition() const
{
    const THtmlViewer* viewer = CurrentViewer();
    return viewer ? viewer->verticalPosition() : 0;
}

void THtmlFrame::SetCurrentPosition(int position)
{
    if (THtmlViewer* viewer = CurrentViewer()) {
        viewer->setVerticalPosition(position);
    }
}

void THtmlFrame::CopySelection()
{
    if (THtmlViewer* viewer = CurrentViewer()) {
        viewer->copySelection();
    }
}

void THtmlFrame::LoadInCurrentViewer(const QString& file)
{
    if (THtmlViewer* viewer = CurrentViewer()) {
        viewer->loadFile(file);
    }
}

QString THtmlFrame::CurrentDocument() const
{
    const THtmlViewer* viewer = CurrentViewer();
    return viewer ? viewer->currentFile() : QString();
}

bool THtmlFrame::CurrentViewerShown() const
{
    return IsShown(CurrentViewer());
}

void THtmlFrame::HideCurrentViewer()
{
    if (THtmlViewer* viewer = CurrentViewer()) {
        viewer->hide();
    }
}

void THtmlFrame::ShowCurrentViewer()
{
    if (THtmlViewer* viewer = CurrentViewer()) {
        viewer->show();
    }
}

void THtmlFrame::ReleaseViewerAlignment()
{
    if (CurrentViewer()) {
        SetFilling(currentViewerIndex_, false);
    }
}

void THtmlFrame::FillPanelWithViewer()
{
    if (CurrentViewer()) {
        SetFilling(currentViewerIndex_, true);
    }
}

void THtmlFrame::SetStandardLayout()
{
    if (IsShown(CurrentViewer())) {
        SetFilling(currentViewerIndex_, true);
    }
}

// Back on its panel; on the content screen that means filling the background
// panel again, as the screen itself places it.
void THtmlFrame::SetSkinnedLayout()
{
    if (!IsShown(CurrentViewer())) {
        return;
    }
    SetFilling(currentViewerIndex_, false);
    PlaceOnPanel(currentViewerIndex_, currentPanel_);
    if (panels_.at(currentPanel_).Screen == ContentScreen) {
        SetFilling(currentViewerIndex_, true);
    }
}

void THtmlFrame::SelectAll()
{
    THtmlViewer* viewer = CurrentViewer();
    if (IsShown(viewer)) {
        viewer->selectAll();
    }
}

void THtmlFrame::ScrollToTop()
{
    if (THtmlViewer* viewer = CurrentViewer()) {
        viewer->setVerticalPosition(0);
    }
}
