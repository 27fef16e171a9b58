#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <vector>

class HtmlTagScanner;
struct HtmlTag;

// The frames of a frameset page: a tree of framesets (rows or columns with
// their sizes "20%", "*", "2*", "100") and frames (name, src as written).
struct FrameNode {
    bool isFrameset = false;
    bool rows = false;
    QStringList sizes;
    std::vector<FrameNode> children;
    QString name;
    QString src;
};

namespace FramesetLayout {

// Bounds against hostile pages.
constexpr int kMaxDepth = 6;
constexpr int kMaxChildren = 64;

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
