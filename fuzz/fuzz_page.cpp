// Prepares arbitrary bytes as a page of the disc, as the viewer does before
// the text engine sees it: charset detection, then the rewriting of links,
// pictures, drop-down lists and framesets.

#include "data/PageCharset.h"
#include "engine/HtmlPreprocessor.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString html = PageCharset::DecodePage(bytes);
    HtmlPreprocessor preprocessor(QStringLiteral("d:\\run\\page.htm"),
                                  [](const PageSelect&) { return QSize(120, 20); });
    const PreparedPage page = preprocessor.prepare(html);
    for (const PageAnchor& anchor : page.anchors) {
        if (anchor.href.size() > html.size()) {
            __builtin_trap();
        }
    }
    return 0;
}
