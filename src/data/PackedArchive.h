#pragma once

#include "DynamicArrays.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>
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
        QByteArray name; // normalised Windows-1251 bytes
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
    // Fills stream with the member's bytes at position 0: 0, NotAFile or Damaged.
    int ReadMember(int entryIndex, QBuffer& stream) const;
    int ReadMember(int entryIndex, QByteArray& bytes) const;
    // FindMember then ReadMember; -1 when the path is not in the archive.
    int MemberToStream(const QString& path, QBuffer& stream) const;
    // Paths of all files, depth first, in stored (upper) case.
    TDynamicStringArray ListArchive() const;

    const QList<Folder>& folders() const { return folders_; }
    const QList<Entry>& entries() const { return entries_; }
    quint32 rootFolder() const { return root_; }
    const QString& errorString() const { return error_; }

private:
    bool fail(const QString& message) const;
    bool readDirectory(quint32 unpacked, quint32 stored);
    bool parseDirectory(const QByteArray& directory);
    bool checkTree();
    int findInFolder(quint32 folder, const QByteArray& name) const;

    std::unique_ptr<QFile> file_;
    QList<Folder> folders_;
    QList<Entry> entries_;
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
void SetArchiveDamageHandler(std::function<void(const QString& message)> handler);
