#include "platform/CommandLine.h"

#include "platform/VirtualFs.h"

#include <QFileInfo>

namespace {

const QString kDisc = QStringLiteral("--disc");
const QString kDiscRoot = QStringLiteral("--disc-root");

// Removes characters up to the blank at both ends, as the Windows runtime's Trim does.
QString trimBlanks(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin).unicode() <= ' ') {
        ++begin;
    }
    while (end > begin && text.at(end - 1).unicode() <= ' ') {
        --end;
    }
    return text.mid(begin, end - begin);
}

bool needsQuotes(const QString& argument)
{
    return argument.isEmpty() || argument.contains(QLatin1Char(' ')) ||
           argument.contains(QLatin1Char('\t'));
}

} // namespace

CommandLine CommandLine::parse(const QStringList& argumentsWithoutProgram)
{
    CommandLine line;
    bool optionsEnded = false;
    for (qsizetype i = 0; i < argumentsWithoutProgram.size(); ++i) {
        const QString& argument = argumentsWithoutProgram.at(i);
        if (optionsEnded) {
            line.arguments.append(argument);
        } else if (argument == QLatin1String("--")) {
            optionsEnded = true;
        } else if (argument == QLatin1String("--help")) {
            line.help = true;
        } else if (argument == QLatin1String("--version")) {
            line.version = true;
        } else if (argument == kDisc || argument == kDiscRoot) {
            QString& target = argument == kDisc ? line.disc : line.discRoot;
            if (i + 1 >= argumentsWithoutProgram.size()) {
                line.error = QStringLiteral("option %1 needs a folder").arg(argument);
            } else {
                target = argumentsWithoutProgram.at(++i);
            }
        } else if (argument.startsWith(kDisc + QLatin1Char('='))) {
            line.disc = argument.mid(kDisc.size() + 1);
        } else if (argument.startsWith(kDiscRoot + QLatin1Char('='))) {
            line.discRoot = argument.mid(kDiscRoot.size() + 1);
        } else {
            line.arguments.append(argument);
        }
    }
    return line;
}

QStringList CommandLine::withDiscFolderOption(const QStringList& argumentsWithoutProgram,
                                              const std::function<bool(const QString&)>& isDisc)
{
    const CommandLine line = parse(argumentsWithoutProgram);
    if (!line.error.isEmpty() || !line.disc.isEmpty() || line.arguments.size() != 1 ||
        argumentsWithoutProgram.contains(QStringLiteral("--")) || !isDisc(line.arguments.first())) {
        return argumentsWithoutProgram;
    }
    QStringList result;
    for (const QString& argument : argumentsWithoutProgram) {
        result << (argument == line.arguments.first() ? kDisc + QLatin1Char('=') + argument
                                                      : argument);
    }
    return result;
}

QString CommandLine::windowsArgument(const QString& argument)
{
    const bool hostPath =
        argument.startsWith(QLatin1Char('/')) && argument.indexOf(QLatin1Char('/'), 1) > 0;
    const bool windowsPath = argument.size() >= 2 && argument.at(1) == QLatin1Char(':');
    const bool isSwitch = argument.startsWith(QLatin1Char('/')) && argument.size() <= 2;
    if (argument.isEmpty() || windowsPath || isSwitch ||
        (!hostPath && !QFileInfo::exists(argument))) {
        return argument;
    }
    return VirtualFs::fromHostPath(argument);
}

QString CommandLine::rawCommandLine(const QString& programFile, const QStringList& arguments)
{
    QString line = QLatin1Char('"') + programFile + QLatin1Char('"');
    for (const QString& argument : arguments) {
        line += QLatin1Char(' ');
        line += needsQuotes(argument) ? QLatin1Char('"') + argument + QLatin1Char('"') : argument;
    }
    return line;
}

bool CommandLine::isThesaurusMode(const QString& rawCommandLine)
{
    return rawCommandLine.contains(QLatin1String("/t"));
}

CommandLine::ViewerRequest CommandLine::viewerRequest(const QString& rawCommandLine,
                                                      const QString& programFile)
{
    QString rest = rawCommandLine;
    const qsizetype quoteBlank = rest.indexOf(QLatin1String("\" "));
    rest.remove(0, quoteBlank >= 0 ? quoteBlank + 2 : programFile.size());
    rest.remove(QLatin1Char('"'));
    rest = trimBlanks(rest);

    ViewerRequest request;
    const qsizetype help = rest.indexOf(QLatin1String(" /h"));
    if (help >= 0) {
        request.helpMode = true;
        rest.remove(help, 3);
    }
    request.file = rest;
    return request;
}

QStringList CommandLine::instanceArguments(const QString& discHost, const QString& discRootHost,
                                           const QStringList& arguments)
{
    QStringList result{kDisc, discHost};
    if (!discRootHost.isEmpty()) {
        result << kDiscRoot << discRootHost;
    }
    result << QStringLiteral("--") << arguments;
    return result;
}

QStringList CommandLine::sameDiscArguments(const QString& appDir, const QString& cdRoot,
                                           const QStringList& arguments)
{
    const VirtualFs& fs = VirtualFs::instance();
    if (const std::optional<QString> image = fs.imageFileOf(appDir)) {
        return instanceArguments(*image, QString(), arguments);
    }
    return instanceArguments(fs.resolveExisting(appDir).value_or(QString()),
                             fs.resolveExisting(cdRoot).value_or(QString()), arguments);
}
