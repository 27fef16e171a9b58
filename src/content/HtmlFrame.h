#pragma once

#include "components/ContentComponents.h"
#include "content/CommandPages.h"
#include "content/ContentContext.h"
#include "interface/InterfaceRecords.h"

#include <QObject>
#include <QPointer>
#include <memory>

class TFillAlignment;
class TImageHint;
class TLinkCommands;
class THtmlViewer;

// The HTML page panels of all screens: one viewer per screen that has panels,
// placed on the panel shown; pages opened on command, the switches kept in
// step with back and forward, image hints and the page operations. Link
// clicks and hover texts go to its TLinkCommands.
class THtmlFrame final : public QObject, public IPagePanels {
    Q_OBJECT
public:
    // panels must not be empty. The viewers are created on mainWindow; on
    // screen index 1 they live on backgroundPanel.
    THtmlFrame(QWidget* mainWindow, QWidget* backgroundPanel, const TDynamicHTMLArray& panels,
               TContentContext& context);
    // Writes the current viewer's defaults back to the settings.
    ~THtmlFrame() override;

    void ScreenChanged() override;
    void RememberCommandPage(const QString& page) override;
    void OpenInPanel(int number, const QString& page) override;
    void GoBack(TDynamicSwthOneArray& switches, TDynamicSwthGrpArray& groups) override;
    void GoForward(TDynamicSwthOneArray& switches, TDynamicSwthGrpArray& groups) override;
    void OpenFile(const QString& page) override;
    void CopyPage() override;
    void PrintPage(const QString& file) override;
    void ScrollToTop() override;
    void NextChapter() override;
    void PrevChapter() override;
    void SelectAll() override;
    bool IsArchiveMode() const override;
    QString CurrentDocument() const override;
    void LoadInCurrentViewer(const QString& file) override;
    bool CurrentViewerShown() const override;
    void HideCurrentViewer() override;
    void ShowCurrentViewer() override;
    void ReleaseViewerAlignment() override;
    void FillPanelWithViewer() override;
    void SetPicturePrint(bool on) override { picturePrint_ = on; }
    void SetPictureWidth(int width) override { pictureWidth_ = width; }
    void SetPictureHeight(int height) override { pictureHeight_ = height; }
    QString HistoryFile(int index) const override;
    void GoToHistory(int index) override;
    QString CurrentTitle() const override;
    int CurrentPosition() const override;
    void SetCurrentPosition(int position) override;
    void CopySelection() override;
    void ChooseDefaultFont() override;

    // The viewer of the current screen; null when the screen has no panel.
    THtmlViewer* CurrentViewer() const;
    void SetStandardLayout();
    void SetSkinnedLayout();
    void SetArchiveMode(bool on);
    bool HintShown() const;

    int ViewerCount() const { return int(viewers_.size()); }
    THtmlViewer* Viewer(int index) const;
    THtmlViewer* ViewerOfScreen(int screen) const;
    int CurrentViewerIndex() const { return currentViewerIndex_; }
    int CurrentPanel() const { return currentPanel_; }
    bool PicturePrint() const { return picturePrint_; }
    int PictureWidth() const { return pictureWidth_; }
    int PictureHeight() const { return pictureHeight_; }
    const TCommandPages& CommandPages() const { return commandPages_; }
    TImageHint& ImageHint() { return *hint_; }
    TLinkCommands& Links() { return *links_; }
    // Where the cursor is, in screen coordinates (the real cursor by default).
    void SetCursorProbe(std::function<QPoint()> probe) { cursorProbe_ = std::move(probe); }

private:
    void CreateViewers(const ViewerDefaults& defaults);
    void ConnectViewer(THtmlViewer* viewer);
    int ViewerIndexOfScreen(int screen) const;
    bool ShowPage(THtmlViewer& viewer, const QString& page);
    void PlaceOnPanel(int viewerIndex, int panel);
    void SetFilling(int viewerIndex, bool on);
    void Step(bool back, TDynamicSwthOneArray& switches, TDynamicSwthGrpArray& groups);
    void KeepSwitchesInStep(TDynamicSwthOneArray& switches, TDynamicSwthGrpArray& groups);
    void HistoryChanged();
    void KeyDown(int key, Qt::KeyboardModifiers modifiers);
    void MouseMoved(THtmlViewer& viewer, QPoint point);
    void MousePressed(THtmlViewer& viewer, QPoint point, Qt::MouseButtons buttons,
                      Qt::KeyboardModifiers modifiers);
    ViewerObject ObjectUnderCursor() const;
    void CopyCompanionFolder(const QString& page, const QString& installFolder);
    void PrintFile(const QString& file);

    TContentContext& context_;
    QPointer<QWidget> mainWindow_;
    QPointer<QWidget> backgroundPanel_;
    TDynamicHTMLArray panels_;
    QList<QPointer<THtmlViewer>> viewers_;
    QList<int> viewerScreens_;
    QList<TFillAlignment*> alignments_;
    QList<bool> archiveMode_;
    TCommandPages commandPages_;
    int currentViewerIndex_ = 0;
    int currentPanel_ = 0;
    int previousScreen_ = -1;
    bool picturePrint_ = false;
    int pictureWidth_ = 0;
    int pictureHeight_ = 0;
    std::function<QPoint()> cursorProbe_;
    std::unique_ptr<TImageHint> hint_;
    std::unique_ptr<TLinkCommands> links_;
};

// The page panels of the interface description; null when it has none.
std::unique_ptr<THtmlFrame> CreatePagePanels(QWidget* mainWindow, QWidget* backgroundPanel,
                                             const TDynamicHTMLArray& panels,
                                             TContentContext& context);
