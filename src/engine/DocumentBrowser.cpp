#include "engine/DocumentBrowser.h"

#include "engine/HtmlResources.h"

#include <QAbstractTextDocumentLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScopeGuard>
#include <QScrollBar>

DocumentBrowser::DocumentBrowser(std::shared_ptr<HtmlResources> resources, QWidget* parent)
    : QTextBrowser(parent), resources_(std::move(resources))
{
    setOpenLinks(false);
    setOpenExternalLinks(false);
    setFrameShape(QFrame::NoFrame);
    setUndoRedoEnabled(false);
}

QVariant DocumentBrowser::loadResource(int type, const QUrl& name)
{
    return resources_->resource(type, name);
}

QPointF DocumentBrowser::toDocument(QPointF viewportPoint) const
{
    return viewportPoint + QPointF(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

int DocumentBrowser::positionAt(QPointF viewportPoint) const
{
    return document()->documentLayout()->hitTest(toDocument(viewportPoint), Qt::ExactHit);
}

int DocumentBrowser::reportedPosition() const
{
    if (pointer_) {
        return positionAt(*pointer_);
    }
    const QTextCursor cursor = textCursor();
    return cursor.hasSelection() ? cursor.selectionStart() : cursor.position();
}

void DocumentBrowser::keyPressEvent(QKeyEvent* event)
{
    emit keyDown(event->key(), event->modifiers());
    QTextBrowser::keyPressEvent(event);
}

void DocumentBrowser::mouseMoveEvent(QMouseEvent* event)
{
    emit mouseMoved(event->position().toPoint(), event->buttons(), event->modifiers());
    pointer_ = event->position();
    const auto done = qScopeGuard([this] { pointer_.reset(); });
    QTextBrowser::mouseMoveEvent(event);
}

void DocumentBrowser::mousePressEvent(QMouseEvent* event)
{
    emit mousePressed(event->position().toPoint(), event->button(), event->buttons(),
                      event->modifiers());
    pointer_ = event->position();
    const auto done = qScopeGuard([this] { pointer_.reset(); });
    QTextBrowser::mousePressEvent(event);
}

void DocumentBrowser::mouseReleaseEvent(QMouseEvent* event)
{
    emit mouseReleased(event->position().toPoint(), event->button(), event->buttons(),
                       event->modifiers());
    pointer_ = event->position();
    const auto done = qScopeGuard([this] { pointer_.reset(); });
    QTextBrowser::mouseReleaseEvent(event);
}

void DocumentBrowser::resizeEvent(QResizeEvent* event)
{
    QTextBrowser::resizeEvent(event);
    emit resized();
}
