#pragma once

#include <QList>
#include <QRect>
#include <QString>
#include <litehtml.h>

// The text of a laid-out litehtml page as the reader sees it: its words and
// spaces in document order with their boxes on the page. Selections are
// ranges of runs; the page's plain text, finds and hit tests work on them.
class PageText {
public:
    struct Run {
        QString text;
        QRect box; // page coordinates
        litehtml::element::ptr element;
    };
    struct Range {
        int first = -1; // run index
        int last = -1;  // inclusive
        bool isEmpty() const { return first < 0 || last < first; }
    };

    void collect(const litehtml::document::ptr& document);
    const QList<Run>& runs() const { return runs_; }

    QString text(Range range) const;
    QString plainText() const { return text({0, int(runs_.size()) - 1}); }
    // The runs that hold the first match after run `after` (-1: from the top).
    Range find(const QString& needle, bool caseSensitive, int after) const;
    // The run at or nearest before a point; -1 when the page has none.
    int runAt(QPoint point) const;
    // The word (run) at a point as a range.
    Range wordAt(QPoint point) const;

private:
    void collectFrom(const litehtml::element::ptr& element);

    QList<Run> runs_;
    QString joined_;          // text of all runs
    QList<qsizetype> starts_; // where each run starts in joined_
};
