#include "content/HtmlFrame.h"
#include "content/ImageHint.h"
#include "engine/HtmlViewer.h"

// Keys and the mouse in the viewers.

void THtmlFrame::KeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    const Qt::KeyboardModifiers keys = modifiers & ~Qt::KeypadModifier;
    if (keys == Qt::ControlModifier && (key == Qt::Key_Insert || key == Qt::Key_C)) {
        if (THtmlViewer* viewer = CurrentViewer()) {
            viewer->copySelection();
        }
    } else if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        CallHook(context_.Hooks.PassEnterToFindFields);
    }
}

// Hover states of the window's buttons end once the mouse is over a page.
void THtmlFrame::MouseMoved(THtmlViewer& viewer, QPoint point)
{
    if (viewer.hasDocument()) {
        hint_->MouseMoved(viewer.objectAt(point));
    }
    CallHook(context_.Hooks.EndButtonHover);
}

// A press closes the popups; the right button alone opens the page's menu.
void THtmlFrame::MousePressed(THtmlViewer& viewer, QPoint point, Qt::MouseButtons buttons,
                              Qt::KeyboardModifiers modifiers)
{
    IPopupController* popups = context_.Popups();
    if (!popups) {
        return;
    }
    popups->HideAllPopups();
    if (buttons == Qt::RightButton && modifiers == Qt::NoModifier) {
        popups->ShowPopup(PopupContextHtml, viewer.mapToGlobal(point));
    }
}

ViewerObject THtmlFrame::ObjectUnderCursor() const
{
    const THtmlViewer* viewer = CurrentViewer();
    if (!viewer || viewer->isHidden()) {
        return ViewerObject();
    }
    return viewer->objectAt(viewer->mapFromGlobal(cursorProbe_()));
}
