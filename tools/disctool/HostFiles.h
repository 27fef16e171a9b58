#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

// Host files named on the command line and the source folders the packers
// read. The disc readers take virtual paths; host paths reach them through
// the "z:\" mount, as files outside the disc do in the shell.
class HostFiles {
public:
    // One regular file below a source folder.
    struct SourceFile {
        QString relativePath; // components joined by "/"
        QString hostPath;
    };

    // The virtual path of a host path (made absolute first); mounts "z:\" at "/".
    static QString virtualPath(const QString& hostPath);
    // Whole content of a host file through the virtual file system; nullopt
    // when it is missing, a folder or unreadable.
    static std::optional<QByteArray> read(const QString& hostPath);

    // Every regular file below a folder, in the code-point order of their
    // relative paths. Names beginning with "." are left out, as are folders
    // reached through symbolic links.
    static QList<SourceFile> sourceFiles(const QString& hostFolder);

    // True when path equals folder or lies below it (both made canonical as
    // far as they exist).
    static bool isInside(const QString& path, const QString& folder);
};
