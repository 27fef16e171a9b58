#include "engine/DocumentBrowser.h"
#include "engine/PagePaths.h"
#include "engine/TextBrowserViewer.h"

#include <QGuiApplication>
#include <QPalette>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

// Links: clicks offered to the shell before the viewer follows them, hover
// reports, and the colours of visited links and of the link under the mouse.
// A frame shares the visited links of its top viewer.

void TextBrowserViewer::anchorClicked(const QUrl& url)
{
    const int index = reportedAnchor(url);
    if (index < 0) {
        return;
    }
    const PageAnchor anchor = page_.anchors.at(index);
    const QString target = anchor.target.isEmpty() ? page_.baseTarget : anchor.target;
    bool handled = false;
    const QPointer<TextBrowserViewer> alive(this);
    emit linkClicked(this, target, anchor.href, &handled);
    if (!handled && alive) {
        followLink(target, anchor.href);
    }
}

void TextBrowserViewer::followLink(const QString& target, const QString& href)
{
    const bool inPage = href.startsWith(QLatin1Char('#'));
    if (href.isEmpty() || (PagePaths::HasScheme(href) &&
                           !href.startsWith(QLatin1String("file:"), Qt::CaseInsensitive))) {
        return;
    }
    const QString expanded = expandUrl(href);
    if (!inPage && !PagePaths::IsViewable(expanded)) {
        return;
    }
    visited().add(expanded);
    TextBrowserViewer* root = top();
    targetViewer(target)->loadFile(expanded);
    root->checkVisitedLinks();
}

void TextBrowserViewer::anchorHovered(const QUrl& url)
{
    setHoveredAnchor(url.isEmpty() ? -1 : reportedAnchor(url));
}

// The browser reports only changes of the link token under the pointer; a
// jump between two links sharing a token is seen here.
void TextBrowserViewer::trackHover(QPoint viewportPoint)
{
    const int token = PreparedPage::TokenIndex(browser_->anchorAt(viewportPoint), u"lnk");
    if (hoveredAnchor_ >= 0 && token >= 0) {
        setHoveredAnchor(anchorAt(browser_->positionAt(viewportPoint), token));
    }
}

void TextBrowserViewer::setHoveredAnchor(int anchor)
{
    if (anchor == hoveredAnchor_) {
        return;
    }
    hoveredAnchor_ = anchor;
    const int previous = hotAnchor_;
    hotAnchor_ = options_.hotLinks ? anchor : -1;
    if (previous != hotAnchor_) {
        paintAnchor(previous);
        paintAnchor(hotAnchor_);
    }
    if (anchor < 0) {
        emit linkHovered(this, QString(), QString());
        return;
    }
    const PageAnchor& link = page_.anchors.at(anchor);
    emit linkHovered(this, link.target.isEmpty() ? page_.baseTarget : link.target, link.href);
}

int TextBrowserViewer::reportedAnchor(const QUrl& url) const
{
    return anchorAt(browser_->reportedPosition(), PreparedPage::TokenIndex(url.toString(), u"lnk"));
}

int TextBrowserViewer::anchorAt(int position, int token) const
{
    if (position < 0 || token < 0) {
        return -1;
    }
    const auto startsAfter = [](int at, const AnchorRange& range) { return at < range.start; };
    for (const int at : {position, position - 1}) {
        auto range =
            std::upper_bound(anchorRanges_.cbegin(), anchorRanges_.cend(), at, startsAfter);
        if (range == anchorRanges_.cbegin()) {
            continue;
        }
        --range;
        if (at < range->start + range->length &&
            range->anchor % PreparedPage::kAnchorTokens == token) {
            return range->anchor;
        }
    }
    return -1;
}

// Numbers the links of the text from their tokens: the pieces of one link
// carry its token, and the next link's token is another. Links that left no
// text (empty ones) are passed over by the distance between the tokens.
void TextBrowserViewer::collectAnchorRanges(const QTextDocument& document)
{
    constexpr int tokens = PreparedPage::kAnchorTokens;
    anchorRanges_.clear();
    paintedAs_.clear();
    int anchor = -1;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            const int token =
                format.isAnchor() ? PreparedPage::TokenIndex(format.anchorHref(), u"lnk") : -1;
            if (token < 0 || token >= tokens) {
                continue;
            }
            if (anchor < 0 || anchor % tokens != token) {
                anchor += 1 + (token - (anchor + 1) % tokens + tokens) % tokens;
            }
            if (anchor >= page_.anchors.size()) {
                return;
            }
            anchorRanges_.append(
                {anchor, fragment.position(), fragment.length(), format, format.isImageFormat()});
        }
    }
}

// The text engine gives links the desktop's link colour and an underline.
// Links still wearing that colour get ours; a colour the page gave a link
// itself stays (links with a style of their own had ours put in front of
// it; only a font colour inside a link equal to the desktop's is taken for
// the engine's).
void TextBrowserViewer::paintDefaultLinkLook(QTextDocument& document,
                                             const QList<PageAnchor>& anchors)
{
    const QBrush engineDefault = QGuiApplication::palette().link();
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    for (AnchorRange& range : anchorRanges_) {
        QTextCharFormat& format = range.format;
        if (range.picture || anchors.value(range.anchor).styled ||
            format.foreground() != engineDefault) {
            continue;
        }
        format.setForeground(defaults_.linkColor);
        if (!options_.underlineLinks) {
            format.setFontUnderline(false);
        }
        cursor.setPosition(range.start);
        cursor.setPosition(range.start + range.length, QTextCursor::KeepAnchor);
        cursor.setCharFormat(format);
    }
    cursor.endEditBlock();
}

// Gives every range of an anchor the colour of its state, touching the text
// only when the state changed (each change lays its paragraph out anew).
void TextBrowserViewer::paintAnchor(int anchor)
{
    if (anchor < 0) {
        return;
    }
    const LinkState state = anchor == hotAnchor_ ? LinkState::Hot
                            : isVisited(anchor)  ? LinkState::Visited
                                                 : LinkState::Plain;
    if (paintedAs_.value(anchor, LinkState::Plain) == state) {
        return;
    }
    paintedAs_.insert(anchor, state);
    QTextCursor cursor(browser_->document());
    const auto before = [](const AnchorRange& range, int number) { return range.anchor < number; };
    auto range = std::lower_bound(anchorRanges_.cbegin(), anchorRanges_.cend(), anchor, before);
    for (; range != anchorRanges_.cend() && range->anchor == anchor; ++range) {
        if (range->picture) {
            continue;
        }
        QTextCharFormat format = range->format;
        if (state != LinkState::Plain) {
            format.setForeground(state == LinkState::Hot ? defaults_.hotLinkColor
                                                         : defaults_.visitedColor);
        }
        cursor.setPosition(range->start);
        cursor.setPosition(range->start + range->length, QTextCursor::KeepAnchor);
        cursor.setCharFormat(format);
    }
}

bool TextBrowserViewer::isVisited(int anchor) const
{
    return anchor >= 0 && anchor < page_.anchors.size() &&
           visited().contains(expandUrl(page_.anchors.at(anchor).href));
}

void TextBrowserViewer::addVisitedLink(const QString& file)
{
    visited().add(file);
}

void TextBrowserViewer::checkVisitedLinks()
{
    if (!visited().links().isEmpty() || !paintedAs_.isEmpty()) {
        for (int anchor = 0; anchor < page_.anchors.size(); ++anchor) {
            paintAnchor(anchor);
        }
    }
    for (const QPointer<TextBrowserViewer>& frame : frames_) {
        if (frame) {
            frame->checkVisitedLinks();
        }
    }
}

QStringList TextBrowserViewer::visitedLinks() const
{
    return visited().links();
}

VisitedLinks& TextBrowserViewer::visited()
{
    return top()->visited_;
}

const VisitedLinks& TextBrowserViewer::visited() const
{
    return const_cast<TextBrowserViewer*>(this)->top()->visited_;
}
