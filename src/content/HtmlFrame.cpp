#include "content/HtmlFrame.h"

#include "content/FillAlignment.h"
#include "content/ImageHint.h"
#include "content/LinkCommands.h"
#include "content/PrintHeader.h"
#include "content/ViewerSettings.h"
#include "engine/HtmlViewer.h"

#include <QCursor>
#include <QPainter>

namespace {

// The distinct screens of the panels in order of first appearance.
QList<int> ScreensOf(const TDynamicHTMLArray& panels)
{
    QList<int> screens;
    for (const RHTML& panel : panels) {
        if (!screens.contains(panel.Screen)) {
            screens.append(panel.Screen);
        }
    }
    return screens;
}

} // namespace

THtmlFrame::THtmlFrame(QWidget* mainWindow, QWidget* backgroundPanel,
                       const TDynamicHTMLArray& panels, TContentContext& context)
    : context_(context), mainWindow_(mainWindow), backgroundPanel_(backgroundPanel),
      panels_(panels), viewerScreens_(ScreensOf(panels)), commandPages_(int(viewerScreens_.size())),
      cursorProbe_([] { return QCursor::pos(); })
{
    archiveMode_.fill(false, viewerScreens_.size());
    CreateViewers(ViewerSettings::Load(context_.Settings(), context_.SettingsKey));
    hint_ = std::make_unique<TImageHint>([this] { return ObjectUnderCursor(); },
                                         [this] { return cursorProbe_(); });
    links_ = std::make_unique<TLinkCommands>(*this, context_);
    ScreenChanged();
}

THtmlFrame::~THtmlFrame()
{
    hint_.reset();
    if (THtmlViewer* viewer = Viewer(currentViewerIndex_)) {
        ViewerSettings::Save(context_.Settings(), context_.SettingsKey, viewer->defaults());
    }
    for (const QPointer<THtmlViewer>& viewer : viewers_) {
        if (viewer) {
            viewer->disconnect(this);
            delete viewer.data();
        }
    }
}

std::unique_ptr<THtmlFrame> CreatePagePanels(QWidget* mainWindow, QWidget* backgroundPanel,
                                             const TDynamicHTMLArray& panels,
                                             TContentContext& context)
{
    if (panels.isEmpty()) {
        return nullptr;
    }
    return std::make_unique<THtmlFrame>(mainWindow, backgroundPanel, panels, context);
}

// Hidden and of zero size until a screen places them; links react to the
// mouse, keep 10 pages of history and 20 visited links.
void THtmlFrame::CreateViewers(const ViewerDefaults& defaults)
{
    for (int i = 0; i < viewerScreens_.size(); ++i) {
        THtmlViewer* viewer = CreateHtmlViewer(mainWindow_);
        viewer->hide();
        viewer->setGeometry(0, 0, 0, 0);
        viewer->setDefaults(defaults);
        viewers_.append(viewer);
        alignments_.append(new TFillAlignment(*viewer));
        ConnectViewer(viewer);
    }
}

void THtmlFrame::ConnectViewer(THtmlViewer* viewer)
{
    connect(viewer, &THtmlViewer::linkHovered, this,
            [this](THtmlViewer* source, const QString& target, const QString& url) {
                links_->LinkHover(source, target, url);
            });
    connect(viewer, &THtmlViewer::linkClicked, this,
            [this](THtmlViewer* source, const QString& target, const QString& url, bool* handled) {
                links_->LinkClick(source, target, url, handled);
            });
    connect(viewer, &THtmlViewer::keyDown, this, &THtmlFrame::KeyDown);
    connect(viewer, &THtmlViewer::mouseMoved, this,
            [this, viewer](QPoint point) { MouseMoved(*viewer, point); });
    connect(viewer, &THtmlViewer::mousePressed, this,
            [this, viewer](QPoint point, Qt::MouseButton, Qt::MouseButtons buttons,
                           Qt::KeyboardModifiers modifiers) {
                MousePressed(*viewer, point, buttons, modifiers);
            });
    connect(viewer, &THtmlViewer::historyChanged, this, &THtmlFrame::HistoryChanged);
    connect(viewer, &THtmlViewer::printHeader, this,
            [viewer](QPainter* painter, int page, int width, int) {
                DrawPrintHeader(*painter, page, width, viewer->hasDocument());
            });
}

THtmlViewer* THtmlFrame::Viewer(int index) const
{
    return index >= 0 && index < viewers_.size() ? viewers_.at(index).data() : nullptr;
}

int THtmlFrame::ViewerIndexOfScreen(int screen) const
{
    return int(viewerScreens_.indexOf(screen));
}

THtmlViewer* THtmlFrame::ViewerOfScreen(int screen) const
{
    return Viewer(ViewerIndexOfScreen(screen));
}

THtmlViewer* THtmlFrame::CurrentViewer() const
{
    const bool onCurrentScreen = currentViewerIndex_ >= 0 &&
                                 currentViewerIndex_ < viewerScreens_.size() &&
                                 viewerScreens_.at(currentViewerIndex_) == context_.Screen();
    return onCurrentScreen ? Viewer(currentViewerIndex_) : nullptr;
}

bool THtmlFrame::IsArchiveMode() const
{
    return currentViewerIndex_ >= 0 && currentViewerIndex_ < archiveMode_.size() &&
           archiveMode_.at(currentViewerIndex_);
}

void THtmlFrame::SetArchiveMode(bool on)
{
    if (currentViewerIndex_ >= 0 && currentViewerIndex_ < archiveMode_.size()) {
        archiveMode_[currentViewerIndex_] = on;
    }
}

bool THtmlFrame::HintShown() const
{
    return hint_ && hint_->Shown();
}
