#pragma once

#include <QByteArray>
#include <QObject>
#include <QRect>
#include <QSize>
#include <QString>
#include <memory>

// MCI error numbers; 0 is success.
namespace MciError {
constexpr quint32 InvalidDeviceId = 257, Hardware = 262, CannotLoadDriver = 266;
constexpr quint32 FileNotFound = 275, DeviceNotReady = 276, OutOfRange = 282;
constexpr quint32 BadTimeFormat = 293, InvalidFile = 296, NonapplicableFunction = 302;
constexpr quint32 FilenameRequired = 304, FileRead = 348;
// The text of an error number; empty for a number without one.
QString Text(quint32 code);
} // namespace MciError

// Device modes in the order of their MCI numbers (less 524).
enum class MediaMode { NotReady, Stopped, Playing, Recording, Seeking, Paused, Open };
// Outcomes of a notification, as the MCI numbers of its message.
enum class MediaNotification { Successful = 1, Superseded = 2, Aborted = 4, Failure = 8 };

// Left and right channel volume, 0 to 0xFFFF each.
struct StereoVolume {
    quint16 left = 0xFFFF;
    quint16 right = 0xFFFF;
    bool operator==(const StereoVolume&) const = default;
};

// A decoded picture: 32-bit 0xffRRGGBB words in host order, rows stride bytes apart.
struct MediaVideoFrame {
    QByteArray pixels;
    int width = 0;
    int height = 0;
    int stride = 0;
    bool isNull() const { return pixels.isEmpty(); }
};

class MediaPipeline;

// One media device over GStreamer's playbin, as the media control drives it: commands that
// return an MCI error number, positions in milliseconds, notifications delivered on the
// device's thread (the GUI thread) through notified(). Open, stop, pause and seek wait for the
// pipeline, never longer than waitLimitMs. Sinks come from DISCSHELL_AUDIO_SINK and
// DISCSHELL_VIDEO_SINK (GStreamer descriptions such as "fakesink sync=true"); without the
// latter video frames are decoded for the owner to paint (currentFrame(), frameReady()).
// Every device plays at the program's own output volume (outputVolume()).
class MediaDevice : public QObject {
    Q_OBJECT
public:
    static constexpr int defaultWaitLimitMs = 10000;
    // Bounds every wait for the pipeline; tests shorten it.
    static void setWaitLimitMs(int milliseconds);
    static int waitLimitMs();

    // The program's output volume, shared by all devices; settable from any thread. The
    // louder channel sets the level and the other is panned down to keep the balance.
    static bool outputVolumeSupported();
    static StereoVolume outputVolume();
    static void setOutputVolume(StereoVolume volume);

    explicit MediaDevice(QObject* parent = nullptr);
    ~MediaDevice() override;

    // Opens the file of a virtual path, closing the open one first. typeName is empty (any
    // media), "WaveAudio" (sound only) or another MCI device type name.
    quint32 open(const QString& virtualPath, const QString& typeName = QString(),
                 bool notify = false);
    quint32 close(bool notify = false);
    bool isOpen() const { return pipeline_ != nullptr; }

    quint32 play(bool notify);
    quint32 resume(bool notify); // only from Paused
    quint32 stop(bool notify);
    quint32 pause(bool notify);
    quint32 seek(qint64 position, bool notify);
    quint32 seekToStart();
    quint32 setTimeFormat(quint32 format); // milliseconds (0) only
    quint32 length(qint64& value);
    quint32 position(qint64& value);
    // Takes in the ends and errors reported so far first, so polling sees the end.
    MediaMode mode();

    bool hasVideo() const { return hasVideo_; }
    QSize naturalSize() const { return naturalSize_; }
    // Where the video goes in its display (left, top, width, height).
    QRect destination() const { return destination_; }
    void setDestination(const QRect& rect) { destination_ = rect; }
    // The newest decoded picture; null before the first one and after close.
    MediaVideoFrame currentFrame() const;

signals:
    void notified(int notification);
    void frameReady();

private:
    friend class MediaPipeline;
    void readStreams();
    // Handles the ends and errors the pipeline reported so far.
    void drainBus();
    void takeFrame();
    void post(MediaNotification notification);
    // A play that asked for a notification gets it now with this outcome.
    void endPendingPlay(MediaNotification outcome);
    quint32 halt(MediaMode mode, bool notify);
    qint64 knownLength() const;

    std::unique_ptr<MediaPipeline> pipeline_;
    MediaMode mode_ = MediaMode::NotReady;
    bool playNotifyPending_ = false;
    // Counts the opens; the end of an earlier open is dropped.
    quint64 openSerial_ = 0;
    bool atEnd_ = false;
    bool hasVideo_ = false;
    QSize naturalSize_;
    QRect destination_;
};
