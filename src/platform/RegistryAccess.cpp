#include "platform/Registry.h"

#include <algorithm>

// The typed read and write operations of Registry.

namespace {

bool validName(const QString& text)
{
    return std::none_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 0x20; });
}

void appendMissing(QStringList& names, const QStringList& more)
{
    for (const QString& name : more) {
        if (!names.contains(name, Qt::CaseInsensitive)) {
            names.append(name);
        }
    }
}

} // namespace

bool Registry::keyExists(RegistryHive hive, const QString& key) const
{
    QMutexLocker guard(&mutex_);
    const auto candidates = views(hive, key);
    return std::any_of(candidates.cbegin(), candidates.cend(),
                       [](const auto& view) { return view.first->keyExists(view.second); });
}

bool Registry::createKey(RegistryHive hive, const QString& key)
{
    return validName(key) && modify(hive, [&](RegistryDocument& document) {
               document.createKey(key);
               return true;
           });
}

bool Registry::deleteKey(RegistryHive hive, const QString& key)
{
    return modify(hive, [&](RegistryDocument& document) { return document.deleteKey(key); });
}

QStringList Registry::subKeyNames(RegistryHive hive, const QString& key) const
{
    QMutexLocker guard(&mutex_);
    QStringList names;
    for (const auto& [document, path] : views(hive, key)) {
        appendMissing(names, document->subKeyNames(path));
    }
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    return names;
}

QStringList Registry::valueNames(RegistryHive hive, const QString& key) const
{
    QMutexLocker guard(&mutex_);
    QStringList names;
    for (const auto& [document, path] : views(hive, key)) {
        appendMissing(names, document->valueNames(path));
    }
    return names;
}

std::optional<RegistryValue> Registry::lookup(RegistryHive hive, const QString& key,
                                              const QString& name) const
{
    QMutexLocker guard(&mutex_);
    for (const auto& [document, path] : views(hive, key)) {
        if (const RegistryValue* value = document->value(path, name)) {
            return *value;
        }
    }
    return std::nullopt;
}

bool Registry::valueExists(RegistryHive hive, const QString& key, const QString& name) const
{
    return lookup(hive, key, name).has_value();
}

std::optional<RegistryValue> Registry::readValue(RegistryHive hive, const QString& key,
                                                 const QString& name) const
{
    return lookup(hive, key, name);
}

std::optional<QString> Registry::readString(RegistryHive hive, const QString& key,
                                            const QString& name) const
{
    const std::optional<RegistryValue> value = lookup(hive, key, name);
    if (!value || value->type != RegistryValue::Type::String) {
        return std::nullopt;
    }
    return value->text;
}

std::optional<qint32> Registry::readInteger(RegistryHive hive, const QString& key,
                                            const QString& name) const
{
    const std::optional<RegistryValue> value = lookup(hive, key, name);
    if (!value || value->type != RegistryValue::Type::Integer) {
        return std::nullopt;
    }
    return value->integer;
}

std::optional<bool> Registry::readBool(RegistryHive hive, const QString& key,
                                       const QString& name) const
{
    const std::optional<qint32> number = readInteger(hive, key, name);
    return number ? std::optional<bool>(*number != 0) : std::nullopt;
}

std::optional<QByteArray> Registry::readBinary(RegistryHive hive, const QString& key,
                                               const QString& name) const
{
    const std::optional<RegistryValue> value = lookup(hive, key, name);
    if (!value || value->type != RegistryValue::Type::Binary) {
        return std::nullopt;
    }
    return value->binary;
}

bool Registry::writeString(RegistryHive hive, const QString& key, const QString& name,
                           const QString& text)
{
    return writeValues(hive, key, {RegistryValue::ofString(name, text)});
}

bool Registry::writeInteger(RegistryHive hive, const QString& key, const QString& name,
                            qint32 value)
{
    return writeValues(hive, key, {RegistryValue::ofInteger(name, value)});
}

bool Registry::writeBool(RegistryHive hive, const QString& key, const QString& name, bool value)
{
    return writeValues(hive, key, {RegistryValue::ofBool(name, value)});
}

bool Registry::writeBinary(RegistryHive hive, const QString& key, const QString& name,
                           const QByteArray& bytes)
{
    return writeValues(hive, key, {RegistryValue::ofBinary(name, bytes)});
}

bool Registry::writeValues(RegistryHive hive, const QString& key,
                           const QList<RegistryValue>& values)
{
    const bool valid = validName(key) &&
                       std::all_of(values.cbegin(), values.cend(), [](const RegistryValue& value) {
                           return validName(value.name);
                       });
    return valid && modify(hive, [&](RegistryDocument& document) {
               for (const RegistryValue& value : values) {
                   document.setValue(key, value);
               }
               return true;
           });
}

bool Registry::deleteValue(RegistryHive hive, const QString& key, const QString& name)
{
    return modify(hive,
                  [&](RegistryDocument& document) { return document.deleteValue(key, name); });
}
