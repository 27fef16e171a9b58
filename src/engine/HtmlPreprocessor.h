#pragma once

#include "engine/FramesetLayout.h"
#include "engine/HtmlTagScanner.h"

#include <QList>
#include <QSize>
#include <QString>
#include <functional>
#include <optional>

struct PageAnchor {
    QString href; // as written
    QString target;
    bool styled = false; // has a style of its own
};

struct PageImage {
    QString src;  // as written
    QString hint; // title, else alt
};

struct PageSelect {
    QString name;
    QStringList items;
    int selected = -1;
    QSize size; // of the placeholder in the text
};

// A page made ready for the text engine: every link, picture and style sheet
// refers to a token of ours, and what the engine would drop (link targets,
// image hints, drop-down lists, framesets) is kept beside the text.
struct PreparedPage {
    QString html;
    QString title;
    QString baseTarget;
    QList<PageAnchor> anchors; // AnchorToken(n) in the text
    QList<PageImage> images;   // image tokens numbered n
    QList<PageSelect> selects; // "ctl:n" placeholders in the text
    std::optional<FrameNode> frameset;
    // The page styles links itself (style blocks, style sheets or body link
    // colours): the default look of links must then come from a style sheet
    // its rules override. Otherwise the viewer paints its links afterwards,
    // far cheaper than a style sheet the text engine matches against every
    // element.
    bool hasOwnStyle = false;

    // Links share a few tokens: the text engine then keeps a handful of
    // link formats instead of one per link, which would cost a large page
    // a fifth of its building and laying out. Neighbouring links always get
    // different tokens; which link it is, its place in the text tells.
    static constexpr int kAnchorTokens = 64;
    static QString AnchorToken(int index)
    {
        return QStringLiteral("lnk:%1").arg(index % kAnchorTokens);
    }
    static QString ControlToken(int index) { return QStringLiteral("ctl:%1").arg(index); }
    // Index of an "lnk:n" or "ctl:n" token, -1 for anything else.
    static int TokenIndex(const QString& token, QStringView scheme);
};

// Rewrites the HTML of one page file. placeholderSize gives the size of the
// picture that stands in for a drop-down list. linkStyle, the default look of
// links as CSS declarations, goes in front of the style of links that have
// one in pages without CSS of their own, so that what the link sets wins.
class HtmlPreprocessor {
public:
    using PlaceholderSize = std::function<QSize(const PageSelect&)>;
    using PictureSize = std::function<QSize(const QString& path)>;

    HtmlPreprocessor(const QString& file, PlaceholderSize placeholderSize,
                     const QString& linkStyle = QString());
    // Pictures given no size by the page get the one pictureSize reports
    // (when valid), so laying the page out needs none of them decoded.
    void setPictureSize(PictureSize pictureSize) { pictureSize_ = std::move(pictureSize); }
    PreparedPage prepare(const QString& html);

private:
    void rewriteTag(const HtmlTag& tag);
    void rewriteAnchor(const HtmlTag& tag);
    void rewriteImage(const HtmlTag& tag);
    void rewriteFileAttribute(const HtmlTag& tag, QStringView attribute, bool styleSheet);
    void takeBodyColours(const HtmlTag& tag);
    void replaceSelect(const HtmlTag& tag);
    void closeRawBlock(const HtmlTag& tag);
    void replace(qsizetype begin, qsizetype end, const QString& text);
    QString fileToken(const QString& link, int serial = -1) const;
    void addPictureSize(HtmlAttributes& attributes, const QString& src) const;

    QString file_;
    PlaceholderSize placeholderSize_;
    PictureSize pictureSize_;
    QString linkStyle_;
    const QString* html_ = nullptr;
    HtmlTagScanner* scanner_ = nullptr;
    PreparedPage page_;
    QString out_;
    qsizetype copied_ = 0;
    qsizetype rawStart_ = -1;
    bool bodySeen_ = false;
    QString pageCss_;
};
