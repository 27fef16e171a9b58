#include "ShellSettings.h"

#include "GlobalExHandler.h"
#include "Registry.h"
#include "TempDir.h"

#include <gtest/gtest.h>
#include <stdexcept>

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

TEST(GlobalExHandlerTest, WhatAStepThrowsEndsThatStepOnly)
{
    int after = 0;
    EXPECT_FALSE(TGlobalExHandler::Guarded("test", [&after] {
        throw std::runtime_error("broken");
        ++after;
    }));
    EXPECT_FALSE(TGlobalExHandler::Guarded("test", [] { throw 42; }));
    EXPECT_TRUE(TGlobalExHandler::Guarded("test", [&after] { ++after; }));
    EXPECT_EQ(after, 1);
}

} // namespace
