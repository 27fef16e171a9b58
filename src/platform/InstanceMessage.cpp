#include "platform/InstanceMessage.h"

#include <QtEndian>
#include <cstring>

namespace {

constexpr int kindOffset = 0;
constexpr int countOffset = 2;
constexpr int selectorsOffset = 4;
constexpr int textsOffset = 16;
constexpr int reservedOffset = 838;

static_assert(textsOffset + RInstanceMessage::SlotCount * RInstanceMessage::SlotSize ==
              reservedOffset);
static_assert(reservedOffset + 2 == RInstanceMessage::Size);

bool isContinuationByte(char byte)
{
    return (uchar(byte) & 0xC0) == 0x80;
}

} // namespace

RInstanceMessage RInstanceMessage::single(quint16 kind, const QString& text)
{
    RInstanceMessage message;
    message.Kind = kind;
    message.Count = 1;
    message.Texts[0] = text;
    return message;
}

bool RInstanceMessage::isKnownKind(quint16 kind)
{
    return kind == KindOpenPage || kind == KindPrintFile || kind == KindAskShown;
}

QByteArray RInstanceMessage::cutUtf8(const QString& text, int maxBytes)
{
    QByteArray bytes = text.toUtf8();
    if (bytes.size() <= maxBytes) {
        return bytes;
    }
    qsizetype end = maxBytes;
    while (end > 0 && isContinuationByte(bytes.at(end))) {
        --end;
    }
    bytes.truncate(end);
    return bytes;
}

QByteArray RInstanceMessage::encode() const
{
    QByteArray bytes(Size, '\0');
    uchar* data = reinterpret_cast<uchar*>(bytes.data());
    qToLittleEndian<quint16>(Kind, data + kindOffset);
    qToLittleEndian<quint16>(Count, data + countOffset);
    for (int i = 0; i < SlotCount; ++i) {
        qToLittleEndian<qint32>(Selectors[i], data + selectorsOffset + 4 * i);
        const QByteArray text = cutUtf8(Texts[i], MaxTextBytes);
        std::memcpy(data + textsOffset + SlotSize * i, text.constData(), size_t(text.size()));
    }
    return bytes;
}

std::optional<RInstanceMessage> RInstanceMessage::decode(const QByteArray& bytes)
{
    if (bytes.size() != Size) {
        return std::nullopt;
    }
    const uchar* data = reinterpret_cast<const uchar*>(bytes.constData());
    RInstanceMessage message;
    message.Kind = qFromLittleEndian<quint16>(data + kindOffset);
    if (!isKnownKind(message.Kind)) {
        return std::nullopt;
    }
    message.Count = qFromLittleEndian<quint16>(data + countOffset);
    for (int i = 0; i < SlotCount; ++i) {
        message.Selectors[i] = qFromLittleEndian<qint32>(data + selectorsOffset + 4 * i);
        const char* slot = bytes.constData() + textsOffset + SlotSize * i;
        const void* terminator = std::memchr(slot, '\0', SlotSize);
        if (!terminator) {
            return std::nullopt;
        }
        message.Texts[i] = QString::fromUtf8(slot, static_cast<const char*>(terminator) - slot);
    }
    return message;
}
