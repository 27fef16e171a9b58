#pragma once

#include <QString>
#include <optional>

// Where an entry of an archive may be written: below the target folder the
// user chose (or the listing folder), never elsewhere. The one place that
// decides it for the archive browser.
namespace ArchiveDestination {

// The host path of entry name (folders split by "/" or "\") below the host
// folder target, or nullopt when the name is empty, absolute, names a drive,
// holds a part beginning with "." (".." or a dot file), or would be reached
// through a symbolic link or onto something that is not a plain file or
// folder.
std::optional<QString> Check(const QString& targetHost, const QString& entryName);

} // namespace ArchiveDestination
