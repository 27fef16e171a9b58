#include "DatCommand.h"

#include "CommandLineArgs.h"
#include "HostFiles.h"
#include "SourcePacker.h"
#include "data/PackedArchive.h"

QString DatCommand::usage()
{
    return QStringLiteral(
        "  dat list FILE\n"
        "      list the files of a packed archive, one path per line\n"
        "  dat cat FILE PATH [--base DIR]\n"
        "      write the bytes of the member PATH, looked up as the shell does (any letter\n"
        "      case, \"/\" or \"\\\"); --base DIR is removed from the front of PATH first\n"
        "  dat pack DIR -o FILE [--store]\n"
        "      pack every file below DIR under its relative path; each file is deflated\n"
        "      unless --store is given or deflating does not make it smaller\n");
}

int DatCommand::run(const QStringList& arguments)
{
    return RunAction(arguments,
                     {{"list", [this](const QStringList& rest) { return list(rest); }},
                      {"cat", [this](const QStringList& rest) { return cat(rest); }},
                      {"pack", [this](const QStringList& rest) { return pack(rest); }}},
                     [this](const QString& message) { return usageError(message); });
}

int DatCommand::usageError(const QString& message)
{
    return io_.badInput(QStringLiteral("dat: %1 (usage: disctool dat list FILE | dat cat FILE "
                                       "PATH [--base DIR] | dat pack DIR -o FILE [--store])")
                            .arg(message));
}

int DatCommand::list(const QStringList& arguments)
{
    CommandLineArgs args({}, {});
    if (!args.parse(arguments) || !args.expectPositionals(1)) {
        return usageError(args.error());
    }
    const QString file = args.positionals().at(0);
    PackedArchive archive;
    if (!archive.OpenArchive(HostFiles::virtualPath(file))) {
        return io_.badInput(QStringLiteral("%1: %2").arg(file, archive.errorString()));
    }
    for (const QString& path : archive.ListArchive()) {
        io_.writeLine(path);
    }
    return ExitSuccess;
}

int DatCommand::cat(const QStringList& arguments)
{
    CommandLineArgs args({QStringLiteral("--base")}, {});
    if (!args.parse(arguments) || !args.expectPositionals(2)) {
        return usageError(args.error());
    }
    const QString file = args.positionals().at(0);
    const QString path = args.positionals().at(1);
    PackedArchive archive;
    if (!archive.OpenArchive(HostFiles::virtualPath(file))) {
        return io_.badInput(QStringLiteral("%1: %2").arg(file, archive.errorString()));
    }
    if (args.hasValue(QStringLiteral("--base"))) {
        archive.SetArchiveBase(args.value(QStringLiteral("--base")));
    }
    const int entry = archive.FindMember(path);
    if (entry < 0) {
        return io_.missing(QStringLiteral("%1: no member %2").arg(file, path));
    }
    QByteArray bytes;
    const int result = archive.ReadMember(entry, bytes);
    if (result == PackedArchive::NotAFile) {
        return io_.missing(QStringLiteral("%1: %2 is not a file").arg(file, path));
    }
    if (result != 0) {
        return io_.badInput(
            QStringLiteral("%1: member %2 is damaged: %3").arg(file, path, archive.errorString()));
    }
    io_.writeBytes(bytes);
    return ExitSuccess;
}

int DatCommand::pack(const QStringList& arguments)
{
    CommandLineArgs args({QStringLiteral("-o")}, {QStringLiteral("--store")});
    if (!args.parse(arguments) || !args.expectPositionals(1)) {
        return usageError(args.error());
    }
    if (!args.hasValue(QStringLiteral("-o"))) {
        return usageError(QStringLiteral("missing -o FILE"));
    }
    SourcePacker packer;
    const bool compress = !args.hasFlag(QStringLiteral("--store"));
    std::optional<ArchiveWriter> archive = packer.packArchive(args.positionals().at(0), compress);
    if (!archive) {
        return io_.badInput(packer.errorString());
    }
    if (!archive->write(args.value(QStringLiteral("-o")))) {
        return io_.badInput(archive->errorString());
    }
    return ExitSuccess;
}
