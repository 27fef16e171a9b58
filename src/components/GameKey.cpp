#include "components/GameKey.h"

#include "platform/Refusal.h"

#include <QStringList>

namespace {

bool IsPlainStep(const QString& step)
{
    if (step.isEmpty() || step == QLatin1String(".") || step == QLatin1String("..")) {
        return false;
    }
    for (const QChar c : step) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F) {
            return false;
        }
    }
    return true;
}

} // namespace

std::optional<QString> GameRegistryKey(const QString& key)
{
    const QStringList steps = key.split(QLatin1Char('\\'));
    for (const QString& step : steps) {
        if (!IsPlainStep(step)) {
            Refusal::log(QStringLiteral("a game key outside the games' registry key"), key);
            return std::nullopt;
        }
    }
    return QStringLiteral("SOFTWARE\\Venkarro\\") + key;
}
