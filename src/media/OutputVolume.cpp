#include "media/OutputVolume.h"

namespace {

class TProgramOutputVolume final : public IOutputVolume {
public:
    bool SupportsVolume() const override { return MediaDevice::outputVolumeSupported(); }
    StereoVolume Volume() const override { return MediaDevice::outputVolume(); }
    void SetVolume(StereoVolume volume) override { MediaDevice::setOutputVolume(volume); }
};

} // namespace

IOutputVolume& ProgramOutputVolume()
{
    static TProgramOutputVolume volume;
    return volume;
}
