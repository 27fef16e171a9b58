#include "IndexPageText.h"

#include "CodePage.h"
#include "IndexHtmlReferences.h"

#include <QSet>
#include <QStringDecoder>

namespace {

constexpr qsizetype CharsetWindow = 8192;

const QSet<QString>& inlineTags()
{
    static const QSet<QString> tags{"a",    "abbr",  "b",    "big",    "cite",   "code", "em",
                                    "font", "i",     "kbd",  "mark",   "nobr",   "q",    "s",
                                    "samp", "small", "span", "strike", "strong", "sub",  "sup",
                                    "tt",   "u",     "var",  "wbr"};
    return tags;
}

bool isAsciiAlnum(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9');
}

bool isCharsetNameByte(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_' || c == '.' ||
           c == ':';
}

// Where a tag that starts reading at html[from] ends: just after its '>',
// quoted attribute values skipped; the end of the text when it never closes.
qsizetype tagEnd(const QString& html, qsizetype from)
{
    QChar quote;
    for (qsizetype at = from; at < html.size(); ++at) {
        const QChar c = html.at(at);
        if (!quote.isNull()) {
            quote = c == quote ? QChar() : quote;
        } else if (c == u'"' || c == u'\'') {
            quote = c;
        } else if (c == u'>') {
            return at + 1;
        }
    }
    return html.size();
}

} // namespace

IndexPageText::IndexPageText(const QByteArray& bytes)
{
    parse(decode(bytes));
}

QString IndexPageText::declaredCharset(const QByteArray& bytes)
{
    const QByteArray head = bytes.left(CharsetWindow).toLower();
    for (qsizetype at = head.indexOf("charset"); at >= 0; at = head.indexOf("charset", at + 1)) {
        qsizetype p = at + 7;
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
        while (p < head.size() && isCharsetNameByte(head[p])) {
            ++p;
        }
        if (p > start) {
            return QString::fromLatin1(head.mid(start, p - start));
        }
    }
    return QString();
}

QString IndexPageText::decode(const QByteArray& bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        return QString::fromUtf8(bytes.mid(3));
    }
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        QStringDecoder utf16(bytes.startsWith("\xFF\xFE") ? QStringConverter::Utf16LE
                                                          : QStringConverter::Utf16BE);
        return utf16.decode(bytes.mid(2));
    }
    const QString charset = declaredCharset(bytes);
    if (charset == QLatin1String("cp866") || charset == QLatin1String("ibm866")) {
        return CodePage::fromCp866(bytes);
    }
    QStringDecoder declared(charset.toLatin1().constData());
    if (charset.isEmpty() || charset.contains(QLatin1String("1251")) || !declared.isValid()) {
        return CodePage::fromCp1251(bytes);
    }
    return declared.decode(bytes);
}

void IndexPageText::parse(const QString& html)
{
    raw_.reserve(html.size());
    for (qsizetype at = 0; at < html.size();) {
        qsizetype open = html.indexOf(QLatin1Char('<'), at);
        open = open < 0 ? html.size() : open;
        raw_ += QStringView(html).sliced(at, open - at);
        at = open < html.size() ? markup(html, open) : open;
    }
    text_ = DecodeHtmlReferences(raw_);
    raw_.clear();
}

qsizetype IndexPageText::markup(const QString& html, qsizetype at)
{
    const QStringView rest = QStringView(html).sliced(at);
    if (rest.startsWith(u"<!--")) {
        const qsizetype close = html.indexOf(QLatin1String("-->"), at + 4);
        raw_ += QLatin1Char(' ');
        return close < 0 ? html.size() : close + 3;
    }
    if (rest.startsWith(u"<!") || rest.startsWith(u"<?")) {
        return tagEnd(html, at + 2);
    }
    const bool closing = rest.startsWith(u"</");
    qsizetype nameEnd = at + (closing ? 2 : 1);
    while (nameEnd < html.size() && isAsciiAlnum(html.at(nameEnd))) {
        ++nameEnd;
    }
    const qsizetype nameStart = at + (closing ? 2 : 1);
    if (nameEnd == nameStart) {
        raw_ += QLatin1Char('<'); // a '<' that opens no tag is text
        return at + 1;
    }
    const QString name = html.mid(nameStart, nameEnd - nameStart).toLower();
    const qsizetype end = tagEnd(html, nameEnd);
    if (!closing && (name == QLatin1String("script") || name == QLatin1String("style"))) {
        const qsizetype close = html.indexOf(QLatin1String("</") + name, end, Qt::CaseInsensitive);
        raw_ += QLatin1Char(' ');
        return close < 0 ? html.size() : tagEnd(html, close + 2);
    }
    element(name, closing, html, at, end);
    return end;
}

void IndexPageText::element(const QString& name, bool closing, const QString& html, qsizetype from,
                            qsizetype to)
{
    if (name == QLatin1String("title")) {
        if (!closing) {
            titleStart_ = to;
        } else if (titleStart_ >= 0 && title_.isEmpty()) {
            title_ = DecodeHtmlReferences(html.mid(titleStart_, from - titleStart_)).simplified();
            titleStart_ = -1;
        }
    }
    if (!inlineTags().contains(name)) {
        raw_ += QLatin1Char(' ');
    }
}
