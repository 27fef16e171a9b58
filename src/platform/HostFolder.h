#pragma once

#include <QList>
#include <QString>
#include <optional>

// Thin wrappers over the host's POSIX file calls, used by VirtualFs.
namespace HostFolder {

struct Status {
    bool isFolder = false;
    bool isRegular = false;
    qint64 size = 0;
    qint64 modifiedNs = 0; // nanoseconds since the epoch
    quint64 inode = 0;
    quint64 device = 0;

    bool sameFileAs(const Status& other) const
    {
        return inode == other.inode && device == other.device;
    }
};

// Follows symbolic links; nullopt when the path does not exist.
std::optional<Status> status(const QString& hostPath);

// Names in a folder without "." and ".."; nullopt when it cannot be read.
std::optional<QStringList> names(const QString& hostFolder);

// Whether we may write to the path.
bool isWritable(const QString& hostPath);

// Code-point order of two strings (UTF-16 order puts surrogates wrongly).
bool codePointLess(const QString& a, const QString& b);

// The folder when it is ours alone: created with mode 0700 when missing;
// empty (and logged) when it is a link, someone else's, or open to others.
QString ownedPrivateFolder(const QString& path);

// Wall-clock time in nanoseconds.
qint64 nowNs();

// "folder/name" without doubling the root slash.
QString join(const QString& folder, const QString& name);

} // namespace HostFolder
