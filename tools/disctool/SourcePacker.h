#pragma once

#include "data/ArchiveWriter.h"
#include "data/BinWriter.h"

#include <QString>
#include <optional>

// Packs a source folder into a resource container or a packed archive. Every
// regular file below the folder is taken, sub-folders included; names
// beginning with "." are left out. Packing is all or nothing: the first
// unreadable file, unencodable source or clashing name fails it.
class SourcePacker {
public:
    // A resource container. Entry names are the paths relative to the folder
    // with "\" between components ("Struct.cfs", "pics\logo.bmp"); ".txt"
    // configuration sources are encoded into ".cfs" entries of the same name.
    // Two files whose entry names differ only in letter case clash, since the
    // reader finds entries without regard to case.
    std::optional<BinWriter> packResources(const QString& hostFolder);

    // A packed archive with each file stored under its relative path,
    // normalised; deflated unless compress is off or deflating does not
    // shrink the file. Paths that normalise alike clash.
    std::optional<ArchiveWriter> packArchive(const QString& hostFolder, bool compress);

    const QString& errorString() const { return error_; }
    qsizetype fileCount() const { return fileCount_; }

private:
    bool checkFolder(const QString& hostFolder);
    std::optional<QByteArray> readFile(const QString& hostPath);
    bool addResource(BinWriter& writer, const QString& relativePath, const QString& hostPath);

    QString error_;
    qsizetype fileCount_ = 0;
};
