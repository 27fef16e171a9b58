// The skinned dialog's mouse, keys, painting and closing.

#include "dialogs/CoolDialog.h"
#include "effects/EffBtnCar.h"
#include "effects/EffCar.h"

#include <QCloseEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

namespace {

// Strictly inside: the edges do not count.
bool Inside(QPoint point, qint32 left, qint32 top, qint32 right, qint32 bottom)
{
    return point.x() > left && point.x() < right && point.y() > top && point.y() < bottom;
}

} // namespace

QRect TCoolDialog::ButtonRect(int index) const
{
    const RDialogButton& record = buttons_[size_t(index)].Record;
    return QRect(QPoint(record.Left, record.Top), QPoint(record.Right - 1, record.Bottom - 1));
}

QRect TCoolDialog::SwitchRect(int index) const
{
    const RSwthGrp& record = pages_[page_].Switches[switches_[size_t(index)].Index];
    return QRect(QPoint(record.Left, record.Top), QPoint(record.Right - 1, record.Bottom - 1));
}

RSwthGrp& TCoolDialog::SwitchRecord(const TShownSwitch& shown)
{
    return pages_[page_].Switches[shown.Index];
}

int TCoolDialog::ButtonAt(QPoint point) const
{
    for (size_t index = 0; index < buttons_.size(); ++index) {
        const RDialogButton& r = buttons_[index].Record;
        if (Inside(point, r.Left, r.Top, r.Right, r.Bottom)) {
            return int(index);
        }
    }
    return -1;
}

int TCoolDialog::SwitchAt(QPoint point) const
{
    for (size_t index = 0; index < switches_.size(); ++index) {
        const RSwthGrp& r = pages_[page_].Switches[switches_[index].Index];
        if (Inside(point, r.Left, r.Top, r.Right, r.Bottom)) {
            return int(index);
        }
    }
    return -1;
}

void TCoolDialog::HoverAt(QPoint point)
{
    for (TShownButton& shown : buttons_) {
        const RDialogButton& r = shown.Record;
        const bool inside = Inside(point, r.Left, r.Top, r.Right, r.Bottom);
        if (inside && !shown.Hover) {
            shown.Effect->StartCrossFade(shown.Pic[0], shown.Pic[1], QPoint(r.Left, r.Top));
            shown.Hover = true;
        } else if (!inside && shown.Hover) {
            shown.Effect->StartCrossFade(shown.Pic[1], shown.Pic[0], QPoint(r.Left, r.Top));
            shown.Hover = shown.Pressed = false;
        }
    }
    for (TShownSwitch& shown : switches_) {
        const RSwthGrp& r = SwitchRecord(shown);
        const bool inside = Inside(point, r.Left, r.Top, r.Right, r.Bottom);
        const QImage& rest = shown.Pic[r.State ? 3 : 0];
        const QImage& hover = shown.Pic[r.State ? 2 : 1];
        if (inside && !shown.Hover) {
            shown.Effect->StartCrossFade(rest, hover, QPoint(r.Left, r.Top));
            shown.Hover = true;
        } else if (!inside && shown.Hover) {
            shown.Effect->StartCrossFade(hover, rest, QPoint(r.Left, r.Top));
            shown.Hover = false;
        }
    }
    update();
}

void TCoolDialog::mouseMoveEvent(QMouseEvent* event)
{
    if (dragging_) {
        move(event->globalPosition().toPoint() - dragOffset_);
        return;
    }
    if (!FadingIn() && isVisible()) {
        HoverAt(event->position().toPoint());
    }
}

// A switch that is on stays on: only another of its group turns it off.
void TCoolDialog::PressSwitch(TShownSwitch& shown)
{
    RSwthGrp& record = SwitchRecord(shown);
    if (record.State) {
        return;
    }
    shown.Effect->StartCrossFade(shown.Pic[1], shown.Pic[2], QPoint(record.Left, record.Top));
    for (TShownSwitch& other : switches_) {
        RSwthGrp& member = SwitchRecord(other);
        if (&other != &shown && member.Group == record.Group && member.State) {
            other.Effect->StartCrossFade(other.Pic[3], other.Pic[0],
                                         QPoint(member.Left, member.Top));
            member.State = false;
        }
    }
    record.State = true;
    update();
    RunCommand(record.Command, record.Sound);
}

void TCoolDialog::mousePressEvent(QMouseEvent* event)
{
    if (FadingIn()) {
        return;
    }
    const QPoint point = event->position().toPoint();
    for (TShownButton& shown : buttons_) {
        const RDialogButton& r = shown.Record;
        if (Inside(point, r.Left, r.Top, r.Right, r.Bottom) && !shown.Pressed) {
            shown.Effect->StartCrossFade(shown.Pic[1], shown.Pic[2], QPoint(r.Left, r.Top));
            shown.Pressed = true;
            update();
            return;
        }
    }
    if (const int index = SwitchAt(point); index >= 0) {
        PressSwitch(switches_[size_t(index)]);
        return;
    }
    if (ButtonAt(point) < 0 && event->button() == Qt::LeftButton) {
        dragging_ = true;
        dragOffset_ = event->globalPosition().toPoint() - pos();
    }
}

void TCoolDialog::mouseReleaseEvent(QMouseEvent* event)
{
    dragging_ = false;
    const QPoint point = event->position().toPoint();
    for (size_t index = 0; index < buttons_.size(); ++index) {
        TShownButton& shown = buttons_[index];
        const RDialogButton r = shown.Record;
        if (!Inside(point, r.Left, r.Top, r.Right, r.Bottom)) {
            continue;
        }
        if (!shown.Pressed) {
            shown.Effect->StartCrossFade(shown.Pic[2], shown.Pic[0], QPoint(r.Left, r.Top));
            continue;
        }
        shown.Pressed = false;
        shown.Effect->StartCrossFade(shown.Pic[2], shown.Pic[1], QPoint(r.Left, r.Top));
        if (RunCommand(r.Command, r.Sound)) {
            return;
        }
    }
    for (TShownSwitch& shown : switches_) {
        const RSwthGrp& r = SwitchRecord(shown);
        if (Inside(point, r.Left, r.Top, r.Right, r.Bottom)) {
            shown.Hover = false;
        }
    }
    HoverAt(point);
}

void TCoolDialog::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && context_.PassKey) {
        context_.PassKey(event->key(), event->modifiers());
        return;
    }
    QWidget::keyPressEvent(event);
}

void TCoolDialog::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (FadingIn()) {
        fadeIn_->DrawFrame(painter);
        return;
    }
    painter.drawImage(0, 0, face_);
    for (const TShownButton& shown : buttons_) {
        const QImage& picture = shown.Pressed ? shown.Pic[2] : shown.Pic[1];
        if (shown.Hover && !picture.isNull()) {
            painter.drawImage(shown.Record.Left, shown.Record.Top, picture);
        }
    }
    for (const TShownSwitch& shown : switches_) {
        const RSwthGrp& r = pages_[page_].Switches[shown.Index];
        const int state = shown.Hover ? (r.State ? 2 : 1) : (r.State ? 3 : -1);
        if (state >= 0 && !shown.Pic[size_t(state)].isNull()) {
            painter.drawImage(r.Left, r.Top, shown.Pic[size_t(state)]);
        }
    }
    for (const TShownButton& shown : buttons_) {
        shown.Effect->DrawFrame(painter);
    }
    for (const TShownSwitch& shown : switches_) {
        shown.Effect->DrawFrame(painter);
    }
    if (context_.PaintTexts) {
        context_.PaintTexts(painter);
    }
}

// Closing stops a search, clears the status line and stores the switches.
void TCoolDialog::closeEvent(QCloseEvent* event)
{
    if (IFindPanel* find = FindPanel()) {
        find->SetIdle(true);
    }
    if (context_.Components && context_.Components->StatusLine) {
        context_.Components->StatusLine->ClearStatus();
    }
    delete results_;
    FreeElements();
    StoreStates();
    dragging_ = false;
    event->accept();
}

bool TCoolDialog::event(QEvent* event)
{
    if (event->type() != QEvent::ToolTip) {
        return QWidget::event(event);
    }
    const auto* help = static_cast<QHelpEvent*>(event);
    QString hint;
    if (!context_.HintsOn || context_.HintsOn()) {
        if (const int button = ButtonAt(help->pos()); button >= 0) {
            hint = buttons_[size_t(button)].Record.Hint;
        } else if (const int index = SwitchAt(help->pos()); index >= 0) {
            hint = pages_[page_].Switches[switches_[size_t(index)].Index].Hint;
        }
    }
    if (hint.isEmpty()) {
        QToolTip::hideText();
    } else {
        QToolTip::showText(help->globalPos(), hint, this);
    }
    return true;
}
