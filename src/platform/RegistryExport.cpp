#include "platform/CodePage.h"
#include "platform/RegistryDocument.h"

#include <algorithm>

// Writing the registry editor's text export format.

namespace {

constexpr QLatin1StringView kHeader("Windows Registry Editor Version 5.00");

QString quoted(const QString& text)
{
    QString escaped = text;
    escaped.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    escaped.replace(QLatin1Char('"'), QLatin1String("\\\""));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

QString hexList(const QByteArray& bytes)
{
    return QString::fromLatin1(bytes.toHex(','));
}

bool hasControlCharacters(const QString& text)
{
    return std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 0x20; });
}

// Strings with line breaks or other control characters are written in the
// editor's hex form of a string value, so that every value stays on one line.
QString dataText(const RegistryValue& value)
{
    if (!value.written.isEmpty()) {
        return value.written;
    }
    switch (value.type) {
    case RegistryValue::Type::Integer:
        return QStringLiteral("dword:%1").arg(quint32(value.integer), 8, 16, QLatin1Char('0'));
    case RegistryValue::Type::Binary:
        return QStringLiteral("hex:") + hexList(value.binary);
    case RegistryValue::Type::String:
        break;
    }
    if (!hasControlCharacters(value.text)) {
        return quoted(value.text);
    }
    QByteArray utf16;
    for (const QChar c : value.text + QChar(0)) {
        utf16.append(char(c.unicode() & 0xFF));
        utf16.append(char(c.unicode() >> 8));
    }
    return QStringLiteral("hex(1):") + hexList(utf16);
}

// Text in the file's own encoding; a Windows-1251 file that gained text the
// code page cannot hold, or whose bytes would be read back as UTF-8 (once a
// rewrite has dropped what told them apart), becomes UTF-8 rather than lose
// it.
QByteArray encoded(const QString& text, RegistryDocument::Encoding encoding)
{
    switch (encoding) {
    case RegistryDocument::Encoding::Utf16: {
        QByteArray bytes("\xFF\xFE");
        bytes.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
        return bytes;
    }
    case RegistryDocument::Encoding::Utf8Bom:
        return "\xEF\xBB\xBF" + text.toUtf8();
    case RegistryDocument::Encoding::Windows1251:
        if (CodePage::canEncodeCp1251(text)) {
            QByteArray bytes = CodePage::toCp1251(text);
            if (!RegistryDocument::looksLikeUtf8(bytes)) {
                return bytes;
            }
        }
        break;
    case RegistryDocument::Encoding::Utf8:
        break;
    }
    return text.toUtf8();
}

} // namespace

QByteArray RegistryDocument::serialize(const QString& rootName) const
{
    QString text = (header_.isEmpty() ? QString(kHeader) : header_) + QLatin1String("\n\n");
    for (const QString& line : preamble_) {
        text += line + QLatin1Char('\n');
    }
    if (!preamble_.isEmpty()) {
        text += QLatin1Char('\n');
    }
    for (const Key& key : keys_) {
        if (key.path.isEmpty() && key.values.isEmpty() && key.verbatim.isEmpty() &&
            key.foreignHeader.isEmpty()) {
            continue;
        }
        if (!key.foreignHeader.isEmpty()) {
            text += key.foreignHeader + QLatin1Char('\n');
        } else {
            text += QLatin1Char('[') + rootName;
            text += key.path.isEmpty() ? QString() : QLatin1Char('\\') + key.path;
            text += QLatin1String("]\n");
        }
        qsizetype kept = 0;
        auto keepLinesUpTo = [&](qsizetype values) {
            for (; kept < key.verbatim.size() && key.verbatim.at(kept).valuesBefore <= values;
                 ++kept) {
                text += key.verbatim.at(kept).text + QLatin1Char('\n');
            }
        };
        for (qsizetype i = 0; i < key.values.size(); ++i) {
            keepLinesUpTo(i);
            const RegistryValue& value = key.values.at(i);
            text += value.name.isEmpty() ? QStringLiteral("@") : quoted(value.name);
            text += QLatin1Char('=') + dataText(value) + QLatin1Char('\n');
        }
        keepLinesUpTo(key.values.size() + key.verbatim.size());
        text += QLatin1Char('\n');
    }
    return encoded(text, encoding_);
}
