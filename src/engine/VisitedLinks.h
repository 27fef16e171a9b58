#pragma once

#include <QString>
#include <QStringList>

// Links the user followed, newest first, at most maxCount of them; a link
// added again moves to the front. Compared without regard to case.
class VisitedLinks {
public:
    explicit VisitedLinks(int maxCount = 20) : maxCount_(qMax(0, maxCount)) {}

    void add(const QString& link);
    bool contains(const QString& link) const;
    const QStringList& links() const { return links_; }

private:
    QStringList links_;
    int maxCount_;
};
