#pragma once

#include "platform/WindowRegistry.h"

#include <QHash>
#include <QObject>

class QWidget;

// Publishes the program's top-level widgets in the window registry: each is
// registered when first shown, raised when activated and dropped when
// destroyed, so windows find each other by caption.
class TTopLevelTracker : public QObject {
    Q_OBJECT
public:
    // Installs the tracker on the application once; later calls do nothing.
    static void Install();
    // Registers a window now (it is shown later); its handle.
    static TWindowHandle Track(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit TTopLevelTracker(QObject* parent);
    TWindowHandle track(QWidget* window);
    void forget(QObject* window);

    QHash<QObject*, TWindowHandle> handles_;
};
