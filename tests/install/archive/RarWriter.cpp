#include "RarWriter.h"

#include <QtEndian>
#include <zlib.h>

namespace {

QByteArray le16(quint16 value)
{
    char bytes[2];
    qToLittleEndian(value, bytes);
    return QByteArray(bytes, 2);
}

QByteArray le32(quint32 value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    return QByteArray(bytes, 4);
}

quint32 crc32Of(const QByteArray& bytes)
{
    return quint32(crc32(0, reinterpret_cast<const Bytef*>(bytes.constData()), uInt(bytes.size())));
}

} // namespace

void RarWriter::addFile(const QByteArray& name, const QByteArray& data, quint32 dosTime)
{
    Entry entry;
    entry.name = name;
    entry.data = data;
    entry.dosTime = dosTime;
    entries_.append(entry);
}

void RarWriter::addFolder(const QByteArray& name, quint32 dosTime)
{
    Entry entry;
    entry.name = name;
    entry.dosTime = dosTime;
    entry.flags = Folder;
    entry.attributes = 0x10;
    entries_.append(entry);
}

void RarWriter::addLink(const QByteArray& name, const QByteArray& target)
{
    Entry entry;
    entry.name = name;
    entry.data = target;
    entry.hostOs = 3;
    entry.attributes = 0120777;
    entries_.append(entry);
}

// CRC-16 of a header: the low half of the CRC-32 of everything after it.
QByteArray RarWriter::header(quint8 type, quint16 flags, const QByteArray& body, bool badCrc)
{
    const QByteArray rest =
        QByteArray(1, char(type)) + le16(flags) + le16(quint16(2 + 1 + 2 + 2 + body.size())) + body;
    const quint16 crc = quint16(crc32Of(rest) & 0xffff) ^ (badCrc ? 0x5555 : 0);
    return le16(crc) + rest;
}

QByteArray RarWriter::fileHeader(const Entry& entry)
{
    const quint32 dataCrc = crc32Of(entry.data);
    const QByteArray body = le32(quint32(entry.data.size())) + le32(quint32(entry.data.size())) +
                            QByteArray(1, char(entry.hostOs)) + le32(dataCrc) +
                            le32(entry.dosTime) + QByteArray(1, char(20)) +
                            QByteArray(1, char(0x30)) + le16(quint16(entry.name.size())) +
                            le32(entry.attributes) + entry.name;
    return header(0x74, quint16(0x8000 | entry.flags), body, entry.badHeaderCrc) + entry.data;
}

QByteArray RarWriter::toBytes() const
{
    QByteArray bytes("Rar!\x1a\x07\x00", 7);
    bytes += header(0x73, 0, QByteArray(6, '\0'), false);
    for (const Entry& entry : entries_) {
        bytes += fileHeader(entry);
    }
    return bytes + header(0x7b, 0x4000, QByteArray(), false);
}
