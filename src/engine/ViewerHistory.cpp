#include "engine/ViewerHistory.h"

void ViewerHistory::recordLoad(const QString& file, const QString& title, int leftAt)
{
    if (maxCount_ == 0) {
        return;
    }
    if (!entries_.isEmpty()) {
        entries_[index_].position = leftAt;
        entries_.remove(0, index_);
        index_ = 0;
        if (entries_.first().file.compare(file, Qt::CaseInsensitive) == 0) {
            entries_.first().file = file;
            entries_.first().title = title;
            return;
        }
    }
    entries_.prepend({file, title, 0});
    if (entries_.size() > maxCount_) {
        entries_.resize(maxCount_);
    }
}

bool ViewerHistory::moveTo(int index, int leftAt)
{
    if (!isValidIndex(index)) {
        return false;
    }
    entries_[index_].position = leftAt;
    index_ = index;
    return true;
}

void ViewerHistory::setTitle(const QString& title)
{
    if (isValidIndex(index_)) {
        entries_[index_].title = title;
    }
}

int ViewerHistory::indexOf(const QString& file) const
{
    for (int i = 0; i < entries_.size(); ++i) {
        if (entries_[i].file.compare(file, Qt::CaseInsensitive) == 0) {
            return i;
        }
    }
    return -1;
}

QStringList ViewerHistory::files() const
{
    QStringList files;
    for (const Entry& entry : entries_) {
        files.append(entry.file);
    }
    return files;
}

QStringList ViewerHistory::titles() const
{
    QStringList titles;
    for (const Entry& entry : entries_) {
        titles.append(entry.title);
    }
    return titles;
}
