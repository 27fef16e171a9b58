#pragma once

#include "engine/HtmlViewerTypes.h"

#include <QList>
#include <QPoint>
#include <QSize>
#include <QWidget>

class QPainter;

// The HTML viewer as the shell sees it: everything the page panels, link
// commands, history lists, find panel and print preview need of a page view,
// and nothing of how pages are parsed and drawn. Paths are Windows-style
// virtual paths; a file may carry a "#anchor".
class THtmlViewer : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

    // Loading. A page found neither in the archive nor on disk fails and
    // leaves the page shown (and the history) unchanged.
    virtual bool loadFile(const QString& file) = 0;
    virtual bool reload() = 0;
    virtual bool hasDocument() const = 0;
    virtual QString currentFile() const = 0;
    virtual QString documentTitle() const = 0;
    // A link as written, made a full path against the page shown ("/" -> "\").
    virtual QString expandUrl(const QString& url) const = 0;

    // History: newest first, the page shown at historyIndex().
    virtual QStringList historyFiles() const = 0;
    virtual QStringList historyTitles() const = 0;
    virtual int historyIndex() const = 0;
    virtual bool setHistoryIndex(int index) = 0;
    virtual bool canGoBack() const = 0;
    virtual bool canGoForward() const = 0;
    virtual bool goBack() = 0;
    virtual bool goForward() = 0;

    virtual void addVisitedLink(const QString& file) = 0;
    virtual void checkVisitedLinks() = 0;
    virtual QStringList visitedLinks() const = 0;

    // Colours of text and background apply at once, font and link look from
    // the next load (reload() shows the page with them).
    virtual void setDefaults(const ViewerDefaults& defaults) = 0;
    virtual ViewerDefaults defaults() const = 0;

    virtual int verticalPosition() const = 0;
    virtual void setVerticalPosition(int position) = 0;

    virtual void selectAll() = 0;
    virtual void copySelection() = 0;
    virtual QString selectedText() const = 0;
    // Finds text after the selection, selects it and scrolls it into view.
    virtual bool findNext(const QString& text, bool caseSensitive) = 0;
    virtual void moveSelectionToStart() = 0;

    virtual ViewerObject objectAt(QPoint point) const = 0;
    virtual QSize lastPictureSize() const = 0;
    virtual QList<FormControl> formControls() const = 0;

    // Frames: the viewer of a named frame anywhere below this one, and the
    // frame the user worked in last (this viewer when it shows no frameset).
    virtual THtmlViewer* frameViewer(const QString& name) = 0;
    virtual THtmlViewer* activeViewer() = 0;

    // The page of the frame worked in last (or of the first frame with one);
    // an empty file while nothing is shown.
    virtual PrintablePage printablePage() const = 0;
    // What a page printer prints: the frame worked in last, else every frame
    // of a frameset in document order, else the page shown; empty while
    // nothing is shown.
    virtual QList<PrintablePage> printablePages() const = 0;
    // Pixels between the edge of a page and what it shows (a picture page's
    // picture).
    virtual int pageMargin() const = 0;

signals:
    // An empty url: the mouse left the link. source: the (frame) viewer
    // holding the link, against whose page the url is expanded.
    void linkHovered(THtmlViewer* source, const QString& target, const QString& url);
    // Set *handled to stop the viewer from following the link.
    void linkClicked(THtmlViewer* source, const QString& target, const QString& url, bool* handled);
    void keyDown(int key, Qt::KeyboardModifiers modifiers);
    void mouseMoved(QPoint point, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);
    void mousePressed(QPoint point, Qt::MouseButton button, Qt::MouseButtons buttons,
                      Qt::KeyboardModifiers modifiers);
    void mouseReleased(QPoint point, Qt::MouseButton button, Qt::MouseButtons buttons,
                       Qt::KeyboardModifiers modifiers);
    void historyChanged();
    // Per printed page; the painter's unit is a screen pixel, its origin the
    // top-left corner of the page's printable width, height the top margin.
    void printHeader(QPainter* painter, int pageNumber, int width, int height);
};

// The one place that picks the viewer implementation.
THtmlViewer* CreateHtmlViewer(QWidget* parent, const ViewerOptions& options = {});
// An invisible, zero-size viewer for page searches.
THtmlViewer* CreateSearchViewer(QWidget* parent);
