#include "platform/HostFolder.h"
#include "platform/VirtualFs.h"
#include "platform/WinePrefix.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <sys/stat.h>
#include <unistd.h>

// The standard mount table of the program and the per-user folders behind it.

namespace {

// Creates a folder (and its parents) and gives it mode 0700.
QString privateFolder(const QString& path)
{
    QDir().mkpath(path);
    ::chmod(QFile::encodeName(path).constData(), S_IRWXU);
    return path;
}

QString dataHome()
{
    const QString xdg = qEnvironmentVariable("XDG_DATA_HOME");
    if (!xdg.isEmpty() && QDir::isAbsolutePath(xdg)) {
        return xdg;
    }
    return QDir::homePath() + QStringLiteral("/.local/share");
}

} // namespace

QString VirtualFs::runtimeFolder()
{
    const QString xdg = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!xdg.isEmpty() && QFileInfo(xdg).isDir()) {
        return privateFolder(xdg + QStringLiteral("/discshell"));
    }
    const QString shared =
        HostFolder::ownedPrivateFolder(QStringLiteral("/tmp/discshell-%1").arg(::getuid()));
    if (!shared.isEmpty()) {
        return shared;
    }
    // Someone took the name in /tmp: our cache folder is ours by construction.
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    QDir().mkpath(cache);
    return HostFolder::ownedPrivateFolder(cache + QStringLiteral("/discshell-runtime"));
}

void VirtualFs::mountStandard(const QString& discRootHost, std::shared_ptr<IsoImageCache> image)
{
    VirtualFs& fs = instance();
    const QString driveC = WinePrefix::driveC();
    const QString ownData = dataHome() + QStringLiteral("/discshell");
    const QString cRoot = driveC.isEmpty() ? privateFolder(ownData + QStringLiteral("/c")) : driveC;
    const QString windows = driveC.isEmpty() ? privateFolder(ownData + QStringLiteral("/windows"))
                                             : driveC + QStringLiteral("/windows");
    const QString system32 = windows + QStringLiteral("/system32");
    QDir().mkpath(system32);
    const QString fonts = dataHome() + QStringLiteral("/fonts");
    QDir().mkpath(fonts);

    fs.mount(QStringLiteral("z:\\"), QStringLiteral("/"));
    fs.mount(QStringLiteral("c:\\"), cRoot);
    fs.mount(QStringLiteral("c:\\windows\\"), windows);
    fs.mount(QStringLiteral("c:\\windows\\system32\\"), system32);
    fs.mount(QStringLiteral("c:\\windows\\fonts\\"), fonts);
    fs.mount(QStringLiteral("c:\\windows\\temp\\"),
             privateFolder(runtimeFolder() + QStringLiteral("/temp")));
    if (image) {
        fs.mountImage(QStringLiteral("d:\\"), std::move(image));
    } else {
        fs.mount(QStringLiteral("d:\\"), discRootHost);
    }
}
