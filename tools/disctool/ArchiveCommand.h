#pragma once

#include "CommandIo.h"

#include <QStringList>

// "archive list ARCHIVE": one line per entry in archive order: name, "d" or
// "f", unpacked size and DOS date-time, separated by tabs.
// "archive pages ARCHIVE -o DIR": the listing pages the archive browser
// writes, into DIR.
// "archive extract ARCHIVE -o DIR": unpacks ARCHIVE into DIR as a link
// followed in a listing does.
class ArchiveCommand {
public:
    explicit ArchiveCommand(CommandIo& io) : io_(io) {}

    // Arguments after "archive"; returns the exit status.
    int run(const QStringList& arguments);

    static QString usage();

private:
    int list(const QStringList& arguments);
    int pages(const QStringList& arguments);
    int extract(const QStringList& arguments);
    int usageError(const QString& message);
    // The archive's host path and the -o folder; false after the usage error.
    bool parse(const QStringList& arguments, bool withOutput, QString& archive, QString& output,
               int& status);
    void message(const QString& text);

    CommandIo& io_;
};
