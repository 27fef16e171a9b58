#include "DocumentBrowser.h"

#include "HtmlResources.h"

#include <QKeyEvent>
#include <QMouseEvent>

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

void DocumentBrowser::keyPressEvent(QKeyEvent* event)
{
    emit keyDown(event->key(), event->modifiers());
    QTextBrowser::keyPressEvent(event);
}

void DocumentBrowser::mouseMoveEvent(QMouseEvent* event)
{
    emit mouseMoved(event->position().toPoint(), event->buttons(), event->modifiers());
    QTextBrowser::mouseMoveEvent(event);
}

void DocumentBrowser::mousePressEvent(QMouseEvent* event)
{
    emit mousePressed(event->position().toPoint(), event->button(), event->buttons(),
                      event->modifiers());
    QTextBrowser::mousePressEvent(event);
}

void DocumentBrowser::mouseReleaseEvent(QMouseEvent* event)
{
    emit mouseReleased(event->position().toPoint(), event->button(), event->buttons(),
                       event->modifiers());
    QTextBrowser::mouseReleaseEvent(event);
}

void DocumentBrowser::resizeEvent(QResizeEvent* event)
{
    QTextBrowser::resizeEvent(event);
    emit resized();
}
