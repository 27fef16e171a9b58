#pragma once

#include <QImage>
#include <QList>
#include <QObject>
#include <QRect>

class IStandardPage;
class QAction;
class QStatusBar;
class QToolBar;
class QToolButton;
class QWidget;
class THistoryMenu;

// The toolbar, history menus and status bar of the standard window: the
// sizeable, decorated face of the main window in the file viewer and after
// "standartwin". Made on first use and kept, hidden, afterwards.
class TStandardWindow : public QObject {
    Q_OBJECT
public:
    // The toolbar buttons by their position from the left.
    enum TButton { BackButton, ForwardButton, Divider, PrintButton, LeaveButton, ButtonCount };

    explicit TStandardWindow(QWidget& window);
    ~TStandardWindow() override;

    // Shows the toolbar, making toolbar, menus and status bar the first time.
    // The back and forward buttons, the divider and the status bar stay
    // hidden; the leave button only exists outside the file viewer.
    void Show(bool viewerMode);
    void Hide();
    bool Shown() const { return shown_; }

    // The toolbar across the top and the status bar along the bottom of the
    // window; the area between them.
    QRect Layout();
    // Buttons and history menus after the page panel's history.
    void Update(IStandardPage* page);
    void SetStatusText(const QString& text);

    QToolBar* ToolBar() const { return toolBar_; }
    QStatusBar* StatusBar() const { return statusBar_; }
    THistoryMenu* BackMenu() const { return backMenu_; }
    THistoryMenu* ForwardMenu() const { return forwardMenu_; }
    // Null for the divider and before the toolbar is made.
    QToolButton* Button(TButton button) const;
    bool ButtonShown(TButton button) const;

    // The image lists: normal, hot and disabled pictures.
    const QList<QImage>& ImgListEnb() const { return imgListEnb_; }
    const QList<QImage>& ImgListHot() const { return imgListHot_; }
    const QList<QImage>& ImgListDis() const { return imgListDis_; }

signals:
    void ButtonClicked(int position);
    void HistoryChosen(int index);

private:
    void Create();
    void AddButton(TButton button, const QString& caption, int picture, const QString& hint);
    void AddDivider();
    void SetButtonShown(TButton button, bool shown);

    QWidget& window_;
    QList<QImage> imgListEnb_;
    QList<QImage> imgListHot_;
    QList<QImage> imgListDis_;
    QToolBar* toolBar_ = nullptr;
    QStatusBar* statusBar_ = nullptr;
    THistoryMenu* backMenu_ = nullptr;
    THistoryMenu* forwardMenu_ = nullptr;
    QList<QAction*> buttonActions_;
    QList<QToolButton*> buttons_;
    bool shown_ = false;
};
