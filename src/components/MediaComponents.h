#pragma once

#include <QPoint>
#include <QRect>
#include <QString>

class QImage;
class QWidget;

// What the shell needs of the media components; each may be absent.

// The clip player with the clip areas of the screens.
class IClipPlayer {
public:
    virtual ~IClipPlayer() = default;
    virtual void ShowScreenAreas() = 0;
    // kind 0 replays, 3 plays a sound file, 4 plays a clip with its page.
    virtual void PlayClip(const QString& file, const QString& page, int kind) = 0;
    virtual void Stop() = 0;
    virtual void SetNotify(bool notify) = 0;
    virtual void PauseOrResume() = 0;
    virtual void StepForward() = 0;
    virtual void StepBack() = 0;
    virtual void Close() = 0;
};

class ISlideShow {
public:
    virtual ~ISlideShow() = default;
    virtual void ShowScreenPictures() = 0;
    virtual void NextPicture() = 0;
    virtual void PreviousPicture() = 0;
    // The options dialog switches the timer and sets its interval.
    virtual void SetTimerRunning(bool /*running*/) {}
    virtual void SetInterval(int /*seconds*/) {}
};

// The 3-D clip of the start screen, created by the first "3d" command.
class IVideoPlayer {
public:
    virtual ~IVideoPlayer() = default;
    virtual void Prepare(QWidget* parent, QWidget* display, const QRect& area,
                         const QString& file) = 0;
    virtual void Set3DMode(bool on) = 0;
    virtual bool IsOpen() const = 0;
    virtual bool Mode3D() const = 0;
    virtual bool IsHalted() const = 0;
    virtual void Freeze() = 0;
    virtual void PaintFrozenFrame(QImage& background) = 0;
    virtual void ResumeUnlessUserPaused() = 0;
    // The point of the main window lies in the clip's area.
    virtual bool AreaContains(QPoint /*point*/) const { return false; }
    // A press in the area holds a running clip or lets a held one run on;
    // false when the press is not the clip's.
    virtual bool HandleClick(QPoint /*point*/) { return false; }
};

// The background music of the main window.
class IBackgroundMusic {
public:
    virtual ~IBackgroundMusic() = default;
    // From the stored song and position.
    virtual void StartMusic() = 0;
    virtual void StopMusic(bool fade) = 0;
};
