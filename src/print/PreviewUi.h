#pragma once

#include <QList>
#include <array>

class QAction;
class QComboBox;
class QDialog;
class QLabel;
class QMenu;
class QScrollArea;
class QStatusBar;
class QToolButton;
class QWidget;
class TFlowLayout;
class TPageView;

// The controls of the preview window with their texts, hints and pictures:
// the wrapping tool bar and its popup menu, the scroll box with the grey
// container and the two sheets, and the status bar of four panels.
struct TPreviewUi {
    static constexpr int StatusPanelCount = 4;

    QWidget* MainToolbar = nullptr;
    TFlowLayout* ToolbarLayout = nullptr;
    QToolButton* PrintBut = nullptr;
    QToolButton* PageOrientationBut = nullptr;
    QToolButton* FirstPageBut = nullptr;
    QToolButton* PrevPageBut = nullptr;
    QToolButton* NextPageBut = nullptr;
    QToolButton* LastPageBut = nullptr;
    QToolButton* GoToPageBut = nullptr;
    QComboBox* ZoomBox = nullptr;
    QToolButton* FitPageBut = nullptr;
    QToolButton* FitWidthBut = nullptr;
    QToolButton* RestoreStartPrintZoomBut = nullptr;
    QToolButton* ZoomCursorPrintBut = nullptr;
    QToolButton* ZoomCursorBut = nullptr;
    QToolButton* HandCursorBut = nullptr;
    QToolButton* OnePageBut = nullptr;
    QToolButton* TwoPageBut = nullptr;
    QToolButton* HelpBut = nullptr;
    QToolButton* CloseBut = nullptr;

    QMenu* PopupMenu1 = nullptr;
    QAction* PageNumbersOnItem = nullptr;
    QAction* PageNumbersOffItem = nullptr;
    QAction* ButtonCaptionsItem = nullptr;
    QAction* PrintBackgroundItem = nullptr;

    QScrollArea* ScrollBox = nullptr;
    QWidget* ContainPanel = nullptr;
    TPageView* PagePanel = nullptr;
    TPageView* PagePanel2 = nullptr;
    QStatusBar* StatusBar = nullptr;
    std::array<QLabel*, StatusPanelCount> StatusPanels{};

    // Creates every control on the form, with its object name.
    void Build(QDialog& form);
    // Shows or hides the captions under the tool bar pictures.
    void ShowCaptions(bool on);
    QList<QToolButton*> Buttons() const;

private:
    void buildToolbar(QWidget& form);
    void buildPopupMenu(QWidget& form);
    void buildPages(QWidget& form);
    void buildStatusBar(QWidget& form);
};
