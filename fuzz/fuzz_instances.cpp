// Reads arbitrary bytes as what a peer sends over an instances socket: the
// stream is cut into frames (fed in pieces, as a socket delivers it), each
// frame read as a request or a window list, and each copy-data record as the
// 840-byte message. Whatever is read must be written again as it was read.

#include "platform/InstanceMessage.h"
#include "platform/InstancesProtocol.h"

#include <QtEndian>
#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace {

using Protocol = InstancesProtocol;

// Texts of a copy-data record that were not valid UTF-8 are read with
// replacement characters, which may be cut when written; the rest of a
// request always comes back as it was.
bool sameRequest(const WindowRegistry::Request& a, const WindowRegistry::Request& b, bool withTexts)
{
    return a.type == b.type && a.sender == b.sender && a.data.Kind == b.data.Kind &&
           a.data.Count == b.data.Count && a.data.Selectors == b.data.Selectors &&
           (!withTexts || a.data.Texts == b.data.Texts) && a.message == b.message &&
           a.wParam == b.wParam && a.lParam == b.lParam;
}

// A frame cut off a stream of one more frame.
Protocol::Frame reframed(const QByteArray& bytes)
{
    InstanceFrameReader reader(Protocol::MaxReplyFrame);
    reader.append(bytes);
    const std::optional<Protocol::Frame> frame = reader.next();
    if (!frame) {
        __builtin_trap();
    }
    return *frame;
}

using ParsedRequest = std::optional<std::pair<TWindowHandle, WindowRegistry::Request>>;

ParsedRequest rewritten(const ParsedRequest& request)
{
    return Protocol::parseRequest(reframed(Protocol::request(request->first, request->second)));
}

// Once written, a request reads as it is written.
void readRequest(const Protocol::Frame& frame)
{
    const ParsedRequest request = Protocol::parseRequest(frame);
    if (!request) {
        return;
    }
    const ParsedRequest written = rewritten(request);
    if (!written || written->first != request->first ||
        !sameRequest(written->second, request->second, false)) {
        __builtin_trap();
    }
    const ParsedRequest again = rewritten(written);
    if (!again || again->first != written->first ||
        !sameRequest(again->second, written->second, true)) {
        __builtin_trap();
    }
}

void readWindowList(const Protocol::Frame& frame)
{
    // The peer is the process of the first listed window (a handle's high half).
    const quint32 peer =
        frame.payload.size() >= 10 ? qFromLittleEndian<quint32>(frame.payload.constData() + 6) : 0;
    const auto windows = Protocol::parseWindowList(frame.payload, peer);
    if (!windows) {
        return;
    }
    const auto again =
        Protocol::parseWindowList(reframed(Protocol::windowList(*windows)).payload, peer);
    if (!again || again->size() != windows->size()) {
        __builtin_trap();
    }
    for (qsizetype i = 0; i < windows->size(); ++i) {
        if (again->at(i).handle != windows->at(i).handle ||
            again->at(i).visible != windows->at(i).visible) {
            __builtin_trap();
        }
    }
}

// From its first writing on, a record reads as it is written.
void readRecord(const QByteArray& bytes)
{
    const std::optional<RInstanceMessage> message = RInstanceMessage::decode(bytes);
    if (!message) {
        return;
    }
    const std::optional<RInstanceMessage> written = RInstanceMessage::decode(message->encode());
    if (!written || written->Kind != message->Kind || written->Count != message->Count ||
        written->Selectors != message->Selectors) {
        __builtin_trap();
    }
    const std::optional<RInstanceMessage> rewritten = RInstanceMessage::decode(written->encode());
    if (!rewritten || !(*rewritten == *written)) {
        __builtin_trap();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0) {
        return 0;
    }
    // The first byte: the cap (a server's or a client's) and the piece size.
    const int cap = (data[0] & 1) ? Protocol::MaxReplyFrame : Protocol::MaxRequestFrame;
    const size_t piece = 1 + (data[0] >> 1) * 97;
    const char* bytes = reinterpret_cast<const char*>(data) + 1;
    const size_t length = size - 1;
    readRecord(QByteArray(bytes, qsizetype(length)).left(RInstanceMessage::Size));
    InstanceFrameReader reader(cap);
    for (size_t at = 0; at < length && !reader.broken(); at += piece) {
        reader.append(QByteArray(bytes + at, qsizetype(std::min(piece, length - at))));
        while (const std::optional<Protocol::Frame> frame = reader.next()) {
            if (frame->payload.size() + Protocol::HeaderSize > cap + 4) {
                __builtin_trap();
            }
            readRequest(*frame);
            readWindowList(*frame);
        }
    }
    return 0;
}
