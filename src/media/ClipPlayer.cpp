#include "media/ClipPlayer.h"

#include "components/ComponentSet.h"
#include "media/ClipPlayerArea.h"

#include <QGuiApplication>
#include <algorithm>

namespace {

// The hourglass while a clip opens, back to normal however the opening ends.
class TWaitCursor {
public:
    TWaitCursor() : shown_(qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
    {
        if (shown_) {
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        }
    }
    ~TWaitCursor()
    {
        if (shown_) {
            QGuiApplication::restoreOverrideCursor();
        }
    }
    TWaitCursor(const TWaitCursor&) = delete;
    TWaitCursor& operator=(const TWaitCursor&) = delete;

private:
    bool shown_;
};

// Red in the low byte, then green, then blue.
QColor ColorOf(TColor color)
{
    return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}

QRect BoundsOf(const RClip& record)
{
    return QRect(record.Left, record.Top, std::max(0, record.Right - record.Left),
                 std::max(0, record.Bottom - record.Top));
}

// Missing, invalid and unreadable files are not a matter of a missing driver.
bool DriverMayHelp(quint32 error)
{
    return error != MciError::FileNotFound && error != MciError::InvalidFile &&
           error != MciError::FileRead;
}

} // namespace

TSound::TSound(TClipPlayerContext context) : context_(std::move(context))
{
    player_.SetOnNotify([this](TMPlayer*) { ClipEnded(); });
    if (context_.MainWindow) {
        for (const RClip& record : context_.Clips) {
            auto* area = new TColorWinControl(context_.MainWindow, ColorOf(record.BgColor),
                                              context_.EndButtonHover);
            area->setGeometry(BoundsOf(record));
            area->hide();
            clipAreas_.append(area);
            areaScreens_.append(record.Screen);
            areaPanels_.append(record.Html);
        }
    }
    ShowScreenAreas();
}

TSound::~TSound()
{
    player_.SetOnNotify(nullptr);
    player_.Close();
    for (const QPointer<TColorWinControl>& area : clipAreas_) {
        delete area.data();
    }
}

TColorWinControl* TSound::ClipArea(int area) const
{
    return area >= 0 && area < clipAreas_.size() ? clipAreas_.at(area).data() : nullptr;
}

void TSound::ShowScreenAreas()
{
    const int screen = context_.CurrentScreen ? context_.CurrentScreen() : 0;
    for (int i = 0; i < clipAreas_.size(); ++i) {
        TColorWinControl* area = ClipArea(i);
        if (!area) {
            continue;
        }
        if (areaScreens_.at(i) == screen) {
            area->show();
        }
        if (areaScreens_.at(i) == lastScreen_ && lastScreen_ != screen) {
            area->hide();
        }
    }
    lastScreen_ = screen;
}

// An empty name plays the file of the last clip or sound again; with none there is nothing
// to play and the music stays as it is. Only the "clip" command opens a page.
void TSound::PlayClip(const QString& file, const QString& page, int kind)
{
    const QString name = file.isEmpty() ? replayFile_ : file;
    if (name.isEmpty()) {
        return;
    }
    ChooseEndAction(kind);
    if (!file.isEmpty() && endAction_ != TEndAction::Replay) {
        replayFile_ = file;
    }
    SwitchMusicOff(kind);
    const TWaitCursor wait;
    player_.SetFileName(name);
    if (!name.contains(QStringLiteral(".wav"))) {
        ShowInClipArea(page, kind == 4);
        OpenClip();
    } else {
        try {
            player_.Open();
        } catch (const EMCIDeviceError&) {
        }
    }
    try {
        player_.Play();
    } catch (const EMCIDeviceError&) {
    }
}

// A sound that interrupts another keeps a pending close or music restart; one that
// interrupts a replayed clip has that clip played again after it (the replay file is kept).
void TSound::ChooseEndAction(int kind)
{
    if (kind == 3) {
        if (player_.Mode() != TMPModes::Playing) {
            endAction_ = TEndAction::Close;
        } else if (endAction_ != TEndAction::Close && endAction_ != TEndAction::RestartMusic) {
            endAction_ = TEndAction::Replay;
        }
    } else if (kind == 4) {
        endAction_ = TEndAction::Close;
    } else {
        endAction_ = TEndAction::None;
    }
}

void TSound::SwitchMusicOff(int kind)
{
    if (!context_.MusicSettingOn || !context_.MusicSettingOn()) {
        return;
    }
    if (context_.Components && context_.Components->Music) {
        context_.Components->Music->StopMusic(false);
    }
    if (context_.SetMusicSetting) {
        context_.SetMusicSetting(false);
    }
    if (kind == 3) {
        endAction_ = TEndAction::RestartMusic;
    }
}

// The music starts first; then the box is ticked and the setting goes on, so
// that the box and the setting always agree.
void TSound::RestartMusic()
{
    const TWaitCursor wait;
    if (context_.Components && context_.Components->Music) {
        context_.Components->Music->StartMusic();
    }
    if (context_.SetMusicSetting) {
        context_.SetMusicSetting(true);
    }
}

// The first area of the current screen shows the video; without one the video gets a window
// of its own and no page opens.
void TSound::ShowInClipArea(const QString& page, bool openPage)
{
    const int screen = context_.CurrentScreen ? context_.CurrentScreen() : 0;
    for (int i = 0; i < clipAreas_.size(); ++i) {
        if (areaScreens_.at(i) == screen && ClipArea(i)) {
            player_.SetDisplay(ClipArea(i));
            IPagePanels* panels = context_.Components ? context_.Components->PagePanels : nullptr;
            if (openPage && panels) {
                panels->OpenInPanel(areaPanels_.at(i), page);
            }
            return;
        }
    }
    player_.SetDisplay(nullptr);
}

void TSound::OpenClip()
{
    try {
        player_.Open();
        return;
    } catch (const EMCIDeviceError&) {
    }
    if (!DriverMayHelp(player_.ErrorCode())) {
        return;
    }
    if (context_.InstallMpegDriver) {
        context_.InstallMpegDriver();
    }
    try {
        player_.Open();
    } catch (const EMCIDeviceError&) {
    }
}

void TSound::ClipEnded()
{
    if (player_.NotifyValue() != TMPNotifyValues::Successful) {
        return;
    }
    switch (endAction_) {
    case TEndAction::Replay:
        PlayClip(QString(), QString(), 0);
        break;
    case TEndAction::Close:
        player_.Close();
        break;
    case TEndAction::RestartMusic:
        RestartMusic();
        break;
    case TEndAction::None:
        break;
    }
}

std::unique_ptr<TSound> CreateClipPlayer(const TClipPlayerContext& context)
{
    return std::make_unique<TSound>(context);
}
