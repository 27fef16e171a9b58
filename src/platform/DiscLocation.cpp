#include "platform/DiscLocation.h"

#include "platform/CommandLine.h"
#include "platform/HostFolder.h"
#include "platform/IsoImage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace {

const QString kDrive = QStringLiteral("d:\\");

QString absoluteFolder(const QString& path)
{
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

bool isInside(const QString& path, const QString& folder)
{
    return path == folder || folder == QLatin1String("/") ||
           path.startsWith(folder + QLatin1Char('/'));
}

// Undoes the octal escapes of mountinfo fields ("\040" for a blank).
QString unescapeMountField(const QString& field)
{
    const QByteArray bytes = field.toUtf8();
    QByteArray result;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        bool ok = false;
        const int code = bytes.at(i) == '\\' ? bytes.mid(i + 1, 3).toInt(&ok, 8) : 0;
        if (ok && i + 3 < bytes.size() && code < 256) {
            result.append(char(code));
            i += 3;
        } else {
            result.append(bytes.at(i));
        }
    }
    return QString::fromUtf8(result);
}

bool sysfsRemovable(const QString& device)
{
    const QString node = QStringLiteral("/sys/dev/block/") + device;
    for (const QString& candidate :
         {node + QStringLiteral("/removable"),
          QFileInfo(node).canonicalFilePath() + QStringLiteral("/../removable")}) {
        QFile flag(candidate);
        if (flag.open(QIODevice::ReadOnly)) {
            return flag.read(1) == "1";
        }
    }
    return false;
}

} // namespace

DiscLocation::Inputs DiscLocation::processInputs(const QStringList& arguments,
                                                 const QString& demoFolder)
{
    Inputs inputs;
    inputs.arguments = arguments;
    inputs.discVariable = qEnvironmentVariable("DISCSHELL_DISC");
    inputs.executableFolder = QCoreApplication::applicationDirPath();
    inputs.demoFolder = demoFolder;
    QFile mounts(QStringLiteral("/proc/self/mountinfo"));
    if (mounts.open(QIODevice::ReadOnly)) {
        inputs.mountInfo = QString::fromUtf8(mounts.readAll());
    }
    inputs.isRemovableDevice = sysfsRemovable;
    return inputs;
}

bool DiscLocation::holdsContainer(const QString& folder)
{
    if (folder.isEmpty()) {
        return false;
    }
    const QStringList names = QDir(folder).entryList(QDir::Files);
    return names.contains(QStringLiteral("Mev.dhl"), Qt::CaseInsensitive);
}

bool DiscLocation::namesDisc(const QString& path)
{
    return holdsContainer(path) || IsoImage::looksLikeImage(path);
}

QString DiscLocation::findAppDirHost(const Inputs& inputs)
{
    const CommandLine line = CommandLine::parse(inputs.arguments);
    if (!line.disc.isEmpty()) {
        return absoluteFolder(line.disc);
    }
    if (!inputs.discVariable.isEmpty()) {
        return absoluteFolder(inputs.discVariable);
    }
    if (holdsContainer(inputs.executableFolder)) {
        return absoluteFolder(inputs.executableFolder);
    }
    return absoluteFolder(inputs.demoFolder);
}

QString DiscLocation::findDiscRootHost(const Inputs& inputs, const QString& appDirHost)
{
    const CommandLine line = CommandLine::parse(inputs.arguments);
    if (!line.discRoot.isEmpty()) {
        const QString root = absoluteFolder(line.discRoot);
        if (isInside(appDirHost, root)) {
            return root;
        }
    }
    if (const std::optional<Mount> mount = mountOf(appDirHost, inputs.mountInfo)) {
        const bool optical =
            mount->type == QLatin1String("iso9660") || mount->type == QLatin1String("udf");
        const bool removable = inputs.isRemovableDevice && inputs.isRemovableDevice(mount->device);
        if (mount->point != QLatin1String("/") && (optical || removable)) {
            return mount->point;
        }
    }
    const QFileInfo appDir(appDirHost);
    if (appDir.fileName().compare(QLatin1String("run"), Qt::CaseInsensitive) == 0) {
        return appDir.path();
    }
    return appDirHost;
}

std::optional<DiscLocation::Mount> DiscLocation::mountOf(const QString& hostPath,
                                                         const QString& mountInfo)
{
    std::optional<Mount> best;
    for (const QString& line : mountInfo.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QStringList fields = line.split(QLatin1Char(' '));
        const qsizetype separator = fields.indexOf(QStringLiteral("-"));
        if (fields.size() < 5 || separator < 5 || separator + 1 >= fields.size()) {
            continue;
        }
        const QString point = unescapeMountField(fields.at(4));
        if (isInside(hostPath, point) && (!best || point.size() >= best->point.size())) {
            best = Mount{point, fields.at(separator + 1), fields.at(2)};
        }
    }
    return best;
}

QString DiscLocation::virtualAppDir(const QString& appDirHost, const QString& discRootHost)
{
    const QString below = QDir(discRootHost).relativeFilePath(appDirHost);
    if (below.isEmpty() || below == QLatin1String(".") || below.startsWith(QLatin1String(".."))) {
        return kDrive;
    }
    QString path = kDrive + below + QLatin1Char('\\');
    path.replace(QLatin1Char('/'), QLatin1Char('\\'));
    return path;
}

QString DiscLocation::archiveBaseOf(const QString& appDir)
{
    QString base = appDir;
    const qsizetype run = base.indexOf(QLatin1String("run\\"), 0, Qt::CaseInsensitive);
    if (run >= 0) {
        base.remove(run, 4);
    }
    return base;
}

namespace {

bool folderHoldsContainer(const IsoImage& image, int folder)
{
    const std::optional<int> found = image.child(folder, QStringLiteral("Mev.dhl"));
    return found && !image.node(*found).isFolder;
}

} // namespace

std::optional<QString> DiscLocation::imageAppDir(const IsoImage& image)
{
    if (image.nodeCount() == 0) {
        return std::nullopt;
    }
    if (folderHoldsContainer(image, IsoImage::Root)) {
        return kDrive;
    }
    QList<int> candidates;
    for (const int child : image.node(IsoImage::Root).children) {
        if (image.node(child).isFolder && folderHoldsContainer(image, child)) {
            candidates.append(child);
        }
    }
    const auto isRun = [&](int node) {
        return image.node(node).name.compare(QLatin1String("run"), Qt::CaseInsensitive) == 0;
    };
    std::sort(candidates.begin(), candidates.end(), [&](int a, int b) {
        if (isRun(a) != isRun(b)) {
            return isRun(a);
        }
        return HostFolder::codePointLess(image.node(a).name, image.node(b).name);
    });
    if (candidates.isEmpty()) {
        return std::nullopt;
    }
    return kDrive + image.node(candidates.first()).name + QLatin1Char('\\');
}

bool DiscLocation::useImage(const IsoImage& image)
{
    const std::optional<QString> found = imageAppDir(image);
    if (!found) {
        return false;
    }
    appDir = *found;
    programFile = appDir + QStringLiteral("discshell.exe");
    archiveBase = archiveBaseOf(appDir);
    return true;
}

DiscLocation DiscLocation::locate(const Inputs& inputs)
{
    DiscLocation location;
    location.appDirHost = findAppDirHost(inputs);
    if (QFileInfo(location.appDirHost).isFile()) {
        location.imageHost = location.appDirHost;
        location.appDir = kDrive;
        location.programFile = location.appDir + QStringLiteral("discshell.exe");
        location.cdRoot = kDrive;
        location.archiveBase = kDrive;
        return location;
    }
    location.discRootHost = findDiscRootHost(inputs, location.appDirHost);
    location.appDir = virtualAppDir(location.appDirHost, location.discRootHost);
    location.programFile = location.appDir + QStringLiteral("discshell.exe");
    location.cdRoot = kDrive;
    location.archiveBase = archiveBaseOf(location.appDir);
    return location;
}
