#pragma once

#include "engine/FramesetWidget.h"
#include "engine/HtmlPreprocessor.h"
#include "engine/HtmlViewer.h"
#include "engine/ViewerHistory.h"
#include "engine/VisitedLinks.h"

#include <QHash>
#include <QPointer>
#include <QTextCharFormat>
#include <functional>
#include <memory>

class DocumentBrowser;
class FormControls;
class HtmlResources;
class QStackedLayout;

// The viewer on QTextBrowser. A page shows in its DocumentBrowser; a frameset
// page instead shows nested viewers, one per frame, which report their events
// through this one. Pages pass through HtmlPreprocessor, so links carry their
// targets, images their hints and drop-down lists become FormControls.
class TextBrowserViewer final : public THtmlViewer {
    Q_OBJECT
public:
    explicit TextBrowserViewer(QWidget* parent, const ViewerOptions& options = {});
    ~TextBrowserViewer() override;

    bool loadFile(const QString& file) override;
    bool reload() override;
    bool hasDocument() const override { return !currentFile_.isEmpty(); }
    QString currentFile() const override { return currentFile_; }
    QString documentTitle() const override { return title_; }
    QString expandUrl(const QString& url) const override;

    QStringList historyFiles() const override { return history_.files(); }
    QStringList historyTitles() const override { return history_.titles(); }
    int historyIndex() const override { return history_.index(); }
    bool setHistoryIndex(int index) override;
    bool canGoBack() const override { return history_.canGoBack(); }
    bool canGoForward() const override { return history_.canGoForward(); }
    bool goBack() override;
    bool goForward() override;

    void addVisitedLink(const QString& file) override;
    void checkVisitedLinks() override;
    QStringList visitedLinks() const override;

    void setDefaults(const ViewerDefaults& defaults) override;
    ViewerDefaults defaults() const override { return defaults_; }

    int verticalPosition() const override;
    void setVerticalPosition(int position) override;

    void selectAll() override;
    void copySelection() override;
    QString selectedText() const override;
    bool findNext(const QString& text, bool caseSensitive) override;
    void moveSelectionToStart() override;

    ViewerObject objectAt(QPoint point) const override;
    QSize lastPictureSize() const override;
    QList<FormControl> formControls() const override;

    THtmlViewer* frameViewer(const QString& name) override;
    THtmlViewer* activeViewer() override;
    const QTextDocument* printableDocument() const override;

    QString frameName() const { return frameName_; }
    DocumentBrowser* browser() const { return browser_; }

private:
    enum class LinkState { Plain, Visited, Hot };
    // A piece of the text (or a picture) inside a link, in document order.
    struct AnchorRange {
        int anchor;
        int start;
        int length;
        QTextCharFormat format; // as the page set it
        bool picture;
    };

    TextBrowserViewer(TextBrowserViewer* parentViewer, const QString& frameName);
    void setUp();
    QTextDocument* createDocument();
    bool refillsDocument() const;
    void connectBrowser();

    // Loading (TextBrowserViewer.cpp).
    bool showFile(const QString& path, const QString& anchor, int position);
    PreparedPage preparePage(const QString& path, const QByteArray& bytes);
    void showDocument(const PreparedPage& page);
    QString linkStyle() const;
    void configureDocument(QTextDocument& document, bool linkStyleSheet) const;
    void scrollTo(const QString& anchor, int position);

    // Frames (TextBrowserViewerFrames.cpp).
    void showFrameset(const FrameNode& root);
    QWidget* buildFramePart(const FrameNode& node, QWidget* parent);
    QWidget* createFrame(const FrameNode& node, QWidget* parent);
    void forwardEvents(TextBrowserViewer* frame);
    void dropFrames();
    // Every frame below this viewer, depth first.
    void forEachFrame(const std::function<void(TextBrowserViewer*)>& visit);
    TextBrowserViewer* top();
    TextBrowserViewer* targetViewer(const QString& target);
    TextBrowserViewer* findFrame(const QString& name);

    // Links (TextBrowserViewerLinks.cpp).
    void anchorClicked(const QUrl& url);
    void anchorHovered(const QUrl& url);
    void trackHover(QPoint viewportPoint);
    void setHoveredAnchor(int anchor);
    // The link at a document position (or just before it) whose token is
    // token; -1 for none.
    int anchorAt(int position, int token) const;
    int reportedAnchor(const QUrl& url) const;
    void followLink(const QString& target, const QString& href);
    void collectAnchorRanges(const QTextDocument& document);
    void paintDefaultLinkLook(QTextDocument& document, const QList<PageAnchor>& anchors);
    void paintAnchor(int anchor);
    bool isVisited(int anchor) const;
    VisitedLinks& visited();
    const VisitedLinks& visited() const;

    ViewerOptions options_;
    ViewerDefaults defaults_;
    std::shared_ptr<HtmlResources> resources_;
    DocumentBrowser* browser_ = nullptr;
    FormControls* controls_ = nullptr;
    QStackedLayout* stack_ = nullptr;
    QPointer<FramesetWidget> frameset_;
    QList<QPointer<TextBrowserViewer>> frames_;
    QPointer<TextBrowserViewer> activeFrame_;
    TextBrowserViewer* parentViewer_ = nullptr;
    QString frameName_;
    int depth_ = 0;
    ViewerHistory history_;
    VisitedLinks visited_;
    QString currentFile_;
    QString title_;
    PreparedPage page_;
    quint64 generation_ = 0;
    // The browser's cursor still stands where the previous page left it (it
    // is not reset on loading, which would lay the whole page out at once):
    // finds start at the top, and nothing is selected.
    bool freshPage_ = true;
    int hoveredAnchor_ = -1;
    int hotAnchor_ = -1;
    QList<AnchorRange> anchorRanges_;
    QHash<int, LinkState> paintedAs_;
};
