#include "WindowRegistry.h"

#include <algorithm>

WindowRegistry& WindowRegistry::instance()
{
    static WindowRegistry registry;
    return registry;
}

TWindowHandle WindowRegistry::Register(Window window)
{
    QMutexLocker lock(&mutex_);
    const TWindowHandle handle = nextHandle_++;
    entries_.append({handle, ++raiseCounter_, std::move(window)});
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
            entry.raised = ++raiseCounter_;
        }
    }
}

QList<WindowRegistry::Entry> WindowRegistry::sortedEntries() const
{
    QMutexLocker lock(&mutex_);
    QList<Entry> sorted = entries_;
    std::sort(sorted.begin(), sorted.end(),
              [](const Entry& a, const Entry& b) { return a.raised > b.raised; });
    return sorted;
}

// The callbacks run without the lock held: a window may register or close
// others from inside them.
QList<WindowRegistry::Info> WindowRegistry::TopLevelWindows() const
{
    QList<Info> windows;
    for (const Entry& entry : sortedEntries()) {
        Info info;
        info.handle = entry.handle;
        info.caption = entry.window.caption ? entry.window.caption() : QString();
        info.visible = entry.window.visible && entry.window.visible();
        windows.append(info);
    }
    return windows;
}

std::optional<TWindowHandle> WindowRegistry::FindWindowByCaption(const QString& caption,
                                                                 int maxLength) const
{
    for (const Info& info : TopLevelWindows()) {
        if (info.visible && CaptionMatches(info.caption, caption, maxLength)) {
            return info.handle;
        }
    }
    return std::nullopt;
}

bool WindowRegistry::SendClose(TWindowHandle handle)
{
    std::function<void()> close;
    {
        QMutexLocker lock(&mutex_);
        for (const Entry& entry : entries_) {
            if (entry.handle == handle) {
                close = entry.window.close;
            }
        }
    }
    if (!close) {
        return false;
    }
    close();
    return true;
}

bool WindowRegistry::CaptionMatches(const QString& caption, const QString& wanted, int maxLength)
{
    return caption.left(maxLength).compare(wanted, Qt::CaseInsensitive) == 0;
}
