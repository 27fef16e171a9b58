#include "engine/TextBrowserViewer.h"

#include "data/PageCharset.h"
#include "engine/DocumentBrowser.h"
#include "engine/FormControls.h"
#include "engine/HtmlResources.h"
#include "engine/PagePaths.h"

#include <QAbstractTextDocumentLayout>
#include <QScrollBar>
#include <QStackedLayout>
#include <QTextDocument>

TextBrowserViewer::TextBrowserViewer(QWidget* parent, const ViewerOptions& options)
    : THtmlViewer(parent), options_(options),
      resources_(std::make_shared<HtmlResources>(options.showImages)),
      history_(options.historyMaxCount), visited_(options.visitedMaxCount)
{
    setUp();
}

TextBrowserViewer::TextBrowserViewer(TextBrowserViewer* parentViewer, const QString& frameName)
    : TextBrowserViewer(nullptr, parentViewer->options_)
{
    parentViewer_ = parentViewer;
    frameName_ = frameName;
    depth_ = parentViewer->depth_ + 1;
    setDefaults(parentViewer->defaults_);
}

TextBrowserViewer::~TextBrowserViewer() = default;

void TextBrowserViewer::setUp()
{
    stack_ = new QStackedLayout(this);
    stack_->setContentsMargins(0, 0, 0, 0);
    browser_ = new DocumentBrowser(resources_, this);
    browser_->setDocument(createDocument());
    stack_->addWidget(browser_);
    controls_ = new FormControls(browser_);
    if (!options_.styleLinks) {
        browser_->setLineWrapMode(QTextEdit::NoWrap);
    }
    setFocusProxy(browser_);
    setDefaults(defaults_);
    connectBrowser();
}

// A document for the browser. Its parent is the browser, which it asks for
// every resource; copies made for printing ask the resources directly.
QTextDocument* TextBrowserViewer::createDocument()
{
    auto* document = new QTextDocument(browser_);
    document->setUndoRedoEnabled(false);
    const std::shared_ptr<HtmlResources> resources = resources_;
    document->setResourceProvider([resources](const QUrl& url) {
        return resources->resource(QTextDocument::ImageResource, url);
    });
    return document;
}

// A shown viewer takes a new document per page and frees the old one back in
// the event loop: the new page is up sooner, and a link of the old page may
// be what loads it. A search viewer refills its one document instead, since
// a page walk may not return to the event loop before it ends.
bool TextBrowserViewer::refillsDocument() const
{
    return !options_.styleLinks;
}

void TextBrowserViewer::connectBrowser()
{
    connect(browser_, &QTextBrowser::anchorClicked, this, &TextBrowserViewer::anchorClicked);
    connect(browser_, &QTextBrowser::highlighted, this, &TextBrowserViewer::anchorHovered);
    connect(browser_, &DocumentBrowser::keyDown, this, [this](int key, Qt::KeyboardModifiers keys) {
        freshPage_ = false;
        emit keyDown(key, keys);
    });
    connect(browser_, &DocumentBrowser::resized, controls_, &FormControls::place);
    const auto map = [this](QPoint point) { return browser_->viewport()->mapTo(this, point); };
    connect(browser_, &DocumentBrowser::mouseMoved, this,
            [this, map](QPoint point, Qt::MouseButtons buttons, Qt::KeyboardModifiers keys) {
                trackHover(point);
                emit mouseMoved(map(point), buttons, keys);
            });
    connect(browser_, &DocumentBrowser::mousePressed, this,
            [this, map](QPoint point, Qt::MouseButton button, Qt::MouseButtons buttons,
                        Qt::KeyboardModifiers keys) {
                freshPage_ = false;
                emit mousePressed(map(point), button, buttons, keys);
            });
    connect(browser_, &DocumentBrowser::mouseReleased, this,
            [this, map](QPoint point, Qt::MouseButton button, Qt::MouseButtons buttons,
                        Qt::KeyboardModifiers keys) {
                emit mouseReleased(map(point), button, buttons, keys);
            });
}

bool TextBrowserViewer::loadFile(const QString& file)
{
    const QString path = PagePaths::WithoutAnchor(file).trimmed();
    const QString anchor = PagePaths::AnchorOf(file);
    const bool samePage = PagePaths::SameFile(path, currentFile_) && !frameset_;
    if (path.isEmpty() || (samePage && !anchor.isEmpty())) {
        if (!hasDocument()) {
            return false;
        }
        scrollTo(anchor, 0);
        return true;
    }
    const int leftAt = verticalPosition();
    if (!showFile(path, anchor, 0)) {
        return false;
    }
    history_.recordLoad(currentFile_, title_, leftAt);
    emit historyChanged();
    return true;
}

bool TextBrowserViewer::reload()
{
    if (!hasDocument() || !showFile(currentFile_, QString(), verticalPosition())) {
        return false;
    }
    history_.setTitle(title_);
    emit historyChanged();
    return true;
}

QString TextBrowserViewer::expandUrl(const QString& url) const
{
    return PagePaths::Expand(currentFile_, url);
}

bool TextBrowserViewer::setHistoryIndex(int index)
{
    if (!history_.isValidIndex(index)) {
        return false;
    }
    if (index == history_.index()) {
        return true;
    }
    const int leftAt = verticalPosition();
    const ViewerHistory::Entry entry = history_.at(index);
    if (!showFile(entry.file, QString(), entry.position)) {
        return false;
    }
    history_.moveTo(index, leftAt);
    emit historyChanged();
    return true;
}

bool TextBrowserViewer::goBack()
{
    return canGoBack() && setHistoryIndex(history_.index() + 1);
}

bool TextBrowserViewer::goForward()
{
    return canGoForward() && setHistoryIndex(history_.index() - 1);
}

bool TextBrowserViewer::showFile(const QString& path, const QString& anchor, int position)
{
    const std::optional<QByteArray> bytes = HtmlResources::ReadFile(path);
    if (!bytes) {
        return false;
    }
    resources_->startPage();
    ++generation_;
    hoveredAnchor_ = -1;
    hotAnchor_ = -1;
    page_ = preparePage(path, *bytes);
    currentFile_ = path;
    title_ = page_.title;
    dropFrames();
    if (page_.frameset && options_.buildFrames) {
        showFrameset(*page_.frameset);
    } else {
        showDocument(page_);
    }
    page_.html.clear();
    scrollTo(anchor, position);
    return true;
}

PreparedPage TextBrowserViewer::preparePage(const QString& path, const QByteArray& bytes)
{
    PreparedPage page;
    switch (PagePaths::KindOf(path)) {
    case PagePaths::PageKind::Text:
        page.html = QLatin1String("<html><body><pre>") +
                    PageCharset::DecodeText(bytes).toHtmlEscaped() +
                    QLatin1String("</pre></body></html>");
        return page;
    case PagePaths::PageKind::Picture:
        resources_->picture(path, bytes);
        page.images.append({path.mid(path.lastIndexOf(QLatin1Char('\\')) + 1), QString()});
        page.html = QLatin1String("<html><body><img src=\"") + HtmlResources::FileToken(path, 0) +
                    QLatin1String("\"></body></html>");
        return page;
    case PagePaths::PageKind::Html:
        break;
    }
    const QFont controlFont = font();
    HtmlPreprocessor preprocessor(
        path,
        [controlFont](const PageSelect& select) {
            return FormControls::PlaceholderSize(select, controlFont);
        },
        options_.styleLinks ? linkStyle() + QLatin1Char(';') : QString());
    const std::shared_ptr<HtmlResources> resources = resources_;
    preprocessor.setPictureSize(
        [resources](const QString& picture) { return resources->pictureSize(picture); });
    return preprocessor.prepare(PageCharset::DecodePage(bytes));
}

void TextBrowserViewer::showDocument(const PreparedPage& page)
{
    QTextDocument* previous = browser_->document();
    QTextDocument& document = refillsDocument() ? *previous : *createDocument();
    configureDocument(document, page.hasOwnStyle && options_.styleLinks);
    FormControls::AddFaces(document, page.selects);
    document.setHtml(page.html);
    collectAnchorRanges(document);
    if (!page.hasOwnStyle && options_.styleLinks) {
        paintDefaultLinkLook(document, page.anchors);
    }
    if (&document != previous) {
        browser_->setDocument(&document);
        previous->deleteLater();
    }
    freshPage_ = true;
    controls_->build(page.selects, options_.formControls);
    checkVisitedLinks();
    stack_->setCurrentWidget(browser_);
}

QString TextBrowserViewer::linkStyle() const
{
    return QStringLiteral("color: %1; text-decoration: %2")
        .arg(defaults_.linkColor.name(),
             options_.underlineLinks ? QStringLiteral("underline") : QStringLiteral("none"));
}

void TextBrowserViewer::configureDocument(QTextDocument& document, bool linkStyleSheet) const
{
    QFont font(defaults_.fontName);
    font.setPointSize(qMax(1, defaults_.fontSize));
    // Latin and Cyrillic text is laid out without the shaping engine, which
    // costs more than half of a page's layout; scripts that need it keep it.
    font.setStyleStrategy(QFont::PreferNoShaping);
    // A new default font lays the document out anew, the old page included.
    if (document.defaultFont() != font) {
        document.setDefaultFont(font);
    }
    document.setDefaultStyleSheet(
        linkStyleSheet ? QLatin1String("a { ") + linkStyle() + QLatin1String(" }") : QString());
}

void TextBrowserViewer::scrollTo(const QString& anchor, int position)
{
    if (!anchor.isEmpty() || position > 0) {
        browser_->document()->size();
    }
    if (!anchor.isEmpty()) {
        browser_->scrollToAnchor(anchor);
    } else {
        setVerticalPosition(position);
    }
}

void TextBrowserViewer::setDefaults(const ViewerDefaults& defaults)
{
    defaults_ = defaults;
    QPalette palette = browser_->palette();
    palette.setColor(QPalette::Text, defaults.fontColor);
    palette.setColor(QPalette::Base, defaults.background);
    palette.setColor(QPalette::Inactive, QPalette::Highlight,
                     palette.color(QPalette::Active, QPalette::Highlight));
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     palette.color(QPalette::Active, QPalette::HighlightedText));
    browser_->setPalette(palette);
    for (const QPointer<TextBrowserViewer>& frame : frames_) {
        if (frame) {
            frame->setDefaults(defaults);
        }
    }
}

QSize TextBrowserViewer::lastPictureSize() const
{
    return resources_->lastPictureSize();
}

QList<FormControl> TextBrowserViewer::formControls() const
{
    return controls_->list();
}
