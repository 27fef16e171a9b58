#pragma once

#include <QBuffer>
#include <QIODevice>
#include <QString>
#include <optional>

class PackedArchive;

// A memory stream holding a whole content file: the member of the interface
// archive when the path is there, else the disk file of the path. After
// construction the stream is open for reading at position 0 (and for writing
// to the memory copy when mode asks for it); a file found in neither place, or
// a damaged member, leaves it empty with hasError() set. A damaged member of
// InterfaceArchive() also goes to the archive damage handler.
class TComprStream : public QBuffer {
    Q_OBJECT
public:
    explicit TComprStream(const QString& path, QIODevice::OpenMode mode = QIODevice::ReadOnly);
    TComprStream(const PackedArchive& archive, const QString& path,
                 QIODevice::OpenMode mode = QIODevice::ReadOnly);

    // The first maxBytes of a content file (all of a shorter one), archive
    // first, disk otherwise, reading no more than that; nullopt when found in
    // neither place or damaged.
    static std::optional<QByteArray> ReadHead(const QString& path, qint64 maxBytes);

    bool hasError() const { return !error_.isEmpty(); }
    const QString& errorString() const { return error_; }
    // True when the bytes came from the archive rather than the disk.
    bool fromArchive() const { return fromArchive_; }

private:
    void load(const PackedArchive& archive, const QString& path, QIODevice::OpenMode mode);

    QString error_;
    bool fromArchive_ = false;
};
