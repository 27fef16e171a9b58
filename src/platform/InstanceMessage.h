#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <array>
#include <optional>

// Private window messages the instances exchange (wParam, lParam as noted).
namespace InstanceMessageId {
// Posted by a window to itself after a print request: print the requested file.
constexpr quint32 PrintRequest = 1224;
// The answer to a "is this file shown" query, sent back to the asking window:
// wParam 1 yes, 0 no; lParam 0.
constexpr quint32 Reply = 1225;
// Posted to the sender of an open-page request once the page is shown:
// wParam the handle of the window that shows it; lParam 0.
constexpr quint32 PageShown = 1690;
} // namespace InstanceMessageId

// The record one instance hands another by copy-data: 840 bytes, byte for
// byte little-endian: Kind u16 at 0, Count u16 at 2, Selectors 3 x s32 at 4,
// Texts 3 x 274 bytes at 16 (each NUL-terminated UTF-8), reserved u16 (zero)
// at 838.
struct RInstanceMessage {
    static constexpr int Size = 840;
    static constexpr int SlotCount = 3;
    static constexpr int SlotSize = 274;
    static constexpr int MaxTextBytes = SlotSize - 1; // the NUL takes the last byte

    // Kinds.
    static constexpr quint16 KindOpenPage = 0;  // slot 0: the page to show
    static constexpr quint16 KindPrintFile = 1; // slots as Selectors say: 0 file, 1 width, 2 height
    static constexpr quint16 KindAskShown = 3;  // slot 0: a file; answered by the Reply message

    quint16 Kind = KindOpenPage;
    quint16 Count = 1; // text slots used; senders put 1
    std::array<qint32, SlotCount> Selectors{};
    std::array<QString, SlotCount> Texts;

    // Kind, Count 1, Selectors zero, the text in slot 0.
    static RInstanceMessage single(quint16 kind, const QString& text);

    static bool isKnownKind(quint16 kind);

    // The 840 bytes; a text longer than 273 bytes of UTF-8 is cut at a
    // character boundary.
    QByteArray encode() const;
    // Nullopt when the frame is not exactly 840 bytes, the kind is unknown or
    // a text slot lacks its NUL terminator. Bytes after a slot's NUL and the
    // reserved field are ignored.
    static std::optional<RInstanceMessage> decode(const QByteArray& bytes);

    // The UTF-8 form of a text cut to at most maxBytes without splitting a
    // character.
    static QByteArray cutUtf8(const QString& text, int maxBytes);

    bool operator==(const RInstanceMessage&) const = default;
};
