#pragma once

#include "CommandIo.h"

#include <QStringList>

// "lint DISC [--appdir VIRTUALPATH]": warns about what makes a disc's
// interface misbehave: sections left out or cut short, global key words
// inside elements, screens without a "_screen" line, window polygon faults,
// pictures named but missing from the resource container, a keyword index
// whose files do not agree.
class LintCommand {
public:
    explicit LintCommand(CommandIo& io) : io_(io) {}

    // Arguments after "lint"; returns the exit status: 0 when nothing was
    // found, 1 when warnings were printed.
    int run(const QStringList& arguments);

    static QString usage();

private:
    int usageError(const QString& message);

    CommandIo& io_;
};
