#pragma once

#include <QString>
#include <functional>

// The few messages the index readers show the user: a plain box when index
// files are missing, a warning box when one exists but cannot be read.
enum class IndexMessageKind { Plain, Warning };

using IndexMessageHandler = std::function<void(IndexMessageKind kind, const QString& text)>;

// Where index messages go unless a reader was given its own handler. The
// shell installs message boxes (IndexMessageBox::Install); until then a
// message goes to standard error when DISCSHELL_LOG is set and is dropped
// otherwise.
namespace IndexMessages {

// An empty handler restores the default.
void SetHandler(IndexMessageHandler handler);
void Show(IndexMessageKind kind, const QString& text);

} // namespace IndexMessages
