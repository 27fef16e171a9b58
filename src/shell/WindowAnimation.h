#pragma once

#include "effects/SuperTimer.h"

#include <QObject>
#include <QPointer>
#include <QRegion>

class QWidget;

// The opening and closing animations of the skinned window, one region per tick
// of a precise timer (1 ms opening, 2 ms closing). Every region is cut to the
// window's polygon when the interface gives one, so the shape survives the
// animations. The region in force is Region(); the window's mask follows it.
class TWindowAnimation : public QObject {
    Q_OBJECT
public:
    explicit TWindowAnimation(QWidget* window);

    // The polygon of the interface description; an empty region means none.
    void SetPolygon(const QRegion& polygon);
    const QRegion& Polygon() const { return polygon_; }
    // Applies the polygon as the window region (while the window is hidden).
    void ApplyPolygon();

    // Empty region, show the window, then the growing ellipse.
    void StartOpening();
    // Collapse from the insets 0, 0; finished() with closing true at the end.
    void StartClosing();

    bool Running() const { return timer_.Enabled(); }
    bool Opening() const { return Running() && !closing_; }
    bool Closing() const { return Running() && closing_; }
    int AnimLeft() const { return animLeft_; }
    int AnimTop() const { return animTop_; }
    // The region in force; empty shows nothing of the window.
    const QRegion& Region() const { return region_; }

    // One tick; the timer's ticks land here and tests call it directly.
    void Tick();
    TSuperTimer& Timer() { return timer_; }

signals:
    void regionChanged(const QRegion& region);
    // The last step of an animation has run.
    void finished(bool closing);

private:
    void apply(const QRegion& region);
    void start(bool closing, quint16 interval);

    QPointer<QWidget> window_;
    TSuperTimer timer_;
    QRegion polygon_;
    QRegion region_;
    int animLeft_ = 0;
    int animTop_ = 0;
    bool closing_ = false;
};
