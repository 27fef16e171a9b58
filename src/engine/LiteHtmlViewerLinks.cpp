#include "engine/HtmlResources.h"
#include "engine/LiteHtmlView.h"
#include "engine/LiteHtmlViewer.h"
#include "engine/PagePaths.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QScrollBar>

// Links, visited links, the text (position, selection, find) and the object
// under a point. On a frameset page the text commands act on the frame the
// user worked in last.

namespace {

QString attribute(const litehtml::element::ptr& element, const char* name)
{
    const char* value = element ? element->get_attr(name) : nullptr;
    return value ? QString::fromUtf8(value) : QString();
}

litehtml::element::ptr ancestorNamed(litehtml::element::ptr element, const char* tag)
{
    for (; element; element = element->parent()) {
        const char* name = element->get_tagName();
        if (name && qstricmp(name, tag) == 0) {
            return element;
        }
    }
    return nullptr;
}

} // namespace

void LiteHtmlViewer::anchorClicked(const QString&, const litehtml::element::ptr& element)
{
    const litehtml::element::ptr anchor =
        ancestorNamed(element, "area") ? element : ancestorNamed(element, "a");
    const QString href = attribute(anchor, "href").trimmed();
    if (href.isEmpty()) {
        return;
    }
    const QString target = targetOf(anchor);
    bool handled = false;
    const QPointer<LiteHtmlViewer> alive(this);
    emit linkClicked(this, target, href, &handled);
    if (!handled && alive) {
        followLink(target, href);
    }
}

void LiteHtmlViewer::anchorHovered(const litehtml::element::ptr& anchor)
{
    if (!anchor) {
        emit linkHovered(this, QString(), QString());
        return;
    }
    emit linkHovered(this, targetOf(anchor), attribute(anchor, "href").trimmed());
}

QString LiteHtmlViewer::targetOf(const litehtml::element::ptr& anchor) const
{
    const QString target = attribute(anchor, "target").trimmed();
    return target.isEmpty() ? baseTarget_ : target;
}

void LiteHtmlViewer::followLink(const QString& target, const QString& href)
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
    LiteHtmlViewer* root = top();
    targetViewer(target)->loadFile(expanded);
    root->checkVisitedLinks();
}

VisitedLinks& LiteHtmlViewer::visited()
{
    return top()->visited_;
}

const VisitedLinks& LiteHtmlViewer::visited() const
{
    const LiteHtmlViewer* viewer = this;
    while (viewer->parentViewer_) {
        viewer = viewer->parentViewer_;
    }
    return viewer->visited_;
}

void LiteHtmlViewer::addVisitedLink(const QString& file)
{
    visited().add(file);
}

QStringList LiteHtmlViewer::visitedLinks() const
{
    return visited().links();
}

// Marks the links of the page (and of its frames) whose files were visited,
// and lays the page out anew when a mark changed.
void LiteHtmlViewer::checkVisitedLinks()
{
    for (const QPointer<LiteHtmlViewer>& frame : frames_) {
        if (frame) {
            frame->checkVisitedLinks();
        }
    }
    LiteHtmlPage* page = view_->page();
    if (!page || !page->document()) {
        return;
    }
    bool changed = false;
    for (const litehtml::element::ptr& anchor : page->document()->root()->select_all("a[href]")) {
        const bool seen = visited().contains(PagePaths::WithoutAnchor(
                              expandUrl(attribute(anchor, "href").trimmed()))) ||
                          visited().contains(expandUrl(attribute(anchor, "href").trimmed()));
        changed |= anchor->set_pseudo_class("visited", seen);
        changed |= anchor->set_pseudo_class("link", !seen);
    }
    if (changed) {
        page->document()->root()->refresh_styles();
        page->document()->root()->parse_styles();
        view_->relayout();
    }
}

int LiteHtmlViewer::verticalPosition() const
{
    THtmlViewer* active = const_cast<LiteHtmlViewer*>(this)->activeViewer();
    return active != this ? active->verticalPosition() : view_->verticalScrollBar()->value();
}

void LiteHtmlViewer::setVerticalPosition(int position)
{
    THtmlViewer* active = activeViewer();
    if (active != this) {
        active->setVerticalPosition(position);
        return;
    }
    view_->verticalScrollBar()->setValue(position);
}

void LiteHtmlViewer::selectAll()
{
    THtmlViewer* active = activeViewer();
    if (active != this) {
        active->selectAll();
        return;
    }
    view_->setSelection(view_->text().all());
}

void LiteHtmlViewer::copySelection()
{
    THtmlViewer* active = activeViewer();
    if (active != this) {
        active->copySelection();
        return;
    }
    const QString text = selectedText();
    if (text.isEmpty()) {
        return;
    }
    auto* copied = new QMimeData;
    copied->setText(text);
    copied->setHtml(view_->text().html(view_->selection()));
    QApplication::clipboard()->setMimeData(copied);
}

QString LiteHtmlViewer::selectedText() const
{
    THtmlViewer* active = const_cast<LiteHtmlViewer*>(this)->activeViewer();
    if (active != this) {
        return active->selectedText();
    }
    return view_->text().text(view_->selection());
}

bool LiteHtmlViewer::findNext(const QString& text, bool caseSensitive)
{
    THtmlViewer* active = activeViewer();
    if (active != this) {
        return active->findNext(text, caseSensitive);
    }
    const PageText::Range found = view_->text().find(text, caseSensitive, view_->findStart());
    if (found.isEmpty()) {
        return false;
    }
    view_->setSelection(found);
    view_->scrollToRange(found);
    return true;
}

void LiteHtmlViewer::moveSelectionToStart()
{
    THtmlViewer* active = activeViewer();
    if (active != this) {
        active->moveSelectionToStart();
        return;
    }
    view_->moveToStart();
}

// On a frameset page, the object of the frame under the point; on a page,
// a picture, a piece of text, or nothing (margins and empty room).
ViewerObject LiteHtmlViewer::objectAt(QPoint point) const
{
    ViewerObject object;
    if (frameset_) {
        for (const QPointer<LiteHtmlViewer>& frame : frames_) {
            if (frame && !frame->isHidden() &&
                frame->rect().contains(frame->mapFrom(this, point))) {
                return frame->objectAt(frame->mapFrom(this, point));
            }
        }
        return object;
    }
    const QPoint viewportPoint = view_->viewport()->mapFrom(this, point);
    const litehtml::element::ptr element = view_->elementAt(viewportPoint);
    if (!element || !view_->viewport()->rect().contains(viewportPoint)) {
        return object;
    }
    object.id = quint64(reinterpret_cast<quintptr>(element.get()));
    const litehtml::element::ptr image = ancestorNamed(element, "img");
    if (image) {
        object.kind = ViewerObject::Image;
        object.imageSource = attribute(image, "src");
        const QString title = attribute(image, "title");
        object.hint = title.isEmpty() ? attribute(image, "alt") : title;
    } else if (view_->textAt(viewportPoint)) {
        object.kind = ViewerObject::Text;
    }
    const litehtml::element::ptr anchor = view_->linkAt(viewportPoint);
    if (anchor) {
        object.linkUrl = attribute(anchor, "href").trimmed();
        object.linkTarget = targetOf(anchor);
    }
    return object;
}
