#include "engine/HtmlTagScanner.h"

#include <QStringList>

namespace {

bool isSpace(QChar c)
{
    return c.unicode() <= ' ';
}

bool isNameEnd(QChar c)
{
    return isSpace(c) || c == QLatin1Char('>') || c == QLatin1Char('/') || c == QLatin1Char('=');
}

QChar entityChar(QStringView name)
{
    if (name.startsWith(QLatin1Char('#'))) {
        bool ok = false;
        const uint code =
            name.size() > 1 && (name[1] == QLatin1Char('x') || name[1] == QLatin1Char('X'))
                ? name.mid(2).toUInt(&ok, 16)
                : name.mid(1).toUInt(&ok, 10);
        return ok && code > 0 && code < 0xFFFF ? QChar(char16_t(code)) : QChar();
    }
    static const std::pair<const char*, char16_t> named[] = {
        {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}, {"nbsp", 0xA0}};
    for (const auto& [entity, code] : named) {
        if (name.compare(QLatin1String(entity), Qt::CaseInsensitive) == 0) {
            return QChar(code);
        }
    }
    return QChar();
}

} // namespace

bool HtmlTagScanner::next(HtmlTag& tag)
{
    while (position_ < html_.size()) {
        if (!rawEnd_.isEmpty()) {
            const qsizetype close = html_.indexOf(rawEnd_, position_, Qt::CaseInsensitive);
            rawEnd_.clear();
            position_ = close < 0 ? html_.size() : close;
            continue;
        }
        const qsizetype open = html_.indexOf(QLatin1Char('<'), position_);
        if (open < 0 || open + 1 >= html_.size()) {
            position_ = html_.size();
            return false;
        }
        const QChar after = html_.at(open + 1);
        if (after == QLatin1Char('!') || after == QLatin1Char('?')) {
            position_ = skipMarkup(open);
        } else if (parseTag(open, tag)) {
            position_ = tag.end;
            if (!tag.closing &&
                (tag.name == QLatin1String("script") || tag.name == QLatin1String("style"))) {
                rawEnd_ = QLatin1String("</") + tag.name;
            }
            return true;
        } else {
            position_ = open + 1;
        }
    }
    return false;
}

qsizetype HtmlTagScanner::skipMarkup(qsizetype at) const
{
    if (html_.mid(at, 4) == QLatin1String("<!--")) {
        const qsizetype end = html_.indexOf(QLatin1String("-->"), at + 4);
        return end < 0 ? html_.size() : end + 3;
    }
    const qsizetype end = html_.indexOf(QLatin1Char('>'), at);
    return end < 0 ? html_.size() : end + 1;
}

bool HtmlTagScanner::parseTag(qsizetype at, HtmlTag& tag)
{
    qsizetype p = at + 1;
    tag.closing = html_.at(p) == QLatin1Char('/');
    if (tag.closing) {
        ++p;
    }
    if (p >= html_.size() || !html_.at(p).isLetter()) {
        return false;
    }
    const qsizetype nameStart = p;
    while (p < html_.size() && !isNameEnd(html_.at(p))) {
        ++p;
    }
    tag.name = html_.mid(nameStart, p - nameStart).toLower();
    tag.begin = at;
    QChar quote;
    for (; p < html_.size(); ++p) {
        const QChar c = html_.at(p);
        if (!quote.isNull()) {
            if (c == quote) {
                quote = QChar();
            }
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            if (isSpace(html_.at(p - 1)) || html_.at(p - 1) == QLatin1Char('=')) {
                quote = c;
            }
        } else if (c == QLatin1Char('>')) {
            break;
        }
    }
    tag.end = qMin(p + 1, html_.size());
    return true;
}

HtmlAttributes HtmlTagScanner::attributes(const HtmlTag& tag) const
{
    HtmlAttributes result;
    qsizetype p = tag.begin + 1 + (tag.closing ? 1 : 0) + tag.name.size();
    const qsizetype end = tag.end - 1;
    while (p < end) {
        while (p < end && (isSpace(html_.at(p)) || html_.at(p) == QLatin1Char('/'))) {
            ++p;
        }
        const qsizetype nameStart = p;
        while (p < end && !isNameEnd(html_.at(p))) {
            ++p;
        }
        if (p == nameStart) {
            ++p;
            continue;
        }
        QString name = html_.mid(nameStart, p - nameStart).toLower();
        while (p < end && isSpace(html_.at(p))) {
            ++p;
        }
        QString value;
        if (p < end && html_.at(p) == QLatin1Char('=')) {
            ++p;
            while (p < end && isSpace(html_.at(p))) {
                ++p;
            }
            const QChar quote = p < end ? html_.at(p) : QChar();
            const bool quoted = quote == QLatin1Char('"') || quote == QLatin1Char('\'');
            const qsizetype valueStart = quoted ? p + 1 : p;
            qsizetype valueEnd = valueStart;
            while (valueEnd < end &&
                   (quoted ? html_.at(valueEnd) != quote : !isSpace(html_.at(valueEnd)))) {
                ++valueEnd;
            }
            value = DecodeEntities(html_.mid(valueStart, valueEnd - valueStart));
            p = quoted ? valueEnd + 1 : valueEnd;
        }
        result.append({std::move(name), std::move(value)});
    }
    return result;
}

QString AttributeValue(const HtmlAttributes& attributes, QStringView name)
{
    for (const auto& [key, value] : attributes) {
        if (key == name) {
            return value;
        }
    }
    return QString();
}

bool HasAttribute(const HtmlAttributes& attributes, QStringView name)
{
    for (const auto& attribute : attributes) {
        if (attribute.first == name) {
            return true;
        }
    }
    return false;
}

QString DecodeEntities(const QString& text)
{
    if (!text.contains(QLatin1Char('&'))) {
        return text;
    }
    QString out;
    out.reserve(text.size());
    // An entity is at most eight characters long, so the ";" is looked for
    // only that far: a text of many "&" stays linear.
    constexpr qsizetype MaxEntityLength = 8;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype near =
            text.at(i) == QLatin1Char('&')
                ? QStringView(text).mid(i + 1, MaxEntityLength).indexOf(QLatin1Char(';'))
                : -1;
        const qsizetype semicolon = near < 0 ? -1 : i + 1 + near;
        const QChar decoded =
            semicolon > i ? entityChar(QStringView(text).mid(i + 1, semicolon - i - 1)) : QChar();
        if (decoded.isNull()) {
            out.append(text.at(i));
        } else {
            out.append(decoded);
            i = semicolon;
        }
    }
    return out;
}

QString EscapeHtml(const QString& text)
{
    return text.toHtmlEscaped();
}

QString WriteTag(const QString& name, const HtmlAttributes& attributes)
{
    qsizetype length = name.size() + 4;
    for (const auto& [key, value] : attributes) {
        length += key.size() + value.size() + 16;
    }
    QString tag;
    tag.reserve(length);
    tag += QLatin1Char('<');
    tag += name;
    for (const auto& [key, value] : attributes) {
        tag += QLatin1Char(' ');
        tag += key;
        tag += QLatin1String("=\"");
        tag += value.toHtmlEscaped();
        tag += QLatin1Char('"');
    }
    static const QStringList empty = {QStringLiteral("img"),   QStringLiteral("link"),
                                      QStringLiteral("base"),  QStringLiteral("br"),
                                      QStringLiteral("meta"),  QStringLiteral("hr"),
                                      QStringLiteral("frame"), QStringLiteral("input")};
    return tag + (empty.contains(name) ? QLatin1String(" />") : QLatin1String(">"));
}
