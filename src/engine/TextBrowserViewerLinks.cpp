#include "DocumentBrowser.h"
#include "PagePaths.h"
#include "TextBrowserViewer.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

// Links: clicks offered to the shell before the viewer follows them, hover
// reports, and the colours of visited links and of the link under the mouse.
// A frame shares the visited links of its top viewer.

void TextBrowserViewer::anchorClicked(const QUrl& url)
{
    const int index = PreparedPage::TokenIndex(url.toString(), u"lnk");
    if (index < 0 || index >= page_.anchors.size()) {
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
    const int index = url.isEmpty() ? -1 : PreparedPage::TokenIndex(url.toString(), u"lnk");
    const bool known = index >= 0 && index < page_.anchors.size();
    const int previous = hotAnchor_;
    hotAnchor_ = known && options_.hotLinks ? index : -1;
    if (previous != hotAnchor_) {
        paintAnchor(previous);
        paintAnchor(hotAnchor_);
    }
    if (!known) {
        emit linkHovered(this, QString(), QString());
        return;
    }
    const PageAnchor& anchor = page_.anchors.at(index);
    emit linkHovered(this, anchor.target.isEmpty() ? page_.baseTarget : anchor.target, anchor.href);
}

void TextBrowserViewer::collectAnchorRanges()
{
    anchorRanges_.clear();
    paintedAs_.clear();
    const QTextDocument* document = browser_->document();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            if (!format.isAnchor() || format.isImageFormat()) {
                continue;
            }
            const int anchor = PreparedPage::TokenIndex(format.anchorHref(), u"lnk");
            if (anchor >= 0) {
                anchorRanges_.append({anchor, fragment.position(), fragment.length(), format});
            }
        }
    }
    checkVisitedLinks();
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
    for (const AnchorRange& range : anchorRanges_) {
        if (range.anchor != anchor) {
            continue;
        }
        QTextCharFormat format = range.format;
        if (state != LinkState::Plain) {
            format.setForeground(state == LinkState::Hot ? defaults_.hotLinkColor
                                                         : defaults_.visitedColor);
        }
        cursor.setPosition(range.start);
        cursor.setPosition(range.start + range.length, QTextCursor::KeepAnchor);
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
