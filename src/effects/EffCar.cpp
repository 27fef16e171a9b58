#include "effects/EffCar.h"

#include "effects/Blend.h"

#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QWidget>

TEffCar::TEffCar(QWidget* owner) : QObject(owner), owner_(owner), timer_(this)
{
    timer_.SetInterval(1);
    timer_.SetPriority(QThread::HighestPriority);
    timer_.setOnTimer([this](TSuperTimer*) { tick(); });
}

void TEffCar::StartFadeIn()
{
    if (!owner_ || owner_->size().isEmpty()) {
        return;
    }
    const QSize size = owner_->size();
    const bool keepBackdrop = running_ && backdrop_.size() == size;
    timer_.SetEnabled(false);
    running_ = false;
    if (!keepBackdrop) {
        grabBackdrop(size);
    }
    frame_ = backdrop_;
    grabFace(size);
    running_ = true;
    emit fadeStarted();
    owner_->update();
    timer_.SetEnabled(true);
}

void TEffCar::DrawFrame(QPainter& painter) const
{
    if (running_) {
        frame_.draw(painter, QPoint(0, 0));
    }
}

// Screen coordinates of window 0 are relative to the screen the owner is on.
void TEffCar::grabBackdrop(QSize size)
{
    QImage shot;
    if (QScreen* screen = owner_->screen()) {
        const QPoint at = owner_->mapToGlobal(QPoint(0, 0)) - screen->geometry().topLeft();
        shot = screen->grabWindow(0, at.x(), at.y(), size.width(), size.height()).toImage();
    }
    backdrop_.loadFrom(shot, size);
}

// The owner renders itself with Running false, so its paint handler shows its normal look.
void TEffCar::grabFace(QSize size)
{
    face_.loadFrom(owner_->grab().toImage(), size);
}

void TEffCar::tick()
{
    if (!timer_.Enabled() || !running_) {
        return;
    }
    const int alpha = int(timer_.TickCount()) * AlphaPerTick;
    if (alpha <= 255) {
        showFrame(alpha);
    } else {
        finish();
    }
}

void TEffCar::showFrame(int alpha)
{
    Blend(backdrop_, face_, alpha, frame_);
    if (owner_) {
        owner_->update();
    }
    emit frameDrawn(alpha);
}

// Ticks are counted, not timed, so a fade whose ticks came late still ends on the full face.
void TEffCar::finish()
{
    timer_.SetEnabled(false);
    showFrame(255);
    running_ = false;
    backdrop_.clear();
    face_.clear();
    frame_.clear();
    emit fadeFinished();
}
