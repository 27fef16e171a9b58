#include "install/archive/ArchiveReader.h"

#include "install/archive/ArchivePaths.h"
#include "platform/CodePage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>
#include <archive.h>
#include <archive_entry.h>
#include <vector>

namespace {

const QByteArray Rar4Signature("Rar!\x1a\x07\x00", 7);
const QByteArray Rar5Signature("Rar!\x1a\x07\x01\x00", 8);
constexpr int MaxVolumes = 999;
constexpr size_t BlockSize = 64 * 1024;

// A RAR 5 number: 7 bits per byte, low first.
bool readVint(const QByteArray& bytes, qsizetype& at, quint64& value)
{
    value = 0;
    for (int shift = 0; at < bytes.size() && shift < 64; shift += 7) {
        const auto byte = quint8(bytes.at(at++));
        value |= quint64(byte & 0x7f) << shift;
        if (!(byte & 0x80)) {
            return true;
        }
    }
    return false;
}

// The volume flag of the main archive header.
bool volumeFlag(const QByteArray& head)
{
    if (head.startsWith(Rar4Signature)) {
        return head.size() >= 12 && quint8(head.at(9)) == 0x73 && (quint8(head.at(10)) & 1);
    }
    if (head.startsWith(Rar5Signature)) {
        qsizetype at = Rar5Signature.size() + 4;
        quint64 size = 0, type = 0, flags = 0, archiveFlags = 0;
        return readVint(head, at, size) && readVint(head, at, type) && type == 1 &&
               readVint(head, at, flags) && (!(flags & 1) || readVint(head, at, size)) &&
               readVint(head, at, archiveFlags) && (archiveFlags & 1);
    }
    return false;
}

QString entryName(struct archive_entry* entry)
{
    QString name;
    if (const char* utf8 = archive_entry_pathname_utf8(entry)) {
        name = QString::fromUtf8(utf8);
    } else if (const char* raw = archive_entry_pathname(entry)) {
        name = CodePage::fromCp866(QByteArray(raw));
    }
    name.replace(QLatin1Char('/'), QLatin1Char('\\'));
    while (name.endsWith(QLatin1Char('\\'))) {
        name.chop(1);
    }
    return name;
}

// The free bytes of the file system the path will be on.
qint64 freeSpaceAt(const QString& host)
{
    QFileInfo at(host);
    while (!at.exists() && !at.isRoot()) {
        at = QFileInfo(at.absolutePath());
    }
    return QStorageInfo(at.absoluteFilePath()).bytesAvailable();
}

} // namespace

TArchiveReader::TArchiveReader() = default;

TArchiveReader::~TArchiveReader()
{
    Close();
}

TArchiveReader::TResult TArchiveReader::Open(const QString& hostPath)
{
    Close();
    QFile file(hostPath);
    if (!QFileInfo(hostPath).isFile() || !file.open(QIODevice::ReadOnly)) {
        return OpenError;
    }
    const QByteArray head = file.read(64);
    if (!head.startsWith(Rar4Signature) && !head.startsWith(Rar5Signature)) {
        return BadArchive;
    }
    multiVolume_ = volumeFlag(head);
    archive_ = archive_read_new();
    if (!archive_) {
        return NoMemory;
    }
    archive_read_support_format_rar(archive_);
    archive_read_support_format_rar5(archive_);
    archive_read_set_options(archive_, "rar:hdrcharset=CP866");
    const QStringList volumes = multiVolume_ ? Volumes(hostPath) : QStringList{hostPath};
    std::vector<QByteArray> names;
    std::vector<const char*> pointers;
    for (const QString& volume : volumes) {
        names.push_back(QFile::encodeName(volume));
    }
    for (const QByteArray& name : names) {
        pointers.push_back(name.constData());
    }
    pointers.push_back(nullptr);
    if (archive_read_open_filenames(archive_, pointers.data(), BlockSize) != ARCHIVE_OK) {
        Close();
        return OpenError;
    }
    return Success;
}

// The volumes that follow on the disk, up to the first one missing.
QStringList TArchiveReader::Volumes(const QString& hostPath)
{
    const QFileInfo first(hostPath);
    QHash<QString, QString> present;
    for (const QString& name : first.dir().entryList(QDir::Files)) {
        present.insert(name.toLower(), name);
    }
    QStringList volumes{hostPath};
    for (const QString& name : ArchivePaths::LaterVolumeNames(first.fileName(), MaxVolumes)) {
        const auto found = present.constFind(name.toLower());
        if (found == present.cend()) {
            missingVolume_ = name;
            break;
        }
        volumes.append(first.dir().filePath(*found));
    }
    return volumes;
}

TArchiveReader::TResult TArchiveReader::ReadHeader(RArchiveHeader& header)
{
    if (!archive_ || ++entries_ > MaxEntries) {
        return BadData;
    }
    const int status = archive_read_next_header(archive_, &entry_);
    if (status == ARCHIVE_EOF) {
        return EndArchive;
    }
    if (status < ARCHIVE_WARN) {
        entry_ = nullptr;
        return BadData;
    }
    header = RArchiveHeader();
    header.Name = entryName(entry_);
    const mode_t type = archive_entry_filetype(entry_);
    header.Folder = type == AE_IFDIR;
    header.Link = (type != AE_IFDIR && type != AE_IFREG) || archive_entry_hardlink(entry_) ||
                  archive_entry_symlink(entry_);
    header.Encrypted = archive_entry_is_encrypted(entry_);
    header.Size = archive_entry_size_is_set(entry_) ? archive_entry_size(entry_) : 0;
    if (archive_entry_mtime_is_set(entry_)) {
        header.Time =
            ArchivePaths::DosDateTime(QDateTime::fromSecsSinceEpoch(archive_entry_mtime(entry_)));
    }
    return Success;
}

TArchiveReader::TResult TArchiveReader::Skip()
{
    if (!archive_ || !entry_) {
        return BadData;
    }
    return archive_read_data_skip(archive_) < ARCHIVE_WARN ? BadData : Success;
}

TArchiveReader::TResult TArchiveReader::Extract(const QString& destinationHost)
{
    if (!archive_ || !entry_) {
        return BadData;
    }
    const mode_t type = archive_entry_filetype(entry_);
    if (type == AE_IFDIR) {
        return ExtractFolder(destinationHost);
    }
    if (type != AE_IFREG || archive_entry_hardlink(entry_) || archive_entry_symlink(entry_)) {
        return Skip();
    }
    if (archive_entry_is_encrypted(entry_)) {
        Skip();
        return Refused;
    }
    // The free space is asked once per archive and counted down after.
    if (freeBytes_ < 0) {
        freeBytes_ = freeSpaceAt(destinationHost);
    }
    if (archive_entry_size(entry_) > freeBytes_) {
        return NoSpace;
    }
    freeBytes_ -= archive_entry_size(entry_);
    return ExtractFile(destinationHost);
}

TArchiveReader::TResult TArchiveReader::ExtractFolder(const QString& host)
{
    return QDir().mkpath(host) && QFileInfo(host).isDir() ? Skip() : CreateError;
}

// The data goes through libarchive's disk writer with its own guards
// against "..", absolute names and links on the way, onto the path the
// destination check gave.
TArchiveReader::TResult TArchiveReader::ExtractFile(const QString& host)
{
    if (!QDir().mkpath(QFileInfo(host).absolutePath())) {
        return CreateError;
    }
    struct archive* disk = archive_write_disk_new();
    archive_write_disk_set_options(disk, ARCHIVE_EXTRACT_TIME | ARCHIVE_EXTRACT_SECURE_SYMLINKS |
                                             ARCHIVE_EXTRACT_SECURE_NODOTDOT |
                                             ARCHIVE_EXTRACT_UNLINK);
    struct archive_entry* target = archive_entry_clone(entry_);
    archive_entry_set_pathname_utf8(target, host.toUtf8().constData());
    archive_entry_set_perm(target, 0644);
    TResult result = archive_write_header(disk, target) < ARCHIVE_WARN ? CreateError : Success;
    const void* block = nullptr;
    size_t size = 0;
    la_int64_t offset = 0;
    while (result == Success) {
        const int status = archive_read_data_block(archive_, &block, &size, &offset);
        if (status == ARCHIVE_EOF) {
            break;
        }
        if (status < ARCHIVE_WARN) {
            result = BadData;
        } else if (archive_write_data_block(disk, block, size, offset) < ARCHIVE_WARN) {
            result = WriteError;
        }
    }
    if (archive_write_finish_entry(disk) < ARCHIVE_WARN && result == Success) {
        result = CloseError;
    }
    archive_entry_free(target);
    archive_write_free(disk);
    if (result != Success) {
        QFile::remove(host);
    }
    return result;
}

void TArchiveReader::Close()
{
    if (archive_) {
        archive_read_free(archive_);
    }
    archive_ = nullptr;
    entry_ = nullptr;
    entries_ = 0;
    freeBytes_ = -1;
}

QString TArchiveReader::MissingVolume() const
{
    return multiVolume_ ? missingVolume_ : QString();
}

QString TArchiveReader::ErrorString() const
{
    return archive_ ? QString::fromUtf8(archive_error_string(archive_)) : QString();
}
