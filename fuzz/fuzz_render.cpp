// Draws arbitrary bytes as a page, end to end as the viewer on litehtml
// does: charset detection, presentational attributes made CSS, parsing,
// layout at a viewport and painting into a picture. Inputs are taken up to
// 256 KB, the size of the largest pages discs carry.

#include "data/PageCharset.h"
#include "engine/LiteHtmlPage.h"

#include <QGuiApplication>
#include <QImage>
#include <cstddef>
#include <cstdint>

namespace {

constexpr size_t kMaxInput = 256 * 1024;

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > kMaxInput) {
        return -1;
    }
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QImage image = RenderPage(QStringLiteral("d:\\run\\page.htm"),
                                    PageCharset::DecodePage(bytes), QSize(320, 240));
    if (image.size() != QSize(320, 240)) {
        __builtin_trap();
    }
    return 0;
}
