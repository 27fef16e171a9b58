#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

// Turns a thesaurus in the MyThes text format (first line the encoding, then
// "word|count" lines each followed by count "(kind)|synonym|..." lines) into
// the files of a disc thesaurus: term pages in Windows-1251 whose entries
// begin with "~ " + the term, a start page listing every term, and the index
// "tezaurus.idx". The index keys are the lower-cased terms, longest first, so
// that the stem lookup never lets a short key shadow a longer one; the first
// line names the start page with a leading blank, which no word matches.
class ThesaurusBuilder {
public:
    // One meaning of a term: its kind ("(сущ.)") and its synonyms.
    struct Meaning {
        QString kind;
        QStringList synonyms;
    };
    struct Entry {
        QString term;
        QList<Meaning> meanings;
    };

    // False with errorString() on an unknown encoding or a malformed entry
    // line. At most limit entries are read (0: all); terms Windows-1251 cannot
    // hold are skipped and counted.
    bool parse(const QByteArray& source, int limit);

    // The files to write, by path below the program folder ("\" between
    // folders), in Windows-1251 with CR LF line ends.
    QMap<QString, QByteArray> files() const;

    qsizetype termCount() const { return entries_.size(); }
    int skippedCount() const { return skipped_; }
    const QString& errorString() const { return error_; }

    static constexpr int EntriesPerPage = 200;
    static const QString Folder;
    static const QString StartPage;

private:
    bool parseEntry(const QStringList& lines, qsizetype& index);
    void addEntry(Entry entry);
    QString pageOf(qsizetype entryIndex) const;
    QByteArray termPage(qsizetype first, qsizetype last) const;
    QByteArray startPage() const;
    QByteArray indexFile() const;

    QList<Entry> entries_; // in the order of the source, one per lower-cased term
    QMap<QString, qsizetype> byKey_;
    int skipped_ = 0;
    QString error_;
};
