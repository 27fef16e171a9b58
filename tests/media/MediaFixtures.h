#pragma once

#include "WaveFile.h"
#include "media/OutputVolume.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>
#include <mutex>

// Writes a one-second 64x48 video of a plain red picture (JPEG frames in AVI) to a host path.
bool WriteVideoFile(const QString& hostPath);
// Runs a GStreamer pipeline description that ends in a file sink until it ends;
// false when it cannot be built or fails.
bool EncodeMediaFile(const QByteArray& description);
// Runs the event loop until the condition holds or the time is over; whether it held.
bool WaitFor(const std::function<bool()>& condition, int milliseconds);
// Runs the event loop for a while.
void Spin(int milliseconds);
// Media devices play into fake sinks that keep real time.
void UseFakeSinks();

// An output volume that records every change, from whatever thread makes it.
class TRecordingVolume final : public IOutputVolume {
public:
    explicit TRecordingVolume(StereoVolume start, bool supported = true);

    bool SupportsVolume() const override { return supported_; }
    StereoVolume Volume() const override;
    void SetVolume(StereoVolume volume) override;

    QList<StereoVolume> Changes() const;
    void Reset(StereoVolume volume);

private:
    mutable std::mutex mutex_;
    StereoVolume current_;
    QList<StereoVolume> changes_;
    bool supported_;
};
