// Reads arbitrary bytes as a frameset page: the first frameset's tree is
// read within its bounds (depth and children), and the rows and columns of
// every frameset are laid out along a few extents. The parts of an extent
// are never negative and fill it exactly (or are all empty when nothing
// claims room).

#include "engine/FramesetLayout.h"
#include "engine/HtmlTagScanner.h"

#include <cstddef>
#include <cstdint>

namespace {

void checkSizes(const QStringList& measures)
{
    for (const int extent : {0, 1, 7, 640, 1 << 20}) {
        const QList<int> sizes = FramesetLayout::Sizes(measures, extent);
        if (sizes.size() != measures.size()) {
            __builtin_trap();
        }
        qint64 sum = 0;
        for (const int size : sizes) {
            if (size < 0) {
                __builtin_trap();
            }
            sum += size;
        }
        if (sum != 0 && sum != extent) {
            __builtin_trap();
        }
    }
}

void checkNode(const FrameNode& node, int depth)
{
    if (!node.isFrameset) {
        return;
    }
    // A frameset with rows and columns becomes two levels: rows of columns.
    if (depth > 2 * FramesetLayout::kMaxDepth || node.sizes.size() > FramesetLayout::kMaxChildren ||
        node.children.size() > size_t(FramesetLayout::kMaxChildren)) {
        __builtin_trap();
    }
    checkSizes(node.sizes);
    for (const FrameNode& child : node.children) {
        checkNode(child, depth + 1);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString html = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    HtmlTagScanner scanner(html);
    HtmlTag tag;
    while (scanner.next(tag)) {
        if (tag.name == QLatin1String("frameset") && !tag.closing) {
            const FrameNode root = FramesetLayout::Parse(scanner, tag);
            checkNode(root, 1);
            FramesetLayout::Frames(root);
            break;
        }
    }
    return 0;
}
