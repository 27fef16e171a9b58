#include "platform/RegistryDocument.h"

#include <algorithm>
#include <limits>

namespace {

constexpr QChar kSeparator = QLatin1Char('\\');

QString fold(const QString& text)
{
    return text.toCaseFolded();
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
    if (!keyPath.startsWith(kSeparator) && !keyPath.endsWith(kSeparator) &&
        !keyPath.contains(QLatin1String("\\\\"))) {
        return keyPath; // clean already
    }
    return keyPath.split(kSeparator, Qt::SkipEmptyParts).join(kSeparator);
}

const RegistryDocument::Key* RegistryDocument::findKey(const QString& keyPath) const
{
    const auto found = index_.constFind(fold(cleanKeyPath(keyPath)));
    return found == index_.constEnd() ? nullptr : &keys_.at(*found);
}

// The length of the deepest existing key's path among the key and its
// ancestors (0 for the root), with its position, or -1 when not even the
// root exists. Probes one ancestor after another from the key up, stopping
// at the first found or once more than `most` characters were probed.
std::pair<qsizetype, qsizetype> RegistryDocument::deepestKnown(const QString& clean,
                                                               qsizetype most) const
{
    qsizetype length = clean.size();
    qsizetype probed = 0;
    while (length > 0 && probed <= most) {
        const qsizetype position = index_.value(fold(clean.left(length)), -1);
        if (position >= 0) {
            return {length, position};
        }
        probed += length;
        length = qMax<qsizetype>(0, clean.lastIndexOf(kSeparator, length - 1));
    }
    return {length, length == 0 ? index_.value(QString(), -1) : -1};
}

// Creates the missing keys below the deepest existing ancestor only, so that
// a key under a deep parent costs its own path rather than every ancestor's.
qsizetype RegistryDocument::ensureKey(const QString& keyPath)
{
    const QString clean = cleanKeyPath(keyPath);
    auto [length, position] = deepestKnown(clean, std::numeric_limits<qsizetype>::max());
    if (position < 0) {
        position = keys_.size();
        keys_.append(Key{});
        index_.insert(QString(), position);
    }
    QString spelled = keys_.at(position).path;
    while (length < clean.size()) {
        const qsizetype start = length == 0 ? 0 : length + 1;
        const qsizetype next = clean.indexOf(kSeparator, start);
        length = next < 0 ? clean.size() : next;
        const QString part = clean.mid(start, length - start);
        spelled = spelled.isEmpty() ? part : spelled + kSeparator + part;
        position = keys_.size();
        Key key;
        key.path = spelled;
        keys_.append(key);
        index_.insert(fold(spelled), position);
    }
    return position;
}

std::optional<qsizetype> RegistryDocument::readKeySection(const QString& keyPath, qsizetype& budget)
{
    const QString clean = cleanKeyPath(keyPath);
    if (!clean.isEmpty() && clean.count(kSeparator) + 1 > MaxKeyDepth) {
        return std::nullopt;
    }
    // The characters of the paths the key and its missing ancestors store;
    // probing stops once past the budget, so a refused line costs no more.
    const qsizetype known = deepestKnown(clean, budget).first;
    qsizetype cost = 0;
    for (qsizetype length = clean.size(); length > known;
         length = qMax<qsizetype>(0, clean.lastIndexOf(kSeparator, length - 1))) {
        cost += length;
    }
    if (cost > budget) {
        budget = 0; // no new key after the first that does not fit
        return std::nullopt;
    }
    budget -= cost;
    return ensureKey(clean);
}

// Sections of other hives are kept but never found by path.
void RegistryDocument::rebuildIndex()
{
    index_.clear();
    for (qsizetype i = 0; i < keys_.size(); ++i) {
        if (keys_.at(i).foreignHeader.isEmpty()) {
            index_.insert(fold(keys_.at(i).path), i);
        }
    }
}

void RegistryDocument::rebuildValueIndex(Key& key)
{
    key.valueIndex.clear();
    for (qsizetype i = 0; i < key.values.size(); ++i) {
        key.valueIndex.insert(fold(key.values.at(i).name), i);
    }
}

void RegistryDocument::keepLine(qsizetype key, const QString& line,
                                std::optional<QString> valueName)
{
    Key& section = keys_[key];
    if (valueName) {
        *valueName = fold(*valueName);
    }
    section.verbatim.append(VerbatimLine{section.values.size(), line, std::move(valueName)});
}

// A value set or removed by the program replaces a line of it kept as read.
void RegistryDocument::dropVerbatimValue(Key& key, const QString& name)
{
    const QString folded = fold(name);
    key.verbatim.removeIf([&](const VerbatimLine& line) { return line.valueName == folded; });
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
        return key.foreignHeader.isEmpty() && (path == folded || path.startsWith(below));
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
        if (key.foreignHeader.isEmpty() && !path.isEmpty() && path.startsWith(prefix) &&
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
    const auto found = key->valueIndex.constFind(fold(name));
    return found == key->valueIndex.constEnd() ? nullptr : &key->values.at(*found);
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
    setValueAt(ensureKey(keyPath), value);
}

void RegistryDocument::setValueAt(qsizetype position, const RegistryValue& value)
{
    Key& key = keys_[position];
    dropVerbatimValue(key, value.name);
    const QString folded = fold(value.name);
    const auto found = key.valueIndex.constFind(folded);
    if (found != key.valueIndex.constEnd()) {
        RegistryValue& existing = key.values[*found];
        const QString spelling = existing.name;
        existing = value;
        existing.name = spelling;
        return;
    }
    key.valueIndex.insert(folded, key.values.size());
    key.values.append(value);
}

bool RegistryDocument::deleteValue(const QString& keyPath, const QString& name)
{
    const auto found = index_.constFind(fold(cleanKeyPath(keyPath)));
    if (found == index_.constEnd()) {
        return false;
    }
    Key& key = keys_[*found];
    const qsizetype verbatimBefore = key.verbatim.size();
    dropVerbatimValue(key, name);
    const auto position = key.valueIndex.constFind(fold(name));
    if (position == key.valueIndex.constEnd()) {
        return key.verbatim.size() != verbatimBefore;
    }
    const qsizetype removed = *position;
    key.values.removeAt(removed);
    for (VerbatimLine& line : key.verbatim) {
        line.valuesBefore -= line.valuesBefore > removed ? 1 : 0;
    }
    rebuildValueIndex(key);
    return true;
}
