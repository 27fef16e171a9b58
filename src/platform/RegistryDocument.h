#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>
#include <utility>

// One value of a registry key, typed as on Windows.
struct RegistryValue {
    enum class Type { String, Integer, Binary };

    QString name; // "" is the key's default value
    Type type = Type::String;
    QString text;
    qint32 integer = 0;
    QByteArray binary;
    // The data as the file wrote it, for types written back as read (hex(N)
    // forms such as expandable and multi-line strings); empty for values set
    // by the program.
    QString written;

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

    // How the file's text was stored; a file is written back the same way.
    enum class Encoding { Utf8, Utf8Bom, Utf16, Windows1251 };

    static RegistryDocument parse(const QByteArray& bytes, const QString& rootName,
                                  Dialect dialect = Dialect::Export);
    // Lines the document does not understand (comments, values of unknown
    // types or damaged, sections of other hives) come back verbatim, in place.
    QByteArray serialize(const QString& rootName) const;
    Encoding encoding() const { return encoding_; }
    // Whether a file without a byte order mark is read as UTF-8 (else as
    // Windows-1251): most of its multi-byte sequences are valid UTF-8.
    static bool looksLikeUtf8(const QByteArray& bytes);

    // Joins the non-empty components with single backslashes.
    static QString cleanKeyPath(const QString& keyPath);

    // Windows keeps keys at most this many levels deep; a deeper "[...]" line
    // of a file is not understood (kept as read, its values too).
    static constexpr qsizetype MaxKeyDepth = 512;
    // The keys a file makes store at most this many characters of paths
    // together (a Wine prefix's largest hive takes a few million): each key
    // stores its whole path, so deep keys under many parents would otherwise
    // take the square of the file's size. From the first key line that does not
    // fit on, lines of new keys are kept as read.
    static constexpr qsizetype MaxKeyPathCharacters = 8 << 20;

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
    // A line kept as read, after the first `valuesBefore` values of its key.
    // `valueName` is the case-folded name when the line assigns a value.
    struct VerbatimLine {
        qsizetype valuesBefore = 0;
        QString text;
        std::optional<QString> valueName;
    };
    struct Key {
        QString path; // spelling of the first creation
        QList<RegistryValue> values;
        QHash<QString, qsizetype> valueIndex; // case-folded name -> position in values
        QList<VerbatimLine> verbatim;
        QString foreignHeader; // set for a section of another hive, kept as read
    };

    const Key* findKey(const QString& keyPath) const;
    std::pair<qsizetype, qsizetype> deepestKnown(const QString& clean, qsizetype most) const;
    qsizetype ensureKey(const QString& keyPath);
    // The section of a key line being read: its key, or nullopt when the key
    // is too deep or would exceed the budget of path characters.
    std::optional<qsizetype> readKeySection(const QString& keyPath, qsizetype& budget);
    void setValueAt(qsizetype key, const RegistryValue& value);
    void rebuildIndex();
    void readValueLine(qsizetype section, const QString& line, Dialect dialect);
    void keepLine(qsizetype key, const QString& line, std::optional<QString> valueName);
    static void dropVerbatimValue(Key& key, const QString& name);
    static void rebuildValueIndex(Key& key);

    QList<Key> keys_;
    QHash<QString, qsizetype> index_; // case-folded path -> position in keys_
    QStringList preamble_;            // lines before the first section
    QString header_;                  // the file's first line when it names the format
    Encoding encoding_ = Encoding::Utf8;
};
