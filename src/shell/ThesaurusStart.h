#pragma once

#include <QString>

// The start of a thesaurus window: the page it opens, taken from its raw
// command line, and the names it goes by.
namespace ThesaurusStart {

// The text after the program's own path (after the first quote followed by
// a blank, else after as many characters as the path has), without quotes,
// trimmed, and without " /t".
QString PageOfCommandLine(const QString& rawCommandLine, const QString& programFile);

// The caption of the window and the name of its lock.
QString Caption();
// The description of the window in the resource container.
QString DescriptionFile();

} // namespace ThesaurusStart
