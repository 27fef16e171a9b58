#include "CommandLine.h"
#include "DiscLocation.h"
#include "DiscSummary.h"
#include "ProcessPaths.h"
#include "VirtualFs.h"

#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

namespace {

const char* const usage =
    "usage: discshell [--disc DIR] [--disc-root DIR] [FILE [/h] | /t]\n"
    "  --disc DIR       the disc folder holding Mev.dhl and interface.dat\n"
    "                   (default: $DISCSHELL_DISC, this program's folder, the demo disc)\n"
    "  --disc-root DIR  the folder seen as drive d:\\ (default: the medium's mount point,\n"
    "                   the parent of a folder named run, or the disc folder)\n"
    "  --help, --version\n";

QString demoDiscFolder()
{
    const QString built = QStringLiteral(DISCSHELL_BUILD_DEMO_DISC);
    return QDir(built).exists() ? built : QStringLiteral(DISCSHELL_INSTALLED_DEMO_DISC);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);

    const QStringList arguments = app.arguments().mid(1);
    const CommandLine commandLine = CommandLine::parse(arguments);
    if (!commandLine.error.isEmpty()) {
        err << "discshell: " << commandLine.error << Qt::endl;
        return 2;
    }
    if (commandLine.help) {
        out << usage;
        return 0;
    }
    if (commandLine.version) {
        out << "discshell " << DISCSHELL_VERSION << Qt::endl;
        return 0;
    }

    const DiscLocation disc =
        DiscLocation::locate(DiscLocation::processInputs(arguments, demoDiscFolder()));
    VirtualFs::mountStandard(disc.discRootHost);
    Paths().AppDir = disc.appDir;
    Paths().CdRoot = disc.cdRoot;
    return SummariseDisc(disc.appDir, out, err);
}
