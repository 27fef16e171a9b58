#pragma once

#include "effects/FastBitmap.h"
#include "effects/SuperTimer.h"

#include <QObject>
#include <QPointer>

class QPainter;
class QWidget;

// The picture cross-fade of a button or switch: when the element changes its picture, the old
// picture is blended into the new one in place, by Step of alpha per tick of a 1 ms timer.
// The fade only keeps the blended Frame and asks the owner to repaint the element's rectangle;
// the owner's paint handler, after its own painting, calls DrawFrame while Running.
class TEffBtnCar : public QObject {
    Q_OBJECT
public:
    explicit TEffBtnCar(QWidget* owner);

    // Fades from the old picture to the new one with the element's top-left corner at position
    // (owner coordinates). A fade still running is reversed: the new one starts from the mirror
    // of the alpha the old one had reached. The new picture is fitted to the old one's size.
    // A null picture starts nothing and ends a running fade.
    void StartCrossFade(const QImage& from, const QImage& to, QPoint position);
    // Ends the fade where it stands; the element shows what its owner paints next.
    void StopCrossFade();

    bool Running() const { return running_; }
    // Alpha added per tick: 1 by default, never below 1.
    int Step() const { return step_; }
    void SetStep(int step);
    int StartAlpha() const { return startAlpha_; }
    QPoint DrawPos() const { return drawPos_; }
    const TFastBitmap& Frame() const { return frame_; }
    // Draws Frame at DrawPos; nothing when no fade runs.
    void DrawFrame(QPainter& painter) const;

    // The same, under the names the owners' paint handlers use.
    bool isRunning() const { return Running(); }
    void drawFrame(QPainter& painter) const { DrawFrame(painter); }
    const TFastBitmap& frame() const { return Frame(); }
    QPoint drawPos() const { return DrawPos(); }

    TSuperTimer& Timer() { return timer_; }

signals:
    // A frame of the given alpha was blended and the owner asked to repaint it.
    void frameDrawn(int alpha);

private:
    void tick();
    void showFrame(int alpha);
    void finish();
    void freePictures();
    QRect frameRect() const { return QRect(drawPos_, frame_.size()); }

    QPointer<QWidget> owner_;
    TSuperTimer timer_;
    TFastBitmap fromPic_;
    TFastBitmap toPic_;
    TFastBitmap frame_;
    QPoint drawPos_;
    int step_ = 1;
    int startAlpha_ = 0;
    bool running_ = false;
};
