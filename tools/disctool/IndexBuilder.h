#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <map>

// Builds the three files of a disc's keyword index from its pages. Pages are
// numbered in the order they are added; a keyword is a run of at least two
// Latin or Cyrillic letters and digits, lower-cased; a word with "ё" is also
// filed under its spelling with "е". The files are Windows-1251 text with
// CR LF line ends, the keywords sorted.
class IndexBuilder {
public:
    // Longer runs of letters are not words but noise (encoded data, URLs).
    static constexpr qsizetype MaxWordLength = 64;

    // Whether a page path can stand in files.idx: Windows-1251 text without
    // line ends or the title separator.
    static bool canFile(const QString& path);
    // The title as files.idx holds it: blanks collapsed, no title separator.
    static QString fileableTitle(const QString& title);
    // The keywords of a text, in their order, repeats included.
    static QStringList wordsOf(const QString& text);

    // Adds one page (a path for which canFile holds).
    void addPage(const QString& path, const QString& title, const QString& text);

    qsizetype pageCount() const { return paths_.size(); }
    qsizetype keywordCount() const { return pagesByKeyword_.size(); }

    QByteArray keywordsFile() const;
    QByteArray pageListsFile() const;
    QByteArray pagesFile() const;

private:
    void file(const QString& keyword, qint32 page);

    QStringList paths_;
    QStringList titles_;
    std::map<QString, QList<qint32>> pagesByKeyword_;
};
