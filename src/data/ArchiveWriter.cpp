#include "data/ArchiveWriter.h"

#include "data/PackedArchive.h"
#include "platform/CodePage.h"

#include <QSaveFile>
#include <QtEndian>
#include <map>
#include <zlib.h>

namespace {

constexpr quint32 kUnpackedMask = 0x5C2E91A3;
constexpr quint32 kStoredMask = 0x0D7B46E8;
constexpr qsizetype kNameFieldSize = 64;
constexpr qsizetype kMaxMemberSize = 256 * 1024 * 1024;
constexpr quint64 kMaxDataSize = 0xFFFFFFFFu;

void appendWord(QByteArray& out, quint32 value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

// The deflated form when it is smaller, else the bytes themselves.
QByteArray packed(const QByteArray& bytes)
{
    uLongf size = compressBound(uLong(bytes.size()));
    QByteArray out(qsizetype(size), Qt::Uninitialized);
    const int result = compress2(reinterpret_cast<Bytef*>(out.data()), &size,
                                 reinterpret_cast<const Bytef*>(bytes.constData()),
                                 uLong(bytes.size()), Z_DEFAULT_COMPRESSION);
    if (result != Z_OK || qsizetype(size) >= bytes.size()) {
        return bytes;
    }
    out.truncate(qsizetype(size));
    return out;
}

void appendEntry(QByteArray& out, const QByteArray& name, quint32 offset, quint32 stored,
                 quint32 unpacked, quint32 kind)
{
    QByteArray field = name;
    field.resize(kNameFieldSize, '\0');
    out += field;
    appendWord(out, offset);
    appendWord(out, stored);
    appendWord(out, unpacked);
    appendWord(out, kind);
}

} // namespace

struct ArchiveWriter::Node {
    bool isFolder = true;
    QByteArray stored; // member bytes as they go into the file
    quint32 unpackedSize = 0;
    std::map<QByteArray, std::shared_ptr<Node>> children;
};

ArchiveWriter::ArchiveWriter(bool compress) : root_(std::make_shared<Node>()), compress_(compress)
{
}

ArchiveWriter::~ArchiveWriter() = default;

bool ArchiveWriter::fail(const QString& message)
{
    error_ = message;
    return false;
}

bool ArchiveWriter::checkComponents(const QList<QByteArray>& parts)
{
    for (const QByteArray& part : parts) {
        if (part.isEmpty() || part == "." || part == ".." || part.contains('\0')) {
            return fail(
                QStringLiteral("invalid name component \"%1\"").arg(CodePage::fromCp1251(part)));
        }
        if (part.size() > kNameFieldSize) {
            return fail(QStringLiteral("name longer than %1 bytes: %2")
                            .arg(kNameFieldSize)
                            .arg(CodePage::fromCp1251(part)));
        }
    }
    return true;
}

bool ArchiveWriter::addFile(const QString& relativePath, const QByteArray& bytes)
{
    if (!CodePage::canEncodeCp1251(relativePath)) {
        return fail(QStringLiteral("%1: not representable in Windows-1251").arg(relativePath));
    }
    if (bytes.size() > kMaxMemberSize) {
        return fail(QStringLiteral("%1: member too large").arg(relativePath));
    }
    const QList<QByteArray> parts = NormalizeArchivePath(relativePath).split('\\');
    if (!checkComponents(parts)) {
        return false;
    }
    Node* folder = root_.get();
    qsizetype depth = 0;
    for (; depth + 1 < parts.size(); ++depth) {
        const auto found = folder->children.find(parts[depth]);
        if (found == folder->children.end()) {
            break;
        }
        if (!found->second->isFolder) {
            return fail(QStringLiteral("%1: a file is in the way of a folder").arg(relativePath));
        }
        folder = found->second.get();
    }
    if (depth + 1 == parts.size() && folder->children.count(parts.last()) != 0) {
        return fail(QStringLiteral("%1: already in the archive").arg(relativePath));
    }
    auto member = std::make_shared<Node>();
    member->isFolder = false;
    member->stored = compress_ ? packed(bytes) : bytes;
    member->unpackedSize = quint32(bytes.size());
    if (storedTotal_ + quint64(member->stored.size()) > kMaxDataSize) {
        return fail(QStringLiteral("%1: the archive would exceed 4 GiB").arg(relativePath));
    }
    storedTotal_ += quint64(member->stored.size());
    for (; depth + 1 < parts.size(); ++depth) {
        auto child = std::make_shared<Node>();
        folder->children.emplace(parts[depth], child);
        folder = child.get();
    }
    folder->children.emplace(parts.last(), std::move(member));
    return true;
}

// Folders are numbered breadth first from the root (folder 0); each folder's
// children form one run in the entry table, and member data follow in entry
// order.
QByteArray ArchiveWriter::toBytes() const
{
    QList<const Node*> folders{root_.get()};
    QByteArray folderTable;
    QByteArray entryTable;
    QByteArray data;
    data.reserve(qsizetype(storedTotal_));
    quint32 entryCount = 0;
    for (qsizetype index = 0; index < folders.size(); ++index) {
        const Node* folder = folders[index];
        appendWord(folderTable, entryCount);
        appendWord(folderTable, quint32(folder->children.size()));
        entryCount += quint32(folder->children.size());
        for (const auto& [name, child] : folder->children) {
            if (child->isFolder) {
                appendEntry(entryTable, name, quint32(folders.size()), 0, 0,
                            PackedArchive::KindFolder);
                folders.append(child.get());
            } else {
                appendEntry(entryTable, name, quint32(data.size()), quint32(child->stored.size()),
                            child->unpackedSize, PackedArchive::KindFile);
                data += child->stored;
            }
        }
    }
    QByteArray directory;
    directory.reserve(16 + folderTable.size() + entryTable.size());
    appendWord(directory, quint32(folders.size()));
    appendWord(directory, entryCount);
    appendWord(directory, 0);
    appendWord(directory, 0);
    directory += folderTable;
    directory += entryTable;

    const QByteArray storedDirectory = packed(directory);
    const quint32 stored = quint32(storedDirectory.size());
    const quint32 extra =
        stored == quint32(directory.size()) ? 0 : quint32(directory.size()) - stored;
    QByteArray out;
    out.reserve(8 + storedDirectory.size() + data.size());
    appendWord(out, extra ^ kUnpackedMask);
    appendWord(out, stored ^ kStoredMask);
    out += storedDirectory;
    out += data;
    return out;
}

bool ArchiveWriter::write(const QString& hostPath)
{
    QSaveFile file(hostPath);
    if (!file.open(QIODevice::WriteOnly)) {
        return fail(QStringLiteral("cannot create %1: %2").arg(hostPath, file.errorString()));
    }
    const QByteArray bytes = toBytes();
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        return fail(QStringLiteral("cannot write %1: %2").arg(hostPath, file.errorString()));
    }
    return true;
}
