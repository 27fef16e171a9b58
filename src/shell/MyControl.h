#pragma once

#include <QPoint>
#include <QWidget>
#include <Qt>

// Receives the mouse events of the hover controls in window coordinates. A
// window that follows the mouse by itself while dragged takes the events'
// screen positions first.
class TMouseForwardTarget {
public:
    virtual ~TMouseForwardTarget() = default;
    // Screen position of a press, where a drag would start from.
    virtual void NotePressPosition(QPoint) {}
    // True when the window is being dragged and has followed the mouse.
    virtual bool FollowWindowDrag(QPoint) { return false; }
    // True when a drag ended with this release.
    virtual bool EndWindowDrag() { return false; }
    virtual void FormMouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers shift,
                               QPoint point) = 0;
    virtual void FormMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift,
                               QPoint point) = 0;
    virtual void FormMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint point) = 0;
};

// The invisible control over an element: it carries the element's hint and
// passes its mouse events on to the window, with the control's left and top
// added to the coordinates. It draws nothing; the window shows through.
class TMyControl : public QWidget {
    Q_OBJECT
public:
    TMyControl(QWidget* window, TMouseForwardTarget& target);

    // Bounds (left, top, right - left, bottom - top) and hint of the element.
    void Place(const QRect& bounds, const QString& hint);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QPoint toWindow(const QMouseEvent* event) const;

    TMouseForwardTarget& target_;
};
