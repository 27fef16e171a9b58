#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>

// One entry of the resource container's directory.
struct RBin {
    QString Name;
    quint32 Offset = 0;
    quint32 Size = 0;
};
using TDynamicBinArray = QList<RBin>;

// Reader of the resource container (Mev.dhl): a flat directory of named entries
// of raw bytes. The directory is read once; each extraction opens the file,
// reads one entry and closes it again, so no handle stays open between calls.
class TReadBin : public QObject {
    Q_OBJECT
public:
    explicit TReadBin(QObject* owner = nullptr);

    // Reads the directory of the container at a virtual path. Returns false
    // with errorString() on a missing, unreadable, truncated or malformed file;
    // the directory then holds the entries read completely before the fault.
    bool Open(const QString& fileName);

    // True when some entry is named so, compared without regard to case.
    bool Exists(const QString& name) const;
    // Replaces block with the first matching entry's bytes and returns the
    // size, or -1 when no entry matches or reading fails.
    qint32 ReadToBuffer(const QString& name, QByteArray& block) const;
    // Fills the stream with the first matching entry's bytes, position 0.
    bool ReadToStream(const QString& name, QBuffer& stream) const;

    const QString& FileName() const { return fileName_; }
    const TDynamicBinArray& Directory() const { return directory_; }
    const QString& errorString() const { return error_; }

private:
    int indexOf(const QString& name) const;
    // Reads one entry's bytes; false when the entry lies outside the file.
    bool readEntry(const RBin& entry, QByteArray& data) const;

    QString fileName_;
    TDynamicBinArray directory_;
    QString error_;
};
