#include "engine/LiteHtmlViewer.h"

#include "data/PageCharset.h"
#include "engine/FramesetLayout.h"
#include "engine/HtmlResources.h"
#include "engine/HtmlTagScanner.h"
#include "engine/LiteHtmlView.h"
#include "engine/PagePaths.h"
#include "engine/UserAgentStyle.h"

#include <QScrollBar>
#include <QStackedLayout>

namespace {

// The frameset of a page written as one, before any body.
std::optional<FrameNode> framesetOf(const QString& html)
{
    HtmlTagScanner scanner(html);
    HtmlTag tag;
    while (scanner.next(tag)) {
        if (tag.name == QLatin1String("body") && !tag.closing) {
            return std::nullopt;
        }
        if (tag.name == QLatin1String("frameset") && !tag.closing) {
            return FramesetLayout::Parse(scanner, tag);
        }
    }
    return std::nullopt;
}

// The <title> of a page that litehtml does not lay out (a frameset).
QString titleOf(const QString& html)
{
    HtmlTagScanner scanner(html);
    HtmlTag tag;
    while (scanner.next(tag)) {
        if (tag.name == QLatin1String("title") && !tag.closing) {
            const qsizetype end =
                html.indexOf(QLatin1String("</title"), tag.end, Qt::CaseInsensitive);
            return DecodeEntities(html.mid(tag.end, end < 0 ? -1 : end - tag.end)).simplified();
        }
        if (tag.name == QLatin1String("body") || tag.name == QLatin1String("frameset")) {
            break;
        }
    }
    return QString();
}

// The target every link of the page takes when it names none.
QString baseTargetOf(const QString& html)
{
    HtmlTagScanner scanner(html);
    HtmlTag tag;
    while (scanner.next(tag)) {
        if (tag.name == QLatin1String("base") && !tag.closing) {
            return AttributeValue(scanner.attributes(tag), u"target").trimmed();
        }
        if (tag.name == QLatin1String("body")) {
            break;
        }
    }
    return QString();
}

} // namespace

LiteHtmlViewer::LiteHtmlViewer(QWidget* parent, const ViewerOptions& options)
    : THtmlViewer(parent), options_(options),
      resources_(std::make_shared<HtmlResources>(options.showImages)),
      history_(options.historyMaxCount), visited_(options.visitedMaxCount)
{
    setUp();
}

LiteHtmlViewer::LiteHtmlViewer(LiteHtmlViewer* parentViewer, const QString& frameName)
    : LiteHtmlViewer(nullptr, parentViewer->options_)
{
    parentViewer_ = parentViewer;
    frameName_ = frameName;
    depth_ = parentViewer->depth_ + 1;
    setDefaults(parentViewer->defaults_);
}

LiteHtmlViewer::~LiteHtmlViewer() = default;

void LiteHtmlViewer::setUp()
{
    stack_ = new QStackedLayout(this);
    stack_->setContentsMargins(0, 0, 0, 0);
    view_ = new LiteHtmlView(this);
    view_->setFormWidgets(options_.formControls);
    stack_->addWidget(view_);
    setFocusProxy(view_);
    setDefaults(defaults_);
    connectView();
}

void LiteHtmlViewer::connectView()
{
    connect(view_, &LiteHtmlView::anchorClicked, this, &LiteHtmlViewer::anchorClicked);
    connect(view_, &LiteHtmlView::anchorHovered, this, &LiteHtmlViewer::anchorHovered);
    connect(view_, &LiteHtmlView::keyDown, this, &THtmlViewer::keyDown);
    const auto map = [this](QPoint point) { return view_->viewport()->mapTo(this, point); };
    connect(view_, &LiteHtmlView::mouseMoved, this,
            [this, map](QPoint point, Qt::MouseButtons buttons, Qt::KeyboardModifiers keys) {
                emit mouseMoved(map(point), buttons, keys);
            });
    connect(view_, &LiteHtmlView::mousePressed, this,
            [this, map](QPoint point, Qt::MouseButton button, Qt::MouseButtons buttons,
                        Qt::KeyboardModifiers keys) {
                emit mousePressed(map(point), button, buttons, keys);
            });
    connect(view_, &LiteHtmlView::mouseReleased, this,
            [this, map](QPoint point, Qt::MouseButton button, Qt::MouseButtons buttons,
                        Qt::KeyboardModifiers keys) {
                emit mouseReleased(map(point), button, buttons, keys);
            });
}

bool LiteHtmlViewer::loadFile(const QString& file)
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

bool LiteHtmlViewer::reload()
{
    if (!hasDocument() || !showFile(currentFile_, QString(), verticalPosition())) {
        return false;
    }
    history_.setTitle(title_);
    emit historyChanged();
    return true;
}

QString LiteHtmlViewer::expandUrl(const QString& url) const
{
    return PagePaths::Expand(currentFile_, url);
}

bool LiteHtmlViewer::setHistoryIndex(int index)
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

bool LiteHtmlViewer::goBack()
{
    return canGoBack() && setHistoryIndex(history_.index() + 1);
}

bool LiteHtmlViewer::goForward()
{
    return canGoForward() && setHistoryIndex(history_.index() - 1);
}

bool LiteHtmlViewer::showFile(const QString& path, const QString& anchor, int position)
{
    const std::optional<QByteArray> bytes = HtmlResources::ReadFile(path);
    if (!bytes) {
        return false;
    }
    resources_->startPage();
    const QString html = pageHtml(path, *bytes);
    currentFile_ = path;
    dropFrames();
    shownHtml_.clear();
    const std::optional<FrameNode> frameset =
        options_.buildFrames ? framesetOf(html) : std::nullopt;
    if (frameset) {
        title_ = titleOf(html);
        showFrameset(*frameset);
    } else {
        showPage(path, html);
    }
    scrollTo(anchor, position);
    return true;
}

QString LiteHtmlViewer::pageHtml(const QString& path, const QByteArray& bytes)
{
    switch (PagePaths::KindOf(path)) {
    case PagePaths::PageKind::Text:
        return QLatin1String("<html><body><pre>") + PageCharset::DecodeText(bytes).toHtmlEscaped() +
               QLatin1String("</pre></body></html>");
    case PagePaths::PageKind::Picture:
        // A block, so that no line's descent below it makes the page
        // taller than the picture and its margins.
        resources_->picture(path, bytes);
        return QLatin1String("<html><body><img style=\"display:block\" src=\"") +
               path.mid(path.lastIndexOf(QLatin1Char('\\')) + 1).toHtmlEscaped() +
               QLatin1String("\"></body></html>");
    case PagePaths::PageKind::Html:
        break;
    }
    return PageCharset::DecodePage(bytes);
}

void LiteHtmlViewer::showPage(const QString& path, const QString& html)
{
    baseTarget_ = baseTargetOf(html);
    auto page = std::make_unique<LiteHtmlPage>(resources_, path, defaults_);
    shownHtml_ = html;
    shownStyle_ = defaultStyle();
    page->load(shownHtml_, shownStyle_);
    LiteHtmlPage* shown = page.get();
    view_->setPage(std::move(page));
    title_ = shown->container().title();
    checkVisitedLinks();
    stack_->setCurrentWidget(view_);
}

// The viewer's defaults as the first style of the page, so that the page's
// own rules win.
QString LiteHtmlViewer::defaultStyle() const
{
    QString style = QStringLiteral("body{color:%1;background-color:%2}")
                        .arg(defaults_.fontColor.name(), defaults_.background.name());
    if (options_.styleLinks) {
        const QString decoration =
            options_.underlineLinks ? QStringLiteral("underline") : QStringLiteral("none");
        style += QStringLiteral("a:link{color:%1;text-decoration:%2}"
                                "a:visited{color:%3;text-decoration:%2}")
                     .arg(defaults_.linkColor.name(), decoration, defaults_.visitedColor.name());
        if (options_.hotLinks) {
            style += QStringLiteral("a:hover{color:%1}").arg(defaults_.hotLinkColor.name());
        }
    }
    return style;
}

void LiteHtmlViewer::scrollTo(const QString& anchor, int position)
{
    if (!anchor.isEmpty() && view_->scrollToAnchor(anchor)) {
        return;
    }
    setVerticalPosition(position);
}

void LiteHtmlViewer::setDefaults(const ViewerDefaults& defaults)
{
    defaults_ = defaults;
    QPalette palette = view_->palette();
    palette.setColor(QPalette::Text, defaults.fontColor);
    palette.setColor(QPalette::Base, defaults.background);
    view_->setPalette(palette);
    for (const QPointer<LiteHtmlViewer>& frame : frames_) {
        if (frame) {
            frame->setDefaults(defaults);
        }
    }
}

QSize LiteHtmlViewer::lastPictureSize() const
{
    return resources_->lastPictureSize();
}

QList<FormControl> LiteHtmlViewer::formControls() const
{
    return view_->controls().list();
}

PrintablePage LiteHtmlViewer::printablePage() const
{
    auto* self = const_cast<LiteHtmlViewer*>(this);
    auto* active = qobject_cast<LiteHtmlViewer*>(self->activeViewer());
    if (active && active != self) {
        return active->printablePage();
    }
    return shownHtml_.isEmpty() ? PrintablePage()
                                : PrintablePage{currentFile_, shownHtml_, shownStyle_};
}

QList<PrintablePage> LiteHtmlViewer::printablePages() const
{
    if (activeFrame_) {
        return activeFrame_->printablePages();
    }
    if (frames_.isEmpty()) {
        if (shownHtml_.isEmpty()) {
            return {};
        }
        return {PrintablePage{currentFile_, shownHtml_, shownStyle_}};
    }
    QList<PrintablePage> pages;
    for (const QPointer<LiteHtmlViewer>& frame : frames_) {
        if (frame) {
            pages += frame->printablePages();
        }
    }
    return pages;
}

int LiteHtmlViewer::pageMargin() const
{
    return UserAgentStyle::kBodyMargin;
}
