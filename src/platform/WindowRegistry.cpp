#include "platform/WindowRegistry.h"

#include <algorithm>
#include <ctime>
#include <unistd.h>

namespace {

bool isVisible(const WindowRegistry::Window& window)
{
    return window.visible && window.visible();
}

qint64 monotonicNanoseconds()
{
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

// Every handler is optional; a window without one takes the request and
// does nothing with it.
template <typename Handler, typename... Args> void callIfSet(const Handler& handler, Args&&... args)
{
    if (handler) {
        handler(std::forward<Args>(args)...);
    }
}

TWindowHandle processHandlePart()
{
    return TWindowHandle(quint32(::getpid())) << 32;
}

} // namespace

WindowRegistry& WindowRegistry::instance()
{
    static WindowRegistry registry;
    return registry;
}

bool WindowRegistry::IsLocalHandle(TWindowHandle handle)
{
    return ProcessOfHandle(handle) == quint32(::getpid());
}

// The machine's monotonic clock orders activations across processes; within
// one process two activations never get the same time.
qint64 WindowRegistry::nextActivation()
{
    lastActivation_ = std::max(monotonicNanoseconds(), lastActivation_ + 1);
    return lastActivation_;
}

TWindowHandle WindowRegistry::Register(Window window)
{
    QMutexLocker lock(&mutex_);
    if ((nextHandle_ >> 32) != (processHandlePart() >> 32)) {
        nextHandle_ = processHandlePart() | 1;
    }
    const TWindowHandle handle = nextHandle_++;
    entries_.append({handle, nextActivation(), std::move(window)});
    return handle;
}

void WindowRegistry::Unregister(TWindowHandle handle)
{
    QMutexLocker lock(&mutex_);
    entries_.removeIf([handle](const Entry& entry) { return entry.handle == handle; });
}

void WindowRegistry::Activated(TWindowHandle handle)
{
    QMutexLocker lock(&mutex_);
    for (Entry& entry : entries_) {
        if (entry.handle == handle) {
            entry.activated = nextActivation();
        }
    }
}

bool WindowRegistry::SetMessageHandlers(TWindowHandle handle, CopyDataHandler copyData,
                                        MessageHandler message)
{
    QMutexLocker lock(&mutex_);
    for (Entry& entry : entries_) {
        if (entry.handle == handle) {
            entry.window.copyData = std::move(copyData);
            entry.window.message = std::move(message);
            return true;
        }
    }
    return false;
}

void WindowRegistry::SetPeers(Peers* peers)
{
    QMutexLocker lock(&mutex_);
    peers_ = peers;
}

QList<WindowRegistry::Entry> WindowRegistry::sortedEntries() const
{
    QMutexLocker lock(&mutex_);
    QList<Entry> sorted = entries_;
    std::sort(sorted.begin(), sorted.end(),
              [](const Entry& a, const Entry& b) { return a.activated > b.activated; });
    return sorted;
}

// The callbacks run without the lock held: a window may register or close
// others from inside them.
QList<WindowRegistry::Info> WindowRegistry::LocalTopLevelWindows() const
{
    QList<Info> windows;
    for (const Entry& entry : sortedEntries()) {
        Info info;
        info.handle = entry.handle;
        info.caption = entry.window.caption ? entry.window.caption() : QString();
        info.visible = isVisible(entry.window);
        info.activated = entry.activated;
        windows.append(info);
    }
    return windows;
}

QList<WindowRegistry::Info> WindowRegistry::TopLevelWindows() const
{
    QList<Info> windows = LocalTopLevelWindows();
    Peers* peers = nullptr;
    {
        QMutexLocker lock(&mutex_);
        peers = peers_;
    }
    if (!peers) {
        return windows;
    }
    windows += peers->PeerWindows();
    std::stable_sort(windows.begin(), windows.end(),
                     [](const Info& a, const Info& b) { return a.activated > b.activated; });
    return windows;
}

std::optional<TWindowHandle> WindowRegistry::FindWindowByCaption(const QString& caption,
                                                                 int maxLength) const
{
    for (const Info& info : TopLevelWindows()) {
        if (info.visible && !info.caption.isEmpty() &&
            CaptionMatches(info.caption, caption, maxLength)) {
            return info.handle;
        }
    }
    return std::nullopt;
}

bool WindowRegistry::SendClose(TWindowHandle handle)
{
    Request request;
    request.type = Request::Type::Close;
    if (IsLocalHandle(handle)) {
        return DeliverLocal(handle, request);
    }
    QMutexLocker lock(&mutex_);
    Peers* peers = peers_;
    lock.unlock();
    return peers && peers->DeliverToPeer(handle, request);
}

std::optional<WindowRegistry::Window> WindowRegistry::windowOf(TWindowHandle handle) const
{
    QMutexLocker lock(&mutex_);
    for (const Entry& entry : entries_) {
        if (entry.handle == handle) {
            return entry.window;
        }
    }
    return std::nullopt;
}

bool WindowRegistry::DeliverLocal(TWindowHandle target, const Request& request)
{
    const std::optional<Window> window = windowOf(target);
    if (!window) {
        return false;
    }
    using Type = Request::Type;
    switch (request.type) {
    case Type::Close:
        callIfSet(window->close);
        break;
    case Type::ShowNormal:
        callIfSet(window->showNormal);
        break;
    case Type::BringToFront:
        callIfSet(window->bringToFront);
        break;
    case Type::CopyData:
        callIfSet(window->copyData, request.sender, request.data);
        break;
    case Type::Message:
        callIfSet(window->message, request.message, request.wParam, request.lParam);
        break;
    }
    return true;
}

bool WindowRegistry::CaptionMatches(const QString& caption, const QString& wanted, int maxLength)
{
    return caption.left(maxLength).compare(wanted, Qt::CaseInsensitive) == 0;
}
