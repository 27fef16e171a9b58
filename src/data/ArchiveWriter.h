#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <memory>

// Builds a packed interface archive. Members are added by their relative
// paths ("html\page.htm" or "html/page.htm"); names are stored normalised,
// folders are created as needed. Each member is deflated unless compression
// is off or deflating does not make it smaller. The output depends only on
// the set of members: every folder lists its children sorted by name.
class ArchiveWriter {
public:
    explicit ArchiveWriter(bool compress = true);
    ~ArchiveWriter();

    // False (with errorString()) on an empty, "." or ".." or over-long name
    // component (at most 64 bytes), a path already added, a name clash
    // between a file and a folder, text that Windows-1251 cannot hold, or a
    // member the reader would refuse as too large.
    bool addFile(const QString& relativePath, const QByteArray& bytes);
    // Writes the archive to a host file (atomically).
    bool write(const QString& hostPath);
    QByteArray toBytes() const;

    const QString& errorString() const { return error_; }

private:
    struct Node;
    bool fail(const QString& message);
    bool checkComponents(const QList<QByteArray>& parts);

    std::shared_ptr<Node> root_;
    bool compress_;
    quint64 storedTotal_ = 0;
    QString error_;
};
