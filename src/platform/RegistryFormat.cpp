#include "platform/CodePage.h"
#include "platform/RegistryDocument.h"

#include <optional>
#include <utility>

// Reading the registry editor's text export format and the dialect of
// Wine's hive files.

namespace {

using Dialect = RegistryDocument::Dialect;
using Encoding = RegistryDocument::Encoding;

// A UTF-16 file or Wine's "\x" escapes may hold halves of surrogate pairs
// alone, which no UTF-8 rewrite can hold: they read as U+FFFD, so that a
// rewrite reads back the same.
QString withoutLoneSurrogates(QString text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            ++i;
        } else if (c.isSurrogate()) {
            text[i] = QChar::ReplacementCharacter;
        }
    }
    return text;
}

struct DecodedText {
    QString text;
    Encoding encoding = Encoding::Utf8;
};

DecodedText decodeText(const QByteArray& bytes)
{
    if (bytes.startsWith("\xFF\xFE")) {
        return {
            withoutLoneSurrogates(QString::fromUtf16(
                reinterpret_cast<const char16_t*>(bytes.constData() + 2), (bytes.size() - 2) / 2)),
            Encoding::Utf16};
    }
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        return {QString::fromUtf8(bytes.mid(3)), Encoding::Utf8Bom};
    }
    if (!RegistryDocument::looksLikeUtf8(bytes)) {
        return {CodePage::fromCp1251(bytes), Encoding::Windows1251};
    }
    return {QString::fromUtf8(bytes), Encoding::Utf8};
}

bool isFormatHeader(const QString& line)
{
    return line.startsWith(QLatin1String("Windows Registry Editor Version"), Qt::CaseInsensitive) ||
           line.compare(QLatin1String("REGEDIT4"), Qt::CaseInsensitive) == 0 ||
           line.startsWith(QLatin1String("WINE REGISTRY Version"), Qt::CaseInsensitive);
}

// Joins hex data continued over several lines with a trailing backslash.
QStringList logicalLines(const QString& text)
{
    QStringList lines;
    bool continuing = false;
    for (QString line : text.split(QLatin1Char('\n'))) {
        line = line.trimmed();
        if (continuing) {
            lines.last() += line;
        } else {
            lines.append(line);
        }
        continuing =
            line.endsWith(QLatin1Char('\\')) && lines.last().contains(QLatin1String("=hex"));
        if (continuing) {
            lines.last().chop(1);
        }
    }
    return lines;
}

char16_t escapedLetter(QChar letter)
{
    switch (letter.unicode()) {
    case 'n':
        return u'\n';
    case 'r':
        return u'\r';
    case 't':
        return u'\t';
    case 'a':
        return u'\a';
    case 'b':
        return u'\b';
    case 'e':
        return u'\x1B';
    case 'f':
        return u'\f';
    case 'v':
        return u'\v';
    default:
        return 0;
    }
}

// Wine's escapes after a backslash: letters, "\x" with up to four hex digits,
// octal with up to three digits. Advances i past the escape.
std::optional<QChar> wineEscape(const QString& text, qsizetype& i)
{
    const QChar first = text.at(i);
    auto digits = [&](int base, int most) {
        qsizetype end = i;
        uint code = 0;
        bool ok = true;
        while (end < text.size() && end - i < most && ok) {
            const uint digit = QString(text.at(end)).toUInt(&ok, base);
            if (ok) {
                code = code * base + digit;
                ++end;
            }
        }
        const bool any = end > i;
        i = end;
        return any ? std::optional<QChar>(QChar(char16_t(code))) : std::nullopt;
    };
    if (first == QLatin1Char('x')) {
        ++i;
        return digits(16, 4);
    }
    if (first >= QLatin1Char('0') && first <= QLatin1Char('7')) {
        return digits(8, 3);
    }
    if (const char16_t letter = escapedLetter(first)) {
        ++i;
        return QChar(letter);
    }
    return std::nullopt;
}

// Reads a quoted text starting at text[i] == '"'; i ends after the closing quote.
std::optional<QString> readQuoted(const QString& text, qsizetype& i, Dialect dialect)
{
    QString result;
    for (++i; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('"')) {
            ++i;
            return withoutLoneSurrogates(result);
        }
        if (c != QLatin1Char('\\') || i + 1 >= text.size()) {
            result += c;
            continue;
        }
        const QChar next = text.at(i + 1);
        if (next == QLatin1Char('\\') || next == QLatin1Char('"')) {
            result += next;
            ++i;
            continue;
        }
        qsizetype position = i + 1;
        const std::optional<QChar> escaped =
            dialect == Dialect::Wine ? wineEscape(text, position) : std::nullopt;
        if (escaped) {
            result += *escaped;
            i = position - 1;
        } else {
            result += c;
        }
    }
    return std::nullopt;
}

std::optional<QByteArray> readHexBytes(const QString& list)
{
    QByteArray bytes;
    for (const QString& item : list.split(QLatin1Char(','))) {
        const QString digits = item.trimmed();
        if (digits.isEmpty()) {
            continue;
        }
        bool ok = false;
        const uint byte = digits.toUInt(&ok, 16);
        if (!ok || digits.size() > 2) {
            return std::nullopt;
        }
        bytes.append(char(byte));
    }
    return bytes;
}

// NULs at the end of a string are its terminator, however the file wrote it.
QString withoutTerminators(QString text)
{
    while (text.endsWith(QChar(0))) {
        text.chop(1);
    }
    return text;
}

QString fromUtf16Le(const QByteArray& bytes)
{
    QString text;
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2) {
        text += QChar(char16_t(uchar(bytes.at(i)) | (uchar(bytes.at(i + 1)) << 8)));
    }
    return withoutTerminators(text);
}

// A value of the hex(N) form reads as its type says and is written back as
// it stood, so that its type survives a rewrite.
std::optional<RegistryValue> typedHexValue(uint kind, const QByteArray& bytes, const QString& data)
{
    RegistryValue value;
    if (kind == 1 || kind == 2) {
        value = RegistryValue::ofString(QString(), fromUtf16Le(bytes));
    } else if (kind == 4 && bytes.size() == 4) {
        const quint32 number = uchar(bytes[0]) | (uchar(bytes[1]) << 8) | (uchar(bytes[2]) << 16) |
                               (quint32(uchar(bytes[3])) << 24);
        value = RegistryValue::ofInteger(QString(), qint32(number));
    } else {
        value = RegistryValue::ofBinary(QString(), bytes);
    }
    value.written = data;
    return value;
}

std::optional<RegistryValue> readData(const QString& data, Dialect dialect)
{
    qsizetype i = 0;
    if (data.startsWith(QLatin1Char('"')) ||
        (dialect == Dialect::Wine && data.startsWith(QLatin1String("str(")))) {
        i = data.indexOf(QLatin1Char('"'));
        if (i < 0) {
            return std::nullopt;
        }
        // Anything after the closing quote makes the line one not understood.
        const std::optional<QString> text = readQuoted(data, i, dialect);
        return text && i == data.size()
                   ? std::optional(RegistryValue::ofString(QString(), withoutTerminators(*text)))
                   : std::nullopt;
    }
    if (data.startsWith(QLatin1String("dword:"))) {
        bool ok = false;
        const QString digits = data.mid(6).trimmed();
        const quint32 number = digits.toUInt(&ok, 16);
        return ok && digits.size() <= 8
                   ? std::optional(RegistryValue::ofInteger(QString(), qint32(number)))
                   : std::nullopt;
    }
    if (data.startsWith(QLatin1String("hex"))) {
        const qsizetype colon = data.indexOf(QLatin1Char(':'));
        const std::optional<QByteArray> bytes = readHexBytes(data.mid(colon + 1));
        if (colon < 0 || !bytes) {
            return std::nullopt;
        }
        const QString kindText = data.mid(3, colon - 3);
        if (kindText.isEmpty()) {
            return RegistryValue::ofBinary(QString(), *bytes);
        }
        bool ok = false;
        const uint kind = kindText.mid(1, kindText.size() - 2).toUInt(&ok, 16);
        return ok ? typedHexValue(kind, *bytes, data) : std::nullopt;
    }
    return std::nullopt;
}

// The key path of a "[...]" line relative to the hive, or nullopt when the
// line names another hive or deletes a key.
std::optional<QString> readKeyLine(const QString& line, const QString& rootName, Dialect dialect)
{
    if (dialect == Dialect::Wine) {
        QString path;
        for (qsizetype i = 1; i < line.size(); ++i) {
            if (line.at(i) == QLatin1Char(']')) {
                return RegistryDocument::cleanKeyPath(withoutLoneSurrogates(path));
            }
            if (line.at(i) == QLatin1Char('\\') && i + 1 < line.size()) {
                ++i;
                qsizetype position = i;
                const std::optional<QChar> escaped = wineEscape(line, position);
                path += escaped ? *escaped : line.at(i);
                i = escaped ? position - 1 : i;
            } else {
                path += line.at(i);
            }
        }
        return std::nullopt;
    }
    const qsizetype end = line.lastIndexOf(QLatin1Char(']'));
    const QString inner = line.mid(1, end - 1);
    if (end < 0 || !inner.startsWith(rootName, Qt::CaseInsensitive)) {
        return std::nullopt;
    }
    const QString rest = inner.mid(rootName.size());
    if (!rest.isEmpty() && !rest.startsWith(QLatin1Char('\\'))) {
        return std::nullopt;
    }
    return RegistryDocument::cleanKeyPath(rest);
}

} // namespace

// Old editor exports are in the Windows code page. Such text hardly ever
// holds a valid multi-byte UTF-8 sequence, while a damaged UTF-8 file still
// holds mostly valid ones: the majority decides.
bool RegistryDocument::looksLikeUtf8(const QByteArray& bytes)
{
    qsizetype valid = 0;
    qsizetype invalid = 0;
    for (qsizetype i = 0; i < bytes.size();) {
        const uchar lead = uchar(bytes.at(i));
        const int length = lead < 0x80                   ? 1
                           : lead >= 0xC2 && lead < 0xE0 ? 2
                           : lead >= 0xE0 && lead < 0xF0 ? 3
                           : lead >= 0xF0 && lead < 0xF5 ? 4
                                                         : 0;
        bool complete = length > 0 && i + length <= bytes.size();
        for (int k = 1; complete && k < length; ++k) {
            complete = (uchar(bytes.at(i + k)) & 0xC0) == 0x80;
        }
        if (length == 1) {
            ++i;
        } else if (complete) {
            ++valid;
            i += length;
        } else {
            ++invalid;
            ++i;
        }
    }
    return valid >= invalid;
}

RegistryDocument RegistryDocument::parse(const QByteArray& bytes, const QString& rootName,
                                         Dialect dialect)
{
    RegistryDocument document;
    const DecodedText decoded = decodeText(bytes);
    document.encoding_ = decoded.encoding;
    qsizetype section = -1;
    qsizetype budget = MaxKeyPathCharacters;
    bool first = true;
    for (const QString& line : logicalLines(decoded.text)) {
        if (std::exchange(first, false) && isFormatHeader(line)) {
            document.header_ = line;
            continue;
        }
        if (line.startsWith(QLatin1Char('['))) {
            const std::optional<QString> keyPath = readKeyLine(line, rootName, dialect);
            const std::optional<qsizetype> key =
                keyPath ? document.readKeySection(*keyPath, budget) : std::nullopt;
            section = key ? *key : document.keys_.size();
            if (!key) {
                Key foreign;
                foreign.foreignHeader = line;
                document.keys_.append(foreign);
            }
            continue;
        }
        if (line.isEmpty()) {
            continue;
        }
        if (section < 0) {
            document.preamble_.append(line);
            continue;
        }
        document.readValueLine(section, line, dialect);
    }
    return document;
}

void RegistryDocument::readValueLine(qsizetype section, const QString& line, Dialect dialect)
{
    qsizetype i = 0;
    std::optional<QString> name;
    if (line.startsWith(QLatin1Char('@'))) {
        name = QString();
        i = 1;
    } else if (line.startsWith(QLatin1Char('"'))) {
        name = readQuoted(line, i, dialect);
    }
    const bool assigns = name && i < line.size() && line.at(i) == QLatin1Char('=');
    if (!assigns) {
        keepLine(section, line, std::nullopt);
        return;
    }
    std::optional<RegistryValue> value = readData(line.mid(i + 1).trimmed(), dialect);
    if (!value || !keys_.at(section).foreignHeader.isEmpty()) {
        keepLine(section, line, name);
        return;
    }
    value->name = *name;
    setValueAt(section, *value);
}
