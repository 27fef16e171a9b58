#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// Where writes, removals and permission changes that follow from disc data
// may go. Allowed below the program's own roots (the host folders of "c:\",
// "c:\windows\", "c:\windows\temp\" and "c:\windows\fonts\") and below a folder
// the user typed or picked; refused on a disc image, through a symbolic link,
// onto a special file, for a name beginning with "." (nothing of a disc
// becomes a dot file), and anywhere else. Each refusal is a quiet false,
// logged with DISCSHELL_LOG=1.
//
// userFolder is the virtual folder the user chose for this action (the
// installation folder field, a save dialog's folder); empty when none.
namespace WritePolicy {

// The host path of a virtual path the policy lets disc data change.
std::optional<QString> hostTarget(const QString& virtualPath, const QString& userFolder,
                                  const char* action);
bool allows(const QString& virtualPath, const QString& userFolder, const char* action);

bool makePath(const QString& virtualFolder, const QString& userFolder);
// Copies a regular file from anywhere readable to an allowed target, replacing it.
bool copyFile(const QString& from, const QString& to, const QString& userFolder);
// Writes bytes to an allowed target, replacing it atomically.
bool writeFile(const QString& to, const QByteArray& bytes, const QString& userFolder);
// Removes a file, a link (as a link) or an empty folder, never through a
// link and never one of the allowed folders themselves.
bool removeEntry(const QString& virtualPath, const QString& userFolder);
// Gives the owner write permission to an entry that is not a link.
bool makeWritable(const QString& virtualPath, const QString& userFolder);

} // namespace WritePolicy
