#pragma once

#include <QString>

// Failures are swallowed where they happen; with DISCSHELL_LOG=1 in the
// environment each one is also written to standard error, one line each.
bool ShellLogEnabled();
void LogSwallowed(const QString& where, const QString& what);
