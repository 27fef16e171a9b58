#pragma once

#include <QString>

// What the program declined to do for disc data: a quiet failure for the
// user, one line on standard error with DISCSHELL_LOG=1 for whoever looks.
namespace Refusal {

// Writes "discshell: refused <what>: <subject>" when logging is on.
void log(const QString& what, const QString& subject);

} // namespace Refusal
