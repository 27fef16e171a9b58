#include "platform/WinePrefix.h"

#include <QDir>
#include <QFileInfo>

namespace WinePrefix {

QString folder()
{
    const QString prefix = qEnvironmentVariable("WINEPREFIX");
    return prefix.isEmpty() ? QDir::homePath() + QStringLiteral("/.wine") : prefix;
}

QString driveC()
{
    const QString drive = folder() + QStringLiteral("/drive_c");
    return QFileInfo(drive + QStringLiteral("/windows")).isDir() ? drive : QString();
}

bool exists()
{
    return !driveC().isEmpty();
}

} // namespace WinePrefix
