// The MCI error numbers: their texts, and what a pipeline error stands for.
#include "platform/MediaPipeline.h"

#include <QHash>

QString MciError::Text(quint32 code)
{
    static const QHash<quint32, QString> texts = {
        {0, QStringLiteral("The command was carried out.")},
        {InvalidDeviceId, QStringLiteral("The device is not open.")},
        {Hardware, QStringLiteral("The media device failed; check the sound and video output.")},
        {CannotLoadDriver, QStringLiteral("No driver can play this kind of media.")},
        {FileNotFound, QStringLiteral("The file cannot be found.")},
        {DeviceNotReady, QStringLiteral("The device did not become ready in time.")},
        {OutOfRange, QStringLiteral("The position lies outside the media.")},
        {BadTimeFormat, QStringLiteral("The time format is not supported.")},
        {InvalidFile, QStringLiteral("The file is not a valid media file.")},
        {NonapplicableFunction, QStringLiteral("The command cannot be done in this mode.")},
        {FilenameRequired, QStringLiteral("A file name is required.")},
        {FileRead, QStringLiteral("The file cannot be read.")},
    };
    return texts.value(code);
}

namespace {

quint32 resourceError(int code)
{
    switch (code) {
    case GST_RESOURCE_ERROR_NOT_FOUND:
        return MciError::FileNotFound;
    case GST_RESOURCE_ERROR_READ:
    case GST_RESOURCE_ERROR_OPEN_READ:
    case GST_RESOURCE_ERROR_SEEK:
    case GST_RESOURCE_ERROR_NOT_AUTHORIZED:
        return MciError::FileRead;
    default:
        return MciError::Hardware;
    }
}

} // namespace

quint32 MciErrorOf(const GError* error)
{
    if (!error) {
        return MciError::Hardware;
    }
    if (error->domain == GST_RESOURCE_ERROR) {
        return resourceError(error->code);
    }
    if (error->domain == GST_STREAM_ERROR) {
        return error->code == GST_STREAM_ERROR_CODEC_NOT_FOUND ? MciError::CannotLoadDriver
                                                               : MciError::InvalidFile;
    }
    if (error->domain == GST_CORE_ERROR && error->code == GST_CORE_ERROR_MISSING_PLUGIN) {
        return MciError::CannotLoadDriver;
    }
    return MciError::Hardware;
}
