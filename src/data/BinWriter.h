#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// Builds a resource container: a 16-bit count, the directory of named
// entries, then the entries' bytes in the order they were added.
class BinWriter {
public:
    // False (with errorString()) on an empty name, a name longer than 256
    // bytes in Windows-1251, text the code page cannot hold, or more than
    // 65535 entries.
    bool addEntry(const QString& name, const QByteArray& bytes);
    QByteArray toBytes() const;
    // Writes the container to a host file atomically.
    bool write(const QString& hostPath);

    const QString& errorString() const { return error_; }

private:
    struct Item {
        QByteArray name;
        QByteArray bytes;
    };
    QList<Item> items_;
    quint64 totalSize_ = 2; // the count, every directory entry and every entry's bytes
    QString error_;
};
