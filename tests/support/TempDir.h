#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A temporary host folder for one test, with small helpers to fill it.
class TempDir {
public:
    TempDir();

    const QString& path() const { return path_; }
    // Host path of a relative name inside the folder.
    QString file(const QString& relative) const;
    // Writes bytes to a relative name, creating folders; returns the host path.
    QString write(const QString& relative, const QByteArray& bytes) const;
    // The folder as a virtual "z:\..." path with a trailing backslash.
    QString virtualPath() const;

private:
    QTemporaryDir dir_;
    QString path_;
};
