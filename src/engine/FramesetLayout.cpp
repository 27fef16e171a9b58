#include "engine/FramesetLayout.h"

#include "engine/HtmlTagScanner.h"

#include <cmath>

namespace FramesetLayout {

namespace {

QStringList splitSizes(const QString& text)
{
    QStringList parts;
    for (const QString& part : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        parts.append(part.trimmed());
    }
    return parts.size() > kMaxChildren ? parts.mid(0, kMaxChildren) : parts;
}

// "0" and "no" turn a border off; anything else written turns it on.
bool borderFlag(const HtmlAttributes& attributes, bool inherited)
{
    if (!HasAttribute(attributes, u"frameborder")) {
        return inherited;
    }
    const QString value = AttributeValue(attributes, u"frameborder").trimmed().toLower();
    return value != QLatin1String("0") && value != QLatin1String("no");
}

// The looks a part takes from its frameset, and those it states itself.
void readLooks(const HtmlAttributes& attributes, const FrameNode& parent, FrameNode& node)
{
    node.frameBorder = borderFlag(attributes, parent.frameBorder);
    node.borderWidth = parent.borderWidth;
    for (const char16_t* name : {u"border", u"framespacing"}) {
        bool ok = false;
        const int width = AttributeValue(attributes, name).trimmed().toInt(&ok);
        if (ok) {
            node.borderWidth = qBound(0, width, kMaxBorder);
            break;
        }
    }
    node.borderColor = parent.borderColor;
    const QColor color(AttributeValue(attributes, u"bordercolor").trimmed());
    if (color.isValid()) {
        node.borderColor = color;
    }
}

FrameScrolling scrollingOf(const HtmlAttributes& attributes)
{
    const QString value = AttributeValue(attributes, u"scrolling").trimmed().toLower();
    if (value == QLatin1String("yes")) {
        return FrameScrolling::Always;
    }
    return value == QLatin1String("no") ? FrameScrolling::Never : FrameScrolling::Auto;
}

FrameNode openFrameset(HtmlTagScanner& scanner, const HtmlTag& tag, const FrameNode& parent)
{
    const HtmlAttributes attributes = scanner.attributes(tag);
    FrameNode node;
    readLooks(attributes, parent, node);
    node.isFrameset = true;
    node.rows = HasAttribute(attributes, u"rows");
    node.sizes = splitSizes(AttributeValue(attributes, node.rows ? u"rows" : u"cols"));
    if (node.rows && HasAttribute(attributes, u"cols")) {
        // Remembered as the size list of each row; regrouped once the children are read.
        node.name = AttributeValue(attributes, u"cols");
    }
    return node;
}

// rows x cols children become rows, each a frameset of columns.
void regroupGrid(FrameNode& node)
{
    const QStringList columns = splitSizes(node.name);
    node.name.clear();
    if (columns.isEmpty()) {
        return;
    }
    std::vector<FrameNode> rows;
    for (size_t i = 0; i < node.children.size(); i += size_t(columns.size())) {
        FrameNode row;
        row.isFrameset = true;
        row.frameBorder = node.frameBorder;
        row.borderWidth = node.borderWidth;
        row.borderColor = node.borderColor;
        row.sizes = columns;
        for (size_t j = i; j < node.children.size() && j < i + size_t(columns.size()); ++j) {
            row.children.push_back(std::move(node.children[j]));
        }
        rows.push_back(std::move(row));
    }
    node.children = std::move(rows);
}

// Consumes a frameset nested too deep, without recursion.
void skipFrameset(HtmlTagScanner& scanner)
{
    int open = 1;
    HtmlTag tag;
    while (open > 0 && scanner.next(tag)) {
        if (tag.name == QLatin1String("frameset")) {
            open += tag.closing ? -1 : 1;
        }
    }
}

FrameNode parseLevel(HtmlTagScanner& scanner, const HtmlTag& opening, const FrameNode& parent,
                     int depth)
{
    FrameNode node = openFrameset(scanner, opening, parent);
    HtmlTag tag;
    while (scanner.next(tag)) {
        if (tag.name == QLatin1String("frameset")) {
            if (tag.closing) {
                break;
            }
            if (depth >= kMaxDepth || int(node.children.size()) >= kMaxChildren) {
                skipFrameset(scanner);
                continue;
            }
            node.children.push_back(parseLevel(scanner, tag, node, depth + 1));
        } else if (tag.name == QLatin1String("frame") && !tag.closing &&
                   int(node.children.size()) < kMaxChildren) {
            const HtmlAttributes attributes = scanner.attributes(tag);
            FrameNode frame;
            frame.name = AttributeValue(attributes, u"name");
            frame.src = AttributeValue(attributes, u"src").trimmed();
            readLooks(attributes, node, frame);
            frame.borderWidth = node.borderWidth; // only a frameset sets the width
            frame.noResize = HasAttribute(attributes, u"noresize");
            frame.scrolling = scrollingOf(attributes);
            node.children.push_back(std::move(frame));
        }
    }
    if (!node.name.isEmpty()) {
        regroupGrid(node);
    }
    return node;
}

void collectFrames(const FrameNode& node, QList<const FrameNode*>& frames)
{
    if (!node.isFrameset) {
        frames.append(&node);
        return;
    }
    for (const FrameNode& child : node.children) {
        collectFrames(child, frames);
    }
}

// Numbers of a size list: finite and within a range whose sums and products
// with an extent stay finite ("inf", "nan" and "1e999" are not numbers here).
constexpr double kLargestMeasure = 1e9;

double measureValue(const QString& text, bool* ok)
{
    const double value = text.toDouble(ok);
    if (!*ok || !std::isfinite(value)) {
        *ok = false;
        return 0.0;
    }
    return qBound(-kLargestMeasure, value, kLargestMeasure);
}

} // namespace

FrameNode Parse(HtmlTagScanner& scanner, const HtmlTag& opening)
{
    return parseLevel(scanner, opening, FrameNode(), 1);
}

QList<const FrameNode*> Frames(const FrameNode& root)
{
    QList<const FrameNode*> frames;
    collectFrames(root, frames);
    return frames;
}

QList<int> Sizes(const QStringList& measures, int extent)
{
    const int count = int(measures.size());
    QList<double> sizes(count, 0.0);
    QList<double> weights(count, 0.0);
    double fixed = 0;
    double totalWeight = 0;
    for (int i = 0; i < count; ++i) {
        const QString measure = measures.at(i);
        bool ok = false;
        if (measure.endsWith(QLatin1Char('*'))) {
            const double weight = measure.size() > 1 ? measureValue(measure.chopped(1), &ok) : 1.0;
            weights[i] = ok || measure.size() == 1 ? qMax(weight, 0.0) : 1.0;
            totalWeight += weights[i];
            continue;
        }
        const bool percent = measure.endsWith(QLatin1Char('%'));
        const double value = measureValue(percent ? measure.chopped(1) : measure, &ok);
        sizes[i] = ok ? qMax(0.0, percent ? value * extent / 100.0 : value) : 0.0;
        if (!ok) {
            weights[i] = 1.0;
            totalWeight += 1.0;
        }
        fixed += sizes[i];
    }
    const double rest = extent - fixed;
    if (totalWeight > 0 && rest >= 0) {
        for (int i = 0; i < count; ++i) {
            sizes[i] += rest * weights[i] / totalWeight;
        }
    } else if (fixed > 0) {
        for (double& size : sizes) {
            size = size * extent / fixed;
        }
    }
    QList<int> result;
    double edge = 0;
    int placed = 0;
    for (const double size : sizes) {
        edge += size;
        const int next = int(std::lround(edge));
        result.append(qMax(0, next - placed));
        placed = qMax(placed, next);
    }
    return result;
}

} // namespace FramesetLayout
