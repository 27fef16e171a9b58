#pragma once

#include "platform/MediaDevice.h"

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>

class TVideoSurface;

// What the media control raises: an open that failed, or a command on a closed control.
class EMCIDeviceError : public std::runtime_error {
public:
    explicit EMCIDeviceError(const QString& message);
    const QString& Message() const { return message_; }

private:
    QString message_;
};

enum class TMPDeviceTypes {
    AutoSelect,
    AVIVideo,
    CDAudio,
    DAT,
    DigitalVideo,
    MMMovie,
    Other,
    Overlay,
    Scanner,
    Sequencer,
    VCR,
    Videodisc,
    WaveAudio
};
enum class TMPNotifyValues { Successful, Superseded, Aborted, Failure };
using TMPModes = MediaMode;

// The media control: one media device driven by MCI-like commands, each of which stores its
// result in ErrorCode. Play and Resume ask for a notification unless told otherwise, the other
// commands only when told; SetNotify tells the next command once. Every notification sets
// NotifyValue and calls OnNotify, on the GUI thread. Video is painted into the Display widget
// at the display rectangle from the first play after Open; without a Display it shows in a
// window of its own, as a device without a window would.
class TMPlayer : public QObject {
    Q_OBJECT
public:
    using TNotifyEvent = std::function<void(TMPlayer* sender)>;

    explicit TMPlayer(QObject* owner = nullptr);
    ~TMPlayer() override;

    const QString& FileName() const { return fileName_; }
    void SetFileName(const QString& name) { fileName_ = name; }
    TMPDeviceTypes DeviceType() const { return deviceType_; }
    void SetDeviceType(TMPDeviceTypes type) { deviceType_ = type; }
    bool Shareable() const { return shareable_; }
    void SetShareable(bool value) { shareable_ = value; }
    // Play at the end of the media starts from the beginning.
    bool AutoRewind() const { return autoRewind_; }
    void SetAutoRewind(bool value) { autoRewind_ = value; }

    bool IsOpen() const { return deviceId_ != 0; }
    quint16 DeviceID() const { return deviceId_; }
    bool HasVideo() const { return hasVideo_; }
    int NaturalWidth() const { return naturalWidth_; }
    int NaturalHeight() const { return naturalHeight_; }
    QWidget* Display() const { return display_; }
    quint32 ErrorCode() const { return errorCode_; }
    TMPNotifyValues NotifyValue() const { return notifyValue_; }
    void SetOnNotify(TNotifyEvent handler) { onNotify_ = std::move(handler); }

    void Open();
    void Close();
    void Play();
    void Stop();
    void Pause();
    void Resume();
    void PauseOrResume();
    void Seek(qint64 position);
    void Rewind();
    void SetNotify(bool value) { notifyRequest_ = value; }
    void SetTimeFormat(quint32 format);
    void SetDisplay(QWidget* window);
    // Left, top, width, height; a width and height of 0 stand for the natural size.
    void SetDisplayRect(const QRect& rect);
    QRect GetDisplayRect();
    qint64 Length();
    qint64 Position();
    TMPModes Mode();
    QString ErrorMessage() const;

    // Hides or shows the video picture until the next play; an owner hides it while it
    // draws a picture of its own over the area.
    void SetVideoShown(bool shown);
    MediaDevice& Device() { return *device_; }

signals:
    void notify();       // after OnNotify
    void framePainted(); // a video frame was drawn in the display

private:
    void CheckOpen() const;
    bool TakeNotify(bool byDefault);
    void HandleNotification(int notification);
    void UpdateSurface();
    QWidget* SurfaceHost();
    void DropSurface();

    std::unique_ptr<MediaDevice> device_;
    QString fileName_;
    TMPDeviceTypes deviceType_ = TMPDeviceTypes::AutoSelect;
    bool shareable_ = false;
    bool autoRewind_ = false;
    quint16 deviceId_ = 0;
    bool hasVideo_ = false;
    int naturalWidth_ = 0;
    int naturalHeight_ = 0;
    QPointer<QWidget> display_;
    QRect lastRect_;
    quint32 errorCode_ = 0;
    TMPNotifyValues notifyValue_ = TMPNotifyValues::Successful;
    std::optional<bool> notifyRequest_;
    TNotifyEvent onNotify_;
    bool videoShown_ = false;
    QPointer<TVideoSurface> surface_;
    std::unique_ptr<QWidget> ownWindow_;
};
