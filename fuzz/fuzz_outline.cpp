// Reads arbitrary bytes as the text of a contents tree: decoded as the
// configuration text is, then built into the outline. Every node hangs below
// an earlier node, exactly one level below it, never more than one level
// deeper than the node before it.

#include "content/TreeOutline.h"
#include "data/ConfigText.h"

#include <cstddef>
#include <cstdint>

namespace {

void checkNode(const QList<TOutlineNode>& nodes, int index)
{
    const TOutlineNode& node = nodes.at(index);
    const int previousLevel = index > 0 ? nodes.at(index - 1).Level : 0;
    if (node.Parent >= index || node.Parent < -1 || node.Level > previousLevel + 1 ||
        (node.Parent < 0) != (node.Level == 0) ||
        (node.Parent >= 0 && nodes.at(node.Parent).Level + 1 != node.Level)) {
        __builtin_trap();
    }
    if (node.File != node.File.trimmed() || node.Caption != node.Caption.trimmed()) {
        __builtin_trap();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray text(reinterpret_cast<const char*>(data), qsizetype(size));
    TDynamicStringArray lines;
    DecodeConfig(EncodeConfig(text), lines, false);
    const QList<TOutlineNode> nodes = BuildOutline(lines);
    qsizetype nonEmpty = 0;
    for (const QString& line : lines) {
        nonEmpty += line.isEmpty() ? 0 : 1;
    }
    if (nodes.size() != nonEmpty) {
        __builtin_trap();
    }
    for (int i = 0; i < int(nodes.size()); ++i) {
        checkNode(nodes, i);
    }
    return 0;
}
