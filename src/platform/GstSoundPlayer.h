#pragma once

#include "platform/SoundPlayer.h"

#include <QTimer>

typedef struct _GstElement GstElement;

// Click and exit sounds over GStreamer's playbin, audio only. The file is
// found through VirtualFs; a missing file, a file that is not a sound or a
// failing output plays nothing and reports nothing. A new sound cuts off the
// one still playing. DISCSHELL_AUDIO_SINK, when set, is the description of the
// sink (for example "fakesink sync=true"); otherwise playbin chooses.
class GstSoundPlayer final : public ISoundPlayer {
public:
    static constexpr int maxWaitMs = 10000; // PlayAndWait gives up after this

    GstSoundPlayer();
    ~GstSoundPlayer() override;
    GstSoundPlayer(const GstSoundPlayer&) = delete;
    GstSoundPlayer& operator=(const GstSoundPlayer&) = delete;

    void PlayAsync(const QString& virtualPath) override;
    void PlayAndWait(const QString& virtualPath) override;

    // A sound started by PlayAsync has not ended yet (its output is held).
    bool Playing() const { return current_ != nullptr; }
    // Whether GStreamer could be initialised; without it nothing is played.
    static bool Available();

private:
    // The pipeline started on the file, or nullptr.
    static GstElement* start(const QString& virtualPath);
    static GstElement* createPipeline(const QString& hostPath);
    // A sound that ended or failed gives its output back.
    void releaseWhenDone();
    void stopCurrent();

    GstElement* current_ = nullptr;
    QTimer watch_;
};

// Makes a GstSoundPlayer the process's sound player (SetSoundPlayer).
void InstallGstSoundPlayer();
