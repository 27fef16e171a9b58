#pragma once

#include <QHash>
#include <QString>
#include <optional>

// The titles of "files.idx" looked up by a page's bare file name, as the
// archive scan lists the pages it found: the part of a line before "#:#",
// trimmed, is compared with the name without regard to letter case; the
// first equal line gives the trimmed part after "#:#". The file is read once,
// at the first look-up; a missing or oversized file gives no titles.
class TPageTitles {
public:
    explicit TPageTitles(const QString& indexFile);

    // The title for a page path (any folders), nullopt when no line names it.
    std::optional<QString> TitleOf(const QString& page);

private:
    void Load();

    QString indexFile_;
    bool loaded_ = false;
    QHash<QString, QString> titles_; // lower-cased bare name -> title
};
