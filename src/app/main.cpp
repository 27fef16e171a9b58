#include "app/ShellComponents.h"
#include "data/Busy.h"
#include "data/ProcessPaths.h"
#include "platform/CommandLine.h"
#include "platform/DiscLocation.h"
#include "platform/GstSoundPlayer.h"
#include "platform/Instances.h"
#include "platform/IsoImage.h"
#include "platform/IsoImageCache.h"
#include "platform/VirtualFs.h"
#include "search/IndexMessageBox.h"
#include "shell/GlobalExHandler.h"
#include "shell/MainForm.h"

#include <QCoreApplication>
#include <QDir>
#include <QTextStream>
#include <cstdlib>
#include <ctime>

namespace {

const char* const usage =
    "usage: discshell [--disc DIR|IMAGE] [--disc-root DIR] [FILE [/h] | /t | DIR | IMAGE]\n"
    "  --disc DIR       the disc folder holding Mev.dhl and interface.dat\n"
    "  --disc IMAGE     an ISO 9660 image of a disc, opened read-only\n"
    "                   (default: $DISCSHELL_DISC, this program's folder, the demo disc)\n"
    "  --disc-root DIR  the folder seen as drive d:\\ (default: the medium's mount point,\n"
    "                   the parent of a folder named run, or the disc folder)\n"
    "  DIR, IMAGE       a folder holding Mev.dhl or a disc image, alone: the same as --disc\n"
    "  FILE             a page, text or picture shown in the viewer window (/h: as help)\n"
    "  /t               the thesaurus window\n"
    "  --help, --version\n";

// The demo disc of the build tree, else the one installed beside the program
// (wherever the package put it), else the one of the configured prefix.
QString demoDiscFolder()
{
    const QString built = QStringLiteral(DISCSHELL_BUILD_DEMO_DISC);
    if (QDir(built).exists()) {
        return built;
    }
    const QString beside = QCoreApplication::applicationDirPath() +
                           QStringLiteral("/../share/discshell/demo-disc/run");
    if (QDir(beside).exists()) {
        return QDir(beside).canonicalPath();
    }
    return QStringLiteral(DISCSHELL_INSTALLED_DEMO_DISC);
}

QStringList rawArguments(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        arguments.append(QString::fromLocal8Bit(argv[i]));
    }
    return arguments;
}

// The shaped window needs X: on a Wayland session it runs through XWayland,
// unless the user chose a platform.
void selectPlatform()
{
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        return;
    }
    const bool wayland = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
                         qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland");
    if (wayland && !qEnvironmentVariableIsEmpty("DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "xcb");
    }
}

// While the busy flag is raised the hourglass shows; when it drops, pending
// events run before the cursor comes back.
void installBusyCursor()
{
    SetBusyHandler([](bool busy) {
        static bool shown = false;
        if (busy && !shown) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
        } else if (!busy && shown) {
            QApplication::processEvents();
            QApplication::restoreOverrideCursor();
        }
        shown = busy;
    });
}

TStartupContext startupContext(const DiscLocation& disc, const CommandLine& commandLine)
{
    QStringList windowsArguments;
    for (const QString& argument : commandLine.arguments) {
        windowsArguments.append(CommandLine::windowsArgument(argument));
    }
    TStartupContext context;
    context.AppDir = disc.appDir;
    context.CdRoot = disc.cdRoot;
    context.ProgramFile = disc.programFile;
    context.RawCommandLine = CommandLine::rawCommandLine(disc.programFile, windowsArguments);
    context.ArgumentCount = commandLine.argumentCount();
    return context;
}

// The disc image named as the disc, open and ready to mount; nullptr after
// a one-line message when it is damaged or holds no program folder.
std::shared_ptr<IsoImageCache> openDiscImage(DiscLocation& disc, QTextStream& err)
{
    auto image = std::make_shared<IsoImage>();
    if (!image->open(disc.imageHost)) {
        err << "discshell: " << image->errorString() << Qt::endl;
        return nullptr;
    }
    if (!disc.useImage(*image)) {
        err << "discshell: " << disc.imageHost << ": no folder of the image holds Mev.dhl"
            << Qt::endl;
        return nullptr;
    }
    std::shared_ptr<IsoImageCache> cache = IsoImageCache::createPrivate(image);
    if (!cache) {
        err << "discshell: no private folder for the files of " << disc.imageHost << Qt::endl;
    }
    return cache;
}

// Drops the disc image's mount, and with it the copies made of its files,
// once everything that used them is gone.
struct ImageMountScope {
    ~ImageMountScope() { VirtualFs::instance().unmount(QStringLiteral("d:\\")); }
};

} // namespace

int main(int argc, char* argv[])
{
    const CommandLine early = CommandLine::parse(rawArguments(argc, argv));
    QTextStream err(stderr);
    if (!early.error.isEmpty()) {
        err << "discshell: " << early.error << Qt::endl;
        return 2;
    }
    if (early.help || early.version) {
        QTextStream out(stdout);
        out << (early.help
                    ? QString::fromLatin1(usage)
                    : QStringLiteral("discshell %1\n").arg(QStringLiteral(DISCSHELL_VERSION)));
        return 0;
    }

    std::srand(unsigned(std::time(nullptr)));
    selectPlatform();
    TGlobalExHandler app(argc, argv);
    installBusyCursor();
    InstallGstSoundPlayer();
    IndexMessageBox::Install();

    const QStringList arguments =
        CommandLine::withDiscFolderOption(app.arguments().mid(1), &DiscLocation::namesDisc);
    const CommandLine commandLine = CommandLine::parse(arguments);
    DiscLocation disc =
        DiscLocation::locate(DiscLocation::processInputs(arguments, demoDiscFolder()));
    std::shared_ptr<IsoImageCache> image;
    if (!disc.imageHost.isEmpty() && !(image = openDiscImage(disc, err))) {
        return 2;
    }
    const ImageMountScope imageMount;
    VirtualFs::mountStandard(disc.discRootHost, std::move(image));
    Paths().AppDir = disc.appDir;
    Paths().CdRoot = disc.cdRoot;
    Instances::Start();

    const TStartupContext startup = startupContext(disc, commandLine);
    // Relative paths of the disc's data never land in the folder we were
    // started from (the home folder, say): the program's folder is current,
    // as when the disc starts itself.
    VirtualFs::instance().setCurrentFolder(disc.appDir);
    TMainForm form(startup);
    TShellComponents components(form, disc.appDirHost, disc.discRootHost);
    form.SetComponents(&components);
    form.FormCreate();
    if (form.TerminationRequested()) {
        return form.ExitCode();
    }
    form.CreateSkinnedDialog();
    const int status = app.exec();
    form.FormDestroy();
    return form.TerminationRequested() ? form.ExitCode() : status;
}
