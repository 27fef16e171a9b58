#pragma once

#include "CommandIo.h"

#include <QStringList>

// "dhl list FILE", "dhl cat FILE NAME", "dhl pack DIR -o FILE": the resource
// container (Mev.dhl).
class DhlCommand {
public:
    explicit DhlCommand(CommandIo& io) : io_(io) {}

    // Arguments after "dhl"; returns the exit status.
    int run(const QStringList& arguments);

    static QString usage();

private:
    int list(const QStringList& arguments);
    int cat(const QStringList& arguments);
    int pack(const QStringList& arguments);
    int usageError(const QString& message);

    CommandIo& io_;
};
