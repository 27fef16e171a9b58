#pragma once

#include "effects/FastBitmap.h"
#include "effects/SuperTimer.h"

#include <QObject>
#include <QPointer>

class QPainter;
class QWidget;

// The window fade-in: the owner's own look (Face) is blended in over what the screen showed
// under it (Backdrop) in 51 steps of 5 alpha, one per tick of a 1 ms timer, and a closing frame
// at 255. While Running the owner's paint handler draws only Frame (through DrawFrame) and the
// owner ignores the mouse.
class TEffCar : public QObject {
    Q_OBJECT
public:
    static constexpr int AlphaPerTick = 5;

    explicit TEffCar(QWidget* owner);

    // Grabs the screen area under the owner and the owner's normal look and starts the fade.
    // Call it as the owner is shown. Where the screen cannot be read the backdrop is black. A
    // fade still running restarts with the backdrop it has. An owner of empty size starts nothing.
    void StartFadeIn();
    // Draws Frame at (0, 0); nothing when no fade runs.
    void DrawFrame(QPainter& painter) const;

    bool Running() const { return running_; }
    const TFastBitmap& Backdrop() const { return backdrop_; }
    const TFastBitmap& Face() const { return face_; }
    const TFastBitmap& Frame() const { return frame_; }

    bool isRunning() const { return Running(); }
    void drawFrame(QPainter& painter) const { DrawFrame(painter); }

    TSuperTimer& Timer() { return timer_; }

signals:
    // The fade has started: a dialog hides its search fields now.
    void fadeStarted();
    // The last frame is drawn and Running is false: the search fields come back, focused.
    void fadeFinished();
    // A frame of the given alpha was blended and the owner asked to repaint.
    void frameDrawn(int alpha);

private:
    void grabBackdrop(QSize size);
    void grabFace(QSize size);
    void tick();
    void showFrame(int alpha);
    void finish();

    QPointer<QWidget> owner_;
    TSuperTimer timer_;
    TFastBitmap backdrop_;
    TFastBitmap face_;
    TFastBitmap frame_;
    bool running_ = false;
};
