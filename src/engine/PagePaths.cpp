#include "engine/PagePaths.h"

#include "platform/CodePage.h"
#include "platform/VirtualFs.h"

#include <QByteArray>
#include <QStringList>

namespace PagePaths {

namespace {

const QChar Backslash = QLatin1Char('\\');

bool hasDrive(const QString& path)
{
    return path.size() >= 2 && path.at(1) == QLatin1Char(':') && path.at(0).isLetter();
}

int hexValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9') {
        return u - '0';
    }
    if ((u | 0x20) >= 'a' && (u | 0x20) <= 'f') {
        return (u | 0x20) - 'a' + 10;
    }
    return -1;
}

// Decodes %xx escapes as UTF-8 bytes when that is valid UTF-8, else as
// Windows-1251 bytes; a "%" without two hex digits stays as it is.
QString decodeEscapes(const QString& text)
{
    if (!text.contains(QLatin1Char('%'))) {
        return text;
    }
    QByteArray bytes;
    bool escaped = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int high =
            i + 2 < text.size() && text.at(i) == QLatin1Char('%') ? hexValue(text.at(i + 1)) : -1;
        const int low = high >= 0 ? hexValue(text.at(i + 2)) : -1;
        if (low >= 0) {
            bytes.append(char(high * 16 + low));
            escaped = true;
            i += 2;
        } else {
            bytes.append(text.mid(i, 1).toUtf8());
        }
    }
    if (!escaped) {
        return text;
    }
    const QString utf8 = QString::fromUtf8(bytes);
    return utf8.contains(QChar::ReplacementCharacter) ? CodePage::fromCp1251(bytes) : utf8;
}

// Collapses "." and ".." steps; ".." never climbs over the drive.
QString collapse(const QString& path)
{
    if (const std::optional<QString> normalized = VirtualFs::normalize(path)) {
        return *normalized;
    }
    QStringList out;
    for (const QString& part : path.split(Backslash)) {
        if (part == QLatin1String("..")) {
            if (!out.isEmpty()) {
                out.removeLast();
            }
        } else if (part != QLatin1String(".")) {
            out.append(part);
        }
    }
    return out.join(Backslash);
}

QString fileUrlToPath(const QString& url)
{
    QString rest = url.mid(5);
    while (rest.startsWith(QLatin1Char('/'))) {
        rest.remove(0, 1);
    }
    return decodeEscapes(rest).replace(QLatin1Char('/'), Backslash);
}

} // namespace

bool HasScheme(const QString& url)
{
    const qsizetype colon = url.indexOf(QLatin1Char(':'));
    if (colon < 2) {
        return false;
    }
    for (qsizetype i = 0; i < colon; ++i) {
        const QChar c = url.at(i);
        const bool allowed = (c.isLetterOrNumber() && c.unicode() < 128) || c == QLatin1Char('+') ||
                             c == QLatin1Char('-') || c == QLatin1Char('.');
        if (!allowed || (i == 0 && !c.isLetter())) {
            return false;
        }
    }
    return true;
}

QString FolderOf(const QString& file)
{
    const qsizetype slash = file.lastIndexOf(Backslash);
    return slash < 0 ? QString() : file.left(slash + 1);
}

QString Expand(const QString& baseFile, const QString& url)
{
    const QString link = url.trimmed();
    if (link.startsWith(QLatin1String("file:"), Qt::CaseInsensitive)) {
        return collapse(fileUrlToPath(link));
    }
    if (HasScheme(link)) {
        return link;
    }
    const qsizetype hash = link.indexOf(QLatin1Char('#'));
    const QString anchor = hash < 0 ? QString() : link.mid(hash);
    QString path = decodeEscapes(hash < 0 ? link : link.left(hash));
    path.replace(QLatin1Char('/'), Backslash);
    const qsizetype query = path.indexOf(QLatin1Char('?'));
    if (query >= 0) {
        path.truncate(query);
    }
    if (path.isEmpty()) {
        return WithoutAnchor(baseFile) + anchor;
    }
    if (hasDrive(path)) {
        return collapse(path) + anchor;
    }
    const QString base = WithoutAnchor(baseFile);
    if (path.startsWith(Backslash)) {
        return collapse((hasDrive(base) ? base.left(2) : QString()) + path) + anchor;
    }
    return collapse(FolderOf(base) + path) + anchor;
}

QString WithoutAnchor(const QString& path)
{
    const qsizetype hash = path.indexOf(QLatin1Char('#'));
    return hash < 0 ? path : path.left(hash);
}

QString AnchorOf(const QString& path)
{
    const qsizetype hash = path.indexOf(QLatin1Char('#'));
    return hash < 0 ? QString() : path.mid(hash + 1);
}

QString ExtensionOf(const QString& path)
{
    const QString file = WithoutAnchor(path);
    const qsizetype dot = file.lastIndexOf(QLatin1Char('.'));
    if (dot < 0 || file.indexOf(Backslash, dot) >= 0) {
        return QString();
    }
    return file.mid(dot).toLower();
}

PageKind KindOf(const QString& path)
{
    const QString extension = ExtensionOf(path);
    static const QStringList text = {QStringLiteral(".txt"), QStringLiteral(".inf"),
                                     QStringLiteral(".diz")};
    static const QStringList pictures = {QStringLiteral(".bmp"), QStringLiteral(".gif"),
                                         QStringLiteral(".jpg"), QStringLiteral(".jpeg"),
                                         QStringLiteral(".png")};
    if (text.contains(extension)) {
        return PageKind::Text;
    }
    return pictures.contains(extension) ? PageKind::Picture : PageKind::Html;
}

bool IsViewable(const QString& path)
{
    return ExtensionOf(path).startsWith(QLatin1String(".htm")) || KindOf(path) != PageKind::Html;
}

bool SameFile(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace PagePaths
