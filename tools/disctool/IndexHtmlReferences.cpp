#include "IndexHtmlReferences.h"

#include <QHash>

namespace {

const QHash<QString, char16_t>& namedReferences()
{
    static const QHash<QString, char16_t> names{
        {"amp", u'&'},     {"lt", u'<'},       {"gt", u'>'},       {"quot", u'"'},
        {"apos", u'\''},   {"nbsp", 0x00A0},   {"shy", 0x00AD},    {"laquo", 0x00AB},
        {"raquo", 0x00BB}, {"ldquo", 0x201C},  {"rdquo", 0x201D},  {"bdquo", 0x201E},
        {"lsquo", 0x2018}, {"rsquo", 0x2019},  {"sbquo", 0x201A},  {"mdash", 0x2014},
        {"ndash", 0x2013}, {"hellip", 0x2026}, {"copy", 0x00A9},   {"reg", 0x00AE},
        {"trade", 0x2122}, {"deg", 0x00B0},    {"sect", 0x00A7},   {"middot", 0x00B7},
        {"bull", 0x2022},  {"times", 0x00D7},  {"divide", 0x00F7}, {"plusmn", 0x00B1},
        {"euro", 0x20AC},  {"para", 0x00B6}};
    return names;
}

bool isAsciiAlnum(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9');
}

int digitValue(QChar c, int base)
{
    const char16_t u = c.unicode();
    int value = base;
    if (u >= u'0' && u <= u'9') {
        value = u - u'0';
    } else if (u >= u'a' && u <= u'f') {
        value = u - u'a' + 10;
    } else if (u >= u'A' && u <= u'F') {
        value = u - u'A' + 10;
    }
    return value < base ? value : -1;
}

bool isCharacter(char32_t value)
{
    return value > 0 && value <= 0x10FFFF && (value < 0xD800 || value > 0xDFFF);
}

struct Reference {
    QString character;
    qsizetype length = 0; // 0: not a reference
};

// "&#1078;", "&#x436" (the ";" may be left out of numeric references).
Reference numericReference(const QString& text, qsizetype at)
{
    qsizetype end = at + 2;
    const bool hex = end < text.size() && (text.at(end) == u'x' || text.at(end) == u'X');
    const int base = hex ? 16 : 10;
    end += hex ? 1 : 0;
    const qsizetype first = end;
    char32_t value = 0;
    for (int digit;
         end < text.size() && end - first < 8 && (digit = digitValue(text.at(end), base)) >= 0;
         ++end) {
        value = value * char32_t(base) + char32_t(digit);
    }
    if (end == first || !isCharacter(value)) {
        return {};
    }
    end += end < text.size() && text.at(end) == u';' ? 1 : 0;
    return {QString::fromUcs4(&value, 1), end - at};
}

// "&amp;" and the other names of the table.
Reference namedReference(const QString& text, qsizetype at)
{
    qsizetype end = at + 1;
    while (end < text.size() && end - at <= 8 && isAsciiAlnum(text.at(end))) {
        ++end;
    }
    if (end >= text.size() || text.at(end) != u';') {
        return {};
    }
    const auto found = namedReferences().constFind(text.mid(at + 1, end - at - 1));
    if (found == namedReferences().cend()) {
        return {};
    }
    return {QString(QChar(*found)), end + 1 - at};
}

Reference reference(const QString& text, qsizetype at)
{
    const bool numeric = at + 1 < text.size() && text.at(at + 1) == u'#';
    return numeric ? numericReference(text, at) : namedReference(text, at);
}

} // namespace

QString DecodeHtmlReferences(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype at = 0; at < text.size();) {
        const Reference found = text.at(at) == u'&' ? reference(text, at) : Reference{};
        if (found.length > 0) {
            out += found.character;
            at += found.length;
        } else {
            out += text.at(at++);
        }
    }
    return out;
}
