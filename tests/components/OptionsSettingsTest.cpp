#include "TempDir.h"
#include "components/ShellSettings.h"
#include "platform/Registry.h"

#include <gtest/gtest.h>

namespace {

const QString key = QStringLiteral("SOFTWARE\\Pallidrome\\Диск");

TEST(ShellSettingsTest, MissingAndUnreadableSettingsTakeTheirDefaultsWhichAreWritten)
{
    TempDir config;
    Registry registry(config.path());
    registry.writeBool(RegistryHive::CurrentUser, key, QStringLiteral("Wav"), false);
    registry.writeString(RegistryHive::CurrentUser, key, QStringLiteral("BGSound"),
                         QStringLiteral("x"));
    TShellSettings settings;
    settings.Load(registry, key);
    EXPECT_TRUE(settings.Clip);
    EXPECT_FALSE(settings.Wav) << "a stored value is taken";
    EXPECT_TRUE(settings.BGSound);
    EXPECT_TRUE(settings.Animation);
    EXPECT_TRUE(settings.Hint);
    for (const char* name : {"Clip", "BGSound", "Animation", "Hint"}) {
        EXPECT_EQ(registry.readBool(RegistryHive::CurrentUser, key, QString::fromLatin1(name)),
                  true)
            << name;
    }
    EXPECT_EQ(registry.readBool(RegistryHive::CurrentUser, key, QStringLiteral("Wav")), false);
}

} // namespace
