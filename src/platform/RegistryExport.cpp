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

} // namespace

QByteArray RegistryDocument::serialize(const QString& rootName) const
{
    QString text = kHeader + QLatin1String("\n\n");
    for (const Key& key : keys_) {
        if (key.path.isEmpty() && key.values.isEmpty()) {
            continue;
        }
        text += QLatin1Char('[') + rootName;
        text += key.path.isEmpty() ? QString() : QLatin1Char('\\') + key.path;
        text += QLatin1String("]\n");
        for (const RegistryValue& value : key.values) {
            text += value.name.isEmpty() ? QStringLiteral("@") : quoted(value.name);
            text += QLatin1Char('=') + dataText(value) + QLatin1Char('\n');
        }
        text += QLatin1Char('\n');
    }
    return text.toUtf8();
}
