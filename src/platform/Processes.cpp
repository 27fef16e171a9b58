#include "platform/Processes.h"

#include "platform/Refusal.h"
#include "platform/VirtualFs.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace {

class SystemProcessLauncher final : public IProcessLauncher {
public:
    bool StartDetached(const QString& program, const QStringList& arguments,
                       const QString& workingFolder) override
    {
        return QProcess::startDetached(program, arguments, workingFolder);
    }
    QString FindExecutable(const QString& name) const override
    {
        return QStandardPaths::findExecutable(name);
    }
};

std::unique_ptr<IProcessLauncher>& installedLauncher()
{
    static std::unique_ptr<IProcessLauncher> launcher = std::make_unique<SystemProcessLauncher>();
    return launcher;
}

bool isWindowsProgram(const QString& file)
{
    const QString suffix = QFileInfo(file).suffix().toLower();
    return suffix == QLatin1String("exe") || suffix == QLatin1String("com");
}

} // namespace

IProcessLauncher& ProcessLauncher()
{
    return *installedLauncher();
}

void SetProcessLauncher(std::unique_ptr<IProcessLauncher> launcher)
{
    installedLauncher() =
        launcher ? std::move(launcher) : std::make_unique<SystemProcessLauncher>();
}

namespace {

// Folders whose files disc data may start or open: the disc, the Wine prefix
// (or our data folder in its place) and our private temporary folder, where
// archive members are unpacked.
const char* const StartableRoots[] = {"d:\\", "c:\\", "c:\\windows\\", "c:\\windows\\temp\\"};

// Whether the file, links resolved, lies below one of those folders; a host
// program elsewhere on "z:\" is never started by a page or a setting.
bool isStartable(const QString& host)
{
    const QString real = QFileInfo(host).canonicalFilePath();
    for (const char* prefix : StartableRoots) {
        const std::optional<QString> root =
            VirtualFs::instance().resolveExisting(QLatin1String(prefix));
        const QString realRoot = root ? QFileInfo(*root).canonicalFilePath() : QString();
        if (!realRoot.isEmpty() && realRoot != QLatin1String("/") &&
            real.startsWith(realRoot + QLatin1Char('/'))) {
            return true;
        }
    }
    Refusal::log(QStringLiteral("a start of a file outside the disc and the Wine prefix"), host);
    return false;
}

} // namespace

namespace Processes {

bool OpenUrl(const QString& url)
{
    IProcessLauncher& launcher = ProcessLauncher();
    const QString opener = launcher.FindExecutable(QStringLiteral("xdg-open"));
    return !opener.isEmpty() && !url.isEmpty() && launcher.StartDetached(opener, {url}, QString());
}

bool Open(const QString& virtualFile, const QString& parameters)
{
    if (isWindowsProgram(virtualFile) && VirtualFs::instance().isOnImage(virtualFile)) {
        // An installer on a disc image finds the files beside it, as on the disc.
        const qsizetype slash = virtualFile.lastIndexOf(QLatin1Char('\\'));
        VirtualFs::instance().extractFolder(virtualFile.left(slash + 1));
    }
    const auto host = VirtualFs::instance().resolveExisting(virtualFile);
    if (!host || !QFileInfo(*host).isFile() || !isStartable(*host)) {
        return false;
    }
    const QString folder = QFileInfo(*host).absolutePath();
    IProcessLauncher& launcher = ProcessLauncher();
    if (isWindowsProgram(*host)) {
        const QString wine = launcher.FindExecutable(QStringLiteral("wine"));
        return !wine.isEmpty() &&
               launcher.StartDetached(wine, QStringList{*host} + SplitParameters(parameters),
                                      folder);
    }
    const QString opener = launcher.FindExecutable(QStringLiteral("xdg-open"));
    return !opener.isEmpty() && launcher.StartDetached(opener, {*host}, folder);
}

bool StartOwnProgram(const QStringList& arguments, const QString& workingFolder)
{
    return ProcessLauncher().StartDetached(QCoreApplication::applicationFilePath(), arguments,
                                           workingFolder);
}

QStringList SplitParameters(const QString& parameters)
{
    QStringList arguments;
    QString current;
    bool quoted = false;
    bool started = false;
    for (const QChar c : parameters) {
        if (c == QLatin1Char('"')) {
            quoted = !quoted;
            started = true;
        } else if (!quoted && (c == QLatin1Char(' ') || c == QLatin1Char('\t'))) {
            if (started) {
                arguments << current;
            }
            current.clear();
            started = false;
        } else {
            current += c;
            started = true;
        }
    }
    if (started) {
        arguments << current;
    }
    return arguments;
}

} // namespace Processes
