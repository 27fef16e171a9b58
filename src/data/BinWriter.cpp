#include "data/BinWriter.h"

#include "platform/CodePage.h"

#include <QSaveFile>
#include <QtEndian>

namespace {

constexpr qsizetype MaxNameBytes = 256;
constexpr qsizetype MaxEntries = 65535;
constexpr quint64 MaxFileSize = 0xFFFFFFFFu;

void appendLittleEndian32(QByteArray& out, quint32 value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

quint64 directorySize(qsizetype entryCount, quint64 nameBytes)
{
    return 2 + quint64(entryCount) * 12 + nameBytes;
}

} // namespace

bool BinWriter::addEntry(const QString& name, const QByteArray& bytes)
{
    error_.clear();
    if (name.isEmpty()) {
        error_ = QStringLiteral("empty entry name");
        return false;
    }
    if (!CodePage::canEncodeCp1251(name)) {
        error_ = QStringLiteral("entry name \"%1\" is not Windows-1251 text").arg(name);
        return false;
    }
    const QByteArray encoded = CodePage::toCp1251(name);
    if (encoded.contains('\0')) {
        error_ = QStringLiteral("entry name \"%1\" holds a NUL character").arg(name);
        return false;
    }
    if (encoded.size() > MaxNameBytes) {
        error_ =
            QStringLiteral("entry name \"%1\" is longer than %2 bytes").arg(name).arg(MaxNameBytes);
        return false;
    }
    if (items_.size() >= MaxEntries) {
        error_ = QStringLiteral("more than %1 entries").arg(MaxEntries);
        return false;
    }
    const quint64 total = totalSize_ + 12 + quint64(encoded.size()) + quint64(bytes.size());
    if (total > MaxFileSize) {
        error_ = QStringLiteral("the container would exceed 4 GiB");
        return false;
    }
    items_.append({encoded, bytes});
    totalSize_ = total;
    return true;
}

QByteArray BinWriter::toBytes() const
{
    quint64 nameBytes = 0;
    quint64 dataBytes = 0;
    for (const Item& item : items_) {
        nameBytes += item.name.size();
        dataBytes += item.bytes.size();
    }
    const quint64 dataStart = directorySize(items_.size(), nameBytes);

    QByteArray out;
    out.reserve(qsizetype(dataStart + dataBytes));
    char count[2];
    qToLittleEndian(quint16(items_.size()), count);
    out.append(count, 2);
    quint64 offset = dataStart;
    for (const Item& item : items_) {
        appendLittleEndian32(out, quint32(item.name.size()));
        out.append(item.name);
        appendLittleEndian32(out, quint32(offset));
        appendLittleEndian32(out, quint32(item.bytes.size()));
        offset += item.bytes.size();
    }
    for (const Item& item : items_) {
        out.append(item.bytes);
    }
    return out;
}

bool BinWriter::write(const QString& hostPath)
{
    error_.clear();
    QSaveFile file(hostPath);
    if (!file.open(QIODevice::WriteOnly)) {
        error_ = QStringLiteral("cannot write %1: %2").arg(hostPath, file.errorString());
        return false;
    }
    const QByteArray bytes = toBytes();
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        error_ = QStringLiteral("cannot write %1: %2").arg(hostPath, file.errorString());
        file.cancelWriting();
        return false;
    }
    return true;
}
