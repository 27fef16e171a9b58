#include "engine/VisitedLinks.h"

void VisitedLinks::add(const QString& link)
{
    if (link.isEmpty() || maxCount_ == 0) {
        return;
    }
    links_.removeIf(
        [&link](const QString& known) { return known.compare(link, Qt::CaseInsensitive) == 0; });
    links_.prepend(link);
    if (links_.size() > maxCount_) {
        links_.resize(maxCount_);
    }
}

bool VisitedLinks::contains(const QString& link) const
{
    return links_.contains(link, Qt::CaseInsensitive);
}
