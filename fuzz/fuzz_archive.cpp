// libFuzzer target for the packed interface archive reader: the input is the
// whole archive file. Opens it, lists it, and looks up and reads every listed
// member and a few fixed paths.

#include "data/PackedArchive.h"
#include "platform/VirtualFs.h"

#include <QByteArray>
#include <QDir>
#include <QString>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

// One temporary file for the whole run, rewritten for every input and removed
// at exit.
const QString& archiveFile()
{
    static QByteArray hostPath = QDir::tempPath().toLocal8Bit() + "/fuzz_archive_XXXXXX";
    static const QString path = [] {
        const int fd = mkstemp(hostPath.data());
        if (fd < 0) {
            std::perror("mkstemp");
            std::abort();
        }
        close(fd);
        std::atexit([] { unlink(hostPath.constData()); });
        VirtualFs::instance().mount(QStringLiteral("z:\\"), QStringLiteral("/"));
        return QString::fromLocal8Bit(hostPath);
    }();
    return path;
}

void store(const uint8_t* data, size_t size)
{
    FILE* file = std::fopen(archiveFile().toLocal8Bit().constData(), "wb");
    if (file == nullptr || std::fwrite(data, 1, size, file) != size) {
        std::abort();
    }
    std::fclose(file);
}

void readPath(const PackedArchive& archive, const QString& path)
{
    const int index = archive.FindMember(path);
    if (index < 0) {
        return;
    }
    QByteArray bytes;
    if (archive.ReadMember(index, bytes) == 0 &&
        bytes.size() != qsizetype(archive.entries()[index].unpackedSize)) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    store(data, size);
    PackedArchive archive;
    if (!archive.OpenArchive(VirtualFs::fromHostPath(archiveFile()))) {
        return 0;
    }
    archive.SetArchiveBase(QStringLiteral("d:\\"));
    for (const QString& path : archive.ListArchive()) {
        readPath(archive, path);
    }
    for (const char* path : {"INDEX.HTM", "html/page.htm", "d:\\run\\html\\page.htm", "A\\B\\C",
                             "\\", "", "a\\", "\\\\", "..\\x"}) {
        readPath(archive, QString::fromLatin1(path));
    }
    return 0;
}
