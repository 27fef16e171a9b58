#pragma once

#include "install/archive/ArchiveReader.h"

#include <QList>
#include <QSet>
#include <QString>
#include <functional>
#include <optional>

// The two walks through an archive that the browser and disctool share:
// reading every header for a listing, and unpacking every entry into a
// folder. Failures go to the message function as the browser's texts; each
// kind of message is given once per walk.
class TArchiveWalk {
public:
    using MessageFunction = std::function<void(const QString& text)>;

    // archiveName: the name the messages use; hostPath: the first volume.
    TArchiveWalk(QString archiveName, QString hostPath, MessageFunction message);

    // The entries in archive order; nullopt when the archive could not be
    // opened. Whole() tells whether the reading reached the end.
    std::optional<QList<RArchiveHeader>> ReadEntries();
    // Unpacks every entry below the host folder destination; between runs
    // between entries (pending window messages). False when it could not be
    // opened; Whole() tells whether every entry was unpacked.
    bool ExtractAll(const QString& destinationHost, const std::function<void()>& between = {});

    bool Whole() const { return whole_; }

    // The message of an open result, of a process result, and the others.
    static QString OpenMessage(int result, const QString& archive);
    static QString ProcessMessage(int result, const QString& entry);
    static QString BrokenHeaderMessage(const QString& entry);
    static QString MissingVolumeMessage(const QString& volume);

private:
    bool Open(TArchiveReader& reader);
    void EndOfHeaders(int result, const TArchiveReader& reader, const QString& lastName);
    bool ExtractEntry(TArchiveReader& reader, const RArchiveHeader& header,
                      const QString& destinationHost);
    enum TMessageKind { OpenKind = 100, HeaderKind, VolumeKind };
    void ShowFailure(const TArchiveReader& reader, const QString& text, int kind);
    QString VolumePath(const QString& volume) const;
    void Show(const QString& text, int kind);

    QString archiveName_;
    QString hostPath_;
    MessageFunction message_;
    QSet<int> shownKinds_;
    bool whole_ = false;
};
