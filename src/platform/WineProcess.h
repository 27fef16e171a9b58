#pragma once

#include <QString>

// Windows programs under Wine that the program waits for, with their command
// line handed over exactly as written.
//
// Wine builds a program's command line from an argument vector and escapes
// every double quote in it, so a line such as `prog -f"c:\a b\x` could never
// reach the program whole that way. Here Wine's own command interpreter
// runs the line from an environment variable: the text arrives unchanged,
// and an unclosed quote stays unclosed.
namespace WineProcess {

// Whether the line can be handed over unchanged: no control characters and
// none of the interpreter's operators (& | < > ^ ( )) outside double quotes.
bool CanHandOver(const QString& commandLine);

// Runs the line under Wine in the host folder and waits until it has ended
// and Wine has written its registry to disk, together at most timeoutMs.
// False when Wine is missing, the line cannot be handed over (logged) or
// the interpreter could not start.
bool RunAndWait(const QString& commandLine, const QString& hostFolder, int timeoutMs);

// Waits until the Wine server of the prefix has ended, which is when it saves
// the registry files; at once when none runs. False when Wine is missing or
// the wait ran out.
bool WaitForServer(int timeoutMs);

} // namespace WineProcess
