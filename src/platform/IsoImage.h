#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>
#include <utility>

// A read-only ISO 9660 image file: its whole tree indexed at open, its files
// read by random access straight from the image.
//
// Names: the Joliet tree (UCS-2 names of the supplementary volume descriptor)
// when the image has one, as a Windows reader of the disc sees it; otherwise
// the primary tree with its Rock Ridge names (NM) where it has them, else the
// plain ISO names. ";1" version suffixes and a trailing "." are dropped.
//
// The image is a stranger's data: every extent and size is checked against
// the image's size, directory records against their sector, each directory
// extent is read once (a loop or a shared directory is damage), and depth,
// entries and directory bytes are bounded. Damage makes open() fail with a
// one-line errorString(); nothing is read past the image.
class IsoImage {
public:
    static constexpr qint64 SectorSize = 2048;
    static constexpr int MaxDepth = 64;
    static constexpr qsizetype MaxEntries = 1'000'000;
    static constexpr qint64 MaxDirectoryBytes = 256LL * 1024 * 1024; // all directories together

    struct Node {
        QString name; // empty for the root
        bool isFolder = false;
        quint32 extent = 0; // first logical block
        qint64 size = 0;    // bytes; 0 for folders
        QDateTime modified;
        int parent = -1;
        QList<int> children; // folders only, in image order
    };

    IsoImage();
    ~IsoImage();
    IsoImage(const IsoImage&) = delete;
    IsoImage& operator=(const IsoImage&) = delete;

    // Whether a host path is a regular file that carries an ISO 9660 volume
    // descriptor where one belongs (sector 16, "CD001").
    static bool looksLikeImage(const QString& hostPath);

    // Opens and indexes the image; false with errorString() when it cannot be
    // read or is damaged.
    bool open(const QString& hostPath);
    bool hasError() const { return !error_.isEmpty(); }
    const QString& errorString() const { return error_; }

    const QString& path() const { return path_; }
    qint64 imageSize() const { return imageSize_; }
    bool usesJoliet() const { return joliet_; }

    static constexpr int Root = 0;
    const Node& node(int index) const { return nodes_.at(index); }
    qsizetype nodeCount() const { return nodes_.size(); }

    // The entry of a folder named name: the exact name first, else the one
    // equal without regard to case (Cyrillic included), the first in
    // code-point order among several.
    std::optional<int> child(int folder, const QString& name) const;
    // The entry at the components below the root.
    std::optional<int> find(const QStringList& components) const;
    // The names from the root down to the entry.
    QStringList components(int index) const;

    // Up to maxBytes of a file from offset; nullopt on a read error.
    std::optional<QByteArray> read(int file, qint64 offset, qint64 maxBytes) const;

private:
    friend class IsoImageIndexer;

    bool fail(const QString& message);
    bool readAt(qint64 offset, char* buffer, qint64 length) const;
    void addLookup(int parent, int index);

    QString path_;
    int fd_ = -1;
    qint64 imageSize_ = 0;
    bool joliet_ = false;
    QString error_;
    QList<Node> nodes_;
    QHash<std::pair<int, QString>, int> exact_;
    QHash<std::pair<int, QString>, int> folded_;
};
