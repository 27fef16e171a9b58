#include "content/TreeOutline.h"

TOutlineNode ParseOutlineLine(const QString& line)
{
    TOutlineNode node;
    qsizetype at = 0;
    while (at < line.size() && line.at(at) == QLatin1Char('\t')) {
        ++at;
    }
    node.Level = int(qMin<qsizetype>(at, 1 << 20));
    const QString rest = line.mid(at);
    const qsizetype first = rest.indexOf(QLatin1Char(';'));
    if (first < 0) {
        node.File = rest.trimmed();
        return node;
    }
    node.File = rest.left(first).trimmed();
    const qsizetype second = rest.indexOf(QLatin1Char(';'), first + 1);
    node.Caption = rest.mid(first + 1, second < 0 ? -1 : second - first - 1).trimmed();
    return node;
}

// The last node of each level is kept at hand, so a line that climbs back
// finds its parent at once however long the outline is.
QList<TOutlineNode> BuildOutline(const TDynamicStringArray& lines)
{
    QList<TOutlineNode> nodes;
    QList<int> lastOfLevel;
    for (const QString& line : lines) {
        if (line.isEmpty()) {
            continue;
        }
        TOutlineNode node = ParseOutlineLine(line);
        const int depth = node.Level;
        if (nodes.isEmpty() || depth == 0) {
            node.Parent = -1;
        } else if (const TOutlineNode& previous = nodes.last(); depth > previous.Level) {
            node.Parent = int(nodes.size()) - 1;
        } else if (depth < previous.Level) {
            node.Parent = int(lastOfLevel.at(depth - 1));
        } else {
            node.Parent = previous.Parent;
        }
        node.Level = node.Parent < 0 ? 0 : nodes[node.Parent].Level + 1;
        if (node.Level == lastOfLevel.size()) {
            lastOfLevel.append(int(nodes.size()));
        } else {
            lastOfLevel[node.Level] = int(nodes.size());
        }
        nodes.append(node);
    }
    return nodes;
}
