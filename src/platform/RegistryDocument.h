#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// One value of a registry key, typed as on Windows.
struct RegistryValue {
    enum class Type { String, Integer, Binary };

    QString name; // "" is the key's default value
    Type type = Type::String;
    QString text;
    qint32 integer = 0;
    QByteArray binary;

    static RegistryValue ofString(const QString& name, const QString& text);
    static RegistryValue ofInteger(const QString& name, qint32 value);
    static RegistryValue ofBool(const QString& name, bool value);
    static RegistryValue ofBinary(const QString& name, const QByteArray& bytes);
};

// The keys and values of one hive file in memory, with the text export format
// of the registry editor. Key and value names are matched without regard to
// case; the first spelling is kept.
class RegistryDocument {
public:
    // The file's dialect: ours (root "[HKEY_...\key]" lines, UTF-8) or Wine's
    // (relative "[key\\\\sub] stamp" lines, "\x" escapes).
    enum class Dialect { Export, Wine };

    static RegistryDocument parse(const QByteArray& bytes, const QString& rootName,
                                  Dialect dialect = Dialect::Export);
    QByteArray serialize(const QString& rootName) const;

    // Joins the non-empty components with single backslashes.
    static QString cleanKeyPath(const QString& keyPath);

    bool keyExists(const QString& keyPath) const;
    // Creates the key and its missing ancestors.
    void createKey(const QString& keyPath);
    // Removes the key with everything below it; false when it was not there.
    bool deleteKey(const QString& keyPath);
    QStringList subKeyNames(const QString& keyPath) const;

    const RegistryValue* value(const QString& keyPath, const QString& name) const;
    QStringList valueNames(const QString& keyPath) const;
    // Creates the key when missing; an existing value keeps its name's spelling.
    void setValue(const QString& keyPath, const RegistryValue& value);
    bool deleteValue(const QString& keyPath, const QString& name);

private:
    struct Key {
        QString path; // spelling of the first creation
        QList<RegistryValue> values;
    };

    const Key* findKey(const QString& keyPath) const;
    Key& ensureKey(const QString& keyPath);
    void rebuildIndex();

    QList<Key> keys_;
    QHash<QString, qsizetype> index_; // case-folded path -> position in keys_
};
