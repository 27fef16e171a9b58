#pragma once

#include "CommandIo.h"

#include <QStringList>

// "inspect struct DISC [--appdir VIRTUALPATH]": the interface description of
// a disc as the shell reads it, printed as one JSON object.
class StructDumpCommand {
public:
    explicit StructDumpCommand(CommandIo& io) : io_(io) {}

    // Arguments after "inspect"; returns the exit status.
    int run(const QStringList& arguments);

    static QString usage();

private:
    int inspectStruct(const QStringList& arguments);
    int usageError(const QString& message);

    CommandIo& io_;
};
