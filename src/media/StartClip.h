#pragma once

#include "media/MPlayer.h"

#include <QRect>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <functional>

// What the program entry hands the intro clip.
struct TStartClipContext {
    QString ClipFile;      // the program's folder and the clip's name
    bool Backdrop = false; // the clip is centred on a black window covering the screen
    // The MPEG video driver of the disc, for a clip the first open cannot play.
    std::function<void()> InstallMpegDriver;
    // The main window's after-start actions; run once, when the clip ends however it ends.
    std::function<void()> AfterStart;
    // Told once, when the first picture of the clip is drawn in the shown form.
    std::function<void()> FirstFrameShown;
};

// The intro clip: a borderless, always-on-top navy form captioned "StartClip"
// that plays the clip once, centred on a black full-screen window or in a
// small window with a raised bevel, and then hands over to the main window.
// A clip that cannot be opened or played ends at once; Esc ends it early.
class TStartClip final : public QWidget {
    Q_OBJECT
public:
    static constexpr int kSetupMs = 10;
    static constexpr int kPlayWatchMs = 500;
    static constexpr int kEndWatchMs = 100;
    static constexpr int kMaxRetries = 10;
    // Until the first play watch, the clip is looked at this often, so that
    // the window shows as soon as the clip plays.
    static constexpr int kFirstLookMs = 15;
    static constexpr int kBevel = 10;

    explicit TStartClip(TStartClipContext context, QWidget* parent = nullptr);
    ~TStartClip() override;

    // Closes the form and runs the after-start actions, once.
    void FinishClip();
    bool Finished() const { return finished_; }
    TMPlayer& Player() { return player_; }
    int StartRetries() const { return startRetries_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void SetUpClip();
    bool OpenClip();
    void LayOut();
    void WatchPlay();
    void LookForPlaying();
    void WatchEnd();
    void EndEarly();
    void NoteFramePainted();

    TStartClipContext context_;
    TMPlayer player_;
    QTimer setupTimer_;
    QTimer playWatchTimer_;
    QTimer firstLookTimer_;
    QTimer endWatchTimer_;
    int startRetries_ = 0;
    bool finished_ = false;
    bool frameShown_ = false;
};
