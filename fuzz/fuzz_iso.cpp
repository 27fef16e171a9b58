// Opens arbitrary bytes as an ISO 9660 image, finds every entry by its path
// and reads the head and the tail of every file.

#include "platform/IsoImage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

// One file per fuzzing process, rewritten for every input.
const QString& imageHostPath()
{
    static const QString path =
        QDir::tempPath() +
        QStringLiteral("/fuzz_iso_%1.iso").arg(QCoreApplication::applicationPid());
    return path;
}

bool writeInput(const uint8_t* data, size_t size)
{
    QFile file(imageHostPath());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return false;
    }
    return file.write(reinterpret_cast<const char*>(data), qint64(size)) == qint64(size);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool ready = [] {
        imageHostPath(); // constructed before the exit handler, so destroyed after it
        std::atexit([] { QFile::remove(imageHostPath()); });
        return true;
    }();
    if (!ready || !writeInput(data, size)) {
        return 0;
    }
    IsoImage image;
    if (!image.open(imageHostPath())) {
        if (!image.hasError() || image.errorString().contains(QLatin1Char('\n'))) {
            __builtin_trap();
        }
        return 0;
    }
    for (int node = 0; node < image.nodeCount(); ++node) {
        const std::optional<int> found = image.find(image.components(node));
        if (!found ||
            image.node(*found).name.toCaseFolded() != image.node(node).name.toCaseFolded()) {
            __builtin_trap();
        }
        const IsoImage::Node& entry = image.node(node);
        if (entry.isFolder) {
            continue;
        }
        const std::optional<QByteArray> head = image.read(node, 0, 4096);
        const std::optional<QByteArray> tail = image.read(node, entry.size - 1, 4096);
        if (!head || head->size() != std::min<qint64>(entry.size, 4096) || !tail ||
            tail->size() != (entry.size > 0 ? 1 : 0)) {
            __builtin_trap();
        }
    }
    return 0;
}
