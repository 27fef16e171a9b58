// Reads arbitrary text as an interface description: both passes over the
// lower-cased lines, as the start-up and disctool read a disc's Struct.cfs.

#include "data/ConfigText.h"
#include "data/ProcessPaths.h"
#include "interface/InterfaceParser.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Paths().AppDir = QStringLiteral("d:\\run\\");
    const QByteArray text(reinterpret_cast<const char*>(data), qsizetype(size));
    TDynamicStringArray lines;
    DecodeConfig(EncodeConfig(text), lines, true);
    TInterfaceDiagnostics diagnostics;
    const TInterfaceDescription description = ReadInterfaceDescription(lines, &diagnostics);
    if (description.screenCount() > MaxScreens || description.WindowPolygon.size() > MaxVertices ||
        description.ScreenBackgrounds.size() != description.Buttons.size()) {
        __builtin_trap();
    }
    return 0;
}
