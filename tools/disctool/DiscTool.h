#pragma once

#include "CommandIo.h"

#include <QStringList>

// The disctool command line: picks the command group by the first argument
// and hands it the rest.
class DiscTool {
public:
    explicit DiscTool(CommandIo& io) : io_(io) {}

    // Arguments without the program name; returns the exit status.
    int run(const QStringList& arguments);

    static QString usage();

private:
    CommandIo& io_;
};
