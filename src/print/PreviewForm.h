#pragma once

#include "print/PreviewHooks.h"
#include "print/PreviewPages.h"
#include "print/PreviewUi.h"

#include <QDialog>
#include <functional>
#include <memory>

class QPrintDialog;
class THtmlViewer;
class TPageView;

// The print preview: lays the document of a viewer out into printer pages,
// shows one or two of them at a zoom, changes the print scale, the paper
// orientation, page numbers and backgrounds, and prints a range of pages.
class TPreviewForm : public QDialog {
    Q_OBJECT
public:
    enum class Tool { PrintScale, ViewZoom, Hand };

    // Opens the preview of the viewer's document, without showing it. Null
    // when it cannot run: no printer, nothing to lay out, or the first layout
    // was cancelled. picture: the document is one picture of pictureSize.
    static std::unique_ptr<TPreviewForm> Create(QWidget* owner, THtmlViewer& viewer, bool picture,
                                                QSize pictureSize, TPreviewHooks hooks = {});
    ~TPreviewForm() override;

    void ShowPage(int page);
    void UpdatePageButtons();
    void LayoutPages();
    void SetZoomItem(int item);
    void SetTool(Tool tool);
    void SetTwoPages(bool on);
    void SetButtonCaptions(bool on);
    void ToggleOrientation();
    void SetPageNumbers(bool on);
    void SetPrintBackground(bool on);
    void RestoreStartPrintScale();
    // A click of a zoom tool at a point of a sheet: left enlarges.
    void ZoomPrintScale(bool enlarge);
    void ZoomView(bool enlarge, TPageView* view, QPoint point);
    void GoToPage();
    void Print();

    int CurrentPage() const { return currentPage_; }
    int PageCount() const { return pages_.PageCount(); }
    float PrintScale() const { return printScale_; }
    float StartPrintScale() const { return startPrintScale_; }
    double ViewZoom() const { return viewZoom_; }
    int ZoomItem() const;
    Tool CurrentTool() const { return tool_; }
    bool TwoPages() const;
    QString StatusText(int panel) const;
    TPreviewPages& Pages() { return pages_; }
    const TPreviewUi& Ui() const { return ui_; }

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    TPreviewForm(QWidget* owner, THtmlViewer& viewer, TPreviewHooks hooks);
    bool open(bool picture, QSize pictureSize);
    void announceToListener();
    void fitPictureScale(QSize picture);
    bool repaginate();
    // Changes an option of the layout and lays the pages out again; a
    // cancelled layout takes the change back, so that pages and options agree.
    void changeLayout(const std::function<void()>& change, const std::function<void()>& undo);
    void syncControls();
    void connectControls();
    bool handleKey(int key, Qt::KeyboardModifiers modifiers);
    void scrollBy(int dx, int dy);
    void layoutOnce();
    void placePages(QSize pageSize, bool two);
    // Shows the scroll bars the sheets need at once, so that the view and
    // the sheets agree without waiting for the scroll box's own update.
    void showScrollBars(bool vertical, bool horizontal);
    QSize viewRoom() const;
    QSize scrollBarRoom() const;
    void applyToolCursor();
    void pagePressed(TPageView* view, QPoint point, QPoint global, Qt::MouseButton button);
    void pageMoved(QPoint global, Qt::MouseButtons buttons);
    void pageReleased();
    void showHelp();
    bool printerAvailable() const;
    void warn(const QString& text);

    TPreviewHooks hooks_;
    TPreviewPages pages_;
    TPreviewUi ui_;
    float printScale_ = 1.0f;
    float startPrintScale_ = 1.0f;
    double viewZoom_ = 1.0;
    int currentPage_ = 0;
    Tool tool_ = Tool::ViewZoom;
    bool buttonCaptions_ = false;
    bool shown_ = false;
    bool layingOut_ = false;
    bool layoutAgain_ = false;
    // A layout or a print is running: the pages must not change under it.
    bool working_ = false;
    // The hand tool's drag: where it started, and the scroll position then.
    bool panning_ = false;
    QPoint panStart_;
    QPoint panScroll_;
};

// Shows the print preview of a viewer modally, unless it cannot run; the
// entry the page panels call to print. Errors end it quietly.
void ShowPrintPreview(THtmlViewer& viewer, bool picture, QSize pictureSize, QWidget* parent,
                      const TPreviewHooks& hooks = {});

// Sets up the system print dialog of the preview: page numbers allowed,
// print-to-file offered, pages 1 .. pageCount, all of them proposed.
void SetUpPrintDialog(QPrintDialog& dialog, int pageCount);
