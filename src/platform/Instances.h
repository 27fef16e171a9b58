#pragma once

#include "platform/InstanceMessage.h"
#include "platform/WindowRegistry.h"

#include <QList>
#include <QString>
#include <optional>

// The program's processes find each other's top-level windows and talk to
// them, in place of window enumeration and window messages. Every process
// listens on a local socket in the private runtime folder
// ("<runtime>/inst-<pid>.sock") and publishes the windows of its
// WindowRegistry. Each call below serves a window of this process directly and
// one of another process through that process's socket; handles are unique
// across processes (WindowRegistry). Everything runs on the GUI thread; no
// call blocks longer than its deadline, whatever a peer does.
//
// Across processes, requests are one-way: the call returns once the request
// is handed to the peer, and the peer's window handles it from its event loop.
class Instances {
public:
    // Starts listening and brings the other processes' windows behind
    // WindowRegistry. Idempotent. The folder defaults to
    // VirtualFs::runtimeFolder(). False when the socket cannot be set up (this
    // process then still sees and reaches the others).
    static bool Start(const QString& folder = QString());
    // Stops listening and removes this process's socket; also run when the
    // application object goes away.
    static void Stop();
    static bool Started();

    // Every top-level window of every process of ours, most recently
    // activated first. Peers that do not answer within about 200 ms are left
    // out; dead peers' sockets are removed on the way.
    static QList<WindowRegistry::Info> TopLevelWindows();
    // The topmost visible window whose caption, cut to maxLength characters,
    // equals the caption without regard to case.
    static std::optional<TWindowHandle> FindWindowByCaption(const QString& caption,
                                                            int maxLength = 127);

    // WM_COPYDATA carrying the record; sender is the asking main window.
    static bool SendCopyData(TWindowHandle target, TWindowHandle sender,
                             const RInstanceMessage& message);
    // A private message (InstanceMessageId). A posted message reaches a window
    // of this process from the event loop, a sent one at once.
    static bool PostMessage(TWindowHandle target, quint32 message, quint64 wParam, qint64 lParam);
    static bool SendMessage(TWindowHandle target, quint32 message, quint64 wParam, qint64 lParam);
    // The close request (WM_CLOSE).
    static bool Close(TWindowHandle target);
    static bool ShowNormal(TWindowHandle target);
    static bool BringToFront(TWindowHandle target);

    // Asks a window whether it shows a file: sends it a kind-3 record (Count 1,
    // Selectors 0, the file in slot 0) from sender, then handles events (not
    // user input) until the Reply message reaches sender or the deadline
    // passes. Yes or no from the answer; nullopt when the target cannot be
    // reached or does not answer in time. The sender window's own message
    // handler sees the Reply as well.
    static std::optional<bool> AskShowsFile(TWindowHandle target, TWindowHandle sender,
                                            const QString& file, int timeoutMs = 500);

    // Host path of a process's socket in the folder.
    static QString socketPath(const QString& folder, quint32 pid);
};
