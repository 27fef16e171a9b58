#include "platform/InstancesProtocol.h"

#include <QDataStream>
#include <QIODevice>
#include <QtEndian>

namespace {

using Type = InstancesProtocol::Type;
using RequestType = WindowRegistry::Request::Type;

constexpr int handleSize = 8;
constexpr int copyDataSize = 2 * handleSize + RInstanceMessage::Size;
constexpr int messageSize = handleSize + 4 + 8 + 8;

bool isKnownType(quint8 type)
{
    return type >= quint8(Type::ListWindows) && type <= quint8(Type::Message);
}

QDataStream& littleEndian(QDataStream& stream)
{
    stream.setByteOrder(QDataStream::LittleEndian);
    return stream;
}

std::optional<RequestType> requestTypeOf(Type type)
{
    switch (type) {
    case Type::Close:
        return RequestType::Close;
    case Type::ShowNormal:
        return RequestType::ShowNormal;
    case Type::BringToFront:
        return RequestType::BringToFront;
    case Type::CopyData:
        return RequestType::CopyData;
    case Type::Message:
        return RequestType::Message;
    default:
        return std::nullopt;
    }
}

Type frameTypeOf(RequestType type)
{
    switch (type) {
    case RequestType::Close:
        return Type::Close;
    case RequestType::ShowNormal:
        return Type::ShowNormal;
    case RequestType::BringToFront:
        return Type::BringToFront;
    case RequestType::CopyData:
        return Type::CopyData;
    case RequestType::Message:
        break;
    }
    return Type::Message;
}

qsizetype expectedRequestSize(RequestType type)
{
    switch (type) {
    case RequestType::CopyData:
        return copyDataSize;
    case RequestType::Message:
        return messageSize;
    default:
        return handleSize;
    }
}

} // namespace

QByteArray InstancesProtocol::frame(Type type, const QByteArray& payload)
{
    QByteArray bytes(HeaderSize, '\0');
    qToLittleEndian<quint32>(quint32(payload.size() + 2), bytes.data());
    bytes[4] = char(Version);
    bytes[5] = char(type);
    return bytes + payload;
}

QByteArray InstancesProtocol::windowList(const QList<WindowRegistry::Info>& windows)
{
    QByteArray payload;
    QDataStream stream(&payload, QIODevice::WriteOnly);
    littleEndian(stream);
    const auto count = std::min<qsizetype>(windows.size(), MaxWindows);
    stream << quint16(count);
    for (qsizetype i = 0; i < count; ++i) {
        const WindowRegistry::Info& window = windows.at(i);
        const QByteArray caption = window.caption.left(MaxCaptionLength).toUtf8();
        stream << quint64(window.handle) << quint8(window.visible ? 1 : 0)
               << qint64(window.activated) << quint16(caption.size());
        stream.writeRawData(caption.constData(), int(caption.size()));
    }
    return frame(Type::WindowList, payload);
}

std::optional<QList<WindowRegistry::Info>>
InstancesProtocol::parseWindowList(const QByteArray& payload, quint32 peerPid)
{
    QDataStream stream(payload);
    littleEndian(stream);
    quint16 count = 0;
    stream >> count;
    if (count > MaxWindows) {
        return std::nullopt;
    }
    QList<WindowRegistry::Info> windows;
    for (int i = 0; i < count; ++i) {
        quint64 handle = 0;
        quint8 visible = 0;
        qint64 activated = 0;
        quint16 captionSize = 0;
        stream >> handle >> visible >> activated >> captionSize;
        if (stream.status() != QDataStream::Ok || captionSize > 4 * MaxCaptionLength) {
            return std::nullopt;
        }
        QByteArray caption(captionSize, '\0');
        if (stream.readRawData(caption.data(), captionSize) != captionSize) {
            return std::nullopt;
        }
        if (WindowRegistry::ProcessOfHandle(handle) == peerPid) {
            windows.append({handle, QString::fromUtf8(caption), visible != 0, activated});
        }
    }
    if (stream.status() != QDataStream::Ok || !stream.atEnd()) {
        return std::nullopt;
    }
    return windows;
}

QByteArray InstancesProtocol::request(TWindowHandle target, const WindowRegistry::Request& request)
{
    QByteArray payload;
    QDataStream stream(&payload, QIODevice::WriteOnly);
    littleEndian(stream);
    stream << quint64(target);
    if (request.type == RequestType::CopyData) {
        const QByteArray record = request.data.encode();
        stream << quint64(request.sender);
        stream.writeRawData(record.constData(), int(record.size()));
    } else if (request.type == RequestType::Message) {
        stream << quint32(request.message) << quint64(request.wParam) << qint64(request.lParam);
    }
    return frame(frameTypeOf(request.type), payload);
}

std::optional<std::pair<TWindowHandle, WindowRegistry::Request>>
InstancesProtocol::parseRequest(const Frame& frame)
{
    const std::optional<RequestType> type = requestTypeOf(frame.type);
    if (!type || frame.payload.size() != expectedRequestSize(*type)) {
        return std::nullopt;
    }
    QDataStream stream(frame.payload);
    littleEndian(stream);
    quint64 target = 0;
    stream >> target;
    WindowRegistry::Request request;
    request.type = *type;
    if (*type == RequestType::CopyData) {
        quint64 sender = 0;
        stream >> sender;
        const auto record = RInstanceMessage::decode(frame.payload.mid(2 * handleSize));
        if (!record) {
            return std::nullopt;
        }
        request.sender = sender;
        request.data = *record;
    } else if (*type == RequestType::Message) {
        stream >> request.message >> request.wParam >> request.lParam;
    }
    return std::make_pair(TWindowHandle(target), request);
}

void InstanceFrameReader::append(const QByteArray& bytes)
{
    if (broken_) {
        return;
    }
    // Taken frames are dropped once they are the larger part, so that many
    // small frames in one delivery cost time in proportion to their bytes.
    if (start_ > buffer_.size() / 2) {
        buffer_.remove(0, start_);
        start_ = 0;
    }
    buffer_ += bytes;
}

std::optional<InstancesProtocol::Frame> InstanceFrameReader::next()
{
    while (!broken_ && buffer_.size() - start_ >= 4) {
        const char* head = buffer_.constData() + start_;
        const quint32 length = qFromLittleEndian<quint32>(head);
        if (length < 2 || length > quint32(maxFrame_)) {
            broken_ = true;
            buffer_.clear();
            start_ = 0;
            return std::nullopt;
        }
        if (buffer_.size() - start_ < qsizetype(4 + length)) {
            return std::nullopt;
        }
        const quint8 version = quint8(head[4]);
        const quint8 type = quint8(head[5]);
        QByteArray payload = buffer_.mid(start_ + InstancesProtocol::HeaderSize, length - 2);
        start_ += 4 + length;
        if (start_ == buffer_.size()) {
            buffer_.clear();
            start_ = 0;
        }
        if (version == InstancesProtocol::Version && isKnownType(type)) {
            return InstancesProtocol::Frame{InstancesProtocol::Type(type), payload};
        }
    }
    return std::nullopt;
}
