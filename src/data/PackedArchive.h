#pragma once

#include "data/DynamicArrays.h"

#include <QBuffer>
#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QHash>
#include <QList>
#include <QString>
#include <functional>
#include <memory>

// Reader of the packed interface archive (interface.dat): a read-only tree of
// folders and files in one file, each file stored as is or zlib-compressed.
// Every structural fault (absurd sizes, tables that do not fit, references out
// of range or forming a cycle, members past the end, inflation that does not
// give the declared size) is reported as an error value; nothing is allocated
// beyond what the file can justify.
class PackedArchive {
public:
    struct Folder {
        quint32 firstEntry = 0;
        quint32 entryCount = 0;
    };
    struct Entry {
        QByteArray name;    // normalised Windows-1251 bytes, valid while the archive is open
        quint32 offset = 0; // file: data offset; folder: folder index
        quint32 storedSize = 0;
        quint32 unpackedSize = 0;
        quint32 kind = 0; // 1 file, 2 folder
    };
    enum : quint32 { KindFile = 1, KindFolder = 2 };

    // ReadMember results besides 0.
    enum : int { NotAFile = -1, Damaged = -2 };

    PackedArchive();
    ~PackedArchive();

    // (Re)loads the archive at a virtual path; an open archive is released first.
    bool OpenArchive(const QString& path);
    bool isOpen() const;
    // Stores folder, normalised, as the prefix removed from looked-up paths.
    void SetArchiveBase(const QString& folder);
    const QByteArray& ArchiveBase() const { return base_; }

    // Entry index of a path, or -1.
    int FindMember(const QString& path) const;
    // Fills stream with the member's bytes at position 0 (a closed stream is
    // opened for reading): 0, NotAFile or Damaged.
    int ReadMember(int entryIndex, QBuffer& stream) const;
    int ReadMember(int entryIndex, QByteArray& bytes) const;
    // The first limit bytes of a member (all of a shorter one), inflating no
    // more than it takes: 0, NotAFile or Damaged.
    int ReadMemberHead(int entryIndex, qint64 limit, QByteArray& bytes) const;
    // FindMember then ReadMember; -1 when the path is not in the archive.
    int MemberToStream(const QString& path, QBuffer& stream) const;
    // Paths of all files, depth first, in stored (upper) case.
    TDynamicStringArray ListArchive() const;

    const QList<Folder>& folders() const { return folders_; }
    const QList<Entry>& entries() const { return entries_; }
    quint32 rootFolder() const { return root_; }
    const QString& errorString() const { return error_; }

private:
    // Key of the lookup table: an entry name within one folder.
    struct NameKey {
        quint32 folder;
        QByteArrayView name;
        friend bool operator==(const NameKey& a, const NameKey& b)
        {
            return a.folder == b.folder && a.name == b.name;
        }
        // FNV-1a over the name, started from the folder; far cheaper than
        // the general byte-array hash for names of a few bytes.
        friend size_t qHash(const NameKey& key, size_t seed)
        {
            size_t hash = (seed ^ key.folder) * 0x100000001B3u + 0xCBF29CE484222325u;
            for (const char byte : key.name) {
                hash = (hash ^ uchar(byte)) * 0x100000001B3u;
            }
            return hash ^ (hash >> 29);
        }
    };

    void close();
    bool fail(const QString& message) const;
    bool load();
    bool readAt(qint64 offset, char* into, qint64 size) const;
    bool readDirectory(quint32 maskedUnpacked, quint32 maskedStored);
    bool parseDirectory();
    bool checkReferences();
    bool indexTree();
    int findInFolder(quint32 folder, QByteArrayView name) const;
    int damaged(const Entry& entry, const QString& what) const;
    // 0 when entryIndex is a file whose sizes and place in the file are
    // sound, else NotAFile or Damaged.
    int checkMember(int entryIndex) const;

    std::unique_ptr<QFile> file_;
    QByteArray directory_; // unpacked directory; entry names point into it
    QList<Folder> folders_;
    QList<Entry> entries_;
    QHash<NameKey, qint32> firstByName_; // first entry of each name per reachable folder
    quint32 root_ = 0;
    qint64 dataStart_ = 0;
    qint64 fileSize_ = 0;
    QByteArray base_;
    mutable QString error_;
};

// Archive path normalisation over Windows-1251 bytes: "/" to "\", a-z and
// Cyrillic а-я to upper case; everything else (ё included) unchanged.
QByteArray NormalizeArchivePath(const QByteArray& path);
QByteArray NormalizeArchivePath(const QString& path);

// The one archive the program opens at start-up, and the operations on it.
// When a member turns out damaged the damage handler runs; by default it
// writes one line to standard error and ends the process with status 3.
PackedArchive& InterfaceArchive();
bool OpenArchive(const QString& path);
void SetArchiveBase(const QString& folder);
int FindMember(const QString& path);
int ReadMember(int entryIndex, QBuffer& stream);
int MemberToStream(const QString& path, QBuffer& stream);
bool FileOrMemberExists(const QString& path);
TDynamicStringArray ListArchive();
// An empty handler restores the default one.
void SetArchiveDamageHandler(std::function<void(const QString& message)> handler);
void ReportArchiveDamage(const QString& message);
