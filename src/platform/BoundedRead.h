#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <memory>
#include <optional>

// What a read is for; each kind has its own size cap, so a hostile disc file
// (a FIFO, a device, a /proc file, a huge file) never hangs or floods us.
enum class ReadKind {
    Page,          // pages, frames, scripts and other text content: 64 MiB
    Picture,       // 64 MiB
    StyleSheet,    // 8 MiB
    Font,          // 32 MiB
    Configuration, // interface description and settings texts: 16 MiB
    Registry,      // registry files (a Wine prefix's system.reg is large): 64 MiB
    Index,         // search and thesaurus index files: 256 MiB
    Archive,       // packed archives, read piece by piece: no whole-file cap
};

// The one way disc and host content is opened for reading: regular files
// only, opened without blocking (a FIFO never waits for a writer), never a
// file of the kernel's pseudo file systems (/proc, /sys), and no bigger than
// the cap of its kind. A refusal is logged with DISCSHELL_LOG=1.
class BoundedRead {
public:
    static qint64 capOf(ReadKind kind);
    // The kind a content file's name suggests: ".css" a style sheet, picture
    // extensions a picture, everything else a page.
    static ReadKind kindOfName(const QString& name);

    // An open read-only file, or nullptr when refused or missing.
    static std::unique_ptr<QFile> open(const QString& hostPath, ReadKind kind);
    // The whole file (its first maxBytes when maxBytes >= 0); nullopt when
    // refused, missing, unreadable, or longer than the cap of its kind.
    static std::optional<QByteArray> read(const QString& hostPath, ReadKind kind,
                                          qint64 maxBytes = -1);

    // The same for a virtual path, resolved by VirtualFs::instance() (where
    // VirtualFs::readFile takes the kind from the name).
    static std::unique_ptr<QFile> openVirtual(const QString& virtualPath, ReadKind kind);
    static std::optional<QByteArray> readVirtual(const QString& virtualPath, ReadKind kind,
                                                 qint64 maxBytes = -1);
};
