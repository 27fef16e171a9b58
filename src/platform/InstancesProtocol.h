#pragma once

#include "platform/WindowRegistry.h"

#include <QByteArray>
#include <QList>
#include <optional>

// The frames our processes exchange over their local sockets:
//   u32 length (little-endian; the bytes after it), u8 version, u8 type, payload.
// Frames of another version or of an unknown type are skipped; a length
// beyond the reader's cap breaks the stream, which the reader then drops.
// Payloads (integers little-endian):
//   ListWindows    nothing; answered by WindowList on the same connection
//   WindowList     u16 count, then per window: u64 handle, u8 visible,
//                  s64 activated, u16 caption length, caption UTF-8
//   Close, ShowNormal, BringToFront   u64 target
//   CopyData       u64 target, u64 sender, the 840-byte RInstanceMessage
//   Message        u64 target, u32 message, u64 wParam, s64 lParam
class InstancesProtocol {
public:
    static constexpr quint8 Version = 1;
    static constexpr int HeaderSize = 6;
    static constexpr int MaxRequestFrame = 4096; // what a server accepts
    static constexpr int MaxReplyFrame = 65536;  // what a window list may take
    static constexpr int MaxWindows = 256;       // windows in one list
    static constexpr int MaxCaptionLength = 255; // characters of a listed caption

    enum class Type : quint8 {
        ListWindows = 1,
        WindowList = 2,
        Close = 3,
        ShowNormal = 4,
        BringToFront = 5,
        CopyData = 6,
        Message = 7,
    };
    struct Frame {
        Type type;
        QByteArray payload;
    };

    static QByteArray frame(Type type, const QByteArray& payload = QByteArray());
    static QByteArray windowList(const QList<WindowRegistry::Info>& windows);
    // Windows of the peer; those whose handle names another process are left out.
    static std::optional<QList<WindowRegistry::Info>> parseWindowList(const QByteArray& payload,
                                                                      quint32 peerPid);
    static QByteArray request(TWindowHandle target, const WindowRegistry::Request& request);
    // The target and request of a request frame; nullopt when malformed.
    static std::optional<std::pair<TWindowHandle, WindowRegistry::Request>>
    parseRequest(const Frame& frame);
};

// Cuts frames off a byte stream as it arrives.
class InstanceFrameReader {
public:
    explicit InstanceFrameReader(int maxFrame) : maxFrame_(maxFrame) {}

    void append(const QByteArray& bytes);
    // The next complete frame of this version and a known type; nullopt when
    // none is complete yet (or the stream is broken).
    std::optional<InstancesProtocol::Frame> next();
    // A frame was longer than the cap or shorter than its header: nothing
    // further from this stream can be trusted.
    bool broken() const { return broken_; }

private:
    int maxFrame_;
    QByteArray buffer_;
    qsizetype start_ = 0; // frames before it were taken; dropped in bulk
    bool broken_ = false;
};
