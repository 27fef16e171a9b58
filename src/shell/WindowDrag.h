#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// Dragging the borderless window by an empty spot of its face: the window
// manager's move loop where there is one; otherwise (no window manager, as
// under Xvfb) the window follows the mouse by itself, kept on a screen.
class TWindowDrag {
public:
    explicit TWindowDrag(QWidget* window);

    // Starts at the mouse's global position.
    void Start(QPoint globalPos);
    // While the window follows the mouse by itself: moves it; true when dragging.
    bool Follow(QPoint globalPos);
    void End();
    bool Dragging() const { return dragging_; }

    // The top-left corner for a window of that size dragged to wanted, moved so
    // that at least a grip of it stays on the available area of the screen.
    static QPoint KeepOnScreen(QPoint wanted, QSize size, const QRect& available);

private:
    QWidget* window_;
    QPoint pressGlobal_;
    QPoint startPos_;
    bool dragging_ = false;
};
