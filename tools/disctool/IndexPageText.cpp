#include "IndexPageText.h"

#include "IndexHtmlReferences.h"
#include "data/PageCharset.h"

#include <QSet>

namespace {

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

QString IndexPageText::decode(const QByteArray& bytes)
{
    return PageCharset::DecodePage(bytes);
}

QString IndexPageText::declaredCharset(const QByteArray& bytes)
{
    return PageCharset::Declared(bytes);
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
