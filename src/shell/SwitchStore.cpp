#include "shell/SwitchStore.h"

#include "platform/Registry.h"

namespace {

const QString singlePrefix = QStringLiteral("SwOne");
const QString groupPrefix = QStringLiteral("SwGrp");

template <typename Record>
void restoreList(QList<QList<Record>>& screens, const QString& prefix, const Registry& registry,
                 const QString& key)
{
    for (int screen = 0; screen < screens.size(); ++screen) {
        for (int i = 0; i < screens[screen].size(); ++i) {
            Record& element = screens[screen][i];
            element.Hover = false;
            if (!element.Store) {
                continue;
            }
            const auto stored = registry.readBool(RegistryHive::CurrentUser, key,
                                                  SwitchValueName(prefix, screen, i));
            if (stored) {
                element.State = *stored;
            }
        }
    }
}

template <typename Record>
void collectList(const QList<QList<Record>>& screens, const QString& prefix,
                 QList<RegistryValue>& values)
{
    for (int screen = 0; screen < screens.size(); ++screen) {
        for (int i = 0; i < screens[screen].size(); ++i) {
            const Record& element = screens[screen][i];
            if (element.Store) {
                values.append(
                    RegistryValue::ofBool(SwitchValueName(prefix, screen, i), element.State));
            }
        }
    }
}

} // namespace

QString SwitchValueName(const QString& prefix, int screen, int index)
{
    return prefix + QString::number(screen) + QString::number(index);
}

void RestoreSwitchStates(TInterfaceDescription& description, Registry& registry, const QString& key)
{
    registry.createKey(RegistryHive::CurrentUser, key);
    restoreList(description.Switches, singlePrefix, registry, key);
    restoreList(description.SwitchGroups, groupPrefix, registry, key);
}

// One locked write for all values; a later value of the same name wins, as
// writing them one after the other would.
void StoreSwitchStates(const TInterfaceDescription& description, Registry& registry,
                       const QString& key)
{
    QList<RegistryValue> values;
    collectList(description.Switches, singlePrefix, values);
    collectList(description.SwitchGroups, groupPrefix, values);
    if (!values.isEmpty()) {
        registry.writeValues(RegistryHive::CurrentUser, key, values);
    }
}
