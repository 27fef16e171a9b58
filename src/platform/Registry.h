#pragma once

#include "platform/RegistryDocument.h"

#include <QMutex>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

enum class RegistryHive { CurrentUser, LocalMachine, ClassesRoot };

// The registry hives the program uses, kept as text files in the registry
// editor's export format:
//   HKEY_CURRENT_USER  -> <config folder>/user.reg
//   HKEY_LOCAL_MACHINE -> <config folder>/machine.reg, falling back on reads to
//                         Wine's system.reg (and its 32-bit view) when given
//   HKEY_CLASSES_ROOT  -> nowhere: writes succeed and change nothing, reads fail
// Values are typed as on Windows: reading a value as another type fails, a
// boolean is an integer 0 or 1. Key and value names ignore letter case.
// Every change is a read-modify-write of the whole file under a lock file,
// saved atomically, so concurrent instances never lose each other's values.
// Key and value names holding control characters are refused.
class Registry {
public:
    // $XDG_CONFIG_HOME/discshell, with Wine's system.reg of $WINEPREFIX or ~/.wine.
    static Registry& instance();

    explicit Registry(const QString& configFolder, const QString& wineSystemReg = QString());
    ~Registry();
    Registry(const Registry&) = delete;
    Registry& operator=(const Registry&) = delete;

    bool keyExists(RegistryHive hive, const QString& key) const;
    bool createKey(RegistryHive hive, const QString& key);
    // Deletes the key with all its sub-keys.
    bool deleteKey(RegistryHive hive, const QString& key);
    QStringList subKeyNames(RegistryHive hive, const QString& key) const;
    QStringList valueNames(RegistryHive hive, const QString& key) const;

    bool valueExists(RegistryHive hive, const QString& key, const QString& name) const;
    std::optional<RegistryValue> readValue(RegistryHive hive, const QString& key,
                                           const QString& name) const;
    std::optional<QString> readString(RegistryHive hive, const QString& key,
                                      const QString& name) const;
    std::optional<qint32> readInteger(RegistryHive hive, const QString& key,
                                      const QString& name) const;
    std::optional<bool> readBool(RegistryHive hive, const QString& key, const QString& name) const;
    std::optional<QByteArray> readBinary(RegistryHive hive, const QString& key,
                                         const QString& name) const;

    // Each creates the key when missing.
    bool writeString(RegistryHive hive, const QString& key, const QString& name,
                     const QString& text);
    bool writeInteger(RegistryHive hive, const QString& key, const QString& name, qint32 value);
    bool writeBool(RegistryHive hive, const QString& key, const QString& name, bool value);
    bool writeBinary(RegistryHive hive, const QString& key, const QString& name,
                     const QByteArray& bytes);
    // Several values under one key in one locked read-modify-write.
    bool writeValues(RegistryHive hive, const QString& key, const QList<RegistryValue>& values);
    bool deleteValue(RegistryHive hive, const QString& key, const QString& name);

    // Host path of a hive's file (empty for HKEY_CLASSES_ROOT).
    QString hiveFile(RegistryHive hive) const;

private:
    struct HiveFile;

    std::optional<RegistryValue> lookup(RegistryHive hive, const QString& key,
                                        const QString& name) const;
    QList<std::pair<const RegistryDocument*, QString>> views(RegistryHive hive,
                                                             const QString& key) const;
    const RegistryDocument* current(HiveFile& file) const;
    bool modify(RegistryHive hive, const std::function<bool(RegistryDocument&)>& change);

    mutable QMutex mutex_;
    std::unique_ptr<HiveFile> user_;
    std::unique_ptr<HiveFile> machine_;
    std::unique_ptr<HiveFile> wine_;
};
