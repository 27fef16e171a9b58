#include "shell/TopLevelTracker.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QWidget>

namespace {

TTopLevelTracker* installed = nullptr;

} // namespace

TTopLevelTracker::TTopLevelTracker(QObject* parent) : QObject(parent) {}

void TTopLevelTracker::Install()
{
    if (installed || !qApp) {
        return;
    }
    installed = new TTopLevelTracker(qApp);
    qApp->installEventFilter(installed);
    QObject::connect(installed, &QObject::destroyed, [] { installed = nullptr; });
}

TWindowHandle TTopLevelTracker::Track(QWidget* window)
{
    Install();
    return installed ? installed->track(window) : 0;
}

TWindowHandle TTopLevelTracker::track(QWidget* window)
{
    if (const auto known = handles_.constFind(window); known != handles_.constEnd()) {
        return *known;
    }
    QPointer<QWidget> guarded(window);
    WindowRegistry::Window entry;
    entry.caption = [guarded] { return guarded ? guarded->windowTitle() : QString(); };
    entry.visible = [guarded] { return guarded && guarded->isVisible(); };
    entry.close = [guarded] {
        if (guarded) {
            guarded->close();
        }
    };
    entry.showNormal = [guarded] {
        if (guarded && (guarded->isMinimized() || guarded->isMaximized())) {
            guarded->showNormal();
        }
    };
    entry.bringToFront = [guarded] {
        if (guarded) {
            guarded->raise();
            guarded->activateWindow();
        }
    };
    const TWindowHandle handle = WindowRegistry::instance().Register(std::move(entry));
    handles_.insert(window, handle);
    connect(window, &QObject::destroyed, this, [this](QObject* gone) { forget(gone); });
    return handle;
}

void TTopLevelTracker::forget(QObject* window)
{
    const auto found = handles_.find(window);
    if (found != handles_.end()) {
        WindowRegistry::instance().Unregister(*found);
        handles_.erase(found);
    }
}

bool TTopLevelTracker::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if ((type == QEvent::Show || type == QEvent::WindowActivate) && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        if (widget->isWindow() && widget->windowType() != Qt::ToolTip) {
            const TWindowHandle handle = track(widget);
            WindowRegistry::instance().Activated(handle);
        }
    }
    return QObject::eventFilter(watched, event);
}
