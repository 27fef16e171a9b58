#pragma once

#include "components/MediaComponents.h"
#include "media/MPlayer.h"

#include <QImage>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <functional>
#include <memory>

// What the program entry hands the 3-D view.
struct TMyAviPlayerContext {
    // A picture of the resource container; null when missing.
    std::function<QImage(const QString& name)> ReadPicture;
    // The main window's background bitmap, which the view draws into.
    std::function<QImage*()> Background;
    // How long the view waits for the device to halt before it goes on.
    int HaltLimitMs = 1000;
};

// The 3-D view: a clip looping in a fixed area of the start screen over its
// own background picture. A click on the running clip holds its frame, a
// second one lets it run on; leaving the screen holds it and the held frame
// is drawn into the next background; "2d" pauses it and gives the area its
// 2-D picture back. Waits for the device to halt are bounded.
class TMyAviPlayer final : public QObject, public IVideoPlayer {
    Q_OBJECT
public:
    static constexpr int kSecondLookMs = 100;
    static constexpr int kPollMs = 10;

    explicit TMyAviPlayer(TMyAviPlayerContext context);
    ~TMyAviPlayer() override;

    void Prepare(QWidget* parent, QWidget* display, const QRect& area,
                 const QString& file) override;
    void Set3DMode(bool on) override;
    bool IsOpen() const override;
    bool Mode3D() const override { return mode3D_; }
    bool IsHalted() const override;
    void Freeze() override;
    void PaintFrozenFrame(QImage& background) override;
    void ResumeUnlessUserPaused() override;
    bool AreaContains(QPoint point) const override;
    bool HandleClick(QPoint point) override;
    void ResumeFrozen();
    void ReleasePlayer();

    bool Frozen() const { return frozen_; }
    bool UserPaused() const { return userPaused_; }
    TMPlayer* Player() const { return player_.get(); }
    const QImage& Background3D() const { return background3D_; }

private:
    void Replay();
    bool Halted() const;
    void WaitUntilHalted();
    QImage WindowPicture() const;
    void DrawIntoBackground(const QImage& picture);

    TMyAviPlayerContext context_;
    std::unique_ptr<TMPlayer> player_;
    QPointer<QWidget> parent_;
    QPointer<QWidget> display_;
    QRect area_;
    QImage background2D_;
    QImage background3D_;
    QImage frozenFrame_;
    bool mode3D_ = false;
    bool frozen_ = true;
    bool userPaused_ = false;
};
