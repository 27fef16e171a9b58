#pragma once

#include <QString>
#include <QTextStream>

// Opens the data of the disc the program was started on (the packed archive
// and the resource container with its interface description) and reports
// what it found. Returns the process exit status: 0 when the disc opened,
// 2 with a one-line message on error when its data are missing or damaged.
int SummariseDisc(const QString& appDir, QTextStream& out, QTextStream& err);
