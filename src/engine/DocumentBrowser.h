#pragma once

#include <QTextBrowser>
#include <memory>
#include <optional>

class HtmlResources;

// The text view of one viewer: a QTextBrowser whose every resource comes
// from the viewer's HtmlResources and whose input events are reported to the
// viewer before the browser handles them. It never navigates by itself.
class DocumentBrowser : public QTextBrowser {
    Q_OBJECT
public:
    DocumentBrowser(std::shared_ptr<HtmlResources> resources, QWidget* parent);

    QVariant loadResource(int type, const QUrl& name) override;

    QPointF toDocument(QPointF viewportPoint) const;
    // Document position of the character under a viewport point, -1 for none.
    int positionAt(QPointF viewportPoint) const;
    // Where the link the browser reports right now lies: under the pointer
    // while it handles a mouse event, else at the text cursor (links reached
    // with the keyboard: its selection, else the character before it).
    int reportedPosition() const;

signals:
    void keyDown(int key, Qt::KeyboardModifiers modifiers);
    // Points in viewport coordinates.
    void mouseMoved(QPoint point, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);
    void mousePressed(QPoint point, Qt::MouseButton button, Qt::MouseButtons buttons,
                      Qt::KeyboardModifiers modifiers);
    void mouseReleased(QPoint point, Qt::MouseButton button, Qt::MouseButtons buttons,
                       Qt::KeyboardModifiers modifiers);
    void resized();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    std::shared_ptr<HtmlResources> resources_;
    std::optional<QPointF> pointer_; // while a mouse event is handled
};
