#include "shell/SwitchStore.h"

#include "TempDir.h"
#include "platform/Registry.h"

#include <gtest/gtest.h>

namespace {

const QString key = QStringLiteral("SOFTWARE\\Pallidrome\\Тест");

RSwthOne storing(bool state, bool store)
{
    RSwthOne record;
    record.State = state;
    record.Store = store;
    record.Hover = true;
    return record;
}

RSwthGrp storingMember(bool state, bool store)
{
    RSwthGrp record;
    record.State = state;
    record.Store = store;
    return record;
}

TEST(SwitchStoreTest, NamesArePlainConcatenations)
{
    EXPECT_EQ(SwitchValueName(QStringLiteral("SwOne"), 1, 12), QStringLiteral("SwOne112"));
    EXPECT_EQ(SwitchValueName(QStringLiteral("SwOne"), 11, 2), QStringLiteral("SwOne112"));
    EXPECT_EQ(SwitchValueName(QStringLiteral("SwGrp"), 0, 0), QStringLiteral("SwGrp00"));
}

TEST(SwitchStoreTest, StoredValuesOverrideTheDescriptionOnlyForStoringSwitches)
{
    TempDir config;
    Registry registry(config.path());
    registry.writeBool(RegistryHive::CurrentUser, key, QStringLiteral("SwOne00"), false);
    registry.writeBool(RegistryHive::CurrentUser, key, QStringLiteral("SwOne01"), true);
    registry.writeString(RegistryHive::CurrentUser, key, QStringLiteral("SwOne02"),
                         QStringLiteral("x"));
    registry.writeBool(RegistryHive::CurrentUser, key, QStringLiteral("SwGrp10"), true);

    TInterfaceDescription description;
    description.Switches = {
        {storing(true, true), storing(false, false), storing(true, true), storing(false, true)}};
    description.SwitchGroups = {{}, {storingMember(false, true)}};
    RestoreSwitchStates(description, registry, key);

    const auto& switches = description.Switches[0];
    EXPECT_FALSE(switches[0].State) << "the stored value wins";
    EXPECT_FALSE(switches[1].State) << "a switch that does not store ignores its value";
    EXPECT_TRUE(switches[2].State) << "an unreadable value keeps the description's state";
    EXPECT_FALSE(switches[3].State) << "a missing value keeps the description's state";
    for (const RSwthOne& element : switches) {
        EXPECT_FALSE(element.Hover);
    }
    EXPECT_TRUE(description.SwitchGroups[1][0].State);
}

TEST(SwitchStoreTest, OnlyStoringSwitchesAreWritten)
{
    TempDir config;
    Registry registry(config.path());
    TInterfaceDescription description;
    description.Switches = {{storing(true, true), storing(true, false)}, {}};
    description.SwitchGroups = {{}, {storingMember(false, false), storingMember(true, true)}};
    StoreSwitchStates(description, registry, key);

    EXPECT_EQ(registry.readBool(RegistryHive::CurrentUser, key, QStringLiteral("SwOne00")), true);
    EXPECT_FALSE(registry.valueExists(RegistryHive::CurrentUser, key, QStringLiteral("SwOne01")));
    EXPECT_FALSE(registry.valueExists(RegistryHive::CurrentUser, key, QStringLiteral("SwGrp10")));
    EXPECT_EQ(registry.readBool(RegistryHive::CurrentUser, key, QStringLiteral("SwGrp11")), true);

    TInterfaceDescription none;
    StoreSwitchStates(none, registry, QStringLiteral("SOFTWARE\\Pallidrome\\Пусто"));
    EXPECT_FALSE(registry.keyExists(RegistryHive::CurrentUser,
                                    QStringLiteral("SOFTWARE\\Pallidrome\\Пусто")));
}

TEST(SwitchStoreTest, ALaterSwitchOfTheSameNameWins)
{
    TempDir config;
    Registry registry(config.path());
    TInterfaceDescription description;
    description.Switches.resize(12);
    description.Switches[1] = TDynamicSwthOneArray(13, storing(false, false));
    description.Switches[1][12] = storing(false, true);
    description.Switches[11] = {storing(false, false), storing(false, false), storing(true, true)};
    StoreSwitchStates(description, registry, key);
    EXPECT_EQ(registry.readBool(RegistryHive::CurrentUser, key, QStringLiteral("SwOne112")), true);
}

} // namespace
