#include "effects/EffBtnCar.h"

#include "effects/Blend.h"

#include <QPainter>
#include <QWidget>
#include <algorithm>

TEffBtnCar::TEffBtnCar(QWidget* owner) : QObject(owner), owner_(owner), timer_(this)
{
    timer_.SetInterval(1);
    timer_.SetPriority(QThread::HighestPriority);
    timer_.setOnTimer([this](TSuperTimer*) { tick(); });
}

void TEffBtnCar::SetStep(int step)
{
    step_ = std::max(step, 1);
}

void TEffBtnCar::StartCrossFade(const QImage& from, const QImage& to, QPoint position)
{
    if (from.isNull() || to.isNull()) {
        StopCrossFade();
        return;
    }
    const QRect previous = running_ ? frameRect() : QRect();
    if (running_) {
        const int reached = int(timer_.TickCount()) * step_ + startAlpha_;
        startAlpha_ = std::clamp(255 - reached, 0, 255);
        timer_.SetEnabled(false);
    }
    fromPic_.loadFrom(from);
    toPic_.loadFrom(to, fromPic_.size());
    drawPos_ = position;
    Blend(fromPic_, toPic_, startAlpha_, frame_);
    running_ = true;
    if (owner_ && previous.isValid() && previous != frameRect()) {
        owner_->update(previous);
    }
    timer_.SetEnabled(true);
}

void TEffBtnCar::StopCrossFade()
{
    timer_.SetEnabled(false);
    startAlpha_ = 0;
    if (!running_) {
        return;
    }
    const QRect area = frameRect();
    running_ = false;
    freePictures();
    if (owner_) {
        owner_->update(area);
    }
}

void TEffBtnCar::DrawFrame(QPainter& painter) const
{
    if (running_) {
        frame_.draw(painter, drawPos_);
    }
}

void TEffBtnCar::tick()
{
    if (!timer_.Enabled() || !running_) {
        return;
    }
    if (fromPic_.isNull() || toPic_.isNull()) {
        StopCrossFade();
        return;
    }
    const int alpha = int(timer_.TickCount()) * step_ + startAlpha_;
    if (alpha < 256) {
        showFrame(alpha);
    } else {
        finish();
    }
}

void TEffBtnCar::showFrame(int alpha)
{
    Blend(fromPic_, toPic_, alpha, frame_);
    if (owner_) {
        owner_->update(frameRect());
    }
    emit frameDrawn(alpha);
}

// The closing frame is always drawn at full alpha, however the ticks fell.
void TEffBtnCar::finish()
{
    timer_.SetEnabled(false);
    showFrame(255);
    startAlpha_ = 0;
    running_ = false;
    freePictures();
}

void TEffBtnCar::freePictures()
{
    fromPic_.clear();
    toPic_.clear();
    frame_.clear();
}
