#include "engine/HtmlResources.h"

#include "data/ComprStream.h"
#include "engine/PagePaths.h"

#include <QBuffer>
#include <QImageReader>

namespace {

const QString TokenScheme = QStringLiteral("res");

// A header size the decoder would accept: a larger one, which it refuses,
// must not make room for a picture that never comes.
bool decodable(QSize size)
{
    const qint64 limit = qint64(QImageReader::allocationLimit()) * 1024 * 1024;
    return size.isValid() && !size.isEmpty() &&
           (limit <= 0 || qint64(size.width()) * size.height() * 4 <= limit);
}

QString unquoted(QString text)
{
    text = text.trimmed();
    if (text.size() >= 2 &&
        (text.front() == QLatin1Char('"') || text.front() == QLatin1Char('\'')) &&
        text.back() == text.front()) {
        text = text.mid(1, text.size() - 2).trimmed();
    }
    return text;
}

} // namespace

std::optional<QByteArray> HtmlResources::ReadFile(const QString& path)
{
    if (path.isEmpty()) {
        return std::nullopt;
    }
    TComprStream stream(path);
    if (stream.hasError()) {
        return std::nullopt;
    }
    return stream.buffer();
}

QString HtmlResources::FileToken(const QString& path, int serial)
{
    QString token =
        TokenScheme + QLatin1Char(':') + QString::fromLatin1(QUrl::toPercentEncoding(path));
    if (serial >= 0) {
        token += QLatin1Char('#') + QString::number(serial);
    }
    return token;
}

QString HtmlResources::PathOfToken(const QUrl& url)
{
    if (url.scheme() != TokenScheme) {
        return QString();
    }
    return QUrl::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
}

int HtmlResources::SerialOfToken(const QUrl& url)
{
    bool ok = false;
    const int serial = url.fragment().toInt(&ok);
    return ok && url.scheme() == TokenScheme ? serial : -1;
}

QString HtmlResources::RewriteCssUrls(const QString& css, const QString& baseFile)
{
    QString out;
    qsizetype from = 0;
    for (qsizetype at = css.indexOf(QLatin1String("url("), 0, Qt::CaseInsensitive); at >= 0;
         at = css.indexOf(QLatin1String("url("), from, Qt::CaseInsensitive)) {
        const qsizetype close = css.indexOf(QLatin1Char(')'), at + 4);
        if (close < 0) {
            break;
        }
        const QString link = unquoted(css.mid(at + 4, close - at - 4));
        out += css.mid(from, at - from);
        out += QLatin1String("url(") +
               (PagePaths::HasScheme(link) ? link : FileToken(PagePaths::Expand(baseFile, link))) +
               QLatin1Char(')');
        from = close + 1;
    }
    return from == 0 ? css : out + css.mid(from);
}

QImage HtmlResources::picture(const QString& path)
{
    const auto cached = pictures_.constFind(path);
    if (cached != pictures_.cend()) {
        return *cached;
    }
    const auto read = unreadPictures_.constFind(path);
    if (read != unreadPictures_.cend()) {
        const QByteArray bytes = *read;
        unreadPictures_.erase(read);
        return picture(path, bytes);
    }
    const std::optional<QByteArray> bytes = ReadFile(path);
    return picture(path, bytes.value_or(QByteArray()));
}

QSize HtmlResources::pictureSize(const QString& path)
{
    if (!loadImages_) {
        return QSize();
    }
    const auto cached = pictures_.constFind(path);
    if (cached != pictures_.cend()) {
        return cached->size();
    }
    const auto read = unreadPictures_.constFind(path);
    QSize size;
    if (read != unreadPictures_.cend()) {
        size = HeaderSize(path, *read);
    } else {
        // The header is enough for most pictures; the rest is read when the
        // picture is first painted, which a picture far down may never be.
        size = HeaderSize(path, TComprStream::ReadHead(path, kHeadBytes).value_or(QByteArray()));
        if (!size.isValid()) {
            const QByteArray bytes = ReadFile(path).value_or(QByteArray());
            size = HeaderSize(path, bytes);
            unreadPictures_.insert(path, bytes);
        }
    }
    if (!decodable(size)) {
        return QSize();
    }
    lastPictureSize_ = size;
    return size;
}

QSize HtmlResources::HeaderSize(const QString& path, QByteArray bytes)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, PagePaths::ExtensionOf(path).mid(1).toLatin1());
    return reader.size();
}

QImage HtmlResources::picture(const QString& path, const QByteArray& bytes)
{
    QImage image;
    image.loadFromData(bytes);
    if (!image.isNull()) {
        lastPictureSize_ = image.size();
    }
    pictures_.insert(path, image);
    return image;
}

void HtmlResources::startPage()
{
    pictures_.clear();
    unreadPictures_.clear();
}
