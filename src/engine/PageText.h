#pragma once

#include <QList>
#include <QRect>
#include <QString>
#include <litehtml.h>
#include <memory>

// The text of a laid-out litehtml page as the reader sees it: its words and
// spaces in document order with their boxes on the page, joined into one
// plain text (lines apart by line breaks). Selections and finds are ranges
// of characters of that text. The text is gathered when first asked for
// after a layout, not at every layout: most pages are read, never selected
// or searched.
class PageText {
public:
    struct Run {
        QString text;
        QRect box; // page coordinates
        litehtml::element::ptr element;
    };
    struct Range {
        qsizetype begin = 0;
        qsizetype end = 0; // after the last character
        bool isEmpty() const { return end <= begin; }
    };

    // The page to take the text of, once laid out; its text is gathered when
    // first asked for, while the document lives.
    void collect(const litehtml::document::ptr& document);
    const QList<Run>& runs() const
    {
        gather();
        return runs_;
    }

    Range all() const
    {
        gather();
        return {0, joined_.size()};
    }
    QString text(Range range) const;
    // A range as HTML: each piece in the colour, weight, slant and family it
    // is drawn with, inside its link, lines apart by <br>.
    QString html(Range range) const;
    // The first match at or after character from.
    Range find(const QString& needle, bool caseSensitive, qsizetype from) const;
    // The character at a page point, or the nearest one before it; -1 when
    // the page has no text.
    qsizetype characterAt(QPoint point) const;
    // The word (letters and digits) at a page point; empty for none.
    Range wordAt(QPoint point) const;
    // The boxes a range covers on the page, one per run it touches.
    QList<QRect> boxes(Range range) const;
    // The run holding a character; -1 for none.
    int runOf(qsizetype position) const;

private:
    void gather() const;
    void collectFrom(const litehtml::element::ptr& element) const;
    int widthOf(int run, qsizetype characters) const;

    std::weak_ptr<litehtml::document> document_;
    mutable bool gathered_ = true;
    mutable QList<Run> runs_;
    mutable QString joined_;          // text of all runs
    mutable QList<qsizetype> starts_; // where each run starts in joined_
};
