#include "platform/RegistryDocument.h"

#include <algorithm>

namespace {

constexpr QChar kSeparator = QLatin1Char('\\');

QString fold(const QString& text)
{
    return text.toCaseFolded();
}

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

RegistryValue RegistryValue::ofString(const QString& name, const QString& text)
{
    RegistryValue value;
    value.name = name;
    value.type = Type::String;
    value.text = text;
    return value;
}

RegistryValue RegistryValue::ofInteger(const QString& name, qint32 number)
{
    RegistryValue value;
    value.name = name;
    value.type = Type::Integer;
    value.integer = number;
    return value;
}

RegistryValue RegistryValue::ofBool(const QString& name, bool flag)
{
    return ofInteger(name, flag ? 1 : 0);
}

RegistryValue RegistryValue::ofBinary(const QString& name, const QByteArray& bytes)
{
    RegistryValue value;
    value.name = name;
    value.type = Type::Binary;
    value.binary = bytes;
    return value;
}

QString RegistryDocument::cleanKeyPath(const QString& keyPath)
{
    return keyPath.split(kSeparator, Qt::SkipEmptyParts).join(kSeparator);
}

const RegistryDocument::Key* RegistryDocument::findKey(const QString& keyPath) const
{
    const auto found = index_.constFind(fold(cleanKeyPath(keyPath)));
    return found == index_.constEnd() ? nullptr : &keys_.at(*found);
}

RegistryDocument::Key& RegistryDocument::ensureKey(const QString& keyPath)
{
    const QStringList parts = cleanKeyPath(keyPath).split(kSeparator, Qt::SkipEmptyParts);
    QString spelled;
    qsizetype position = index_.value(QString(), -1);
    if (position < 0) {
        position = keys_.size();
        keys_.append(Key{});
        index_.insert(QString(), position);
    }
    for (const QString& part : parts) {
        spelled = spelled.isEmpty() ? part : spelled + kSeparator + part;
        const QString folded = fold(spelled);
        position = index_.value(folded, -1);
        if (position < 0) {
            position = keys_.size();
            keys_.append(Key{spelled, {}});
            index_.insert(folded, position);
        }
        spelled = keys_.at(position).path;
    }
    return keys_[position];
}

void RegistryDocument::rebuildIndex()
{
    index_.clear();
    for (qsizetype i = 0; i < keys_.size(); ++i) {
        index_.insert(fold(keys_.at(i).path), i);
    }
}

bool RegistryDocument::keyExists(const QString& keyPath) const
{
    return cleanKeyPath(keyPath).isEmpty() || findKey(keyPath) != nullptr;
}

void RegistryDocument::createKey(const QString& keyPath)
{
    ensureKey(keyPath);
}

bool RegistryDocument::deleteKey(const QString& keyPath)
{
    const QString folded = fold(cleanKeyPath(keyPath));
    if (folded.isEmpty() || !index_.contains(folded)) {
        return false;
    }
    const QString below = folded + kSeparator;
    keys_.removeIf([&](const Key& key) {
        const QString path = fold(key.path);
        return path == folded || path.startsWith(below);
    });
    rebuildIndex();
    return true;
}

QStringList RegistryDocument::subKeyNames(const QString& keyPath) const
{
    const QString folded = fold(cleanKeyPath(keyPath));
    const QString prefix = folded.isEmpty() ? folded : folded + kSeparator;
    QStringList names;
    for (const Key& key : keys_) {
        const QString path = fold(key.path);
        if (!path.isEmpty() && path.startsWith(prefix) &&
            !path.mid(prefix.size()).contains(kSeparator)) {
            names.append(key.path.section(kSeparator, -1));
        }
    }
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    return names;
}

const RegistryValue* RegistryDocument::value(const QString& keyPath, const QString& name) const
{
    const Key* key = findKey(keyPath);
    if (key == nullptr) {
        return nullptr;
    }
    const auto found = std::find_if(key->values.cbegin(), key->values.cend(),
                                    [&](const RegistryValue& v) { return sameName(v.name, name); });
    return found == key->values.cend() ? nullptr : &*found;
}

QStringList RegistryDocument::valueNames(const QString& keyPath) const
{
    QStringList names;
    if (const Key* key = findKey(keyPath)) {
        for (const RegistryValue& v : key->values) {
            names.append(v.name);
        }
    }
    return names;
}

void RegistryDocument::setValue(const QString& keyPath, const RegistryValue& value)
{
    Key& key = ensureKey(keyPath);
    for (RegistryValue& existing : key.values) {
        if (sameName(existing.name, value.name)) {
            const QString spelling = existing.name;
            existing = value;
            existing.name = spelling;
            return;
        }
    }
    key.values.append(value);
}

bool RegistryDocument::deleteValue(const QString& keyPath, const QString& name)
{
    const auto found = index_.constFind(fold(cleanKeyPath(keyPath)));
    if (found == index_.constEnd()) {
        return false;
    }
    return keys_[*found].values.removeIf(
               [&](const RegistryValue& v) { return sameName(v.name, name); }) > 0;
}
