#pragma once

#include <QString>

// What the find-text panel shows the user and looks for.
namespace FindTxtTexts {

inline const QString EnterWord = QStringLiteral("Введите слово для поиска");
inline const QString NotFound = QStringLiteral("Текст не найден");
// Tooltips of the dialog's search button: no search runs, a search runs.
inline const QString SearchHint = QStringLiteral("Искать");
inline const QString StopHint = QStringLiteral("Остановить поиск");
// The first search for a text in the thesaurus looks for its entry heading.
inline const QString HeadingPrefix = QStringLiteral("~ ");
// Enter in the first field runs the dialog's search button command.
inline const QString FirstFieldCommand = QStringLiteral("findnext1");
inline const QString NoSound = QStringLiteral("no");
inline const QString PagesFile = QStringLiteral("files.idx");

} // namespace FindTxtTexts
