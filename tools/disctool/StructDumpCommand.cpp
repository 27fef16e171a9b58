#include "StructDumpCommand.h"

#include "DescriptionJson.h"
#include "DiscStruct.h"
#include "interface/InterfaceParser.h"

#include <QJsonDocument>

QString StructDumpCommand::usage()
{
    return QStringLiteral(
        "  inspect struct DISC [--appdir VIRTUALPATH]\n"
        "      print the interface description of a disc (a disc folder or its Mev.dhl)\n"
        "      as one JSON object: the global values and the elements screen by screen;\n"
        "      relative paths expand under --appdir (a Windows-style folder, default d:\\)\n");
}

int StructDumpCommand::run(const QStringList& arguments)
{
    const QString what = arguments.value(0);
    if (what == QLatin1String("struct")) {
        return inspectStruct(arguments.mid(1));
    }
    return usageError(what.isEmpty() ? QStringLiteral("missing what to inspect")
                                     : QStringLiteral("unknown item \"%1\"").arg(what));
}

int StructDumpCommand::usageError(const QString& message)
{
    return io_.badInput(
        QStringLiteral("inspect: %1 (usage: disctool inspect struct DISC [--appdir VIRTUALPATH])")
            .arg(message));
}

int StructDumpCommand::inspectStruct(const QStringList& arguments)
{
    QString discPath, appDir, error;
    if (!DiscStruct::parseArguments(arguments, discPath, appDir, error)) {
        return usageError(error);
    }
    DiscStruct disc;
    if (!disc.open(discPath)) {
        return io_.fail(disc.status(), disc.errorString());
    }
    const ScopedAppDir scope(appDir);
    const TInterfaceDescription description = ReadInterfaceDescription(disc.lines());
    io_.writeBytes(QJsonDocument(DescriptionJson::fromDescription(description))
                       .toJson(QJsonDocument::Indented));
    return ExitSuccess;
}
