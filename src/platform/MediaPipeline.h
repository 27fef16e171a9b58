#pragma once

#include "platform/MediaDevice.h"

#include <atomic>
#include <gst/gst.h>
#include <mutex>
#include <optional>

// The MCI error a pipeline error stands for: a missing file 275, an unreadable one 348, a
// missing decoder 266, any other stream error 296 (not a valid media file), the rest 262.
quint32 MciErrorOf(const GError* error);

// The GStreamer side of an open MediaDevice: one playbin on a host file with the sinks the
// environment names (or a frame sink for video), an audio filter that keeps the balance of the
// program's output volume, and a bus that keeps only end-of-stream and error messages. Frames
// and bus messages arrive on streaming threads; the device is told through queued calls, so it
// handles them on its own thread. The device must outlive its pipeline.
class MediaPipeline {
public:
    MediaPipeline(MediaDevice& device, const QString& hostPath, bool audioOnly);
    ~MediaPipeline();
    MediaPipeline(const MediaPipeline&) = delete;
    MediaPipeline& operator=(const MediaPipeline&) = delete;

    // Goes to paused and waits, at most the device's wait limit, until the first data are
    // ready; 0 or the MCI error the failure stands for.
    quint32 preroll();
    // Asks for a state without waiting; false when the pipeline refused at once.
    bool requestState(GstState state) const;
    // Waits, bounded, until the last state asked for is reached; 0 or the MCI error.
    quint32 settle();
    // A flushing, accurate seek; settle() afterwards.
    bool seek(qint64 milliseconds) const;

    std::optional<qint64> durationMs() const;
    std::optional<qint64> positionMs() const;
    // Decoded video streams (0 when the pipeline plays sound only) and their picture size.
    int videoStreams() const;
    // Whether anything playable was found: a sound stream, or video where video is wanted.
    bool hasStreams() const;
    QSize videoSize() const;

    // The next end-of-stream or error message kept on the bus, or null; the caller unrefs it.
    GstMessage* popMessage() const;
    // The MCI error for the next error message on the bus.
    quint32 popError() const;

    MediaVideoFrame frame() const;
    // The device has taken the newest frame; the next one asks again.
    void frameTaken() { frameQueued_ = false; }

    static StereoVolume outputVolume();
    static void setOutputVolume(StereoVolume volume);

private:
    void attachSinks(bool audioOnly);
    void attachFrameSink();
    void attachBalance();
    void applyVolume(StereoVolume volume) const;
    void takeSample(GstSample* sample);

    static GstBusSyncReply onBusMessage(GstBus*, GstMessage* message, gpointer self);
    static GstFlowReturn onSample(GstElement* sink, gpointer self);
    static GstFlowReturn onPreroll(GstElement* sink, gpointer self);

    MediaDevice& device_;
    GstElement* playbin_ = nullptr;
    GstElement* balance_ = nullptr; // the panorama inside the audio filter
    GstBus* bus_ = nullptr;
    bool audioOnly_ = false;
    mutable std::mutex frameMutex_;
    MediaVideoFrame frame_;
    std::atomic_bool frameQueued_{false};
};
