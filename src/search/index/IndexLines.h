#pragma once

#include <QList>
#include <QString>
#include <optional>

// The three files of the keyword index, all Windows-1251 text in the
// program's folder, line N of one belonging to line N of the next:
//   keywords.idx  keyword N
//   index.idx     the page numbers of keyword N, separated by ":"
//   files.idx     page N: its path below the program's folder, "#:#", its title
namespace IndexLines {

inline const QString KeywordsFile = QStringLiteral("keywords.idx");
inline const QString PageListsFile = QStringLiteral("index.idx");
inline const QString PagesFile = QStringLiteral("files.idx");
inline const QString TitleSeparator = QStringLiteral("#:#");
inline const QString PageSeparator = QStringLiteral(":");

// One line of files.idx.
struct RIndexPage {
    QString Path;
    QString Title;
};

// A decimal page number with optional sign; characters 0 to 32 around it are
// ignored. Nullopt for anything else, hexadecimal and values outside 32 bits
// included.
std::optional<qint32> ParsePageNumber(const QString& piece);

// The page numbers of an index.idx line in their order (repeats kept); blank
// pieces are skipped. Nullopt when the line holds no number at all or a piece
// that is not a page number.
std::optional<QList<qint32>> ParsePageList(const QString& line);

// A files.idx line: the piece before the first "#:#" is the path, the next
// piece the title. A line without "#:#" is all path, trimmed, with an empty
// title. Nullopt when the line gives no path (blank, or blank before "#:#").
std::optional<RIndexPage> ParsePagesLine(const QString& line);

} // namespace IndexLines
