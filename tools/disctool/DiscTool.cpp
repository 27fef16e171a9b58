#include "DiscTool.h"

#include "ArchiveCommand.h"
#include "BuildDiscCommand.h"
#include "CfsCommand.h"
#include "DatCommand.h"
#include "DhlCommand.h"
#include "DiscImageArgument.h"
#include "IndexCommand.h"
#include "LintCommand.h"
#include "RenderCommand.h"
#include "StructDumpCommand.h"
#include "ThesaurusCommand.h"

QString DiscTool::usage()
{
    return QStringLiteral(
               "Usage: disctool COMMAND ARGUMENTS\n"
               "Authoring and inspection of discs. FILE, DIR, SRC, DISC and OUT are host "
               "paths.\nA DISC that is read may also be an ISO 9660 image of a disc; its files "
               "are copied\ninto a private temporary folder for the command.\n\n") +
           CfsCommand::usage() + DhlCommand::usage() + DatCommand::usage() +
           BuildDiscCommand::usage() + IndexCommand::usage() + ThesaurusCommand::usage() +
           ArchiveCommand::usage() + StructDumpCommand::usage() + LintCommand::usage() +
           RenderCommand::usage() +
           QStringLiteral("  help, --help\n"
                          "      this text\n"
                          "  --version\n"
                          "      the version of disctool\n\n"
                          "Exit status: 0 success, 1 the entry or member named is not there\n"
                          "(lint: warnings were found),\n"
                          "2 bad arguments, unreadable or damaged input, or failed output\n"
                          "(with a one-line message on standard error).\n");
}

namespace {

// The commands that read a disc folder, and so read a disc image as well.
bool readsDisc(const QString& command, const QStringList& rest)
{
    static const QStringList readers{QStringLiteral("lint"), QStringLiteral("inspect"),
                                     QStringLiteral("render"), QStringLiteral("index"),
                                     QStringLiteral("thesaurus")};
    return readers.contains(command) && rest.value(0) != QLatin1String("build");
}

} // namespace

int DiscTool::run(const QStringList& arguments)
{
    const QString command = arguments.value(0);
    QStringList rest = arguments.mid(1);
    DiscImageArgument image;
    if (readsDisc(command, rest) && !image.replace(rest)) {
        return io_.badInput(image.error());
    }
    if (command == QLatin1String("index") && rest.value(0) == QLatin1String("build") &&
        DiscImageArgument::namesImage(rest)) {
        return io_.badInput(QStringLiteral("index build: a disc image is read-only; build the "
                                           "index in the disc folder before making the image"));
    }
    if (command == QLatin1String("cfs")) {
        return CfsCommand(io_).run(rest);
    }
    if (command == QLatin1String("dhl")) {
        return DhlCommand(io_).run(rest);
    }
    if (command == QLatin1String("dat")) {
        return DatCommand(io_).run(rest);
    }
    if (command == QLatin1String("build-disc")) {
        return BuildDiscCommand(io_).run(rest);
    }
    if (command == QLatin1String("index")) {
        return IndexCommand(io_).run(rest);
    }
    if (command == QLatin1String("archive")) {
        return ArchiveCommand(io_).run(rest);
    }
    if (command == QLatin1String("thesaurus")) {
        return ThesaurusCommand(io_).run(rest);
    }
    if (command == QLatin1String("inspect")) {
        return StructDumpCommand(io_).run(rest);
    }
    if (command == QLatin1String("lint")) {
        return LintCommand(io_).run(rest);
    }
    if (command == QLatin1String("render")) {
        return RenderCommand(io_).run(rest);
    }
    if (command == QLatin1String("--version")) {
        io_.writeText(QStringLiteral("disctool %1\n").arg(QStringLiteral(DISCSHELL_VERSION)));
        return ExitSuccess;
    }
    if (command == QLatin1String("help") || command == QLatin1String("--help") ||
        command == QLatin1String("-h")) {
        io_.writeText(usage());
        return ExitSuccess;
    }
    const QString problem = command.isEmpty()
                                ? QStringLiteral("missing command")
                                : QStringLiteral("unknown command \"%1\"").arg(command);
    return io_.badInput(problem + QStringLiteral(" (disctool help lists the commands)"));
}
