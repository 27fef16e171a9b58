#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The pages a viewer showed, newest first, with the entry of the page shown.
// Loading a new page while stepped back drops the entries ahead of it, puts
// the new page first and keeps at most maxCount entries; each entry keeps
// the scroll position it was left at.
class ViewerHistory {
public:
    struct Entry {
        QString file;
        QString title;
        int position = 0;
    };

    explicit ViewerHistory(int maxCount = 10) : maxCount_(qMax(0, maxCount)) {}

    // A page loaded by a link or command; leftAt is the position of the page
    // shown before. The same file as the entry shown only renews its title.
    void recordLoad(const QString& file, const QString& title, int leftAt);
    // Moves to an entry after its page was loaded; false for a bad index.
    bool moveTo(int index, int leftAt);
    void setTitle(const QString& title);

    int index() const { return index_; }
    int count() const { return int(entries_.size()); }
    const Entry& at(int index) const { return entries_.at(index); }
    bool isValidIndex(int index) const { return index >= 0 && index < count(); }
    bool canGoBack() const { return index_ + 1 < count(); }
    bool canGoForward() const { return index_ > 0 && count() > 0; }
    int maxCount() const { return maxCount_; }
    // First entry of a file, ignoring case; -1 if none.
    int indexOf(const QString& file) const;

    QStringList files() const;
    QStringList titles() const;

private:
    QList<Entry> entries_;
    int index_ = 0;
    int maxCount_;
};
