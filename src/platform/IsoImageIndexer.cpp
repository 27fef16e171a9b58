#include "platform/IsoImageIndexer.h"

#include "platform/Refusal.h"

#include <QtEndian>

namespace {

constexpr qint64 Sector = IsoImage::SectorSize;
constexpr int FirstDescriptor = 16;
constexpr int MaxDescriptors = 64;
constexpr int MinRecord = 34;
constexpr int RootRecordOffset = 156;
constexpr int FlagFolder = 0x02;
constexpr int FlagMultiExtent = 0x80;
constexpr int MaxContinuations = 8;
constexpr qint64 MaxContinuationBytes = 64 * 1024;

// ISO 9660 stores its numbers both ways round; the little-endian half is read.
quint32 le32(const char* p)
{
    return qFromLittleEndian<quint32>(p);
}

int le16(const char* p)
{
    return qFromLittleEndian<quint16>(p);
}

// The seven-byte recording time of a directory record.
QDateTime recordTime(const char* p)
{
    const auto* u = reinterpret_cast<const uchar*>(p);
    const QDate date(1900 + u[0], u[1], u[2]);
    const QTime time(u[3], u[4], u[5]);
    if (!date.isValid() || !time.isValid()) {
        return {};
    }
    return QDateTime(date, time, Qt::OffsetFromUTC, int(qint8(u[6])) * 15 * 60);
}

bool isJolietEscape(const QByteArray& descriptor)
{
    const QByteArray escapes = descriptor.mid(88, 32);
    return escapes.contains("%/@") || escapes.contains("%/C") || escapes.contains("%/E");
}

// "NAME.EXT;1" -> "NAME.EXT", "NAME." -> "NAME".
QString withoutVersion(QString name)
{
    const qsizetype semicolon = name.lastIndexOf(QLatin1Char(';'));
    if (semicolon >= 0) {
        name.truncate(semicolon);
    }
    while (name.endsWith(QLatin1Char('.'))) {
        name.chop(1);
    }
    return name;
}

QString fromUcs2BigEndian(const QByteArray& bytes)
{
    QString name;
    name.reserve(bytes.size() / 2);
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2) {
        name.append(QChar(char16_t(uchar(bytes.at(i)) << 8 | uchar(bytes.at(i + 1)))));
    }
    return name;
}

bool isUsableName(const QString& name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") &&
           !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\')) &&
           !name.contains(QChar(0));
}

} // namespace

bool IsoImageIndexer::run()
{
    if (image_.imageSize_ < (FirstDescriptor + 1) * Sector) {
        return image_.fail(QStringLiteral("shorter than its volume descriptors"));
    }
    std::optional<Tree> primary;
    std::optional<Tree> joliet;
    if (!readDescriptors(primary, joliet)) {
        return false;
    }
    if (!primary) {
        return image_.fail(QStringLiteral("no primary volume descriptor"));
    }
    return walk(joliet ? *joliet : *primary);
}

bool IsoImageIndexer::readDescriptors(std::optional<Tree>& primary, std::optional<Tree>& joliet)
{
    for (int sector = FirstDescriptor; sector < FirstDescriptor + MaxDescriptors; ++sector) {
        QByteArray descriptor;
        if (!checkedRead(sector * Sector, Sector, descriptor)) {
            return image_.fail(QStringLiteral("the volume descriptors run past the end"));
        }
        if (descriptor.mid(1, 5) != "CD001") {
            return image_.fail(QStringLiteral("a volume descriptor without its signature"));
        }
        const int type = uchar(descriptor.at(0));
        if (type == 255) {
            break;
        }
        const bool isPrimary = type == 1 && !primary;
        const bool isJoliet = type == 2 && !joliet && isJolietEscape(descriptor);
        if (!isPrimary && !isJoliet) {
            continue;
        }
        if (le16(descriptor.constData() + 128) != Sector) {
            return image_.fail(QStringLiteral("logical blocks of %1 bytes")
                                   .arg(le16(descriptor.constData() + 128)));
        }
        if (!rootRecord(descriptor, isJoliet, isJoliet ? joliet : primary)) {
            return false;
        }
    }
    return true;
}

bool IsoImageIndexer::rootRecord(const QByteArray& descriptor, bool joliet,
                                 std::optional<Tree>& tree)
{
    Record record;
    if (uchar(descriptor.at(RootRecordOffset)) < MinRecord) {
        return image_.fail(QStringLiteral("a root directory record too short"));
    }
    if (!parseRecord(descriptor.constData() + RootRecordOffset, MinRecord, record)) {
        return false;
    }
    if (!(record.flags & FlagFolder)) {
        return image_.fail(QStringLiteral("a root directory that is not a directory"));
    }
    tree = Tree{record.extent, record.size, joliet};
    return true;
}

bool IsoImageIndexer::walk(const Tree& tree)
{
    joliet_ = tree.joliet;
    image_.joliet_ = tree.joliet;
    IsoImage::Node root;
    root.isFolder = true;
    root.extent = tree.extent;
    image_.nodes_.append(root);
    visited_.insert(tree.extent);
    pending_.append(Pending{IsoImage::Root, 0, tree.size});
    for (qsizetype next = 0; next < pending_.size(); ++next) {
        const Pending folder = pending_.at(next); // a copy: reading appends to pending_
        if (!readFolder(folder)) {
            return false;
        }
    }
    return true;
}

bool IsoImageIndexer::readFolder(const Pending& folder)
{
    const qint64 start = qint64(image_.nodes_.at(folder.folder).extent) * Sector;
    if (start > image_.imageSize_ - folder.size) {
        return image_.fail(QStringLiteral("a directory beyond the end of the image"));
    }
    directoryBytes_ += folder.size;
    if (directoryBytes_ > IsoImage::MaxDirectoryBytes) {
        return image_.fail(QStringLiteral("directories above %1 MiB together")
                               .arg(IsoImage::MaxDirectoryBytes / (1024 * 1024)));
    }
    for (qint64 offset = 0; offset < folder.size; offset += Sector) {
        QByteArray sector;
        if (!checkedRead(start + offset, std::min(Sector, folder.size - offset), sector) ||
            !readSector(sector, folder, folder.folder == IsoImage::Root && offset == 0)) {
            return image_.hasError() ? false : image_.fail(QStringLiteral("unreadable directory"));
        }
    }
    return true;
}

// Records never cross a sector; a zero length byte ends the sector's records.
bool IsoImageIndexer::readSector(const QByteArray& sector, const Pending& folder, bool isRootStart)
{
    for (qsizetype at = 0; at < sector.size();) {
        const int length = uchar(sector.at(at));
        if (length == 0) {
            break;
        }
        if (length < MinRecord || at + length > sector.size()) {
            return image_.fail(QStringLiteral("a directory record cut short"));
        }
        Record record;
        if (!parseRecord(sector.constData() + at, length, record)) {
            return false;
        }
        const bool self = record.isoName == QByteArray(1, '\0');
        if (self && isRootStart && at == 0) {
            noteSharingProtocol(record);
        } else if (!self && record.isoName != QByteArray(1, '\1') && !addEntry(folder, record)) {
            return false;
        }
        at += length;
    }
    return true;
}

bool IsoImageIndexer::parseRecord(const char* bytes, int length, Record& record)
{
    const int nameLength = uchar(bytes[32]);
    if (33 + nameLength > length) {
        return image_.fail(QStringLiteral("a file name longer than its directory record"));
    }
    const quint64 extent = quint64(le32(bytes + 2)) + uchar(bytes[1]);
    if (extent > quint64(image_.imageSize_ / Sector)) {
        return image_.fail(QStringLiteral("an extent beyond the end of the image"));
    }
    record.extent = quint32(extent);
    record.size = qint64(le32(bytes + 10));
    record.flags = uchar(bytes[25]);
    record.modified = recordTime(bytes + 18);
    record.isoName = QByteArray(bytes + 33, nameLength);
    const int systemUse = 33 + nameLength + (nameLength % 2 == 0 ? 1 : 0);
    if (systemUse < length) {
        record.systemUse = QByteArray(bytes + systemUse, length - systemUse);
    }
    return true;
}

bool IsoImageIndexer::addEntry(const Pending& folder, const Record& record)
{
    const QString name = nameOf(record);
    if (!isUsableName(name) || (record.flags & FlagMultiExtent)) {
        Refusal::log(QStringLiteral("an entry of a disc image it cannot name or read"),
                     image_.path_ + QLatin1Char(':') + name);
        return true;
    }
    if (image_.nodes_.size() >= IsoImage::MaxEntries) {
        return image_.fail(QStringLiteral("more than %1 entries").arg(IsoImage::MaxEntries));
    }
    const bool isFolder = record.flags & FlagFolder;
    const qint64 start = qint64(record.extent) * Sector;
    if (start > image_.imageSize_ - record.size) {
        return image_.fail(QStringLiteral("%1 extends beyond the end of the image").arg(name));
    }
    if (isFolder && folder.depth + 1 > IsoImage::MaxDepth) {
        return image_.fail(QStringLiteral("folders nested deeper than %1").arg(IsoImage::MaxDepth));
    }
    if (isFolder && visited_.contains(record.extent)) {
        return image_.fail(QStringLiteral("a directory loop at %1").arg(name));
    }
    IsoImage::Node node;
    node.name = name;
    node.isFolder = isFolder;
    node.extent = record.extent;
    node.size = isFolder ? 0 : record.size;
    node.modified = record.modified;
    node.parent = folder.folder;
    const int index = int(image_.nodes_.size());
    image_.nodes_.append(node);
    image_.nodes_[folder.folder].children.append(index);
    image_.addLookup(folder.folder, index);
    if (isFolder) {
        visited_.insert(record.extent);
        pending_.append(Pending{index, folder.depth + 1, record.size});
    }
    return true;
}

QString IsoImageIndexer::nameOf(const Record& record)
{
    if (joliet_) {
        return withoutVersion(fromUcs2BigEndian(record.isoName));
    }
    if (rockRidge_) {
        const QString alternate = rockRidgeName(record.systemUse);
        if (!alternate.isEmpty()) {
            return alternate;
        }
    }
    return withoutVersion(QString::fromLatin1(record.isoName));
}

// The NM entries of a record's system use area, following at most a few
// continuation areas (CE), each checked against the image.
QString IsoImageIndexer::rockRidgeName(const QByteArray& systemUse)
{
    QByteArray area = systemUse.mid(suspSkip_);
    QByteArray name;
    for (int hop = 0; hop <= MaxContinuations; ++hop) {
        std::optional<std::pair<qint64, qint64>> continuation;
        for (qsizetype at = 0; at + 4 <= area.size();) {
            const QByteArray signature = area.mid(at, 2);
            const int length = uchar(area.at(at + 2));
            if (length < 4 || at + length > area.size() || signature == "ST") {
                break;
            }
            if (signature == "NM" && length >= 5 && !(uchar(area.at(at + 4)) & 0x06)) {
                name += area.mid(at + 5, length - 5);
            } else if (signature == "CE" && length >= 28) {
                const char* p = area.constData() + at;
                continuation =
                    std::pair(qint64(le32(p + 4)) * Sector + le32(p + 12), qint64(le32(p + 20)));
            }
            at += length;
        }
        if (!continuation || continuation->second > MaxContinuationBytes ||
            directoryBytes_ + continuation->second > IsoImage::MaxDirectoryBytes ||
            !checkedRead(continuation->first, continuation->second, area)) {
            break;
        }
        directoryBytes_ += continuation->second;
    }
    return QString::fromUtf8(name);
}

// The root's "." record opens the system use sharing protocol (SP) when the
// image carries Rock Ridge entries; it also says how many bytes to skip.
void IsoImageIndexer::noteSharingProtocol(const Record& dot)
{
    const QByteArray& area = dot.systemUse;
    if (area.size() >= 7 && area.startsWith("SP") && uchar(area.at(4)) == 0xBE &&
        uchar(area.at(5)) == 0xEF) {
        rockRidge_ = true;
        suspSkip_ = uchar(area.at(6));
    }
}

bool IsoImageIndexer::checkedRead(qint64 offset, qint64 length, QByteArray& bytes)
{
    if (offset < 0 || length < 0 || offset > image_.imageSize_ - length) {
        return false;
    }
    bytes.resize(length);
    return image_.readAt(offset, bytes.data(), length);
}
