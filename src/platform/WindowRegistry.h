#pragma once

#include <QList>
#include <QMutex>
#include <QString>
#include <functional>
#include <optional>

// Opaque handle of a top-level window, unique within the process.
using TWindowHandle = quint64;

// The program's top-level windows as the shell looks for them: by caption,
// visible ones only, from the most recently activated down (what the z-order
// means here). Windows of this process register themselves; the instances
// layer adds those of other processes behind the same calls.
class WindowRegistry {
public:
    // What a window offers to the others.
    struct Window {
        std::function<QString()> caption;
        std::function<bool()> visible;
        std::function<void()> close; // the close request (WM_CLOSE)
    };
    struct Info {
        TWindowHandle handle = 0;
        QString caption;
        bool visible = false;
    };

    static WindowRegistry& instance();

    // A new window goes on top.
    TWindowHandle Register(Window window);
    void Unregister(TWindowHandle handle);
    // The window was activated: it moves to the top.
    void Activated(TWindowHandle handle);

    // Every window, topmost first.
    QList<Info> TopLevelWindows() const;
    // The topmost visible window whose caption, cut to maxLength characters,
    // equals the wanted one without regard to case (Cyrillic included).
    std::optional<TWindowHandle> FindWindowByCaption(const QString& caption,
                                                     int maxLength = 127) const;
    // Sends the close request; false when the handle is unknown.
    bool SendClose(TWindowHandle handle);

    static bool CaptionMatches(const QString& caption, const QString& wanted, int maxLength);

private:
    struct Entry {
        TWindowHandle handle;
        quint64 raised; // larger is nearer the top
        Window window;
    };
    QList<Entry> sortedEntries() const;

    mutable QMutex mutex_;
    QList<Entry> entries_;
    TWindowHandle nextHandle_ = 1;
    quint64 raiseCounter_ = 0;
};
