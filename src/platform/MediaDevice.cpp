#include "platform/MediaDevice.h"

#include "platform/GstSoundPlayer.h"
#include "platform/MediaPipeline.h"
#include "platform/VirtualFs.h"

#include <QFileInfo>
#include <algorithm>
#include <atomic>
#include <optional>

namespace {

std::atomic<int> waitLimit{MediaDevice::defaultWaitLimitMs};

// Device types that play files here: sound only for "WaveAudio", any media for the automatic
// choice and the file-based types; the others have no driver.
std::optional<bool> audioOnlyForType(const QString& typeName)
{
    static const QStringList anyMedia = {QString(),
                                         QStringLiteral("AVIVideo"),
                                         QStringLiteral("DigitalVideo"),
                                         QStringLiteral("MMMovie"),
                                         QStringLiteral("Other"),
                                         QStringLiteral("Sequencer")};
    if (typeName.compare(QLatin1String("WaveAudio"), Qt::CaseInsensitive) == 0) {
        return true;
    }
    if (anyMedia.contains(typeName, Qt::CaseInsensitive)) {
        return false;
    }
    return std::nullopt;
}

} // namespace

void MediaDevice::setWaitLimitMs(int milliseconds)
{
    waitLimit = std::max(1, milliseconds);
}

int MediaDevice::waitLimitMs()
{
    return waitLimit.load();
}

bool MediaDevice::outputVolumeSupported()
{
    return GstSoundPlayer::Available();
}

StereoVolume MediaDevice::outputVolume()
{
    return MediaPipeline::outputVolume();
}

void MediaDevice::setOutputVolume(StereoVolume volume)
{
    MediaPipeline::setOutputVolume(volume);
}

MediaDevice::MediaDevice(QObject* parent) : QObject(parent) {}

MediaDevice::~MediaDevice()
{
    pipeline_.reset();
}

quint32 MediaDevice::open(const QString& virtualPath, const QString& typeName, bool notify)
{
    close(false);
    ++openSerial_;
    const std::optional<bool> audioOnly = audioOnlyForType(typeName);
    if (!audioOnly) {
        return MciError::CannotLoadDriver;
    }
    if (virtualPath.trimmed().isEmpty()) {
        return MciError::FilenameRequired;
    }
    const std::optional<QString> host = VirtualFs::instance().resolveExisting(virtualPath);
    if (!host) {
        return MciError::FileNotFound;
    }
    if (!QFileInfo(*host).isFile()) {
        return MciError::FileRead; // a folder, a pipe or a device is not read as media
    }
    if (!GstSoundPlayer::Available()) {
        return MciError::CannotLoadDriver;
    }
    pipeline_ = std::make_unique<MediaPipeline>(*this, *host, *audioOnly);
    quint32 error = pipeline_->preroll();
    if (!error && !pipeline_->hasStreams()) {
        error = MciError::InvalidFile;
    }
    if (error) {
        pipeline_.reset();
        return error;
    }
    readStreams();
    mode_ = MediaMode::Stopped;
    if (notify) {
        post(MediaNotification::Successful);
    }
    return 0;
}

void MediaDevice::readStreams()
{
    hasVideo_ = pipeline_->videoStreams() > 0;
    naturalSize_ = hasVideo_ ? pipeline_->videoSize() : QSize();
    destination_ = QRect(QPoint(0, 0), naturalSize_);
}

quint32 MediaDevice::close(bool notify)
{
    if (!isOpen()) {
        return 0;
    }
    endPendingPlay(MediaNotification::Aborted);
    pipeline_.reset();
    mode_ = MediaMode::NotReady;
    atEnd_ = hasVideo_ = false;
    naturalSize_ = QSize();
    destination_ = QRect();
    if (notify) {
        post(MediaNotification::Successful);
    }
    return 0;
}

// A play with notification while another one waits for its end supersedes it; at the end
// of the media there is nothing to play and the play is over at once.
quint32 MediaDevice::play(bool notify)
{
    if (!isOpen()) {
        return MciError::InvalidDeviceId;
    }
    drainBus();
    if (notify) {
        endPendingPlay(MediaNotification::Superseded);
    }
    if (atEnd_) {
        mode_ = MediaMode::Stopped;
        if (notify) {
            post(MediaNotification::Successful);
        }
        return 0;
    }
    if (!pipeline_->requestState(GST_STATE_PLAYING)) {
        return pipeline_->popError();
    }
    mode_ = MediaMode::Playing;
    playNotifyPending_ = playNotifyPending_ || notify;
    return 0;
}

quint32 MediaDevice::resume(bool notify)
{
    if (!isOpen()) {
        return MciError::InvalidDeviceId;
    }
    drainBus();
    if (mode_ != MediaMode::Paused) {
        return MciError::NonapplicableFunction;
    }
    return play(notify);
}

quint32 MediaDevice::stop(bool notify)
{
    return halt(MediaMode::Stopped, notify);
}

quint32 MediaDevice::pause(bool notify)
{
    return halt(MediaMode::Paused, notify);
}

// Stop and pause hold the pipeline where it is; a play waiting for its end is aborted.
quint32 MediaDevice::halt(MediaMode mode, bool notify)
{
    if (!isOpen()) {
        return MciError::InvalidDeviceId;
    }
    drainBus();
    endPendingPlay(MediaNotification::Aborted);
    const quint32 error =
        pipeline_->requestState(GST_STATE_PAUSED) ? pipeline_->settle() : pipeline_->popError();
    mode_ = mode;
    if (error) {
        return error;
    }
    if (notify) {
        post(MediaNotification::Successful);
    }
    return 0;
}

quint32 MediaDevice::seek(qint64 position, bool notify)
{
    if (!isOpen()) {
        return MciError::InvalidDeviceId;
    }
    drainBus();
    const qint64 length = knownLength();
    if (position < 0 || (length > 0 && position > length)) {
        return MciError::OutOfRange;
    }
    endPendingPlay(MediaNotification::Aborted);
    mode_ = MediaMode::Stopped;
    quint32 error = pipeline_->requestState(GST_STATE_PAUSED) ? 0 : pipeline_->popError();
    atEnd_ = length > 0 && position == length;
    if (!error && !atEnd_) {
        error = pipeline_->seek(position) ? pipeline_->settle() : MciError::Hardware;
    }
    if (!error && notify) {
        post(MediaNotification::Successful);
    }
    return error;
}

quint32 MediaDevice::seekToStart()
{
    return seek(0, false);
}

quint32 MediaDevice::setTimeFormat(quint32 format)
{
    if (!isOpen()) {
        return MciError::InvalidDeviceId;
    }
    return format == 0 ? 0 : MciError::BadTimeFormat;
}

qint64 MediaDevice::knownLength() const
{
    return pipeline_->durationMs().value_or(0);
}

quint32 MediaDevice::length(qint64& value)
{
    value = 0;
    if (!isOpen()) {
        return MciError::InvalidDeviceId;
    }
    value = knownLength();
    return 0;
}

quint32 MediaDevice::position(qint64& value)
{
    value = 0;
    if (!isOpen()) {
        return MciError::InvalidDeviceId;
    }
    drainBus();
    const qint64 length = knownLength();
    if (atEnd_) {
        value = length;
        return 0;
    }
    value = std::max<qint64>(0, pipeline_->positionMs().value_or(0));
    if (length > 0) {
        value = std::min(value, length);
    }
    return 0;
}

MediaMode MediaDevice::mode()
{
    drainBus();
    return isOpen() ? mode_ : MediaMode::NotReady;
}

MediaVideoFrame MediaDevice::currentFrame() const
{
    return pipeline_ ? pipeline_->frame() : MediaVideoFrame();
}

void MediaDevice::takeFrame()
{
    if (pipeline_) {
        pipeline_->frameTaken();
        emit frameReady();
    }
}

// An end while playing completes the play; an error stops the device and fails it. Ends
// left over from before a stop or a seek are dropped.
void MediaDevice::drainBus()
{
    while (pipeline_) {
        GstMessage* message = pipeline_->popMessage();
        if (!message) {
            return;
        }
        const bool failed = GST_MESSAGE_TYPE(message) == GST_MESSAGE_ERROR;
        gst_message_unref(message);
        if (failed) {
            pipeline_->requestState(GST_STATE_READY);
            mode_ = MediaMode::Stopped;
            atEnd_ = false;
            endPendingPlay(MediaNotification::Failure);
        } else if (mode_ == MediaMode::Playing) {
            pipeline_->requestState(GST_STATE_PAUSED);
            mode_ = MediaMode::Stopped;
            atEnd_ = true;
            endPendingPlay(MediaNotification::Successful);
        }
    }
}

// The end of what was open before, still queued when the device opens again,
// never reaches the new media as its end; aborts and supersedes of the old
// media still tell how it ended.
void MediaDevice::post(MediaNotification notification)
{
    const quint64 serial = openSerial_;
    QMetaObject::invokeMethod(
        this,
        [this, notification, serial] {
            if (serial == openSerial_ || notification != MediaNotification::Successful) {
                emit notified(int(notification));
            }
        },
        Qt::QueuedConnection);
}

void MediaDevice::endPendingPlay(MediaNotification outcome)
{
    if (playNotifyPending_) {
        playNotifyPending_ = false;
        post(outcome);
    }
}
