#pragma once

#include "CommandIo.h"

#include <QStringList>

// "thesaurus find DISC WORD [--appdir DIR]": prints the page the thesaurus
// lookup gives for WORD, as the index holds it (anchor included).
// "thesaurus build THESAURUS.dat -o DISC [--limit N]": writes a disc
// thesaurus (term pages, start page, tezaurus.idx) into the program folder
// DISC from a thesaurus in the MyThes format.
class ThesaurusCommand {
public:
    explicit ThesaurusCommand(CommandIo& io) : io_(io) {}

    // Arguments after "thesaurus"; returns the exit status.
    int run(const QStringList& arguments);

    static QString usage();

private:
    int find(const QStringList& arguments);
    int build(const QStringList& arguments);
    int usageError(const QString& message);

    CommandIo& io_;
};
