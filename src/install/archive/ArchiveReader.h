#pragma once

#include <QString>
#include <QStringList>
#include <memory>

struct archive;
struct archive_entry;

// One entry of an archive as the browser sees it.
struct RArchiveHeader {
    QString Name;        // path inside the archive, "\" between folders
    bool Folder = false; //
    bool Link = false;   // a symbolic or hard link, or a special file
    bool Encrypted = false;
    qint64 Size = 0;  // unpacked
    quint32 Time = 0; // DOS date-time
};

// Reads a RAR archive (RAR 4 and 5, multi-volume sets through their later
// volumes) entry by entry through libarchive and unpacks entries into a
// folder. RAR 4 names that are not Unicode are read in the OEM code page
// 866. Results are the codes of the browser's message table.
class TArchiveReader {
public:
    enum TResult : int {
        Success = 0,
        EndArchive = 10,
        NoMemory = 11,
        BadData = 12, // a broken header, or a checksum error of an entry's data
        BadArchive = 13,
        UnknownFormat = 14,
        OpenError = 15,
        CreateError = 16,
        CloseError = 17,
        ReadError = 18,
        WriteError = 19,
        Refused = 20, // an encrypted entry is not unpacked
        NoSpace = 21,
    };

    TArchiveReader();
    ~TArchiveReader();
    TArchiveReader(const TArchiveReader&) = delete;
    TArchiveReader& operator=(const TArchiveReader&) = delete;

    // The host path of the first volume.
    TResult Open(const QString& hostPath);
    TResult ReadHeader(RArchiveHeader& header);
    TResult Skip();
    // Writes the entry just read below the host folder destination; folders
    // are created, links and special files skipped.
    TResult Extract(const QString& destinationHost);
    void Close();

    // After a failure that a missing later volume explains: its file name.
    QString MissingVolume() const;
    QString ErrorString() const;

    // More entries than this end the listing as a broken header would.
    static constexpr int MaxEntries = 200000;

private:
    TResult ExtractFile(const QString& host);
    TResult ExtractFolder(const QString& host);
    QStringList Volumes(const QString& hostPath);

    struct archive* archive_ = nullptr;
    struct archive_entry* entry_ = nullptr;
    QString missingVolume_;
    bool multiVolume_ = false;
    int entries_ = 0;
    qint64 freeBytes_ = -1; // unknown until the first entry is unpacked
};
