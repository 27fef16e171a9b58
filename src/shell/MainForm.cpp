#include "shell/MainForm.h"

#include "data/ReadBin.h"
#include "platform/InstanceLock.h"
#include "platform/Registry.h"
#include "platform/VirtualFs.h"
#include "shell/HelpViewer.h"
#include "shell/PanelBkgrd.h"
#include "shell/PictureStream.h"
#include "shell/ScreenPictures.h"
#include "shell/StartupProbes.h"
#include "shell/TopLevelTracker.h"
#include "shell/WindowAnimation.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

TMainForm::TMainForm(const TStartupContext& context, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), context_(context),
      states_(interface_, *this), dispatcher_(*this, set_),
      keyMap_(*this, set_, dispatcher_.Help(), dispatcher_.Thesaurus()), messages_(*this, set_),
      drops_(set_), drag_(this), pictures_(std::make_unique<TScreenPictures>(this, *this)),
      animation_(new TWindowAnimation(this))
{
    setAttribute(Qt::WA_TranslucentBackground);
    setMouseTracking(true);
    connect(animation_, &TWindowAnimation::regionChanged, this, [this](const QRegion& region) {
        shape_ = region;
        shaped_ = true;
    });
    connect(animation_, &TWindowAnimation::finished, this, &TMainForm::OnAnimationFinished);
    windowHandle_ = TTopLevelTracker::Track(this);
    set_.ShowStandardWindow = [this] { ShowStandardWindow(); };
    set_.ShowHelp = [this](const QString& helpFile, const QString& topic) {
        HelpViewer::Show(context_.AppDir, windowHandle_, helpFile, topic);
    };
    WindowRegistry::instance().SetMessageHandlers(
        windowHandle_,
        [this](TWindowHandle sender, const RInstanceMessage& message) {
            messages_.CopyData(sender, message);
        },
        [this](quint32 message, quint64 wParam, qint64 lParam) {
            messages_.Message(message, wParam, lParam);
        });
    qApp->installEventFilter(this);
}

TMainForm::~TMainForm()
{
    qApp->removeEventFilter(this);
    WindowRegistry::instance().SetMessageHandlers(windowHandle_, nullptr, nullptr);
    FormDestroy();
}

Registry& TMainForm::Store() const
{
    return context_.Store ? *context_.Store : Registry::instance();
}

// Outside the window's shape everything is transparent, for compositors that
// show a shaped window's whole rectangle. The standard window has the
// button-face colour behind the screen's picture.
void TMainForm::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (StandardWindowShown() || viewerMode_) {
        painter.fillRect(rect(), palette().color(QPalette::Button));
    } else if (shaped_) {
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.fillRect(rect(), Qt::transparent);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        painter.setClipRegion(shape_);
    }
    FormPaint(painter);
    MarkFirstFrame();
}

void TMainForm::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    LayOutStandardWindow();
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

namespace {

// A key goes to the focus widget first and then, unless taken, to its parents;
// only the first delivery counts.
bool firstKeyReceiver(const QObject* watched)
{
    const QWidget* focus = QApplication::focusWidget();
    return focus ? watched == focus : static_cast<const QWidget*>(watched)->isWindow();
}

} // namespace

// Keys typed anywhere in the window come here before the widget that has the
// focus; a key the map consumes goes no further.
bool TMainForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == this && firstKeyReceiver(watched)) {
        const auto* key = static_cast<QKeyEvent*>(event);
        return FormKeyDown(TKeySender::MainWindow, key->key(), key->modifiers());
    }
    return QWidget::eventFilter(watched, event);
}

bool TMainForm::FormKeyDown(TKeySender sender, int key, Qt::KeyboardModifiers shift)
{
    return keyMap_.FormKeyDown(sender, key, shift);
}

void TMainForm::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
    }
}

// Files from outside the disc are seen under "z:\", as any other file.
void TMainForm::dropEvent(QDropEvent* event)
{
    QStringList files;
    for (const QUrl& url : event->mimeData()->urls()) {
        files << (url.isLocalFile() ? VirtualFs::fromHostPath(url.toLocalFile()) : QString());
    }
    event->acceptProposedAction();
    drops_.Drop(files);
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
