#pragma once

#include "engine/LiteHtmlFormControls.h"
#include "engine/LiteHtmlPage.h"
#include "engine/PageText.h"

#include <QAbstractScrollArea>
#include <QImage>
#include <memory>

// A scrolled view of one litehtml page: draws the part in view, passes the
// mouse to litehtml (hover styles, link clicks), selects text with the mouse
// (drag, double-click a word, shift-click to extend) and scrolls with the
// keyboard. Reports what the viewer around it needs as signals.
class LiteHtmlView final : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit LiteHtmlView(QWidget* parent = nullptr);
    ~LiteHtmlView() override;

    // Takes the page to show, lays it out for the viewport.
    void setPage(std::unique_ptr<LiteHtmlPage> page);
    LiteHtmlPage* page() const { return page_.get(); }
    void relayout();
    // Drops what was drawn of the page (its look changed) and repaints.
    void invalidate();

    // Whether form fields become real controls (the search viewer makes none).
    void setFormWidgets(bool widgets) { formWidgets_ = widgets; }
    const LiteHtmlFormControls& controls() const { return controls_; }
    const PageText& text() const { return text_; }
    PageText::Range selection() const { return selection_; }
    void setSelection(PageText::Range range);
    // Where a find starts: after the selection, else at the caret a click left.
    qsizetype findStart() const
    {
        return !selection_.isEmpty() ? selection_.end : qMax<qsizetype>(0, anchorCharacter_);
    }
    // No selection, and the caret at the top of the page.
    void moveToStart();
    void scrollToRange(PageText::Range range);
    // The top of the element named by "#name" or with that id; false if none.
    bool scrollToAnchor(const QString& name);
    // The deepest element under a viewport point.
    litehtml::element::ptr elementAt(QPoint viewportPoint) const;
    QPoint toPage(QPoint viewportPoint) const;
    // Whether a word or space of the page lies at a viewport point.
    bool textAt(QPoint viewportPoint) const;
    // The link (an <a>, or an <area> of an image map) at a viewport point.
    litehtml::element::ptr linkAt(QPoint viewportPoint) const;

signals:
    void anchorClicked(const QString& href, const litehtml::element::ptr& element);
    void anchorHovered(const litehtml::element::ptr& anchor); // null: left the link
    void keyDown(int key, Qt::KeyboardModifiers modifiers);
    void mouseMoved(QPoint point, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);
    void mousePressed(QPoint point, Qt::MouseButton button, Qt::MouseButtons buttons,
                      Qt::KeyboardModifiers modifiers);
    void mouseReleased(QPoint point, Qt::MouseButton button, Qt::MouseButtons buttons,
                       Qt::KeyboardModifiers modifiers);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void updateScrollBars();
    void drawAround(const QRect& view);
    void drawStrip(QPainter& painter, const QRect& area, const QRect& strip);
    void paintSelection(QPainter& painter) const;
    void trackHover(QPoint viewportPoint);
    void extendSelection(QPoint viewportPoint);
    bool followSelectedLink();

    static constexpr int kRetiredPageMs = 50;

    std::unique_ptr<LiteHtmlPage> page_;
    std::unique_ptr<LiteHtmlPage> retired_; // the page shown before, until freed
    QImage drawn_;                          // the page around the view
    QPoint drawnAt_;                        // page point of its top-left corner
    PageText text_;
    LiteHtmlFormControls controls_;
    bool formWidgets_ = true;
    PageText::Range selection_;
    qsizetype anchorCharacter_ = -1; // where a mouse selection started
    bool selecting_ = false;
    litehtml::element::ptr hoveredAnchor_;
    QString clickedHref_;
    litehtml::element::ptr clickedAnchor_;
};
