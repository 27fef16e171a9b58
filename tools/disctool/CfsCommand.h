#pragma once

#include "CommandIo.h"

#include <QStringList>

// "cfs decode FILE [--lower] [--json]" and "cfs encode TEXTFILE -o OUT":
// encoded configuration files (.cfs) to UTF-8 text and back.
class CfsCommand {
public:
    explicit CfsCommand(CommandIo& io) : io_(io) {}

    // Arguments after "cfs"; returns the exit status.
    int run(const QStringList& arguments);

    static QString usage();

private:
    int decode(const QStringList& arguments);
    int encode(const QStringList& arguments);
    int usageError(const QString& message);

    CommandIo& io_;
};
