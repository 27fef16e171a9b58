#include "LintCommand.h"

#include "DiscStruct.h"
#include "IndexDisc.h"
#include "LintIndex.h"
#include "LintPictures.h"
#include "interface/InterfaceParser.h"

#include <QFileInfo>

namespace {

QString lineOf(const RInterfaceDiagnostic& diagnostic)
{
    const QString place = diagnostic.Line > 0 ? QStringLiteral("Struct.cfs:%1").arg(diagnostic.Line)
                                              : QStringLiteral("Struct.cfs");
    return QStringLiteral("%1: warning: %2").arg(place, diagnostic.Message);
}

// The keyword index of the disc folder; without --appdir its program folder
// lies where the shell would put it.
QStringList indexWarnings(const QString& discPath, const QStringList& arguments,
                          const QString& appDir)
{
    const QFileInfo disc(discPath);
    IndexDisc index;
    const bool appDirGiven = arguments.contains(QStringLiteral("--appdir"));
    if (!index.open(disc.isDir() ? disc.filePath() : disc.absolutePath(),
                    appDirGiven ? appDir : QString())) {
        return {QStringLiteral("index: warning: ") + index.errorString()};
    }
    return LintIndex(index).check();
}

} // namespace

QString LintCommand::usage()
{
    return QStringLiteral(
        "  lint DISC [--appdir VIRTUALPATH]\n"
        "      warn about what makes a disc's interface misbehave, one warning a line:\n"
        "      sections left out or cut short, global key words inside elements,\n"
        "      screens without \"_screen\", pictures missing from Mev.dhl, a keyword\n"
        "      index that does not hold together; exit status 1 when there are warnings\n");
}

int LintCommand::usageError(const QString& message)
{
    return io_.badInput(
        QStringLiteral("lint: %1 (usage: disctool lint DISC [--appdir VIRTUALPATH])").arg(message));
}

int LintCommand::run(const QStringList& arguments)
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
    TInterfaceDiagnostics diagnostics;
    const TInterfaceDescription description = ReadInterfaceDescription(disc.lines(), &diagnostics);
    QStringList warnings;
    for (const RInterfaceDiagnostic& diagnostic : diagnostics) {
        warnings.append(lineOf(diagnostic));
    }
    for (const QString& problem : LintPictures(disc.container()).check(description)) {
        warnings.append(QStringLiteral("Struct.cfs: warning: ") + problem);
    }
    warnings += indexWarnings(discPath, arguments, appDir);
    for (const QString& warning : warnings) {
        io_.writeLine(warning);
    }
    return warnings.isEmpty() ? ExitSuccess : ExitMissing;
}
