// Opens arbitrary bytes as a resource container and reads every entry.

#include "data/ReadBin.h"
#include "platform/VirtualFs.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

// One file per fuzzing process, rewritten for every input.
const QString& containerHostPath()
{
    static const QString path =
        QDir::tempPath() +
        QStringLiteral("/fuzz_container_%1.dhl").arg(QCoreApplication::applicationPid());
    return path;
}

bool writeInput(const uint8_t* data, size_t size)
{
    QFile file(containerHostPath());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return false;
    }
    return file.write(reinterpret_cast<const char*>(data), qint64(size)) == qint64(size);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool mounted = [] {
        VirtualFs::instance().mount(QStringLiteral("z:\\"), QStringLiteral("/"));
        containerHostPath(); // constructed before the exit handler, so destroyed after it
        std::atexit([] { QFile::remove(containerHostPath()); });
        return true;
    }();
    if (!mounted || !writeInput(data, size)) {
        return 0;
    }
    TReadBin bin;
    bin.Open(VirtualFs::fromHostPath(containerHostPath()));
    for (const RBin& entry : bin.Directory()) {
        QByteArray block;
        const qint32 read = bin.ReadToBuffer(entry.Name, block);
        if (read >= 0 && read != block.size()) {
            __builtin_trap();
        }
        QBuffer stream;
        if (bin.ReadToStream(entry.Name, stream) != (read >= 0) || !bin.Exists(entry.Name)) {
            __builtin_trap();
        }
    }
    return 0;
}
