#pragma once

#include "CommandIo.h"

#include <QStringList>

// "dat list FILE", "dat cat FILE PATH [--base DIR]", "dat pack DIR -o FILE
// [--store]": the packed interface archive (interface.dat).
class DatCommand {
public:
    explicit DatCommand(CommandIo& io) : io_(io) {}

    // Arguments after "dat"; returns the exit status.
    int run(const QStringList& arguments);

    static QString usage();

private:
    int list(const QStringList& arguments);
    int cat(const QStringList& arguments);
    int pack(const QStringList& arguments);
    int usageError(const QString& message);

    CommandIo& io_;
};
