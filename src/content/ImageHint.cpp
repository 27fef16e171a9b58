#include "content/ImageHint.h"

#include <QLabel>
#include <utility>

TImageHint::TImageHint(ObjectProbe objectUnderCursor, CursorProbe cursor)
    : objectUnderCursor_(std::move(objectUnderCursor)), cursor_(std::move(cursor))
{
    timer_.setInterval(IntervalMs);
    connect(&timer_, &QTimer::timeout, this, &TImageHint::Tick);
}

TImageHint::~TImageHint()
{
    delete window_;
}

void TImageHint::MouseMoved(const ViewerObject& object)
{
    if (object.kind == ViewerObject::None) {
        objectId_.reset();
    } else if (object.hasHint() && object.id != objectId_ && !timer_.isActive()) {
        ticks_ = 0;
        timer_.start();
    }
}

void TImageHint::Tick()
{
    ++ticks_;
    const ViewerObject object = objectUnderCursor_ ? objectUnderCursor_() : ViewerObject();
    if (object.kind == ViewerObject::None) {
        objectId_.reset();
        Hide();
    } else if (ticks_ >= TicksToHide) {
        Hide();
    } else if (ticks_ < TicksToShow || (shown_ && object.id == objectId_) || !object.isImage()) {
        return;
    } else if (object.hasHint()) {
        Show(object);
        if (object.id != objectId_) {
            ticks_ = TicksToShow;
            objectId_ = object.id;
        }
    } else {
        Hide();
    }
}

void TImageHint::Hide()
{
    timer_.stop();
    delete window_;
    shown_ = false;
}

void TImageHint::Show(const ViewerObject& object)
{
    if (!window_) {
        window_ = new QLabel(nullptr, Qt::ToolTip);
        window_->setStyleSheet(QStringLiteral("QLabel { background: #E1FFFF; color: black; "
                                              "border: 1px solid black; padding: 2px; }"));
        window_->setWordWrap(true);
        window_->setMaximumWidth(MaxWidth);
    }
    window_->setText(object.hint);
    window_->adjustSize();
    const QPoint cursor = cursor_ ? cursor_() : QPoint();
    window_->move(cursor.x(), cursor.y() + BelowCursor);
    window_->show();
    shown_ = true;
}

QString TImageHint::ShownText() const
{
    return shown_ && window_ ? window_->text() : QString();
}

QPoint TImageHint::ShownAt() const
{
    return shown_ && window_ ? window_->pos() : QPoint();
}
