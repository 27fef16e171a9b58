#include "ClipEncoder.h"

#include <gst/app/gstappsrc.h>
#include <gst/gst.h>

namespace {

constexpr GstClockTime EncodeTimeout = 60 * GST_SECOND;

GstElement* buildPipeline(QSize size, int framesPerSecond, const QString& path)
{
    const QByteArray description =
        QStringLiteral("appsrc name=frames format=time "
                       "caps=video/x-raw,format=BGRx,width=%1,height=%2,framerate=%3/1 "
                       "! videoconvert ! jpegenc quality=85 ! avimux ! filesink location=\"%4\"")
            .arg(size.width())
            .arg(size.height())
            .arg(framesPerSecond)
            .arg(path)
            .toUtf8();
    GError* error = nullptr;
    GstElement* pipeline = gst_parse_launch(description.constData(), &error);
    g_clear_error(&error);
    return pipeline;
}

// Waits for the end of the stream; false on an error or a timeout.
bool finished(GstElement* pipeline)
{
    GstBus* bus = gst_element_get_bus(pipeline);
    GstMessage* message = gst_bus_timed_pop_filtered(
        bus, EncodeTimeout, GstMessageType(GST_MESSAGE_EOS | GST_MESSAGE_ERROR));
    const bool ended = message && GST_MESSAGE_TYPE(message) == GST_MESSAGE_EOS;
    if (message) {
        gst_message_unref(message);
    }
    gst_object_unref(bus);
    return ended;
}

} // namespace

ClipEncoder::ClipEncoder(QSize size, int framesPerSecond)
    : size_(size), framesPerSecond_(framesPerSecond)
{
    gst_init(nullptr, nullptr);
}

bool ClipEncoder::encode(const QString& path, int count, const std::function<QImage(int)>& frame)
{
    GstElement* pipeline = buildPipeline(size_, framesPerSecond_, path);
    if (!pipeline) {
        error_ = QStringLiteral("no GStreamer pipeline for %1 (jpegenc, avimux)").arg(path);
        return false;
    }
    GstElement* source = gst_bin_get_by_name(GST_BIN(pipeline), "frames");
    gst_element_set_state(pipeline, GST_STATE_PLAYING);
    const GstClockTime duration = GST_SECOND / GstClockTime(framesPerSecond_);
    for (int i = 0; i < count; ++i) {
        const QImage picture = frame(i).convertToFormat(QImage::Format_RGB32).scaled(size_);
        const gsize bytes = gsize(picture.sizeInBytes());
        GstBuffer* buffer = gst_buffer_new_allocate(nullptr, bytes, nullptr);
        gst_buffer_fill(buffer, 0, picture.constBits(), bytes);
        GST_BUFFER_PTS(buffer) = GstClockTime(i) * duration;
        GST_BUFFER_DURATION(buffer) = duration;
        gst_app_src_push_buffer(GST_APP_SRC(source), buffer);
    }
    gst_app_src_end_of_stream(GST_APP_SRC(source));
    const bool done = finished(pipeline);
    gst_element_set_state(pipeline, GST_STATE_NULL);
    gst_object_unref(source);
    gst_object_unref(pipeline);
    if (!done) {
        error_ = QStringLiteral("encoding %1 failed").arg(path);
    }
    return done;
}
