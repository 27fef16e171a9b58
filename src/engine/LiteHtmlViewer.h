#pragma once

#include "engine/FramesetLayout.h"
#include "engine/FramesetWidget.h"
#include "engine/HtmlViewer.h"
#include "engine/ViewerHistory.h"
#include "engine/VisitedLinks.h"

#include <QPointer>
#include <functional>
#include <litehtml.h>
#include <memory>

class HtmlResources;

class LiteHtmlView;
class QStackedLayout;

// The viewer on litehtml. A page shows in its LiteHtmlView; a frameset page
// shows nested viewers, one per frame, laid out by FramesetWidget, which
// report their events through this one. Frames share the visited links of
// their top viewer.
class LiteHtmlViewer final : public THtmlViewer {
    Q_OBJECT
public:
    explicit LiteHtmlViewer(QWidget* parent, const ViewerOptions& options = {});
    ~LiteHtmlViewer() override;

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
    PrintablePage printablePage() const override;
    QList<PrintablePage> printablePages() const override;
    int pageMargin() const override;

    QString frameName() const { return frameName_; }
    LiteHtmlView* view() const { return view_; }

private:
    LiteHtmlViewer(LiteHtmlViewer* parentViewer, const QString& frameName);
    void setUp();
    void connectView();

    // Loading (LiteHtmlViewer.cpp).
    bool showFile(const QString& path, const QString& anchor, int position);
    QString pageHtml(const QString& path, const QByteArray& bytes);
    void showPage(const QString& path, const QString& html);
    QString defaultStyle() const;
    void scrollTo(const QString& anchor, int position);

    // Links and text (LiteHtmlViewerLinks.cpp).
    void anchorClicked(const QString& href, const litehtml::element::ptr& element);
    void anchorHovered(const litehtml::element::ptr& anchor);
    QString targetOf(const litehtml::element::ptr& anchor) const;
    void followLink(const QString& target, const QString& href);
    VisitedLinks& visited();
    const VisitedLinks& visited() const;

    // Frames (LiteHtmlViewerFrames.cpp).
    void showFrameset(const FrameNode& root);
    QWidget* buildFramePart(const FrameNode& node, QWidget* parent);
    QWidget* createFrame(const FrameNode& node, QWidget* parent);
    void setScrolling(FrameScrolling scrolling);
    void forwardEvents(LiteHtmlViewer* frame);
    void dropFrames();
    void forEachFrame(const std::function<void(LiteHtmlViewer*)>& visit);
    LiteHtmlViewer* top();
    LiteHtmlViewer* targetViewer(const QString& target);
    LiteHtmlViewer* findFrame(const QString& name);

    ViewerOptions options_;
    ViewerDefaults defaults_;
    std::shared_ptr<HtmlResources> resources_;
    LiteHtmlView* view_ = nullptr;
    QStackedLayout* stack_ = nullptr;
    QPointer<FramesetWidget> frameset_;
    QList<QPointer<LiteHtmlViewer>> frames_;
    QPointer<LiteHtmlViewer> activeFrame_;
    LiteHtmlViewer* parentViewer_ = nullptr;
    QString frameName_;
    int depth_ = 0;
    ViewerHistory history_;
    VisitedLinks visited_;
    QString currentFile_;
    QString title_;
    QString baseTarget_;
    QString shownHtml_; // of the page shown, for printing
    QString shownStyle_;
};
