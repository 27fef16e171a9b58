#include "DhlCommand.h"

#include "CommandLineArgs.h"
#include "HostFiles.h"
#include "SourcePacker.h"
#include "data/ReadBin.h"

QString DhlCommand::usage()
{
    return QStringLiteral(
        "  dhl list FILE\n"
        "      list a resource container: name, offset and size, tab-separated, in file order\n"
        "  dhl cat FILE NAME\n"
        "      write the bytes of the first entry named NAME (any letter case)\n"
        "  dhl pack DIR -o FILE\n"
        "      pack every file below DIR; entries are named by their paths relative to DIR\n"
        "      with \"\\\" between folders; .txt configuration sources become .cfs entries\n"
        "      (Struct.txt -> Struct.cfs); names beginning with \".\" are left out\n");
}

int DhlCommand::run(const QStringList& arguments)
{
    return RunAction(arguments,
                     {{"list", [this](const QStringList& rest) { return list(rest); }},
                      {"cat", [this](const QStringList& rest) { return cat(rest); }},
                      {"pack", [this](const QStringList& rest) { return pack(rest); }}},
                     [this](const QString& message) { return usageError(message); });
}

int DhlCommand::usageError(const QString& message)
{
    return io_.badInput(QStringLiteral("dhl: %1 (usage: disctool dhl list FILE | dhl cat FILE "
                                       "NAME | dhl pack DIR -o FILE)")
                            .arg(message));
}

int DhlCommand::list(const QStringList& arguments)
{
    CommandLineArgs args({}, {});
    if (!args.parse(arguments) || !args.expectPositionals(1)) {
        return usageError(args.error());
    }
    const QString file = args.positionals().at(0);
    TReadBin container;
    if (!container.Open(HostFiles::virtualPath(file))) {
        return io_.badInput(QStringLiteral("%1: %2").arg(file, container.errorString()));
    }
    for (const RBin& entry : container.Directory()) {
        io_.writeLine(
            QStringLiteral("%1\t%2\t%3").arg(entry.Name).arg(entry.Offset).arg(entry.Size));
    }
    return ExitSuccess;
}

int DhlCommand::cat(const QStringList& arguments)
{
    CommandLineArgs args({}, {});
    if (!args.parse(arguments) || !args.expectPositionals(2)) {
        return usageError(args.error());
    }
    const QString file = args.positionals().at(0);
    const QString name = args.positionals().at(1);
    TReadBin container;
    if (!container.Open(HostFiles::virtualPath(file))) {
        return io_.badInput(QStringLiteral("%1: %2").arg(file, container.errorString()));
    }
    if (!container.Exists(name)) {
        return io_.missing(QStringLiteral("%1: no entry %2").arg(file, name));
    }
    QByteArray bytes;
    if (container.ReadToBuffer(name, bytes) < 0) {
        return io_.badInput(QStringLiteral("%1: cannot read entry %2").arg(file, name));
    }
    io_.writeBytes(bytes);
    return ExitSuccess;
}

int DhlCommand::pack(const QStringList& arguments)
{
    CommandLineArgs args({QStringLiteral("-o")}, {});
    if (!args.parse(arguments) || !args.expectPositionals(1)) {
        return usageError(args.error());
    }
    if (!args.hasValue(QStringLiteral("-o"))) {
        return usageError(QStringLiteral("missing -o FILE"));
    }
    SourcePacker packer;
    std::optional<BinWriter> container = packer.packResources(args.positionals().at(0));
    if (!container) {
        return io_.badInput(packer.errorString());
    }
    if (!container->write(args.value(QStringLiteral("-o")))) {
        return io_.badInput(container->errorString());
    }
    return ExitSuccess;
}
