#pragma once

#include "engine/HtmlViewerTypes.h"

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <optional>

class QLabel;

// The hint of an image in a page: shown two ticks of 200 ms after the mouse
// came to rest on an image with a hint text, hidden at the 21st tick or when
// the mouse leaves the image.
class TImageHint : public QObject {
    Q_OBJECT
public:
    using ObjectProbe = std::function<ViewerObject()>;
    using CursorProbe = std::function<QPoint()>;

    // objectUnderCursor: what the current viewer has under the cursor;
    // cursor: the cursor in screen coordinates.
    TImageHint(ObjectProbe objectUnderCursor, CursorProbe cursor);
    ~TImageHint() override;

    // The mouse moved over a viewer and is over object.
    void MouseMoved(const ViewerObject& object);
    // One tick of the timer.
    void Tick();
    void Hide();

    bool Shown() const { return shown_; }
    int Ticks() const { return ticks_; }
    bool TimerActive() const { return timer_.isActive(); }
    QString ShownText() const;
    QPoint ShownAt() const;

    static constexpr int IntervalMs = 200;
    static constexpr int TicksToShow = 2;
    static constexpr int TicksToHide = 21;
    static constexpr int MaxWidth = 300;
    static constexpr int BelowCursor = 18;

private:
    void Show(const ViewerObject& object);

    ObjectProbe objectUnderCursor_;
    CursorProbe cursor_;
    QTimer timer_;
    QPointer<QLabel> window_;
    std::optional<quint64> objectId_; // the image whose hint is shown
    int ticks_ = 0;
    bool shown_ = false;
};
