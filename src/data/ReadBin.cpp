#include "data/ReadBin.h"

#include "platform/BoundedRead.h"
#include "platform/CodePage.h"
#include "platform/VirtualFs.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <limits>
#include <memory>

namespace {

constexpr quint32 MaxNameLength = 256;
// Length, offset and size fields plus at least one name byte.
constexpr qint64 MinEntryBytes = 4 + 1 + 4 + 4;

// Opens a regular file only: a pipe or device would block or never end.
std::unique_ptr<QFile> openContainer(const QString& fileName)
{
    return BoundedRead::openVirtual(fileName, ReadKind::Archive);
}

bool readExactly(QFile& file, char* target, qint64 size)
{
    return file.read(target, size) == size;
}

bool readUInt16(QFile& file, quint16& value)
{
    char bytes[2];
    if (!readExactly(file, bytes, sizeof bytes)) {
        return false;
    }
    value = qFromLittleEndian<quint16>(bytes);
    return true;
}

bool readUInt32(QFile& file, quint32& value)
{
    char bytes[4];
    if (!readExactly(file, bytes, sizeof bytes)) {
        return false;
    }
    value = qFromLittleEndian<quint32>(bytes);
    return true;
}

// The name bytes up to the first zero byte.
QString nameFromBytes(const QByteArray& bytes)
{
    const qsizetype zero = bytes.indexOf('\0');
    return CodePage::fromCp1251(zero < 0 ? bytes : bytes.left(zero));
}

} // namespace

TReadBin::TReadBin(QObject* owner) : QObject(owner) {}

bool TReadBin::Open(const QString& fileName)
{
    fileName_ = fileName;
    directory_.clear();
    error_.clear();

    const std::unique_ptr<QFile> file = openContainer(fileName);
    if (!file) {
        error_ = QStringLiteral("cannot open %1").arg(fileName);
        return false;
    }
    const qint64 fileSize = file->size();
    quint16 count = 0;
    if (!readUInt16(*file, count)) {
        error_ = QStringLiteral("%1: truncated entry count").arg(fileName);
        return false;
    }
    if (qint64(count) * MinEntryBytes > fileSize - 2) {
        error_ = QStringLiteral("%1: %2 entries cannot fit in the file").arg(fileName).arg(count);
        return false;
    }
    directory_.reserve(count);
    for (int index = 0; index < count; ++index) {
        quint32 nameLength = 0;
        if (!readUInt32(*file, nameLength)) {
            error_ = QStringLiteral("%1: directory truncated at entry %2").arg(fileName).arg(index);
            return false;
        }
        if (nameLength == 0 || nameLength > MaxNameLength) {
            error_ = QStringLiteral("%1: entry %2 has a name length of %3")
                         .arg(fileName)
                         .arg(index)
                         .arg(nameLength);
            return false;
        }
        QByteArray nameBytes(qsizetype(nameLength), '\0');
        RBin entry;
        if (!readExactly(*file, nameBytes.data(), nameLength) || !readUInt32(*file, entry.Offset) ||
            !readUInt32(*file, entry.Size)) {
            error_ = QStringLiteral("%1: directory truncated at entry %2").arg(fileName).arg(index);
            return false;
        }
        entry.Name = nameFromBytes(nameBytes);
        directory_.append(entry);
    }
    return true;
}

int TReadBin::indexOf(const QString& name) const
{
    for (int index = 0; index < directory_.size(); ++index) {
        if (QString::compare(directory_[index].Name, name, Qt::CaseInsensitive) == 0) {
            return index;
        }
    }
    return -1;
}

bool TReadBin::Exists(const QString& name) const
{
    return indexOf(name) >= 0;
}

bool TReadBin::readEntry(const RBin& entry, QByteArray& data) const
{
    const std::unique_ptr<QFile> file = openContainer(fileName_);
    if (!file) {
        return false;
    }
    const qint64 end = qint64(entry.Offset) + qint64(entry.Size);
    if (entry.Size > quint32(std::numeric_limits<qint32>::max()) || end > file->size()) {
        return false;
    }
    if (!file->seek(entry.Offset)) {
        return false;
    }
    data.resize(qsizetype(entry.Size));
    return readExactly(*file, data.data(), entry.Size);
}

qint32 TReadBin::ReadToBuffer(const QString& name, QByteArray& block) const
{
    const int index = indexOf(name);
    if (index < 0) {
        return -1;
    }
    QByteArray data;
    if (!readEntry(directory_[index], data)) {
        return -1;
    }
    block = data;
    return qint32(block.size());
}

bool TReadBin::ReadToStream(const QString& name, QBuffer& stream) const
{
    QByteArray data;
    if (ReadToBuffer(name, data) < 0) {
        return false;
    }
    if (stream.isOpen()) {
        stream.buffer() = data;
    } else {
        stream.setData(data);
        stream.open(QIODevice::ReadWrite);
    }
    stream.seek(0);
    return true;
}
