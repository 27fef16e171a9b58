#pragma once

#include "engine/HtmlTagScanner.h"

#include <QList>
#include <QString>

// Turns the presentational attributes of HTML 4 pages (bgcolor, background,
// width and height, align and valign, cellpadding, cellspacing and border,
// hspace and vspace, body colours and margins, font sizes, basefont) into CSS in
// front of the element's own style, so that the layout engine, which reads
// only CSS, draws the page as the browsers of the time did. Attacker-sized
// values are capped on the way: lengths, spans and the nesting depth.
class PresentationalCss {
public:
    static constexpr int kMaxLength = 32767;  // px, of widths, heights, spacings
    static constexpr int kMaxSpan = 1000;     // colspan and rowspan
    static constexpr int kMaxDepth = 512;     // elements open at once
    static constexpr int kMaxFontSize = 1000; // px

    // mediumPixels: the size of the page font, which <font size=3> keeps.
    static QString Rewrite(const QString& html, int mediumPixels = 16);

    // "80", "80px", "50%" as a CSS length; empty for anything else.
    static QString Length(const QString& value);
    // "#ff0000", "ff0000", "red" as a CSS colour; empty for anything unsafe.
    static QString Colour(const QString& value);

private:
    struct Table {
        QString cellPadding;
        QString border;
    };

    PresentationalCss(const QString& html, int mediumPixels)
        : html_(html), scanner_(html), mediumPixels_(mediumPixels)
    {
    }
    QString run();
    void rewriteTag(const HtmlTag& tag);
    bool emptyLineBreak(const HtmlTag& tag);
    void closeTag(const HtmlTag& tag);
    bool tooDeep(const HtmlTag& tag);
    QString styleOf(const HtmlTag& tag, HtmlAttributes& attributes);
    QString bodyStyle(const HtmlAttributes& attributes);
    QString tableStyle(const HtmlAttributes& attributes);
    QString cellStyle(const HtmlAttributes& attributes);
    QString imageStyle(const HtmlAttributes& attributes) const;
    int legacyFontSize(const QString& value) const;
    QString fontSizeCss(int legacySize) const;
    void capSpans(HtmlAttributes& attributes) const;
    void replace(const HtmlTag& tag, const QString& text);

    const QString& html_;
    HtmlTagScanner scanner_;
    QString out_;
    QString pageCss_;
    int mediumPixels_;
    int baseFontSize_ = 3; // of <basefont size>, what "+1" and "-1" count from
    qsizetype copied_ = 0;
    qsizetype lastBreakEnd_ = -1; // where the last <br> ended
    QList<Table> tables_;
    QList<QString> open_; // names of the elements open, innermost last
};
