#pragma once

#include <QColor>
#include <QWidget>
#include <functional>

// A plain coloured child window of the main window in which the clip player shows a video.
// It takes no focus; mouse moves over it end the hover states of the window's buttons.
class TColorWinControl : public QWidget {
public:
    TColorWinControl(QWidget* parent, const QColor& color, std::function<void()> mouseMoved);

    QColor Color() const;

protected:
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    std::function<void()> mouseMoved_;
};
