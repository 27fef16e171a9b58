// The file viewer's start-up and the standard window: a sizeable, decorated
// window with a toolbar, in which the page panel shows a single page.

#include "components/ContentComponents.h"
#include "data/ReadBin.h"
#include "shell/HistoryLists.h"
#include "shell/MainForm.h"
#include "shell/PanelBkgrd.h"
#include "shell/ScreenPictures.h"
#include "shell/ShellGlobals.h"
#include "shell/StandardWindow.h"
#include "shell/StandardWindowGeometry.h"
#include "shell/ViewerMode.h"

#include <QApplication>
#include <QScreen>

namespace {

// The size the main window is designed with, kept for pages in the file viewer.
const QSize designSize(800, 600);

} // namespace

// The file and help mode were taken from the command line before.
void TMainForm::RunViewerMode()
{
    setAttribute(Qt::WA_TranslucentBackground, false);
    resourceBin_ = new TReadBin(this);
    resourceBin_->Open(context_.AppDir + QStringLiteral("Mev.dhl"));
    interface_.Buttons = {TDynamicBtnArray()};
    interface_.Switches = {TDynamicSwthOneArray()};
    interface_.SwitchGroups = {TDynamicSwthGrpArray()};
    Shell().CurrentScreen = 0;
    components_->CreateViewerComponents({ViewerMode::PanelRecord(viewerFile_)});
    resize(designSize);
    const QIcon icon = ViewerMode::DiscIcon(*resourceBin_);
    if (!icon.isNull()) {
        QApplication::setWindowIcon(icon);
    }
    if (helpMode_) {
        QApplication::setWindowIcon(QIcon());
        Shell().DiskTitle = ViewerMode::HelpTitle();
    }
    setWindowTitle(Shell().DiskTitle);
    delete resourceBin_;
    resourceBin_ = nullptr;
    ShowStandardWindow();
}

void TMainForm::ShowStandardWindow()
{
    IFindPanel* find = set_.FindPanel;
    IPathInputs* paths = set_.PathInputs;
    if (find) {
        find->ShowEdits(true);
    }
    if (paths) {
        paths->ShowInStandardWindow(true);
    }
    // Shown again, the window keeps the skinned region it had first.
    if (!StandardWindowShown()) {
        savedRegion_ = mask().isEmpty() ? QRegion(rect()) : mask();
    }
    EnterStandardFace();
    if (!standardWindow_) {
        standardWindow_ = new TStandardWindow(*this);
        connect(standardWindow_, &TStandardWindow::ButtonClicked, this,
                &TMainForm::ToolButtonClick);
        connect(standardWindow_, &TStandardWindow::HistoryChosen, this, [this](int index) {
            if (IStandardPage* page = components_->StandardPage()) {
                page->GoToHistory(index);
            }
        });
    }
    standardWindow_->Show(viewerMode_);
    UpdateHistoryLists();
    LayOutStandardWindow();
    SizeAndPlaceStandardWindow();
    currentFile_ = viewerFile_;
    if (viewerMode_) {
        show();
    } else {
        showMaximized();
    }
}

// Button-face colour, a sizeable border, no region and no fixed size.
void TMainForm::EnterStandardFace()
{
    if (panelBkgrd_ && savedPanelGeometry_.isNull()) {
        savedPanelGeometry_ = panelBkgrd_->geometry();
    }
    clearMask();
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    if (windowFlags() & Qt::FramelessWindowHint) {
        setWindowFlags(Qt::Window);
    }
    setAcceptDrops(true);
}

// The toolbar across the top; the content screen's background panel and the
// page on it take the rest of the window.
void TMainForm::LayOutStandardWindow()
{
    if (!StandardWindowShown()) {
        return;
    }
    const QRect area = standardWindow_->Layout();
    if (panelBkgrd_) {
        panelBkgrd_->setGeometry(area);
    }
    if (IStandardPage* page = components_->StandardPage()) {
        page->SetStandardLayout();
    }
}

void TMainForm::SizeAndPlaceStandardWindow()
{
    const IStandardPage* page = components_->StandardPage();
    resize(StandardWindowGeometry::SizeFor(viewerFile_, page ? page->LastPictureSize() : QSize(),
                                           size()));
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize workArea = screen ? screen->availableGeometry().size() : size();
    move(StandardWindowGeometry::PositionFor(size(), workArea));
}

// The file viewer has no skinned window to go back to.
void TMainForm::LeaveStandardWindow()
{
    if (viewerMode_ || !StandardWindowShown()) {
        return;
    }
    if (standardWindow_) {
        standardWindow_->Hide();
    }
    LeaveStandardFace();
    if (IStandardPage* page = components_->StandardPage()) {
        page->SetSkinnedLayout();
    }
    if (IFindPanel* find = set_.FindPanel) {
        find->ShowEdits(false);
    }
    if (IPathInputs* paths = set_.PathInputs) {
        paths->ShowInStandardWindow(false);
    }
    setAcceptDrops(true);
    show();
}

// White, the size of the screen's picture, no border, the saved region.
void TMainForm::LeaveStandardFace()
{
    setWindowState(Qt::WindowNoState);
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    const QSize size = pictures_->Background().size();
    if (!size.isEmpty()) {
        setFixedSize(size);
    }
    if (panelBkgrd_ && !savedPanelGeometry_.isNull()) {
        panelBkgrd_->setGeometry(savedPanelGeometry_);
    }
    setMask(savedRegion_);
    update();
}

bool TMainForm::StandardWindowShown() const
{
    return standardWindow_ && standardWindow_->Shown();
}

// The back and forward popups show the current viewer's history.
void TMainForm::FillHistoryPopups()
{
    IStandardPage* page = components_->StandardPage();
    IPopupController* popups = set_.Popups;
    if (page && popups && set_.PagePanels) {
        HistoryLists::Fill(*popups, page->HistoryTitles(), page->HistoryIndex());
    }
}

// A file viewer is found by its caption; help keeps the disc title "Помощь".
void TMainForm::UpdateHistoryLists()
{
    FillHistoryPopups();
    if (!standardWindow_) {
        return;
    }
    standardWindow_->Update(components_->StandardPage());
    if (viewerMode_ && StandardWindowShown()) {
        setWindowTitle(helpMode_ ? Shell().DiskTitle : ViewerMode::Caption());
    }
}

// The buttons act by their position from the left.
void TMainForm::ToolButtonClick(int position)
{
    IPagePanels* panels = set_.PagePanels;
    const int screen = Shell().CurrentScreen;
    switch (position) {
    case TStandardWindow::BackButton:
    case TStandardWindow::ForwardButton:
        if (panels && screen < interface_.Switches.size() &&
            screen < interface_.SwitchGroups.size()) {
            TDynamicSwthOneArray& switches = interface_.Switches[screen];
            TDynamicSwthGrpArray& groups = interface_.SwitchGroups[screen];
            position == TStandardWindow::BackButton ? panels->GoBack(switches, groups)
                                                    : panels->GoForward(switches, groups);
        }
        break;
    case TStandardWindow::PrintButton:
        if (panels) {
            panels->PrintPage(QString());
        }
        break;
    case TStandardWindow::LeaveButton:
        LeaveStandardWindow();
        break;
    default:
        break;
    }
}
