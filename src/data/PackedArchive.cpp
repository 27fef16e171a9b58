#include "data/PackedArchive.h"

#include "data/ArchiveInflater.h"
#include "platform/BoundedRead.h"
#include "platform/CodePage.h"
#include "platform/VirtualFs.h"

#include <QtEndian>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <unistd.h>
#include <vector>

namespace {

constexpr quint32 kUnpackedMask = 0x5C2E91A3;
constexpr quint32 kStoredMask = 0x0D7B46E8;
constexpr qint64 kHeaderSize = 8;
constexpr quint64 kDirectoryHeaderSize = 16;
constexpr quint64 kFolderRecordSize = 8;
constexpr quint64 kEntryRecordSize = 80;
constexpr int kNameFieldSize = 64;
// Nothing in an interface archive comes near this; it bounds every allocation.
constexpr quint64 kMaxUnpackedSize = 256u * 1024 * 1024;
constexpr qsizetype kMaxPathBytes = 1024;
constexpr qsizetype kMaxFolderPartBytes = 100;
constexpr qsizetype kMaxListedPathBytes = 1023;

quint32 wordAt(const char* bytes)
{
    return qFromLittleEndian<quint32>(bytes);
}

// Deflate cannot do better than about 1032:1, so a larger claimed ratio is a lie.
bool plausibleRatio(quint64 stored, quint64 unpacked)
{
    return unpacked <= 1032 * stored + 64;
}

void putInStream(QBuffer& stream, QByteArray& bytes)
{
    if (stream.isOpen()) {
        stream.buffer().swap(bytes);
        stream.seek(0);
    } else {
        stream.setData(bytes);
        stream.open(QIODevice::ReadOnly);
    }
}

} // namespace

PackedArchive::PackedArchive() = default;
PackedArchive::~PackedArchive() = default;

bool PackedArchive::isOpen() const
{
    return file_ != nullptr;
}

void PackedArchive::close()
{
    file_.reset();
    firstByName_.clear();
    entries_.clear();
    folders_.clear();
    directory_.clear();
    root_ = 0;
    dataStart_ = 0;
    fileSize_ = 0;
    base_.clear();
}

bool PackedArchive::fail(const QString& message) const
{
    error_ = message;
    return false;
}

bool PackedArchive::OpenArchive(const QString& path)
{
    close();
    error_.clear();
    std::unique_ptr<QFile> file = BoundedRead::openVirtual(path, ReadKind::Archive);
    if (!file) {
        return fail(QStringLiteral("cannot open the archive %1").arg(path));
    }
    file_ = std::move(file);
    fileSize_ = file_->size();
    if (!load()) {
        const QString reason = error_;
        close();
        return fail(QStringLiteral("%1: %2").arg(path, reason));
    }
    return true;
}

bool PackedArchive::load()
{
    char header[kHeaderSize];
    if (fileSize_ < kHeaderSize || !readAt(0, header, kHeaderSize)) {
        return fail(QStringLiteral("file too short"));
    }
    return readDirectory(wordAt(header), wordAt(header + 4)) && parseDirectory() &&
           checkReferences() && indexTree();
}

bool PackedArchive::readAt(qint64 offset, char* into, qint64 size) const
{
    const int fd = file_->handle();
    while (size > 0) {
        const ssize_t got = ::pread(fd, into, size_t(size), off_t(offset));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            return fail(QStringLiteral("read error or unexpected end of file"));
        }
        into += got;
        offset += got;
        size -= got;
    }
    return true;
}

bool PackedArchive::readDirectory(quint32 maskedUnpacked, quint32 maskedStored)
{
    const quint32 extra = maskedUnpacked ^ kUnpackedMask;
    const quint32 stored = maskedStored ^ kStoredMask;
    // The header keeps unpacked - stored in 32-bit arithmetic; the sum undoes it.
    const quint32 unpacked = extra + stored;
    if (kHeaderSize + qint64(stored) > fileSize_) {
        return fail(QStringLiteral("directory runs past the end of the file"));
    }
    if (unpacked > kMaxUnpackedSize || (extra != 0 && !plausibleRatio(stored, unpacked))) {
        return fail(QStringLiteral("impossible directory size %1").arg(unpacked));
    }
    if (unpacked < kDirectoryHeaderSize) {
        return fail(QStringLiteral("directory too small"));
    }
    QByteArray raw(qsizetype(stored), Qt::Uninitialized);
    if (!readAt(kHeaderSize, raw.data(), stored)) {
        return false;
    }
    dataStart_ = kHeaderSize + stored;
    if (extra == 0) {
        directory_ = std::move(raw);
        return true;
    }
    directory_ = QByteArray(qsizetype(unpacked), Qt::Uninitialized);
    return ArchiveInflater::forThisThread().inflateExact(raw.constData(), stored, directory_.data(),
                                                         unpacked) ||
           fail(QStringLiteral("compressed directory is damaged"));
}

bool PackedArchive::parseDirectory()
{
    const char* bytes = directory_.constData();
    const quint32 folderCount = wordAt(bytes);
    const quint32 entryCount = wordAt(bytes + 4);
    root_ = wordAt(bytes + 12);
    const quint64 needed =
        kDirectoryHeaderSize + kFolderRecordSize * folderCount + kEntryRecordSize * entryCount;
    if (needed > quint64(directory_.size())) {
        return fail(QStringLiteral("%1 folders and %2 entries do not fit the directory")
                        .arg(folderCount)
                        .arg(entryCount));
    }
    const char* record = bytes + kDirectoryHeaderSize;
    folders_.resize(folderCount);
    for (Folder& folder : folders_) {
        folder = {wordAt(record), wordAt(record + 4)};
        record += kFolderRecordSize;
    }
    entries_.resize(entryCount);
    for (Entry& entry : entries_) {
        entry.name = QByteArray::fromRawData(record, qsizetype(strnlen(record, kNameFieldSize)));
        entry.offset = wordAt(record + 64);
        entry.storedSize = wordAt(record + 68);
        entry.unpackedSize = wordAt(record + 72);
        entry.kind = wordAt(record + 76);
        record += kEntryRecordSize;
    }
    return true;
}

bool PackedArchive::checkReferences()
{
    const quint32 folderCount = quint32(folders_.size());
    if (root_ >= folderCount) {
        return fail(QStringLiteral("root folder %1 does not exist").arg(root_));
    }
    for (quint32 i = 0; i < folderCount; ++i) {
        const Folder& folder = folders_[i];
        if (quint64(folder.firstEntry) + folder.entryCount > quint64(entries_.size())) {
            return fail(QStringLiteral("folder %1 lists entries beyond the table").arg(i));
        }
    }
    for (qsizetype i = 0; i < entries_.size(); ++i) {
        if (entries_[i].kind == KindFolder && entries_[i].offset >= folderCount) {
            return fail(QStringLiteral("entry %1 refers to a missing folder").arg(i));
        }
    }
    return true;
}

// Walks the tree from the root once, without recursion. Every folder and every
// entry may be reached once only: this rejects cycles and shared subtrees, and
// bounds listing and indexing by the entry count.
bool PackedArchive::indexTree()
{
    std::vector<bool> folderReached(folders_.size());
    std::vector<bool> entryReached(entries_.size());
    std::vector<quint32> pending{root_};
    folderReached[root_] = true;
    firstByName_.reserve(entries_.size());
    while (!pending.empty()) {
        const quint32 folderIndex = pending.back();
        pending.pop_back();
        const Folder& folder = folders_[folderIndex];
        for (quint32 i = folder.firstEntry; i < folder.firstEntry + folder.entryCount; ++i) {
            if (entryReached[i]) {
                return fail(QStringLiteral("entry %1 belongs to more than one folder").arg(i));
            }
            entryReached[i] = true;
            const Entry& entry = entries_[i];
            if (entry.kind == KindFolder) {
                if (folderReached[entry.offset]) {
                    return fail(QStringLiteral("folder %1 is reached twice").arg(entry.offset));
                }
                folderReached[entry.offset] = true;
                pending.push_back(entry.offset);
            }
        }
        // Inserting backwards leaves the first of equally-named entries in the table.
        for (quint32 i = folder.entryCount; i > 0; --i) {
            const quint32 index = folder.firstEntry + i - 1;
            firstByName_.insert({folderIndex, entries_[index].name}, qint32(index));
        }
    }
    return true;
}

void PackedArchive::SetArchiveBase(const QString& folder)
{
    base_ = NormalizeArchivePath(folder);
}

int PackedArchive::findInFolder(quint32 folder, QByteArrayView name) const
{
    return firstByName_.value({folder, name}, -1);
}

int PackedArchive::FindMember(const QString& path) const
{
    if (!isOpen()) {
        return -1;
    }
    const QByteArray normalized = NormalizeArchivePath(path);
    QByteArrayView rest = QByteArrayView(normalized).first(qMin(normalized.size(), kMaxPathBytes));
    if (rest.startsWith(base_)) {
        rest = rest.sliced(base_.size());
    }
    if (rest.startsWith('\\')) {
        rest = rest.sliced(1);
    }
    quint32 folder = root_;
    for (qsizetype split = rest.indexOf('\\'); split >= 0; split = rest.indexOf('\\')) {
        const QByteArrayView part = rest.first(qMin(split, kMaxFolderPartBytes));
        const int index = findInFolder(folder, part);
        if (index < 0 || entries_[index].kind != KindFolder) {
            return -1;
        }
        folder = entries_[index].offset;
        rest = rest.sliced(split + 1);
    }
    const int index = findInFolder(folder, rest);
    return index >= 0 && entries_[index].kind == KindFile ? index : -1;
}

int PackedArchive::damaged(const Entry& entry, const QString& what) const
{
    error_ = QStringLiteral("member %1 %2").arg(CodePage::fromCp1251(entry.name), what);
    return Damaged;
}

int PackedArchive::checkMember(int entryIndex) const
{
    if (!isOpen() || entryIndex < 0 || entryIndex >= entries_.size() ||
        entries_[entryIndex].kind != KindFile) {
        return NotAFile;
    }
    const Entry& entry = entries_[entryIndex];
    if (dataStart_ + entry.offset + qint64(entry.storedSize) > fileSize_) {
        return damaged(entry, QStringLiteral("runs past the end of the file"));
    }
    if (entry.unpackedSize > kMaxUnpackedSize || entry.storedSize > kMaxUnpackedSize ||
        (entry.storedSize != entry.unpackedSize &&
         !plausibleRatio(entry.storedSize, entry.unpackedSize))) {
        return damaged(entry, QStringLiteral("has an impossible size"));
    }
    return 0;
}

int PackedArchive::ReadMember(int entryIndex, QByteArray& bytes) const
{
    if (const int fault = checkMember(entryIndex); fault != 0) {
        return fault;
    }
    const Entry& entry = entries_[entryIndex];
    const qint64 start = dataStart_ + entry.offset;
    ArchiveInflater& inflater = ArchiveInflater::forThisThread();
    char* unpacked = inflater.output(qsizetype(entry.unpackedSize));
    if (entry.storedSize == entry.unpackedSize) {
        if (!readAt(start, unpacked, entry.storedSize)) {
            return damaged(entry, QStringLiteral("cannot be read"));
        }
    } else {
        std::unique_ptr<char[]> large;
        char* packed = inflater.room(entry.storedSize, large);
        if (!readAt(start, packed, entry.storedSize)) {
            return damaged(entry, QStringLiteral("cannot be read"));
        }
        if (!inflater.inflateExact(packed, entry.storedSize, unpacked, entry.unpackedSize)) {
            return damaged(entry, QStringLiteral("does not inflate to its declared size"));
        }
    }
    bytes = inflater.takeOutput();
    return 0;
}

int PackedArchive::ReadMemberHead(int entryIndex, qint64 limit, QByteArray& bytes) const
{
    if (const int fault = checkMember(entryIndex); fault != 0) {
        return fault;
    }
    const Entry& entry = entries_[entryIndex];
    const qint64 start = dataStart_ + entry.offset;
    QByteArray head(qBound<qint64>(0, limit, entry.unpackedSize), Qt::Uninitialized);
    if (entry.storedSize == entry.unpackedSize) {
        if (!readAt(start, head.data(), head.size())) {
            return damaged(entry, QStringLiteral("cannot be read"));
        }
        bytes = head;
        return 0;
    }
    ArchiveInflater& inflater = ArchiveInflater::forThisThread();
    if (!inflater.beginPrefix(head.data(), head.size())) {
        return damaged(entry, QStringLiteral("cannot be inflated"));
    }
    constexpr qint64 kPiece = 16 * 1024;
    char piece[kPiece];
    auto state = ArchiveInflater::Prefix::WantsMore;
    for (qint64 done = 0; state == ArchiveInflater::Prefix::WantsMore; done += kPiece) {
        const qint64 size = qMin<qint64>(kPiece, qint64(entry.storedSize) - done);
        if (size <= 0) {
            break;
        }
        if (!readAt(start + done, piece, size)) {
            return damaged(entry, QStringLiteral("cannot be read"));
        }
        state = inflater.feedPrefix(piece, size);
    }
    if (state != ArchiveInflater::Prefix::Full && !head.isEmpty()) {
        return damaged(entry, QStringLiteral("does not inflate to its declared size"));
    }
    bytes = head;
    return 0;
}

int PackedArchive::ReadMember(int entryIndex, QBuffer& stream) const
{
    QByteArray bytes;
    const int result = ReadMember(entryIndex, bytes);
    if (result == 0) {
        putInStream(stream, bytes);
    }
    return result;
}

int PackedArchive::MemberToStream(const QString& path, QBuffer& stream) const
{
    const int index = FindMember(path);
    return index < 0 ? -1 : ReadMember(index, stream);
}

TDynamicStringArray PackedArchive::ListArchive() const
{
    TDynamicStringArray paths;
    if (!isOpen()) {
        return paths;
    }
    struct Frame {
        quint32 next;
        quint32 end;
        qsizetype prefixSize;
    };
    const Folder& root = folders_[root_];
    std::vector<Frame> frames{{root.firstEntry, root.firstEntry + root.entryCount, 0}};
    QByteArray path;
    while (!frames.empty()) {
        Frame& frame = frames.back();
        if (frame.next == frame.end) {
            frames.pop_back();
            continue;
        }
        const Entry& entry = entries_[frame.next++];
        path.truncate(frame.prefixSize);
        if (entry.name.startsWith('.')) {
            continue;
        }
        path += entry.name;
        if (path.size() > kMaxListedPathBytes) {
            continue;
        }
        if (entry.kind == KindFolder) {
            const Folder& folder = folders_[entry.offset];
            path += '\\';
            frames.push_back(
                {folder.firstEntry, folder.firstEntry + folder.entryCount, path.size()});
        } else if (entry.kind == KindFile) {
            paths.append(CodePage::fromCp1251(path));
        }
    }
    return paths;
}

QByteArray NormalizeArchivePath(const QByteArray& path)
{
    QByteArray result(path);
    for (char& byte : result) {
        const uchar c = uchar(byte);
        if (c == '/') {
            byte = '\\';
        } else if ((c >= 'a' && c <= 'z') || c >= 224) {
            byte = char(c - 32);
        }
    }
    return result;
}

QByteArray NormalizeArchivePath(const QString& path)
{
    // ASCII paths, the usual case, are converted and normalised in one pass.
    QByteArray result(path.size(), Qt::Uninitialized);
    char* out = result.data();
    for (const QChar c : path) {
        const char16_t unit = c.unicode();
        if (unit >= 0x80) {
            return NormalizeArchivePath(CodePage::toCp1251(path));
        }
        *out++ = unit == '/' ? '\\' : (unit >= 'a' && unit <= 'z') ? char(unit - 32) : char(unit);
    }
    return result;
}
