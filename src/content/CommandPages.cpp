#include "content/CommandPages.h"

TCommandPages::TCommandPages(int viewerCount) : pages_(qMax(0, viewerCount)) {}

void TCommandPages::Remember(int viewer, const QString& page)
{
    if (!IsViewer(viewer)) {
        return;
    }
    const int found = FirstHolding(viewer, page);
    if (found >= 0) {
        index_ = found;
        return;
    }
    pages_[viewer].append(page);
    index_ = int(pages_[viewer].size()) - 1;
}

// A file reached again is matched in the lower case it was added in, so that
// an entry does not grow by the same page on every visit.
void TCommandPages::NoteShown(int viewer, const QString& file)
{
    if (!IsViewer(viewer) || pages_[viewer].isEmpty()) {
        return;
    }
    int found = FirstHolding(viewer, file);
    if (found < 0) {
        found = FirstHolding(viewer, file.toLower());
    }
    if (found >= 0) {
        index_ = found;
    } else if (index_ >= 0 && index_ < pages_[viewer].size()) {
        pages_[viewer][index_] += QStringLiteral("; ") + file.toLower();
    }
}

QString TCommandPages::CurrentKey(int viewer) const
{
    if (!IsViewer(viewer) || index_ < 0 || index_ >= pages_[viewer].size()) {
        return QString();
    }
    const QString& entry = pages_[viewer].at(index_);
    return entry.left(entry.indexOf(QLatin1Char(';'))).trimmed();
}

QStringList TCommandPages::Entries(int viewer) const
{
    return IsViewer(viewer) ? pages_.at(viewer) : QStringList();
}

int TCommandPages::FirstHolding(int viewer, const QString& text) const
{
    const QStringList& entries = pages_.at(viewer);
    for (int i = 0; i < entries.size(); ++i) {
        if (entries.at(i).contains(text)) {
            return i;
        }
    }
    return -1;
}
