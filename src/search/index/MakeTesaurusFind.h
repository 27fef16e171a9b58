#pragma once

#include "components/ServiceComponents.h"
#include "search/index/IndexMessages.h"

#include <QString>

class PackedArchive;

// One lookup in the disc's thesaurus index "tezaurus.idx" (read from the
// interface archive first, from the disk otherwise). Every line is
// "key~page[#anchor]"; the first line names the start page. A key is a stem:
// it matches every word that contains it, unless the line begins with a
// blank, and the first matching line wins. A line that yields nothing (a
// blank line) ends the lookup.
class TMakeTesaurusFind final : public IThesaurusSearch {
public:
    // Reads through the process-wide interface archive.
    TMakeTesaurusFind();
    // Reads through another archive (which must outlive this object).
    explicit TMakeTesaurusFind(const PackedArchive& archive);

    // Stores the folder of the index, without one trailing backslash.
    void SetIndexFolder(const QString& folder) override;
    const QString& IndexFolder() const { return indexFolder_; }

    // The start page for an empty word, else the page of the first key the
    // word contains. A missing index gives false without a message; one that
    // cannot be read shows the warning "Индексный файл не найден
    // (tezaurus.idx)".
    bool FindPage(const QString& word, QString& page) override;

    // Where this object's messages go; empty means IndexMessages::Show.
    void SetMessageHandler(IndexMessageHandler handler);

    static const QString IndexFile;

private:
    bool IndexExists(const QString& path) const;
    bool TooLargeOnDisk(const QString& path) const;
    void ShowUnreadable() const;

    const PackedArchive& archive_;
    QString indexFolder_;
    IndexMessageHandler handler_;
};
