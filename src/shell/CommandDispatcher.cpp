#include "CommandDispatcher.h"

#include "Busy.h"
#include "SoundPlayer.h"
#include "WindowRegistry.h"

namespace {

constexpr int buttonKind = 0;
constexpr int exitCaptionLength = 128;

} // namespace

TCommandDispatcher::TCommandDispatcher(TCommandHost& host) : host_(host) {}

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
    RunTable(command, index, kind);
}

// The shell window is found by its caption, as any other window would be.
void TCommandDispatcher::Exit(int index, int kind)
{
    host_.FreezeVideoForExit();
    WindowRegistry& windows = WindowRegistry::instance();
    if (const auto window = windows.FindWindowByCaption(host_.DiskTitle(), exitCaptionLength)) {
        windows.SendClose(*window);
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

bool TCommandDispatcher::RunTable(const QString& command, int index, int kind)
{
    if (command == QLatin1String("minimize")) {
        host_.MinimizeApplication();
        if (kind == buttonKind) {
            host_.ClearButtonStates(index);
        }
        return true;
    }
    return false;
}
