#include "MainForm.h"

#include "EffBtnCar.h"
#include "InstanceLock.h"
#include "PanelBkgrd.h"
#include "PictureStream.h"
#include "ReadBin.h"
#include "Registry.h"
#include "ScreenPictures.h"
#include "ShellComponents.h"
#include "ShellGlobals.h"
#include "StartupProbes.h"
#include "TopLevelTracker.h"
#include "WindowAnimation.h"

#include <QMouseEvent>
#include <QPainter>

TMainForm::TMainForm(const TStartupContext& context, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), context_(context),
      states_(interface_, *this), dispatcher_(*this), drag_(this),
      pictures_(std::make_unique<TScreenPictures>(this, *this)),
      animation_(new TWindowAnimation(this)), components_(std::make_unique<TShellComponents>(*this))
{
    setAttribute(Qt::WA_TranslucentBackground);
    setMouseTracking(true);
    connect(animation_, &TWindowAnimation::regionChanged, this, [this](const QRegion& region) {
        shape_ = region;
        shaped_ = true;
    });
    connect(animation_, &TWindowAnimation::finished, this, &TMainForm::OnAnimationFinished);
    TTopLevelTracker::Track(this);
}

TMainForm::~TMainForm()
{
    FormDestroy();
}

Registry& TMainForm::Store() const
{
    return context_.Store ? *context_.Store : Registry::instance();
}

// Outside the window's shape everything is transparent, for compositors that
// show a shaped window's whole rectangle.
void TMainForm::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (shaped_) {
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.fillRect(rect(), Qt::transparent);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        painter.setClipRegion(shape_);
    }
    FormPaint(painter);
    MarkFirstFrame();
}

void TMainForm::FormPaint(QPainter& painter)
{
    pictures_->Paint(painter);
    components_->PaintTextMessages(painter);
}

// The screen positions of the events drive a drag: the window moves under
// the events' window coordinates.
void TMainForm::mouseMoveEvent(QMouseEvent* event)
{
    if (!FollowWindowDrag(event->globalPosition().toPoint())) {
        FormMouseMove(event->buttons(), event->modifiers(), event->position().toPoint());
    }
}

void TMainForm::mousePressEvent(QMouseEvent* event)
{
    NotePressPosition(event->globalPosition().toPoint());
    FormMouseDown(event->button(), event->modifiers(), event->position().toPoint());
}

void TMainForm::mouseReleaseEvent(QMouseEvent* event)
{
    if (!EndWindowDrag()) {
        FormMouseUp(event->button(), event->modifiers(), event->position().toPoint());
    }
}

void TMainForm::NotePressPosition(QPoint globalPos)
{
    pressGlobal_ = globalPos;
}

bool TMainForm::FollowWindowDrag(QPoint globalPos)
{
    return drag_.Follow(globalPos);
}

bool TMainForm::EndWindowDrag()
{
    if (!drag_.Dragging()) {
        return false;
    }
    drag_.End();
    return true;
}

void TMainForm::FormMouseMove(Qt::MouseButtons, Qt::KeyboardModifiers shift, QPoint point)
{
    states_.FormMouseMove(shift, point);
}

void TMainForm::FormMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint point)
{
    states_.FormMouseDown(button, shift, point);
}

void TMainForm::FormMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint point)
{
    states_.FormMouseUp(button, shift, point);
}

void TMainForm::ExecuteCommand(QString& command, QString& sound, int index, int kind, int silent)
{
    dispatcher_.ExecuteCommand(command, sound, index, kind, silent);
}

int TMainForm::CurrentScreen() const
{
    return Shell().CurrentScreen;
}

void TMainForm::CrossFade(TElementKind kind, int index, TStatePicture from, TStatePicture to)
{
    TElementPictures* element = pictures_->Element(kind, index);
    if (!element) {
        return;
    }
    element->Effect->StartCrossFade((*element)[from], (*element)[to], element->Rect.topLeft());
    pictures_->Show(kind, index, to);
}

void TMainForm::CopyPicture(TElementKind kind, int index, TStatePicture picture)
{
    if (TElementPictures* element = pictures_->Element(kind, index)) {
        element->Effect->StopCrossFade();
        pictures_->Show(kind, index, picture);
    }
}

void TMainForm::StartWindowDrag()
{
    drag_.Start(pressGlobal_);
}

void TMainForm::HideAllPopups()
{
    components_->HideAllPopups();
}

QString TMainForm::DiskTitle() const
{
    return Shell().DiskTitle;
}

QString TMainForm::AppDir() const
{
    return context_.AppDir;
}

bool TMainForm::ClickSoundsOn() const
{
    return settings_.Wav;
}

void TMainForm::SetExitButton(int index)
{
    exitButton_ = index;
}

void TMainForm::MinimizeApplication()
{
    showMinimized();
}

void TMainForm::ClearButtonStates(int index)
{
    if (index < 0 || index >= states_.ButtonFlags().size()) {
        return;
    }
    states_.ButtonFlags()[index] = TBtnFlags();
    CopyPicture(TElementKind::Button, index, TStatePicture::Up);
}
