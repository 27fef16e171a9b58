#include "MediaFixtures.h"

#include "platform/GstSoundPlayer.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QElapsedTimer>
#include <QIODevice>
#include <QThread>
#include <cmath>
#include <gst/gst.h>

bool WriteVideoFile(const QString& hostPath)
{
    return EncodeMediaFile(
        "videotestsrc pattern=red num-buffers=10 ! video/x-raw,width=64,height=48,framerate=10/1"
        " ! jpegenc ! avimux ! filesink location=\"" +
        hostPath.toUtf8() + "\"");
}

bool EncodeMediaFile(const QByteArray& description)
{
    if (!GstSoundPlayer::Available()) {
        return false;
    }
    GError* error = nullptr;
    GstElement* pipeline = gst_parse_launch(description.constData(), &error);
    g_clear_error(&error);
    if (!pipeline) {
        return false;
    }
    gst_element_set_state(pipeline, GST_STATE_PLAYING);
    GstBus* bus = gst_element_get_bus(pipeline);
    GstMessage* message = gst_bus_timed_pop_filtered(
        bus, 10 * GST_SECOND, GstMessageType(GST_MESSAGE_EOS | GST_MESSAGE_ERROR));
    const bool done = message && GST_MESSAGE_TYPE(message) == GST_MESSAGE_EOS;
    if (message) {
        gst_message_unref(message);
    }
    gst_object_unref(bus);
    gst_element_set_state(pipeline, GST_STATE_NULL);
    gst_object_unref(pipeline);
    return done;
}

bool WaitFor(const std::function<bool()>& condition, int milliseconds)
{
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > milliseconds) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(2);
    }
    return true;
}

void Spin(int milliseconds)
{
    WaitFor([] { return false; }, milliseconds);
}

void UseFakeSinks()
{
    qputenv("DISCSHELL_AUDIO_SINK", "fakesink sync=true");
    qputenv("DISCSHELL_VIDEO_SINK", "fakesink sync=true");
}

TRecordingVolume::TRecordingVolume(StereoVolume start, bool supported)
    : current_(start), supported_(supported)
{
}

StereoVolume TRecordingVolume::Volume() const
{
    std::lock_guard lock(mutex_);
    return current_;
}

void TRecordingVolume::SetVolume(StereoVolume volume)
{
    std::lock_guard lock(mutex_);
    current_ = volume;
    changes_.append(volume);
}

QList<StereoVolume> TRecordingVolume::Changes() const
{
    std::lock_guard lock(mutex_);
    return changes_;
}

void TRecordingVolume::Reset(StereoVolume volume)
{
    std::lock_guard lock(mutex_);
    current_ = volume;
    changes_.clear();
}
