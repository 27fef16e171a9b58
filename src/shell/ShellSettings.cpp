#include "ShellSettings.h"

#include "Registry.h"

#include <QList>

void TShellSettings::Load(Registry& registry, const QString& key)
{
    const std::pair<const char*, bool*> settings[] = {
        {"Clip", &Clip},           {"Wav", &Wav},   {"BGSound", &BGSound},
        {"Animation", &Animation}, {"Hint", &Hint},
    };
    QList<RegistryValue> defaults;
    for (const auto& [name, value] : settings) {
        const QString valueName = QString::fromLatin1(name);
        if (const auto stored = registry.readBool(RegistryHive::CurrentUser, key, valueName)) {
            *value = *stored;
        } else {
            defaults.append(RegistryValue::ofBool(valueName, *value));
        }
    }
    if (!defaults.isEmpty()) {
        registry.writeValues(RegistryHive::CurrentUser, key, defaults);
    }
}
