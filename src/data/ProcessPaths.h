#pragma once

#include <QString>

// Folders that path expansion refers to, set once at start-up. Both are
// Windows-style virtual paths ending in a backslash.
struct ProcessPaths {
    QString AppDir = QStringLiteral("d:\\");
    QString CdRoot = QStringLiteral("d:\\");
};

// The process-wide values.
ProcessPaths& Paths();
