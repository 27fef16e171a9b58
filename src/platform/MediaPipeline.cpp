#include "platform/MediaPipeline.h"

#include <QUrl>
#include <algorithm>
#include <set>

namespace {

constexpr guint playVideo = 1u << 0, playAudio = 1u << 1, playSoftVolume = 1u << 4;
constexpr int maxFrameSide = 8192;
constexpr GstClockTime errorWait = 500 * GST_MSECOND;
constexpr auto keptMessages = GstMessageType(GST_MESSAGE_EOS | GST_MESSAGE_ERROR);

GstClockTime waitTime()
{
    return GstClockTime(MediaDevice::waitLimitMs()) * GST_MSECOND;
}

GstElement* sinkFromEnvironment(const char* variable)
{
    const QByteArray description = qgetenv(variable).trimmed();
    if (description.isEmpty()) {
        return nullptr;
    }
    GError* error = nullptr;
    GstElement* sink = gst_parse_bin_from_description(description.constData(), TRUE, &error);
    g_clear_error(&error);
    return sink;
}

// The program's output volume and the pipelines it drives.
struct OutputVolumeState {
    std::mutex mutex;
    StereoVolume volume;
    std::set<const MediaPipeline*> pipelines;
};

OutputVolumeState& outputState()
{
    static OutputVolumeState state;
    return state;
}

} // namespace

MediaPipeline::MediaPipeline(MediaDevice& device, const QString& hostPath, bool audioOnly)
    : device_(device), audioOnly_(audioOnly)
{
    playbin_ = gst_element_factory_make("playbin", nullptr);
    if (!playbin_) {
        return;
    }
    gst_object_ref_sink(playbin_);
    const QByteArray uri = QUrl::fromLocalFile(hostPath).toString(QUrl::FullyEncoded).toUtf8();
    const guint flags =
        audioOnly ? playAudio | playSoftVolume : playVideo | playAudio | playSoftVolume;
    g_object_set(playbin_, "uri", uri.constData(), "flags", flags, nullptr);
    attachSinks(audioOnly);
    bus_ = gst_element_get_bus(playbin_);
    gst_bus_set_sync_handler(bus_, &MediaPipeline::onBusMessage, this, nullptr);
    OutputVolumeState& state = outputState();
    std::lock_guard lock(state.mutex);
    state.pipelines.insert(this);
    applyVolume(state.volume);
}

// Going to NULL joins the streaming threads, so no callback runs once it has returned.
MediaPipeline::~MediaPipeline()
{
    {
        OutputVolumeState& state = outputState();
        std::lock_guard lock(state.mutex);
        state.pipelines.erase(this);
    }
    if (!playbin_) {
        return;
    }
    gst_element_set_state(playbin_, GST_STATE_NULL);
    gst_bus_set_sync_handler(bus_, nullptr, nullptr, nullptr);
    gst_object_unref(bus_);
    if (balance_) {
        gst_object_unref(balance_);
    }
    gst_object_unref(playbin_);
}

void MediaPipeline::attachSinks(bool audioOnly)
{
    if (GstElement* sink = sinkFromEnvironment("DISCSHELL_AUDIO_SINK")) {
        g_object_set(playbin_, "audio-sink", sink, nullptr);
    }
    if (GstElement* sink = sinkFromEnvironment("DISCSHELL_VIDEO_SINK")) {
        g_object_set(playbin_, "video-sink", sink, nullptr);
    } else if (!audioOnly) {
        attachFrameSink();
    }
    attachBalance();
}

void MediaPipeline::attachFrameSink()
{
    GstElement* sink = gst_element_factory_make("appsink", nullptr);
    if (!sink) {
        return;
    }
    GstCaps* caps = gst_caps_from_string(
        G_BYTE_ORDER == G_LITTLE_ENDIAN ? "video/x-raw,format=BGRx" : "video/x-raw,format=xRGB");
    g_object_set(sink, "caps", caps, "emit-signals", TRUE, "max-buffers", 2u, "drop", TRUE,
                 "enable-last-sample", FALSE, nullptr);
    gst_caps_unref(caps);
    g_signal_connect(sink, "new-sample", G_CALLBACK(&MediaPipeline::onSample), this);
    g_signal_connect(sink, "new-preroll", G_CALLBACK(&MediaPipeline::onPreroll), this);
    g_object_set(playbin_, "video-sink", sink, nullptr);
}

void MediaPipeline::attachBalance()
{
    GError* error = nullptr;
    GstElement* filter = gst_parse_bin_from_description(
        "audioconvert ! audiopanorama method=simple name=balance ! audioconvert", TRUE, &error);
    g_clear_error(&error);
    if (!filter) {
        return;
    }
    balance_ = gst_bin_get_by_name(GST_BIN(filter), "balance");
    g_object_set(playbin_, "audio-filter", filter, nullptr);
}

// The louder channel gives the level; the quieter one is panned down to its share.
void MediaPipeline::applyVolume(StereoVolume volume) const
{
    if (!playbin_) {
        return;
    }
    const double loud = std::max(volume.left, volume.right);
    double panorama = 0;
    if (volume.left > volume.right) {
        panorama = volume.right / loud - 1.0;
    } else if (volume.right > volume.left) {
        panorama = 1.0 - volume.left / loud;
    }
    g_object_set(playbin_, "volume", loud / 0xFFFF, nullptr);
    if (balance_) {
        g_object_set(balance_, "panorama", gfloat(panorama), nullptr);
    }
}

StereoVolume MediaPipeline::outputVolume()
{
    OutputVolumeState& state = outputState();
    std::lock_guard lock(state.mutex);
    return state.volume;
}

void MediaPipeline::setOutputVolume(StereoVolume volume)
{
    OutputVolumeState& state = outputState();
    std::lock_guard lock(state.mutex);
    state.volume = volume;
    for (const MediaPipeline* pipeline : state.pipelines) {
        pipeline->applyVolume(volume);
    }
}

quint32 MediaPipeline::preroll()
{
    if (!playbin_) {
        return MciError::CannotLoadDriver;
    }
    if (!requestState(GST_STATE_PAUSED)) {
        return popError();
    }
    return settle();
}

bool MediaPipeline::requestState(GstState state) const
{
    return gst_element_set_state(playbin_, state) != GST_STATE_CHANGE_FAILURE;
}

quint32 MediaPipeline::settle()
{
    switch (gst_element_get_state(playbin_, nullptr, nullptr, waitTime())) {
    case GST_STATE_CHANGE_SUCCESS:
    case GST_STATE_CHANGE_NO_PREROLL:
        return 0;
    case GST_STATE_CHANGE_FAILURE:
        return popError();
    default:
        return MciError::DeviceNotReady;
    }
}

bool MediaPipeline::seek(qint64 milliseconds) const
{
    return gst_element_seek_simple(playbin_, GST_FORMAT_TIME,
                                   GstSeekFlags(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_ACCURATE),
                                   gint64(milliseconds) * GST_MSECOND);
}

std::optional<qint64> MediaPipeline::durationMs() const
{
    gint64 duration = 0;
    if (!gst_element_query_duration(playbin_, GST_FORMAT_TIME, &duration) || duration < 0) {
        return std::nullopt;
    }
    return qint64(duration / GST_MSECOND);
}

std::optional<qint64> MediaPipeline::positionMs() const
{
    gint64 position = 0;
    if (!gst_element_query_position(playbin_, GST_FORMAT_TIME, &position) || position < 0) {
        return std::nullopt;
    }
    return qint64(position / GST_MSECOND);
}

int MediaPipeline::videoStreams() const
{
    gint streams = 0;
    g_object_get(playbin_, "n-video", &streams, nullptr);
    return audioOnly_ ? 0 : streams;
}

bool MediaPipeline::hasStreams() const
{
    gint audioStreams = 0;
    g_object_get(playbin_, "n-audio", &audioStreams, nullptr);
    return audioStreams > 0 || videoStreams() > 0;
}

QSize MediaPipeline::videoSize() const
{
    GstPad* pad = nullptr;
    g_signal_emit_by_name(playbin_, "get-video-pad", 0, &pad);
    if (!pad) {
        return QSize();
    }
    QSize size;
    if (GstCaps* caps = gst_pad_get_current_caps(pad)) {
        const GstStructure* format = gst_caps_get_structure(caps, 0);
        int width = 0, height = 0;
        if (format && gst_structure_get_int(format, "width", &width) &&
            gst_structure_get_int(format, "height", &height) && width > 0 && height > 0) {
            size = QSize(width, height);
        }
        gst_caps_unref(caps);
    }
    gst_object_unref(pad);
    return size;
}

GstMessage* MediaPipeline::popMessage() const
{
    return bus_ ? gst_bus_pop_filtered(bus_, keptMessages) : nullptr;
}

quint32 MediaPipeline::popError() const
{
    // A failed state change can be seen a moment before its error reaches the bus.
    GstMessage* message =
        bus_ ? gst_bus_timed_pop_filtered(bus_, errorWait, GST_MESSAGE_ERROR) : nullptr;
    if (!message) {
        return MciError::Hardware;
    }
    GError* error = nullptr;
    gst_message_parse_error(message, &error, nullptr);
    const quint32 code = MciErrorOf(error);
    g_clear_error(&error);
    gst_message_unref(message);
    return code;
}

// Only the end and errors are kept for the device; everything else is dropped at once.
GstBusSyncReply MediaPipeline::onBusMessage(GstBus*, GstMessage* message, gpointer self)
{
    if ((GST_MESSAGE_TYPE(message) & keptMessages) == 0) {
        return GST_BUS_DROP;
    }
    MediaDevice* device = &static_cast<MediaPipeline*>(self)->device_;
    QMetaObject::invokeMethod(
        device, [device] { device->drainBus(); }, Qt::QueuedConnection);
    return GST_BUS_PASS;
}

GstFlowReturn MediaPipeline::onSample(GstElement* sink, gpointer self)
{
    GstSample* sample = nullptr;
    g_signal_emit_by_name(sink, "pull-sample", &sample);
    if (sample) {
        static_cast<MediaPipeline*>(self)->takeSample(sample);
        gst_sample_unref(sample);
    }
    return GST_FLOW_OK;
}

GstFlowReturn MediaPipeline::onPreroll(GstElement* sink, gpointer self)
{
    GstSample* sample = nullptr;
    g_signal_emit_by_name(sink, "pull-preroll", &sample);
    if (sample) {
        static_cast<MediaPipeline*>(self)->takeSample(sample);
        gst_sample_unref(sample);
    }
    return GST_FLOW_OK;
}

MediaVideoFrame MediaPipeline::frame() const
{
    std::lock_guard lock(frameMutex_);
    return frame_;
}

// Keeps a copy of a packed picture of sane size and tells the device once per batch.
void MediaPipeline::takeSample(GstSample* sample)
{
    GstCaps* caps = gst_sample_get_caps(sample);
    const GstStructure* format = caps ? gst_caps_get_structure(caps, 0) : nullptr;
    GstBuffer* buffer = gst_sample_get_buffer(sample);
    int width = 0, height = 0;
    if (!format || !buffer || !gst_structure_get_int(format, "width", &width) ||
        !gst_structure_get_int(format, "height", &height) || width <= 0 || height <= 0 ||
        width > maxFrameSide || height > maxFrameSide) {
        return;
    }
    GstMapInfo map;
    if (!gst_buffer_map(buffer, &map, GST_MAP_READ)) {
        return;
    }
    const qsizetype bytes = qsizetype(width) * 4 * height;
    if (qsizetype(map.size) >= bytes) {
        MediaVideoFrame copy{QByteArray(reinterpret_cast<const char*>(map.data), bytes), width,
                             height, width * 4};
        std::lock_guard lock(frameMutex_);
        frame_ = std::move(copy);
    }
    gst_buffer_unmap(buffer, &map);
    if (!frameQueued_.exchange(true)) {
        MediaDevice* device = &device_;
        QMetaObject::invokeMethod(
            device, [device] { device->takeFrame(); }, Qt::QueuedConnection);
    }
}
