#include "media/VolumeFade.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

quint16 channel(int level)
{
    return quint16(std::clamp(level, 0, 0xFFFF));
}

// A timer thread that fell this many ticks behind starts its grid anew instead of catching up.
constexpr int maxLagTicks = 10;

} // namespace

TVolumeFade::TVolumeFade(IOutputVolume& volume, TPeriod tickPeriod)
    : volume_(volume), period_(std::max(tickPeriod, TPeriod(1)))
{
}

TVolumeFade::~TVolumeFade()
{
    Cancel();
}

int TVolumeFade::StepFor(int level)
{
    if (level <= 100) {
        return 3;
    }
    if (level <= 4000) {
        return 7;
    }
    if (level <= 8000) {
        return 15;
    }
    return level <= 32000 ? 25 : 50;
}

int TVolumeFade::QuietLevel(int level, float ratio)
{
    const double whole = std::floor(ratio);
    const double fraction = double(ratio) - whole;
    double rounded = fraction > 0.5 ? whole + 1 : whole;
    if (fraction == 0.5 && std::fmod(whole, 2.0) != 0) {
        rounded = whole + 1;
    }
    const int divisor = std::max(1, int(rounded));
    return level / divisor;
}

bool TVolumeFade::Start(TDirection direction)
{
    if (!volume_.SupportsVolume()) {
        return false;
    }
    std::optional<StereoVolume> keptSaved;
    std::optional<int> keptLevel;
    {
        std::lock_guard lock(mutex_);
        if (running_) {
            keptSaved = saved_;
            keptLevel = level_;
        }
    }
    Cancel();
    StereoVolume saved = keptSaved.value_or(volume_.Volume());
    saved.left = std::max<quint16>(saved.left, 1);
    saved.right = std::max<quint16>(saved.right, 1);
    const int larger = std::max(saved.left, saved.right);
    const int smaller = std::min(saved.left, saved.right);

    const bool fromSilence = direction == TDirection::In && !keptLevel;
    if (fromSilence) {
        // Silent before anything plays: the first tick would come too late for
        // a song that is already sounding.
        volume_.SetVolume({0, 0});
    }
    std::lock_guard lock(mutex_);
    saved_ = saved;
    target_ = larger;
    ratio_ = float(larger) / float(smaller);
    level_ = keptLevel.value_or(direction == TDirection::In ? 0 : larger);
    direction_ = direction;
    fadedOut_ = false;
    stopRequested_ = false;
    running_ = true;
    thread_ = std::thread(&TVolumeFade::Run, this);
    return true;
}

void TVolumeFade::Cancel()
{
    {
        std::lock_guard lock(mutex_);
        stopRequested_ = true;
    }
    changed_.notify_all();
    if (thread_.joinable()) {
        thread_.join();
    }
    std::lock_guard lock(mutex_);
    running_ = false;
}

bool TVolumeFade::Running() const
{
    std::lock_guard lock(mutex_);
    return running_;
}

bool TVolumeFade::WaitFadedOut(std::chrono::milliseconds timeout)
{
    std::unique_lock lock(mutex_);
    if (!changed_.wait_for(lock, timeout, [this] { return fadedOut_; })) {
        return false;
    }
    fadedOut_ = false;
    return true;
}

StereoVolume TVolumeFade::SavedVolume() const
{
    std::lock_guard lock(mutex_);
    return saved_;
}

int TVolumeFade::Level() const
{
    std::lock_guard lock(mutex_);
    return level_;
}

bool TVolumeFade::Tick()
{
    std::lock_guard lock(mutex_);
    return running_ && TickLocked();
}

// The first tick comes one period after the start, as a periodic timer's does.
void TVolumeFade::Run()
{
    using Clock = std::chrono::steady_clock;
    Clock::time_point next = Clock::now() + period_;
    std::unique_lock lock(mutex_);
    while (running_) {
        if (changed_.wait_until(lock, next, [this] { return stopRequested_; })) {
            return;
        }
        if (!TickLocked()) {
            return;
        }
        next += period_;
        const Clock::time_point now = Clock::now();
        if (now - next > period_ * maxLagTicks) {
            next = now;
        }
    }
}

bool TVolumeFade::TickLocked()
{
    const int quiet = QuietLevel(level_, ratio_);
    if (saved_.right < saved_.left) {
        volume_.SetVolume({channel(level_), channel(quiet)});
    } else {
        volume_.SetVolume({channel(quiet), channel(level_)});
    }
    const int step = StepFor(level_);
    if (direction_ == TDirection::In) {
        level_ += step;
        if (level_ >= target_) {
            Finish(saved_);
            return false;
        }
    } else {
        level_ -= step;
        if (level_ <= 0) {
            Finish({0, 0});
            fadedOut_ = true;
            changed_.notify_all();
            return false;
        }
    }
    return true;
}

void TVolumeFade::Finish(StereoVolume last)
{
    volume_.SetVolume(last);
    running_ = false;
}
