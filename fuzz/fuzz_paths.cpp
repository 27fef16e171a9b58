// Normalises arbitrary text as a virtual path. A normalised path keeps the
// drive, holds no "/", no empty, "." or ".." component, and normalises to
// itself.

#include "platform/VirtualFs.h"

#include <cstddef>
#include <cstdint>

namespace {

void checkNormalized(const QString& path)
{
    if (path.size() < 3 || path.at(1) != QLatin1Char(':') || path.at(2) != QLatin1Char('\\') ||
        path.contains(QLatin1Char('/')) || path.contains(QChar(0))) {
        __builtin_trap();
    }
    if (VirtualFs::normalize(path) != path) {
        __builtin_trap();
    }
    const QString below = path.mid(3);
    if (below.isEmpty()) {
        return;
    }
    const QString trimmed = below.endsWith(QLatin1Char('\\')) ? below.chopped(1) : below;
    for (const QString& part : trimmed.split(QLatin1Char('\\'))) {
        if (part.isEmpty() || part == QLatin1String(".") || part == QLatin1String("..")) {
            __builtin_trap();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const std::optional<QString> path = VirtualFs::normalize(text);
    if (!path) {
        return 0;
    }
    if (path->at(0) != text.at(0)) {
        __builtin_trap(); // the drive is kept
    }
    checkNormalized(*path);
    // Climbing out of the path and into another folder stays on its drive.
    const std::optional<QString> joined = VirtualFs::normalize(*path + QStringLiteral("\\..\\x"));
    if (!joined || !joined->startsWith(path->left(3))) {
        __builtin_trap();
    }
    checkNormalized(*joined);
    return 0;
}
