#include "data/PageCharset.h"

#include "platform/CodePage.h"

#include <QByteArrayView>
#include <QStringDecoder>
#include <optional>

namespace PageCharset {

namespace {

// Only the head of a page is searched for the declaration.
constexpr qsizetype kDeclarationWindow = 8192;

bool isNameChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_' || c == '.' ||
           c == ':';
}

std::optional<QString> fromByteOrderMark(const QByteArray& bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        return QString::fromUtf8(bytes.mid(3));
    }
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        const QStringConverter::Encoding encoding =
            bytes.startsWith("\xFF\xFE") ? QStringConverter::Utf16LE : QStringConverter::Utf16BE;
        QStringDecoder decoder(encoding);
        return decoder.decode(QByteArrayView(bytes).sliced(2));
    }
    return std::nullopt;
}

} // namespace

QString Declared(const QByteArray& bytes)
{
    const QByteArray head = bytes.left(kDeclarationWindow).toLower();
    qsizetype at = 0;
    while ((at = head.indexOf("charset", at)) >= 0) {
        at += 7;
        qsizetype p = at;
        while (p < head.size() && (head[p] == ' ' || head[p] == '\t')) {
            ++p;
        }
        if (p >= head.size() || head[p] != '=') {
            continue;
        }
        ++p;
        while (p < head.size() && (head[p] == ' ' || head[p] == '"' || head[p] == '\'')) {
            ++p;
        }
        const qsizetype start = p;
        while (p < head.size() && isNameChar(head[p])) {
            ++p;
        }
        if (p > start) {
            return QString::fromLatin1(head.mid(start, p - start));
        }
    }
    return QString();
}

QString DecodeAs(const QByteArray& bytes, const QString& charset)
{
    const QString name = charset.toLower();
    if (name.isEmpty() || name == QLatin1String("windows-1251") ||
        name == QLatin1String("cp1251") || name == QLatin1String("win-1251") ||
        name == QLatin1String("x-cp1251")) {
        return CodePage::fromCp1251(bytes);
    }
    if (name == QLatin1String("cp866") || name == QLatin1String("ibm866") ||
        name == QLatin1String("866")) {
        return CodePage::fromCp866(bytes);
    }
    QStringDecoder decoder(name.toLatin1().constData());
    if (!decoder.isValid()) {
        return CodePage::fromCp1251(bytes);
    }
    return decoder.decode(bytes);
}

QString DecodePage(const QByteArray& bytes)
{
    if (std::optional<QString> text = fromByteOrderMark(bytes)) {
        return *text;
    }
    return DecodeAs(bytes, Declared(bytes));
}

QString DecodeText(const QByteArray& bytes)
{
    if (std::optional<QString> text = fromByteOrderMark(bytes)) {
        return *text;
    }
    return CodePage::fromCp1251(bytes);
}

} // namespace PageCharset
