#include "platform/GstSoundPlayer.h"

#include "platform/VirtualFs.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QUrl>
#include <gst/gst.h>
#include <mutex>

namespace {

constexpr guint playAudioOnly = (1u << 1) | (1u << 4); // audio, soft volume
constexpr auto endMessages = GstMessageType(GST_MESSAGE_EOS | GST_MESSAGE_ERROR);

bool initialise()
{
    static bool initialised = false;
    static std::once_flag once;
    std::call_once(once, [] {
        GError* error = nullptr;
        initialised = gst_init_check(nullptr, nullptr, &error);
        g_clear_error(&error);
    });
    return initialised;
}

GstElement* sinkFromEnvironment()
{
    const QByteArray description = qgetenv("DISCSHELL_AUDIO_SINK").trimmed();
    if (description.isEmpty()) {
        return nullptr;
    }
    GError* error = nullptr;
    GstElement* sink = gst_parse_bin_from_description(description.constData(), TRUE, &error);
    g_clear_error(&error);
    return sink;
}

void release(GstElement* pipeline)
{
    if (pipeline) {
        gst_element_set_state(pipeline, GST_STATE_NULL);
        gst_object_unref(pipeline);
    }
}

// Whether the pipeline has ended or failed; with a timeout, waits that long.
bool ended(GstElement* pipeline, GstClockTime timeout)
{
    GstBus* bus = gst_element_get_bus(pipeline);
    GstMessage* message = gst_bus_timed_pop_filtered(bus, timeout, endMessages);
    gst_object_unref(bus);
    if (message) {
        gst_message_unref(message);
    }
    return message != nullptr;
}

} // namespace

GstSoundPlayer::GstSoundPlayer()
{
    watch_.setInterval(100);
    QObject::connect(&watch_, &QTimer::timeout, [this] { releaseWhenDone(); });
}

GstSoundPlayer::~GstSoundPlayer()
{
    stopCurrent();
}

bool GstSoundPlayer::Available()
{
    return initialise();
}

GstElement* GstSoundPlayer::createPipeline(const QString& hostPath)
{
    GstElement* playbin = gst_element_factory_make("playbin", nullptr);
    if (!playbin) {
        return nullptr;
    }
    const QByteArray uri = QUrl::fromLocalFile(hostPath).toString(QUrl::FullyEncoded).toUtf8();
    g_object_set(playbin, "uri", uri.constData(), "flags", playAudioOnly, nullptr);
    if (GstElement* sink = sinkFromEnvironment()) {
        g_object_set(playbin, "audio-sink", sink, nullptr);
    }
    return playbin;
}

GstElement* GstSoundPlayer::start(const QString& virtualPath)
{
    if (!initialise()) {
        return nullptr;
    }
    const std::optional<QString> host = VirtualFs::instance().resolveExisting(virtualPath);
    if (!host || !QFileInfo(*host).isFile()) {
        return nullptr;
    }
    GstElement* pipeline = createPipeline(*host);
    if (pipeline &&
        gst_element_set_state(pipeline, GST_STATE_PLAYING) == GST_STATE_CHANGE_FAILURE) {
        release(pipeline);
        return nullptr;
    }
    return pipeline;
}

void GstSoundPlayer::stopCurrent()
{
    watch_.stop();
    release(current_);
    current_ = nullptr;
}

void GstSoundPlayer::releaseWhenDone()
{
    if (!current_ || ended(current_, 0)) {
        stopCurrent();
    }
}

void GstSoundPlayer::PlayAsync(const QString& virtualPath)
{
    stopCurrent();
    current_ = start(virtualPath);
    if (current_ && QCoreApplication::instance()) {
        watch_.start();
    }
}

void GstSoundPlayer::PlayAndWait(const QString& virtualPath)
{
    stopCurrent();
    GstElement* pipeline = start(virtualPath);
    if (!pipeline) {
        return;
    }
    ended(pipeline, GstClockTime(maxWaitMs) * GST_MSECOND);
    release(pipeline);
}

// The player goes with the application object, while its timer and
// GStreamer can still be shut down in order.
void InstallGstSoundPlayer()
{
    SetSoundPlayer(std::make_unique<GstSoundPlayer>());
    static bool cleanupAdded = false;
    if (!cleanupAdded && QCoreApplication::instance()) {
        qAddPostRoutine([] { SetSoundPlayer(nullptr); });
        cleanupAdded = true;
    }
}
