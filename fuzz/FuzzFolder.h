#pragma once

// A private folder for the fuzz targets whose readers open files: created
// once per process below the temporary folder, mounted as "d:\" of the
// virtual file system, and removed at exit.

#include "platform/VirtualFs.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

namespace FuzzFolder {

inline QTemporaryDir& folder()
{
    static QTemporaryDir* const dir = [] {
        auto* made = new QTemporaryDir; // removed by the exit handler below
        if (!made->isValid()) {
            std::abort();
        }
        VirtualFs::instance().mount(QStringLiteral("d:\\"), made->path());
        std::atexit([] { folder().remove(); });
        return made;
    }();
    return *dir;
}

// Virtual path of a file of the folder ("d:\name").
inline QString virtualPath(const QString& name)
{
    folder();
    return QStringLiteral("d:\\") + name;
}

// Replaces the file's bytes; aborts when the folder cannot be written.
inline void write(const QString& name, const QByteArray& bytes)
{
    QFile file(folder().filePath(name));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes) != bytes.size()) {
        std::abort();
    }
}

// The input cut at its first `count` NUL bytes into count + 1 parts (missing
// parts are empty), so that a seed holds several files.
inline QList<QByteArray> parts(const uint8_t* data, size_t size, int count)
{
    QList<QByteArray> pieces;
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    qsizetype from = 0;
    for (int i = 0; i < count; ++i) {
        const qsizetype at = input.indexOf('\0', from);
        if (at < 0) {
            break;
        }
        pieces.append(input.mid(from, at - from));
        from = at + 1;
    }
    pieces.append(input.mid(from));
    while (pieces.size() < count + 1) {
        pieces.append(QByteArray());
    }
    return pieces;
}

} // namespace FuzzFolder
