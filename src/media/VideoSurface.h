#pragma once

#include <QWidget>

class MediaDevice;

// The picture of a media device inside its display window: a child widget at the display
// rectangle that draws the newest decoded frame stretched over itself, black before the first
// one. The mouse goes through it to the display window.
class TVideoSurface : public QWidget {
    Q_OBJECT
public:
    TVideoSurface(QWidget* display, MediaDevice& device);

signals:
    // A decoded frame was drawn.
    void framePainted();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    MediaDevice& device_;
};
