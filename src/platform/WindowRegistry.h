#pragma once

#include "platform/InstanceMessage.h"

#include <QList>
#include <QMutex>
#include <QString>
#include <functional>
#include <optional>

// Opaque handle of a top-level window, unique across the program's processes:
// the owner's process id in the high 32 bits, a serial number below.
using TWindowHandle = quint64;

// The program's top-level windows as the shell looks for them: by caption,
// visible ones only, from the most recently activated down (what the z-order
// means here). Windows of this process register themselves; once the
// instances layer is started (Instances::Start) those of the other processes
// stand behind the same calls.
class WindowRegistry {
public:
    using CopyDataHandler = std::function<void(TWindowHandle sender, const RInstanceMessage&)>;
    using MessageHandler = std::function<void(quint32 message, quint64 wParam, qint64 lParam)>;

    // What a window offers to the others. Every callback is optional.
    struct Window {
        std::function<QString()> caption;
        std::function<bool()> visible;
        std::function<void()> close;        // the close request (WM_CLOSE)
        std::function<void()> showNormal;   // restore from minimised or maximised
        std::function<void()> bringToFront; // raise and activate
        CopyDataHandler copyData;
        MessageHandler message; // private messages (1224, 1225, 1690)
    };
    struct Info {
        TWindowHandle handle = 0;
        QString caption;
        bool visible = false;
        qint64 activated = 0; // monotonic clock of the machine, ns; larger is nearer the top
    };
    // One request to a window, local or in another process.
    struct Request {
        enum class Type { Close, ShowNormal, BringToFront, CopyData, Message };
        Type type = Type::Close;
        TWindowHandle sender = 0; // CopyData
        RInstanceMessage data;    // CopyData
        quint32 message = 0;      // Message
        quint64 wParam = 0;
        qint64 lParam = 0;
    };
    // The windows of the other processes; the instances layer installs one.
    class Peers {
    public:
        virtual ~Peers() = default;
        virtual QList<Info> PeerWindows() = 0;
        virtual bool DeliverToPeer(TWindowHandle target, const Request& request) = 0;
    };

    static WindowRegistry& instance();

    // A new window goes on top.
    TWindowHandle Register(Window window);
    void Unregister(TWindowHandle handle);
    // The window was activated: it moves to the top.
    void Activated(TWindowHandle handle);
    // Sets the copy-data and message handlers of a registered window.
    bool SetMessageHandlers(TWindowHandle handle, CopyDataHandler copyData, MessageHandler message);

    // Every window of every process, topmost first.
    QList<Info> TopLevelWindows() const;
    // Those of this process only.
    QList<Info> LocalTopLevelWindows() const;
    // The topmost visible window whose caption, cut to maxLength characters,
    // equals the wanted one without regard to case (Cyrillic included).
    std::optional<TWindowHandle> FindWindowByCaption(const QString& caption,
                                                     int maxLength = 127) const;
    // Sends the close request; false when the handle is unknown.
    bool SendClose(TWindowHandle handle);

    bool Contains(TWindowHandle handle) const { return windowOf(handle).has_value(); }
    // Runs a request on a window of this process now; false when unknown.
    bool DeliverLocal(TWindowHandle target, const Request& request);
    // The process a handle belongs to, and whether it is this one.
    static quint32 ProcessOfHandle(TWindowHandle handle) { return quint32(handle >> 32); }
    static bool IsLocalHandle(TWindowHandle handle);

    void SetPeers(Peers* peers);
    static bool CaptionMatches(const QString& caption, const QString& wanted, int maxLength);

private:
    struct Entry {
        TWindowHandle handle;
        qint64 activated;
        Window window;
    };
    QList<Entry> sortedEntries() const;
    std::optional<Window> windowOf(TWindowHandle handle) const;
    qint64 nextActivation();

    mutable QMutex mutex_;
    QList<Entry> entries_;
    TWindowHandle nextHandle_ = 0;
    qint64 lastActivation_ = 0;
    Peers* peers_ = nullptr;
};
