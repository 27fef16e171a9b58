#include "engine/DocumentBrowser.h"
#include "engine/DocumentGeometry.h"
#include "engine/HtmlResources.h"
#include "engine/TextBrowserViewer.h"

#include <QAbstractTextDocumentLayout>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>

// Position, selection, find and the object under a point. On a frameset
// page they act on the frame the user worked in last.

int TextBrowserViewer::verticalPosition() const
{
    THtmlViewer* active = const_cast<TextBrowserViewer*>(this)->activeViewer();
    return active != this ? active->verticalPosition() : browser_->verticalScrollBar()->value();
}

void TextBrowserViewer::setVerticalPosition(int position)
{
    THtmlViewer* active = activeViewer();
    if (active != this) {
        active->setVerticalPosition(position);
        return;
    }
    browser_->verticalScrollBar()->setValue(position);
}

void TextBrowserViewer::selectAll()
{
    THtmlViewer* active = activeViewer();
    if (active != this) {
        active->selectAll();
        return;
    }
    browser_->selectAll();
    freshPage_ = false;
}

void TextBrowserViewer::copySelection()
{
    THtmlViewer* active = activeViewer();
    if (active != this) {
        active->copySelection();
        return;
    }
    if (!freshPage_) {
        browser_->copy();
    }
}

QString TextBrowserViewer::selectedText() const
{
    THtmlViewer* active = const_cast<TextBrowserViewer*>(this)->activeViewer();
    if (active != this) {
        return active->selectedText();
    }
    if (freshPage_) {
        return QString();
    }
    return browser_->textCursor().selectedText().replace(QChar::ParagraphSeparator,
                                                         QLatin1Char('\n'));
}

bool TextBrowserViewer::findNext(const QString& text, bool caseSensitive)
{
    THtmlViewer* active = activeViewer();
    if (active != this) {
        return active->findNext(text, caseSensitive);
    }
    if (text.isEmpty() || !hasDocument()) {
        return false;
    }
    const QTextDocument::FindFlags flags =
        caseSensitive ? QTextDocument::FindCaseSensitively : QTextDocument::FindFlags();
    QTextDocument* document = browser_->document();
    const QTextCursor from = freshPage_ ? QTextCursor(document) : browser_->textCursor();
    const QTextCursor found = document->find(text, from, flags);
    if (found.isNull()) {
        return false;
    }
    browser_->setTextCursor(found);
    browser_->ensureCursorVisible();
    freshPage_ = false;
    return true;
}

void TextBrowserViewer::moveSelectionToStart()
{
    THtmlViewer* active = activeViewer();
    if (active != this) {
        active->moveSelectionToStart();
        return;
    }
    browser_->setTextCursor(QTextCursor(browser_->document()));
    freshPage_ = false;
}

ViewerObject TextBrowserViewer::objectAt(QPoint point) const
{
    for (const QPointer<TextBrowserViewer>& frame : frames_) {
        if (frame && frame->isVisible() && frame->rect().contains(frame->mapFrom(this, point))) {
            return frame->objectAt(frame->mapFrom(this, point));
        }
    }
    const QPoint inViewport = browser_->viewport()->mapFrom(this, point);
    if (!hasDocument() || !frames_.isEmpty() ||
        !browser_->viewport()->rect().contains(inViewport)) {
        return ViewerObject();
    }
    const QTextDocument& document = *browser_->document();
    const QPointF inDocument = browser_->toDocument(inViewport);
    const int position = document.documentLayout()->hitTest(inDocument, Qt::ExactHit);
    if (position < 0) {
        return ViewerObject();
    }
    ViewerObject object;
    object.kind = ViewerObject::Text;
    int at = position;
    for (const int candidate : {position, position - 1}) {
        if (candidate >= 0 &&
            DocumentGeometry::InlineObjectRect(document, candidate).contains(inDocument)) {
            object.kind = ViewerObject::Image;
            at = candidate;
            break;
        }
    }
    const QTextCharFormat format = DocumentGeometry::FormatAt(document, at);
    object.id = (generation_ << 32) | quint64(at);
    if (object.isImage()) {
        const int serial = HtmlResources::SerialOfToken(QUrl(format.toImageFormat().name()));
        if (serial >= 0 && serial < page_.images.size()) {
            object.imageSource = page_.images.at(serial).src;
            object.hint = page_.images.at(serial).hint;
        }
    }
    const int anchor = anchorAt(at, PreparedPage::TokenIndex(format.anchorHref(), u"lnk"));
    if (anchor >= 0) {
        object.linkUrl = page_.anchors.at(anchor).href;
        object.linkTarget = page_.anchors.at(anchor).target;
    }
    return object;
}
