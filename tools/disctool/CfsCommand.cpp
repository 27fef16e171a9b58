#include "CfsCommand.h"

#include "CommandLineArgs.h"
#include "ConfigSource.h"
#include "HostFiles.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QSaveFile>

namespace {

QByteArray linesAsJson(const QStringList& lines)
{
    return QJsonDocument(QJsonArray::fromStringList(lines)).toJson(QJsonDocument::Compact) + '\n';
}

} // namespace

QString CfsCommand::usage()
{
    return QStringLiteral("  cfs decode FILE [--lower] [--json]\n"
                          "      print the lines of an encoded configuration file as UTF-8,\n"
                          "      separated by LF (--lower: letters A-Z lower-cased, as the\n"
                          "      interface description is read; --json: a JSON array of strings)\n"
                          "  cfs encode TEXTFILE -o OUT\n"
                          "      encode a UTF-8 text (LF or CR LF line ends) into a .cfs file\n");
}

int CfsCommand::run(const QStringList& arguments)
{
    return RunAction(arguments,
                     {{"decode", [this](const QStringList& rest) { return decode(rest); }},
                      {"encode", [this](const QStringList& rest) { return encode(rest); }}},
                     [this](const QString& message) { return usageError(message); });
}

int CfsCommand::usageError(const QString& message)
{
    return io_.badInput(QStringLiteral("cfs: %1 (usage: disctool cfs decode FILE [--lower] "
                                       "[--json] | cfs encode TEXTFILE -o OUT)")
                            .arg(message));
}

int CfsCommand::decode(const QStringList& arguments)
{
    CommandLineArgs args({}, {QStringLiteral("--lower"), QStringLiteral("--json")});
    if (!args.parse(arguments) || !args.expectPositionals(1)) {
        return usageError(args.error());
    }
    const QString file = args.positionals().at(0);
    const std::optional<QByteArray> encoded = HostFiles::read(file);
    if (!encoded) {
        return io_.badInput(QStringLiteral("cannot read %1").arg(file));
    }
    const QStringList lines =
        ConfigSource::decode(*encoded, args.hasFlag(QStringLiteral("--lower")));
    if (args.hasFlag(QStringLiteral("--json"))) {
        io_.writeBytes(linesAsJson(lines));
    } else {
        io_.writeText(ConfigSource::joinLines(lines));
    }
    return ExitSuccess;
}

int CfsCommand::encode(const QStringList& arguments)
{
    CommandLineArgs args({QStringLiteral("-o")}, {});
    if (!args.parse(arguments) || !args.expectPositionals(1)) {
        return usageError(args.error());
    }
    if (!args.hasValue(QStringLiteral("-o"))) {
        return usageError(QStringLiteral("missing -o OUT"));
    }
    const QString textFile = args.positionals().at(0);
    const std::optional<QByteArray> text = HostFiles::read(textFile);
    if (!text) {
        return io_.badInput(QStringLiteral("cannot read %1").arg(textFile));
    }
    QString error;
    const std::optional<QByteArray> encoded = ConfigSource::encode(*text, error);
    if (!encoded) {
        return io_.badInput(QStringLiteral("%1: %2").arg(textFile, error));
    }
    QSaveFile out(args.value(QStringLiteral("-o")));
    if (!out.open(QIODevice::WriteOnly) || out.write(*encoded) != encoded->size() ||
        !out.commit()) {
        return io_.badInput(
            QStringLiteral("cannot write %1: %2").arg(out.fileName(), out.errorString()));
    }
    return ExitSuccess;
}
