#pragma once

#include <functional>

// The process-wide busy flag: while it is raised the command dispatcher drops
// commands. The shell installs a handler that shows the hourglass cursor and,
// when the flag drops, processes pending events and restores the cursor.
bool Busy();
void SetBusy(bool flag);
void SetBusyHandler(std::function<void(bool)> handler);
