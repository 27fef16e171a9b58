#include "media/StartClip.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <qdrawutil.h>

namespace {

const QColor navy(0, 0, 128);

// Missing, invalid and unreadable files end the clip; other errors may be a
// missing codec.
bool EndsAtOnce(quint32 error)
{
    return error == MciError::FileNotFound || error == MciError::InvalidFile ||
           error == MciError::FileRead;
}

QRect ScreenGeometry()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect(0, 0, 800, 600);
}

} // namespace

TStartClip::TStartClip(TStartClipContext context, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      context_(std::move(context)), player_(this)
{
    setWindowTitle(QStringLiteral("StartClip"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, navy);
    setPalette(colours);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
    setGeometry(0, 0, 0, 0);
    setupTimer_.setInterval(kSetupMs);
    playWatchTimer_.setInterval(kPlayWatchMs);
    endWatchTimer_.setInterval(kEndWatchMs);
    connect(&setupTimer_, &QTimer::timeout, this, &TStartClip::SetUpClip);
    connect(&playWatchTimer_, &QTimer::timeout, this, &TStartClip::WatchPlay);
    firstLookTimer_.setInterval(kFirstLookMs);
    connect(&firstLookTimer_, &QTimer::timeout, this, &TStartClip::LookForPlaying);
    connect(&endWatchTimer_, &QTimer::timeout, this, &TStartClip::WatchEnd);
    connect(&player_, &TMPlayer::framePainted, this, &TStartClip::NoteFramePainted);
    setupTimer_.start();
}

TStartClip::~TStartClip()
{
    player_.Close();
}

void TStartClip::SetUpClip()
{
    setupTimer_.stop();
    player_.SetFileName(context_.ClipFile);
    player_.SetDisplay(this);
    if (!OpenClip()) {
        FinishClip();
        return;
    }
    LayOut();
    try {
        player_.Play();
    } catch (const EMCIDeviceError&) {
        FinishClip();
        return;
    }
    if (player_.ErrorCode() != 0) {
        FinishClip();
        return;
    }
    playWatchTimer_.start();
    firstLookTimer_.start();
}

void TStartClip::LookForPlaying()
{
    if (!playWatchTimer_.isActive()) {
        firstLookTimer_.stop();
        return;
    }
    if (player_.Mode() == TMPModes::Playing) {
        WatchPlay();
    }
}

// A clip that fails for another reason than its file gets the MPEG driver of
// the disc and one more try.
bool TStartClip::OpenClip()
{
    try {
        player_.Open();
        return true;
    } catch (const EMCIDeviceError&) {
        if (EndsAtOnce(player_.ErrorCode())) {
            return false;
        }
    }
    if (context_.InstallMpegDriver) {
        context_.InstallMpegDriver();
    }
    try {
        player_.Open();
        return true;
    } catch (const EMCIDeviceError&) {
        return false;
    }
}

// Centred on a black window over the whole screen, or in a window 20 pixels
// larger than the clip, placed 20 pixels up and left of the centred place.
void TStartClip::LayOut()
{
    const QRect screen = ScreenGeometry();
    QSize clip = player_.GetDisplayRect().size();
    if (context_.Backdrop) {
        player_.SetDisplayRect(QRect(screen.width() / 2 - clip.width() / 2,
                                     screen.height() / 2 - clip.height() / 2, clip.width(),
                                     clip.height()));
        QPalette colours = palette();
        colours.setColor(QPalette::Window, Qt::black);
        setPalette(colours);
        setGeometry(screen.left(), screen.top(), screen.width(), screen.height());
        return;
    }
    player_.SetDisplayRect(QRect(QPoint(0, 0), clip));
    clip = player_.GetDisplayRect().size();
    setGeometry(screen.left() + screen.width() / 2 - clip.width() / 2 - 20,
                screen.top() + screen.height() / 2 - clip.height() / 2 - 20, clip.width() + 20,
                clip.height() + 20);
}

void TStartClip::WatchPlay()
{
    firstLookTimer_.stop();
    if (player_.Mode() == TMPModes::Playing) {
        playWatchTimer_.stop();
        endWatchTimer_.start();
        show();
        raise();
        activateWindow();
        setFocus();
        return;
    }
    if (startRetries_ == kMaxRetries) {
        playWatchTimer_.stop();
        endWatchTimer_.start();
        return;
    }
    try {
        player_.SetNotify(false);
        player_.Play();
    } catch (const EMCIDeviceError&) {
    }
    ++startRetries_;
}

void TStartClip::WatchEnd()
{
    if (player_.Mode() != TMPModes::Playing) {
        endWatchTimer_.stop();
        player_.Close();
        FinishClip();
    }
}

void TStartClip::EndEarly()
{
    playWatchTimer_.stop();
    endWatchTimer_.stop();
    player_.Close();
    FinishClip();
}

void TStartClip::NoteFramePainted()
{
    if (frameShown_ || !isVisible()) {
        return;
    }
    frameShown_ = true;
    if (context_.FirstFrameShown) {
        context_.FirstFrameShown();
    }
}

void TStartClip::FinishClip()
{
    if (finished_) {
        return;
    }
    finished_ = true;
    setupTimer_.stop();
    firstLookTimer_.stop();
    playWatchTimer_.stop();
    endWatchTimer_.stop();
    close();
    if (context_.AfterStart) {
        context_.AfterStart();
    }
}

void TStartClip::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        EndEarly();
        return;
    }
    QWidget::keyPressEvent(event);
}

// The small window's raised bevel, ten pixels on every edge.
void TStartClip::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    if (context_.Backdrop) {
        return;
    }
    QPainter painter(this);
    qDrawShadePanel(&painter, rect(), QPalette(navy), false, kBevel);
}
