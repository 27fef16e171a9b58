#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The pages opened by "html" commands, per viewer, each entry followed by
// the pages reached from it by links: "page; page2; page3". One entry is the
// current one; its command page tells which switches belong to the page
// shown when the user steps back or forward.
class TCommandPages {
public:
    explicit TCommandPages(int viewerCount);

    // An "html" command opened page: the first entry holding it (letter case
    // counts) becomes current, else a new entry with it.
    void Remember(int viewer, const QString& page);
    // A viewer now shows file: the first entry holding it becomes current,
    // else "; " and the lower-cased file are added to the current entry.
    void NoteShown(int viewer, const QString& file);
    // The command page of the current entry: its text up to the first ";",
    // trimmed; empty when the viewer has no such entry.
    QString CurrentKey(int viewer) const;

    int Index() const { return index_; }
    QStringList Entries(int viewer) const;

private:
    bool IsViewer(int viewer) const { return viewer >= 0 && viewer < pages_.size(); }
    int FirstHolding(int viewer, const QString& text) const;

    QList<QStringList> pages_;
    int index_ = 0;
};
