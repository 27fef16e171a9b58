#pragma once

#include "search/index/FindResults.h"
#include "search/index/IndexMessages.h"

#include <QString>
#include <memory>
#include <optional>

class PackedArchive;
class TComprStream;

// One lookup in the disc's keyword index (keywords.idx, index.idx, files.idx
// in the index folder, each read from the interface archive first and from
// the disk otherwise). A keyword is one whole line of keywords.idx; the pages
// come out in the order of files.idx. Short-lived: made for one search.
class TMakeFind {
public:
    // Reads through the process-wide interface archive.
    TMakeFind();
    // Reads through another archive (which must outlive this object).
    explicit TMakeFind(const PackedArchive& archive);
    ~TMakeFind();
    TMakeFind(const TMakeFind&) = delete;
    TMakeFind& operator=(const TMakeFind&) = delete;

    // Stores the folder of the index files, without one trailing backslash.
    void SetIndexFolder(const QString& folder);
    const QString& IndexFolder() const { return indexFolder_; }

    // Appends the pages of keyword to results; true when results.Files is
    // not empty afterwards. A missing index file shows the plain message
    // "Индескный(е) файл(ы) не найден"; one that cannot be read a warning
    // naming it. A keyword that is not listed gives false without a message.
    bool FindKeyword(const QString& keyword, RFindResults& results, bool caseSensitive);

    // True when the last FindKeyword found the keyword but its page list, or
    // the files.idx line of one of its pages, was damaged: the search ended
    // there without appending anything and without a message.
    bool IndexDamaged() const { return indexDamaged_; }

    // Where this object's messages go; empty means IndexMessages::Show.
    void SetMessageHandler(IndexMessageHandler handler);

    // Larger disk files are treated as unreadable (the archive keeps its
    // members within the same size).
    static constexpr qint64 MaxIndexFileSize = 256 * 1024 * 1024;

private:
    bool IndexFilesExist() const;
    // The line number of the keyword in keywords.idx, or nullopt.
    std::optional<qint64> FindKeywordLine(const QString& keyword, bool caseSensitive);
    // Line number of index.idx, or nullopt when the file is shorter.
    std::optional<QString> ReadIndexLine(qint64 number);
    bool CollectFiles(const QString& pageList, RFindResults& results);

    QString pathOf(const QString& fileName) const;
    // The whole file in memory, or null after the warning that names it.
    std::unique_ptr<TComprStream> openIndexFile(const QString& fileName);
    bool tooLargeOnDisk(const QString& path) const;
    void show(IndexMessageKind kind, const QString& text) const;

    const PackedArchive& archive_;
    QString indexFolder_;
    IndexMessageHandler handler_;
    bool indexDamaged_ = false;
};
