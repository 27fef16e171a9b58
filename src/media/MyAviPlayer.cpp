#include "media/MyAviPlayer.h"

#include <QElapsedTimer>
#include <QPainter>
#include <QThread>
#include <QWidget>

TMyAviPlayer::TMyAviPlayer(TMyAviPlayerContext context) : context_(std::move(context)) {}

TMyAviPlayer::~TMyAviPlayer()
{
    ReleasePlayer();
}

void TMyAviPlayer::Prepare(QWidget* parent, QWidget* display, const QRect& area,
                           const QString& file)
{
    if (!parent || file.trimmed().isEmpty()) {
        return;
    }
    parent_ = parent;
    display_ = display;
    area_ = area;
    background2D_ = WindowPicture();
    const QImage picture =
        context_.ReadPicture ? context_.ReadPicture(QStringLiteral("3d_bg.bmp")) : QImage();
    // Without a picture of its own the area keeps the window's picture.
    background3D_ = picture.isNull() ? background2D_ : picture;
    frozen_ = false;
    if (player_) {
        try {
            player_->Stop();
        } catch (const EMCIDeviceError&) {
        }
    } else {
        player_ = std::make_unique<TMPlayer>(parent);
        player_->SetOnNotify([this](TMPlayer*) { Replay(); });
    }
    player_->SetAutoRewind(true);
    player_->SetDisplay(display);
    player_->SetFileName(file);
    try {
        player_->Open();
        player_->SetDisplayRect(area_);
    } catch (const EMCIDeviceError&) {
    }
}

bool TMyAviPlayer::IsOpen() const
{
    return player_ && player_->IsOpen();
}

bool TMyAviPlayer::Halted() const
{
    if (!IsOpen()) {
        return true;
    }
    const TMPModes mode = player_->Mode();
    return mode == TMPModes::Stopped || mode == TMPModes::Paused;
}

// A clip that seems to run gets a second look a moment later.
bool TMyAviPlayer::IsHalted() const
{
    if (frozen_ || Halted()) {
        return true;
    }
    QThread::msleep(kSecondLookMs);
    return Halted();
}

// Polls the device until it is halted, never longer than the limit.
void TMyAviPlayer::WaitUntilHalted()
{
    QElapsedTimer clock;
    clock.start();
    while (!Halted() && clock.elapsed() < context_.HaltLimitMs) {
        QThread::msleep(kPollMs);
    }
}

void TMyAviPlayer::Replay()
{
    if (mode3D_ && !frozen_ && IsHalted() && IsOpen()) {
        try {
            player_->Play();
        } catch (const EMCIDeviceError&) {
        }
    }
}

void TMyAviPlayer::Set3DMode(bool on)
{
    if (!IsOpen()) {
        mode3D_ = false;
        return;
    }
    try {
        if (!parent_ || !parent_->isVisible()) {
            player_->Stop();
            on = false;
        } else if (mode3D_ && !on) {
            player_->Pause();
            WaitUntilHalted();
            frozen_ = true;
            player_->SetVideoShown(false);
            DrawIntoBackground(background2D_);
        } else if (on) {
            player_->Play();
            frozen_ = false;
            userPaused_ = false;
            DrawIntoBackground(background3D_);
        }
    } catch (const EMCIDeviceError&) {
    }
    mode3D_ = on;
}

void TMyAviPlayer::Freeze()
{
    if (!mode3D_ || !IsOpen()) {
        return;
    }
    if (frozen_ && Halted()) {
        return; // already held: the window no longer shows the clip to take a frame from
    }
    try {
        player_->Pause();
    } catch (const EMCIDeviceError&) {
    }
    WaitUntilHalted();
    frozen_ = true;
    frozenFrame_ = WindowPicture();
    // The held frame stands in the background in the clip's place.
    player_->SetVideoShown(false);
    DrawIntoBackground(frozenFrame_);
}

void TMyAviPlayer::ResumeFrozen()
{
    frozen_ = false;
    Replay();
    DrawIntoBackground(background3D_);
}

void TMyAviPlayer::ResumeUnlessUserPaused()
{
    if (!userPaused_) {
        ResumeFrozen();
    }
}

bool TMyAviPlayer::AreaContains(QPoint point) const
{
    return area_.contains(point);
}

bool TMyAviPlayer::HandleClick(QPoint point)
{
    if (!mode3D_ || !area_.contains(point) || !IsOpen()) {
        return false;
    }
    const bool halted = IsHalted();
    userPaused_ = !halted;
    if (halted) {
        try {
            player_->Play();
        } catch (const EMCIDeviceError&) {
        }
        frozen_ = false;
    } else {
        Freeze();
    }
    return true;
}

void TMyAviPlayer::PaintFrozenFrame(QImage& background)
{
    if (!mode3D_ || frozenFrame_.isNull() || !Halted()) {
        return;
    }
    QPainter painter(&background);
    painter.drawImage(area_.topLeft(), frozenFrame_);
}

void TMyAviPlayer::ReleasePlayer()
{
    if (!player_) {
        return;
    }
    player_->SetOnNotify(nullptr);
    player_->Close();
    player_->SetFileName(QString());
    player_->SetDisplayRect(QRect());
    player_->SetDisplay(nullptr);
    player_.reset();
    mode3D_ = false;
}

// The window's picture at the area, the clip included.
QImage TMyAviPlayer::WindowPicture() const
{
    if (!parent_) {
        return QImage();
    }
    return parent_->grab(area_).toImage().convertToFormat(QImage::Format_RGB32);
}

void TMyAviPlayer::DrawIntoBackground(const QImage& picture)
{
    QImage* background = context_.Background ? context_.Background() : nullptr;
    if (background && !background->isNull() && !picture.isNull()) {
        QPainter painter(background);
        painter.drawImage(area_.topLeft(), picture);
    }
    if (parent_) {
        parent_->update(area_);
    }
}
