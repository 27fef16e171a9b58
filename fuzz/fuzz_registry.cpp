// Reads arbitrary bytes as a hive file of the registry store, in our export
// dialect or Wine's (the first byte chooses), writes it back and reads the
// rewrite: every key and value must come back the same, and a second rewrite
// must be the first one byte for byte.

#include "platform/CodePage.h"
#include "platform/RegistryDocument.h"

#include <QString>
#include <QStringList>
#include <cstddef>
#include <cstdint>

namespace {

const QString Root = QStringLiteral("HKEY_LOCAL_MACHINE");

bool sameValue(const RegistryValue& a, const RegistryValue& b)
{
    return a.type == b.type && a.text == b.text && a.integer == b.integer && a.binary == b.binary &&
           a.name.compare(b.name, Qt::CaseInsensitive) == 0;
}

QString textOf(const QByteArray& rewrite, RegistryDocument::Encoding encoding)
{
    if (rewrite.startsWith("\xFF\xFE")) {
        return QString::fromUtf16(reinterpret_cast<const char16_t*>(rewrite.constData() + 2),
                                  (rewrite.size() - 2) / 2);
    }
    if (rewrite.startsWith("\xEF\xBB\xBF")) {
        return QString::fromUtf8(rewrite.mid(3));
    }
    return encoding == RegistryDocument::Encoding::Windows1251 ? CodePage::fromCp1251(rewrite)
                                                               : QString::fromUtf8(rewrite);
}

// The key paths of a rewrite, from its "[HKEY_LOCAL_MACHINE\...]" lines. A
// rewrite decoded wrongly only yields paths that neither document has.
QStringList keyPaths(const QByteArray& rewrite, RegistryDocument::Encoding encoding)
{
    QStringList paths = {QString()};
    const QString prefix = QLatin1Char('[') + Root + QLatin1Char('\\');
    for (const QString& line : textOf(rewrite, encoding).split(QLatin1Char('\n'))) {
        if (line.startsWith(prefix) && line.endsWith(QLatin1Char(']'))) {
            paths.append(line.mid(prefix.size(), line.size() - prefix.size() - 1));
        }
    }
    return paths;
}

void compareKey(const RegistryDocument& read, const RegistryDocument& reread, const QString& path)
{
    if (read.keyExists(path) != reread.keyExists(path)) {
        __builtin_trap();
    }
    const QStringList names = read.valueNames(path);
    if (names.size() != reread.valueNames(path).size()) {
        __builtin_trap();
    }
    for (const QString& name : names) {
        const RegistryValue* before = read.value(path, name);
        const RegistryValue* after = reread.value(path, name);
        if (before == nullptr || after == nullptr || !sameValue(*before, *after)) {
            __builtin_trap();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0) {
        return 0;
    }
    const auto dialect =
        (data[0] & 1) ? RegistryDocument::Dialect::Wine : RegistryDocument::Dialect::Export;
    const QByteArray bytes(reinterpret_cast<const char*>(data) + 1, qsizetype(size - 1));
    const RegistryDocument read = RegistryDocument::parse(bytes, Root, dialect);
    const QByteArray rewrite = read.serialize(Root);
    // The rewrite is in our dialect, whatever the file's was.
    const RegistryDocument reread = RegistryDocument::parse(rewrite, Root);
    if (reread.serialize(Root) != rewrite) {
        __builtin_trap();
    }
    for (const QString& path : keyPaths(rewrite, read.encoding())) {
        compareKey(read, reread, path);
    }
    return 0;
}
