#include "shell/WindowAnimation.h"

#include "shell/WindowShape.h"

#include <QWidget>

namespace {

// A region with nothing inside the window. An empty region would mean "no
// mask" to the toolkit, that is the whole window.
QRegion nothingOfTheWindow()
{
    return QRegion(-2, -2, 1, 1);
}

} // namespace

TWindowAnimation::TWindowAnimation(QWidget* window) : QObject(window), window_(window), timer_(this)
{
    timer_.SetPrecise(true);
    timer_.setOnTimer([this](TSuperTimer*) { Tick(); });
}

void TWindowAnimation::SetPolygon(const QRegion& polygon)
{
    polygon_ = polygon;
}

void TWindowAnimation::ApplyPolygon()
{
    if (!polygon_.isEmpty()) {
        apply(polygon_);
    }
}

void TWindowAnimation::StartOpening()
{
    apply(QRegion());
    if (window_) {
        window_->show();
    }
    animLeft_ = window_ ? window_->width() / 2 : 0;
    animTop_ = window_ ? window_->height() / 2 : 0;
    start(false, 1);
}

void TWindowAnimation::StartClosing()
{
    animLeft_ = 0;
    animTop_ = 0;
    start(true, 2);
}

void TWindowAnimation::start(bool closing, quint16 interval)
{
    closing_ = closing;
    timer_.SetInterval(interval);
    timer_.SetEnabled(true);
}

void TWindowAnimation::Tick()
{
    if (!window_) {
        timer_.SetEnabled(false);
        return;
    }
    const QSize size = window_->size();
    const auto region = closing_ ? ClosingAnimationStep(size, animLeft_, animTop_)
                                 : OpeningAnimationStep(size, animLeft_, animTop_);
    if (region) {
        apply(polygon_.isEmpty() ? *region : *region & polygon_);
        return;
    }
    timer_.SetEnabled(false);
    emit finished(closing_);
}

void TWindowAnimation::apply(const QRegion& region)
{
    region_ = region;
    if (window_) {
        window_->setMask(region.isEmpty() ? nothingOfTheWindow() : region);
        window_->update();
    }
    emit regionChanged(region_);
}
