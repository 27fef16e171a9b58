#include "components/OptionsSettings.h"

#include "platform/Registry.h"
#include "platform/RegistryDocument.h"

#include <QList>

void TOptionsSettings::Load(Registry& registry, const QString& key)
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

// A stored time outside 1 to 10 seconds is taken as unreadable: the timer
// could not run with it.
void TOptionsSettings::LoadPictureSettings(Registry& registry, const QString& key)
{
    QList<RegistryValue> defaults;
    const QString run = QStringLiteral("RunSlideShow");
    if (const auto stored = registry.readBool(RegistryHive::CurrentUser, key, run)) {
        RunSlideShow = *stored;
    } else {
        defaults.append(RegistryValue::ofBool(run, RunSlideShow));
    }
    const QString time = QStringLiteral("SlideShowTime");
    const auto seconds = registry.readInteger(RegistryHive::CurrentUser, key, time);
    if (seconds && *seconds >= 1 && *seconds <= 10) {
        SlideShowTime = *seconds;
    } else {
        SlideShowTime = 5;
        defaults.append(RegistryValue::ofInteger(time, SlideShowTime));
    }
    const QString sequence = QStringLiteral("ImageSequence");
    if (const auto stored = registry.readInteger(RegistryHive::CurrentUser, key, sequence)) {
        ImageSequence = *stored;
    } else {
        defaults.append(RegistryValue::ofInteger(sequence, ImageSequence));
    }
    if (!defaults.isEmpty()) {
        registry.writeValues(RegistryHive::CurrentUser, key, defaults);
    }
}
