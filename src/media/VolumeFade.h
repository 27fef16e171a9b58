#pragma once

#include "media/OutputVolume.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

// The volume fade of the background music. A fade keeps the volume it found (each channel
// at least 1) and moves the louder channel between 0 and that level, one step per tick of its
// own timer thread (1 ms unless told otherwise), the quieter channel following at the same
// balance. A fade-in ends by restoring the saved volume, a fade-out by setting 0 and
// signalling the waiter. Only one fade drives the volume: a new fade stops the running one,
// starts from the level it had reached and keeps the volume it had saved. The state the timer
// thread shares is guarded by one mutex.
class TVolumeFade {
public:
    enum class TDirection { In, Out };
    using TPeriod = std::chrono::microseconds;

    explicit TVolumeFade(IOutputVolume& volume, TPeriod tickPeriod = TPeriod(1000));
    ~TVolumeFade();
    TVolumeFade(const TVolumeFade&) = delete;
    TVolumeFade& operator=(const TVolumeFade&) = delete;

    // False, and nothing happens, when the output has no volume control.
    bool Start(TDirection direction);
    // Stops the timer thread; the volume stays as last set.
    void Cancel();
    bool Running() const;
    // Waits at most the timeout for a fade-out to end; the end is taken once (auto-reset).
    bool WaitFadedOut(std::chrono::milliseconds timeout);
    StereoVolume SavedVolume() const;
    int Level() const;

    // One tick, as the timer thread runs it: sets the volume for the level, then steps; false
    // once the fade has ended.
    bool Tick();

    // The step at a level: 3 up to 100, 7 up to 4000, 15 up to 8000, 25 up to 32000, then 50.
    static int StepFor(int level);
    // The quieter channel at a level: the level divided by the ratio rounded half to even.
    static int QuietLevel(int level, float ratio);

private:
    void Run();
    bool TickLocked();
    void Finish(StereoVolume last);

    IOutputVolume& volume_;
    const TPeriod period_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::thread thread_;
    bool running_ = false;
    bool stopRequested_ = false;
    bool fadedOut_ = false;
    TDirection direction_ = TDirection::In;
    StereoVolume saved_;
    int target_ = 0;
    float ratio_ = 1;
    int level_ = 0;
};
