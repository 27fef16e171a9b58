#include "media/MPlayer.h"

#include "media/VideoSurface.h"

#include <QWidget>
#include <array>

namespace {

// The names sent for the device types other than the automatic one, in their order.
QString typeName(TMPDeviceTypes type)
{
    static const std::array<const char*, 13> names = {
        "",        "AVIVideo", "CDAudio",   "DAT", "DigitalVideo", "MMMovie",  "Other",
        "Overlay", "Scanner",  "Sequencer", "VCR", "Videodisc",    "WaveAudio"};
    return QString::fromLatin1(names.at(std::size_t(type)));
}

// Identifiers of open devices, unique in the process and never 0.
quint16 nextDeviceId()
{
    static quint16 last = 0;
    if (++last == 0) {
        ++last;
    }
    return last;
}

} // namespace

EMCIDeviceError::EMCIDeviceError(const QString& message)
    : std::runtime_error(message.toStdString()), message_(message)
{
}

TMPlayer::TMPlayer(QObject* owner) : QObject(owner), device_(std::make_unique<MediaDevice>())
{
    connect(device_.get(), &MediaDevice::notified, this, &TMPlayer::HandleNotification);
}

TMPlayer::~TMPlayer()
{
    DropSurface();
}

void TMPlayer::CheckOpen() const
{
    if (!IsOpen()) {
        throw EMCIDeviceError(QStringLiteral("No MCI device open"));
    }
}

// A pending request decides for this command and is used up.
bool TMPlayer::TakeNotify(bool byDefault)
{
    const bool notify = notifyRequest_.value_or(byDefault);
    notifyRequest_.reset();
    return notify;
}

void TMPlayer::HandleNotification(int notification)
{
    switch (MediaNotification(notification)) {
    case MediaNotification::Successful:
        notifyValue_ = TMPNotifyValues::Successful;
        break;
    case MediaNotification::Superseded:
        notifyValue_ = TMPNotifyValues::Superseded;
        break;
    case MediaNotification::Aborted:
        notifyValue_ = TMPNotifyValues::Aborted;
        break;
    case MediaNotification::Failure:
        notifyValue_ = TMPNotifyValues::Failure;
        break;
    }
    const QPointer<TMPlayer> alive(this); // the handler may free the control
    if (onNotify_) {
        onNotify_(this);
    }
    if (alive) {
        emit notify();
    }
}

void TMPlayer::Open()
{
    const bool notify = TakeNotify(false);
    DropSurface();
    deviceId_ = 0;
    hasVideo_ = false;
    errorCode_ = device_->open(fileName_, typeName(deviceType_), notify);
    if (errorCode_ != 0) {
        throw EMCIDeviceError(ErrorMessage());
    }
    deviceId_ = nextDeviceId();
    hasVideo_ = device_->hasVideo();
    naturalWidth_ = device_->naturalSize().width();
    naturalHeight_ = device_->naturalSize().height();
    if (hasVideo_) {
        SetDisplay(display_);
        const QRect destination = GetDisplayRect();
        naturalWidth_ = destination.width();
        naturalHeight_ = destination.height();
    }
}

void TMPlayer::Close()
{
    if (deviceId_ == 0) {
        return;
    }
    errorCode_ = device_->close(TakeNotify(false));
    deviceId_ = 0;
    hasVideo_ = false;
    DropSurface();
}

void TMPlayer::Play()
{
    CheckOpen();
    const bool notify = TakeNotify(true);
    if (autoRewind_) {
        qint64 length = 0, position = 0;
        if (device_->length(length) == 0 && device_->position(position) == 0 && length > 0 &&
            position >= length) {
            device_->seekToStart();
        }
    }
    errorCode_ = device_->play(notify);
    if (errorCode_ == 0) {
        SetVideoShown(true);
    }
}

void TMPlayer::Stop()
{
    CheckOpen();
    errorCode_ = device_->stop(TakeNotify(false));
}

void TMPlayer::Pause()
{
    CheckOpen();
    errorCode_ = device_->pause(TakeNotify(false));
}

// A device that cannot resume plays instead; only an accepted resume uses up the request.
void TMPlayer::Resume()
{
    CheckOpen();
    errorCode_ = device_->resume(notifyRequest_.value_or(true));
    if (errorCode_ != 0) {
        Play();
        return;
    }
    notifyRequest_.reset();
    SetVideoShown(true);
}

void TMPlayer::PauseOrResume()
{
    CheckOpen();
    const TMPModes mode = Mode();
    if (mode == TMPModes::Playing) {
        Pause();
    } else if (mode == TMPModes::Paused) {
        Resume();
    }
}

void TMPlayer::Seek(qint64 position)
{
    CheckOpen();
    errorCode_ = device_->seek(position, TakeNotify(false));
}

void TMPlayer::Rewind()
{
    CheckOpen();
    errorCode_ = device_->seekToStart();
}

void TMPlayer::SetTimeFormat(quint32 format)
{
    errorCode_ = device_->setTimeFormat(format);
}

// The display is held weakly: a window destroyed while the device is open takes the picture
// with it and the device goes on without one.
void TMPlayer::SetDisplay(QWidget* window)
{
    display_ = window;
    if (IsOpen() && hasVideo_) {
        errorCode_ = 0;
        UpdateSurface();
    }
}

void TMPlayer::SetDisplayRect(const QRect& rect)
{
    if (!IsOpen() || !hasVideo_) {
        return;
    }
    QRect destination = rect;
    if (rect.width() == 0 && rect.height() == 0) {
        destination.setSize(QSize(naturalWidth_, naturalHeight_));
    }
    device_->setDestination(destination);
    errorCode_ = 0;
    UpdateSurface();
}

QRect TMPlayer::GetDisplayRect()
{
    if (IsOpen() && hasVideo_) {
        lastRect_ = device_->destination();
        errorCode_ = 0;
    }
    return lastRect_;
}

qint64 TMPlayer::Length()
{
    CheckOpen();
    qint64 value = 0;
    errorCode_ = device_->length(value);
    return value;
}

qint64 TMPlayer::Position()
{
    qint64 value = 0;
    errorCode_ = device_->position(value);
    return value;
}

TMPModes TMPlayer::Mode()
{
    const TMPModes mode = device_->mode();
    errorCode_ = IsOpen() ? 0 : MciError::InvalidDeviceId;
    return mode;
}

QString TMPlayer::ErrorMessage() const
{
    const QString text = MciError::Text(errorCode_);
    return text.isEmpty() ? QStringLiteral("Unknown error code") : text;
}

void TMPlayer::SetVideoShown(bool shown)
{
    videoShown_ = shown;
    UpdateSurface();
}

// The display window, or the control's own window when there is none.
QWidget* TMPlayer::SurfaceHost()
{
    if (display_) {
        return display_;
    }
    if (!ownWindow_) {
        ownWindow_ = std::make_unique<QWidget>();
        ownWindow_->setWindowTitle(fileName_);
        ownWindow_->setAttribute(Qt::WA_NoSystemBackground);
        ownWindow_->resize(std::max(1, naturalWidth_), std::max(1, naturalHeight_));
    }
    return ownWindow_.get();
}

void TMPlayer::UpdateSurface()
{
    if (!IsOpen() || !hasVideo_ || (!videoShown_ && !surface_)) {
        return;
    }
    QWidget* host = SurfaceHost();
    if (!surface_) {
        surface_ = new TVideoSurface(host, *device_);
        connect(surface_, &TVideoSurface::framePainted, this, &TMPlayer::framePainted);
    } else if (surface_->parentWidget() != host) {
        surface_->setParent(host);
    }
    surface_->setGeometry(device_->destination());
    surface_->setVisible(videoShown_);
    if (videoShown_) {
        surface_->raise();
    }
    if (ownWindow_) {
        ownWindow_->setVisible(videoShown_ && host == ownWindow_.get());
    }
}

void TMPlayer::DropSurface()
{
    delete surface_;
    ownWindow_.reset();
    videoShown_ = false;
}
