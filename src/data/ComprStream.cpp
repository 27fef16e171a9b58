#include "data/ComprStream.h"

#include "data/PackedArchive.h"
#include "platform/VirtualFs.h"

TComprStream::TComprStream(const QString& path, QIODevice::OpenMode mode)
{
    load(InterfaceArchive(), path, mode);
}

TComprStream::TComprStream(const PackedArchive& archive, const QString& path,
                           QIODevice::OpenMode mode)
{
    load(archive, path, mode);
}

std::optional<QByteArray> TComprStream::ReadHead(const QString& path, qint64 maxBytes)
{
    const PackedArchive& archive = InterfaceArchive();
    const int index = archive.FindMember(path);
    if (index < 0) {
        return VirtualFs::instance().readFile(path, qMax<qint64>(0, maxBytes));
    }
    QByteArray head;
    if (archive.ReadMemberHead(index, maxBytes, head) != 0) {
        ReportArchiveDamage(archive.errorString());
        return std::nullopt;
    }
    return head;
}

void TComprStream::load(const PackedArchive& archive, const QString& path, QIODevice::OpenMode mode)
{
    open(QIODevice::ReadOnly | (mode & QIODevice::WriteOnly));
    const int index = archive.FindMember(path);
    if (index >= 0) {
        const int result = archive.ReadMember(index, *this);
        if (result == 0) {
            fromArchive_ = true;
            return;
        }
        error_ = archive.errorString();
        if (&archive == &InterfaceArchive()) {
            ReportArchiveDamage(error_);
        }
        return;
    }
    std::optional<QByteArray> bytes = VirtualFs::instance().readFile(path);
    if (!bytes) {
        error_ = QStringLiteral("cannot open %1").arg(path);
        return;
    }
    buffer().swap(*bytes);
    seek(0);
}
