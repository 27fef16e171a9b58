#pragma once

#include <QWidget>
#include <functional>

// A white sheet of the preview: draws the picture of one page scaled to its
// own size and hands its mouse events to the preview window.
class TPageView : public QWidget {
    Q_OBJECT
public:
    // The picture of the page shown at a resolution; null when there is none.
    using PagePicture = std::function<QImage(double dotsPerInch)>;

    explicit TPageView(QWidget* parent = nullptr);

    void SetPicture(PagePicture picture);
    // Resolution the sheet is drawn at: its width in pixels per paper inch.
    void SetPaperWidth(double inches) { paperWidth_ = inches; }

signals:
    // point: in the sheet; global: on the screen.
    void pressed(TPageView* view, QPoint point, QPoint global, Qt::MouseButton button);
    void moved(TPageView* view, QPoint global, Qt::MouseButtons buttons);
    void released(TPageView* view, Qt::MouseButton button);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    PagePicture picture_;
    double paperWidth_ = 0;
};
