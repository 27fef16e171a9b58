#pragma once

#include "CommandIo.h"

#include <QStringList>

class IndexDisc;

// "index build DISC [--appdir DIR]": writes the keyword index (keywords.idx,
// index.idx, files.idx) of the disc folder DISC from the HTML pages of its
// program folder, on disk and in interface.dat.
// "index find DISC WORD [--appdir DIR] [--case]": looks WORD up as the shell
// does and prints one "path<TAB>title" line per page.
class IndexCommand {
public:
    explicit IndexCommand(CommandIo& io) : io_(io) {}

    // Arguments after "index"; returns the exit status.
    int run(const QStringList& arguments);

    static QString usage();

    // Pages larger than this are left out of the index.
    static constexpr qint64 MaxPageBytes = 64 * 1024 * 1024;

private:
    int build(const QStringList& arguments);
    int find(const QStringList& arguments);
    int usageError(const QString& message);
    // Opens DISC with the --appdir of args; false after reporting the failure.
    bool openDisc(IndexDisc& disc, const QString& discPath, const QString& appDir, int& status);
    bool writeIndexFile(const IndexDisc& disc, const QString& name, const QByteArray& bytes);

    CommandIo& io_;
    QString error_;
};
