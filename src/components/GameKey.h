#pragma once

#include <QString>
#include <optional>

// Installed games are found under HKEY_LOCAL_MACHINE\SOFTWARE\Venkarro\ by
// the key a page or a command names. The named key is taken only as a key
// below that one: not empty, no empty, "." or ".." step, no control
// character. Anything else names no game (logged), so a page can only reach
// the games that installers wrote there.
std::optional<QString> GameRegistryKey(const QString& key);
