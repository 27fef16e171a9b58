#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// Builds a packed interface archive. Members are added by their relative
// paths ("html\page.htm" or "html/page.htm"); names are stored normalised,
// folders are created as needed. Each member is deflated unless compression
// is off or deflating does not make it smaller.
class ArchiveWriter {
public:
    explicit ArchiveWriter(bool compress = true);

    // False (with errorString()) on an empty or over-long name component
    // (at most 63 bytes), a name clash between a file and a folder, or text
    // that Windows-1251 cannot hold.
    bool addFile(const QString& relativePath, const QByteArray& bytes);
    // Writes the archive to a host file (atomically).
    bool write(const QString& hostPath);
    QByteArray toBytes() const;

    const QString& errorString() const { return error_; }

private:
    struct Node;
    std::shared_ptr<Node> root_;
    bool compress_;
    QString error_;
};
