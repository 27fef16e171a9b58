#pragma once

#include "platform/MediaDevice.h"

// The output volume a fade drives. SetVolume is called from the fade's own thread, so an
// implementation must take it from any thread.
class IOutputVolume {
public:
    virtual ~IOutputVolume() = default;
    // Without volume control nothing is faded.
    virtual bool SupportsVolume() const = 0;
    virtual StereoVolume Volume() const = 0;
    virtual void SetVolume(StereoVolume volume) = 0;
};

// The program's own output volume, at which every media device plays; the system's mixer is
// never touched.
IOutputVolume& ProgramOutputVolume();
