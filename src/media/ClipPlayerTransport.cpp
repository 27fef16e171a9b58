#include "media/ClipPlayer.h"

#include <algorithm>

// The transport commands of the clip player. A command on a closed player does nothing.

namespace {

constexpr qint64 stepMs = 10000;
constexpr quint32 millisecondsFormat = 0;

} // namespace

void TSound::Stop()
{
    try {
        player_.Stop();
    } catch (const EMCIDeviceError&) {
    }
}

void TSound::SetNotify(bool notify)
{
    player_.SetNotify(notify);
}

void TSound::PauseOrResume()
{
    try {
        player_.PauseOrResume();
    } catch (const EMCIDeviceError&) {
    }
}

void TSound::StepForward()
{
    Step(stepMs);
}

void TSound::StepBack()
{
    Step(-stepMs);
}

// Any error ends the step where it happened.
void TSound::Step(qint64 offset)
{
    try {
        player_.SetTimeFormat(millisecondsFormat);
        if (player_.ErrorCode() != 0) {
            return;
        }
        qint64 target = player_.Position() + offset;
        if (player_.ErrorCode() != 0) {
            return;
        }
        bool seek = true;
        if (offset > 0) {
            const qint64 length = player_.Length();
            if (player_.ErrorCode() != 0) {
                return;
            }
            // A stream that does not know its length yet stays where it is
            // rather than going back to its start.
            seek = length > 0;
            target = std::min(target, length);
        } else {
            target = std::max<qint64>(target, 0);
        }
        if (seek) {
            player_.Seek(target);
        }
        if (player_.ErrorCode() == 0) {
            player_.Play();
        }
    } catch (const EMCIDeviceError&) {
    }
}

void TSound::Close()
{
    player_.Close();
}
