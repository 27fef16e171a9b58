// Reads arbitrary bytes as a page's resources: as a picture file whose size
// the viewer takes from its head before decoding it (the first byte chooses
// the file's extension), and as a style sheet whose url(...) references
// become file tokens. A picture's header size is one the decoder accepts, and
// every token names the path it was made of.

#include "FuzzFolder.h"
#include "engine/HtmlResources.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QUrl>
#include <cstddef>
#include <cstdint>

namespace {

constexpr const char* Extensions[] = {".bmp", ".gif", ".jpg", ".png", ".jpeg", ".ico", "", ".htm"};

void readPicture(const QByteArray& bytes, const QString& name)
{
    FuzzFolder::write(name, bytes);
    const QString path = FuzzFolder::virtualPath(name);
    HtmlResources resources;
    const QSize size = resources.pictureSize(path);
    if (size.isValid() && (size.isEmpty() || size != resources.pictureSize(path))) {
        __builtin_trap();
    }
    resources.picture(path);
    resources.startPage();
}

// Tokens already in the sheet are left as written; the others are ours.
void readStyleSheet(const QByteArray& bytes)
{
    const QString css = QString::fromUtf8(bytes);
    const bool hasTokens = css.contains(QLatin1String("res:"), Qt::CaseInsensitive);
    const QString rewritten = HtmlResources::RewriteCssUrls(css, QStringLiteral("d:\\run\\a.css"));
    static const QRegularExpression token(QStringLiteral("url\\((res:[^)]*)\\)"));
    for (const QRegularExpressionMatch& match : token.globalMatch(rewritten)) {
        const QString path = HtmlResources::PathOfToken(QUrl(match.captured(1)));
        if (!hasTokens && HtmlResources::FileToken(path) != match.captured(1)) {
            __builtin_trap();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static QCoreApplication app(*argc, *argv); // finds the image format plugins
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0) {
        return 0;
    }
    const QByteArray bytes(reinterpret_cast<const char*>(data) + 1, qsizetype(size - 1));
    readPicture(bytes, QStringLiteral("picture") + QLatin1String(Extensions[data[0] % 8]));
    if (data[0] & 0x80) {
        readStyleSheet(bytes);
    }
    return 0;
}
