#pragma once

#include <QByteArray>
#include <QList>

// RAR 4 archives of stored entries written byte by byte, for tests: names
// as raw bytes (the OEM code page, or anything hostile), folders, symbolic
// links, encrypted and damaged entries.
class RarWriter {
public:
    enum Flags : quint16 {
        Encrypted = 0x0004,
        Folder = 0x00e0,
    };

    struct Entry {
        QByteArray name;
        QByteArray data;
        quint32 dosTime = 0x3d2a5a6b;
        quint16 flags = 0;
        quint8 hostOs = 2; // Windows
        quint32 attributes = 0x20;
        bool badHeaderCrc = false;
    };

    void addFile(const QByteArray& name, const QByteArray& data, quint32 dosTime = 0x3d2a5a6b);
    void addFolder(const QByteArray& name, quint32 dosTime = 0x3d2a5a6b);
    // A Unix symbolic link whose data is its target.
    void addLink(const QByteArray& name, const QByteArray& target);
    void add(const Entry& entry) { entries_.append(entry); }

    QByteArray toBytes() const;

private:
    static QByteArray header(quint8 type, quint16 flags, const QByteArray& body, bool badCrc);
    static QByteArray fileHeader(const Entry& entry);

    QList<Entry> entries_;
};
