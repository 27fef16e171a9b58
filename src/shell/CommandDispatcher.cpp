#include "shell/CommandDispatcher.h"

#include "data/Busy.h"
#include "platform/Instances.h"
#include "platform/SoundPlayer.h"

namespace {

constexpr int buttonKind = 0;
constexpr int exitCaptionLength = 128;

} // namespace

TCommandDispatcher::TCommandDispatcher(TCommandHost& host, TComponentSet& components)
    : host_(host), components_(components), help_(host, components), thesaurus_(host, components),
      table_(host, components, help_, thesaurus_)
{
}

void TCommandDispatcher::ExecuteCommand(QString& command, QString& sound, int index, int kind,
                                        int silent)
{
    if (Busy()) {
        return;
    }
    if (command == QLatin1String("exit")) {
        Exit(index, kind);
        return;
    }
    PlayClickSound(sound, silent);
    table_.Run(TCommandRequest{TCommandText(command), index, kind});
}

// A playing 3-D clip keeps its frame while the window closes; the shell
// window is found by its caption, as any other window would be.
void TCommandDispatcher::Exit(int index, int kind)
{
    IVideoPlayer* video = components_.VideoPlayer;
    if (video && video->Mode3D() && !video->IsHalted()) {
        video->Freeze();
    }
    if (const auto window = Instances::FindWindowByCaption(host_.DiskTitle(), exitCaptionLength)) {
        Instances::Close(*window);
    }
    if (kind == buttonKind) {
        host_.SetExitButton(index);
    }
}

void TCommandDispatcher::PlayClickSound(const QString& sound, int silent)
{
    if (silent == 1 || sound.isEmpty() || sound == QLatin1String("no") || !host_.ClickSoundsOn()) {
        return;
    }
    SoundPlayer().PlayAsync(host_.AppDir() + sound);
}
