#pragma once

#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>
#include <vector>

class HtmlTagScanner;
struct HtmlTag;

// How a frame shows its scroll bars ("scrolling").
enum class FrameScrolling { Auto, Always, Never };

// The frames of a frameset page: a tree of framesets (rows or columns with
// their sizes "20%", "*", "2*", "100") and frames (name, src as written).
// Border width, colour and the border flag are inherited by what a frameset
// holds unless it says otherwise.
struct FrameNode {
    bool isFrameset = false;
    bool rows = false;
    QStringList sizes;
    std::vector<FrameNode> children;
    QString name;
    QString src;
    bool frameBorder = true; // "frameborder": edges drawn around this part
    int borderWidth = 4;     // px between the parts of a frameset ("border")
    QColor borderColor;      // "bordercolor"; invalid: the window's colours
    bool noResize = false;   // a frame's "noresize"
    FrameScrolling scrolling = FrameScrolling::Auto;
};

namespace FramesetLayout {

// Bounds against hostile pages.
constexpr int kMaxDepth = 6;
constexpr int kMaxChildren = 64;
constexpr int kMaxBorder = 40; // px: a wider "border" is taken as this

// Reads a frameset whose opening tag the scanner just returned, up to its
// closing tag. A frameset with both rows and cols becomes rows of columns.
FrameNode Parse(HtmlTagScanner& scanner, const HtmlTag& opening);
// Pixel sizes of the parts along an extent: fixed sizes first, then
// percentages, and relative parts ("*", "2*") share what is left. When no
// relative part takes the rest, all parts are scaled to fill the extent.
QList<int> Sizes(const QStringList& measures, int extent);
// Frames of the tree in document order.
QList<const FrameNode*> Frames(const FrameNode& root);

} // namespace FramesetLayout
