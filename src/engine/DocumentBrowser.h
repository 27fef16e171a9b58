#pragma once

#include <QTextBrowser>
#include <memory>

class HtmlResources;

// The text view of one viewer: a QTextBrowser whose every resource comes
// from the viewer's HtmlResources and whose input events are reported to the
// viewer before the browser handles them. It never navigates by itself.
class DocumentBrowser : public QTextBrowser {
    Q_OBJECT
public:
    DocumentBrowser(std::shared_ptr<HtmlResources> resources, QWidget* parent);

    QVariant loadResource(int type, const QUrl& name) override;

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
};
