#include "ThesaurusCommand.h"

#include "CommandLineArgs.h"
#include "HostFiles.h"
#include "IndexDisc.h"
#include "ThesaurusBuilder.h"
#include "search/index/MakeTesaurusFind.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace {

const QString AppDirOption = QStringLiteral("--appdir");
const QString OutOption = QStringLiteral("-o");
const QString LimitOption = QStringLiteral("--limit");

// MyThes files of the Debian packages stay well below this.
constexpr qint64 MaxSourceBytes = 256 * 1024 * 1024;

} // namespace

QString ThesaurusCommand::usage()
{
    return QStringLiteral(
        "  thesaurus find DISC WORD [--appdir DIR]\n"
        "      the page the thesaurus gives for WORD (an empty WORD: the start page), as\n"
        "      tezaurus.idx holds it; exit status 1 when no key matches\n"
        "  thesaurus build THESAURUS.dat -o DISC [--limit N]\n"
        "      write tezaurus.idx, tezaurus\\index.htm and the term pages into the folder\n"
        "      DISC from a thesaurus in the MyThes format (at most N entries)\n");
}

int ThesaurusCommand::run(const QStringList& arguments)
{
    return RunAction(arguments,
                     {{"find", [this](const QStringList& rest) { return find(rest); }},
                      {"build", [this](const QStringList& rest) { return build(rest); }}},
                     [this](const QString& message) { return usageError(message); });
}

int ThesaurusCommand::usageError(const QString& message)
{
    return io_.badInput(QStringLiteral("thesaurus: %1 (usage: disctool thesaurus find DISC WORD "
                                       "[--appdir DIR] | thesaurus build THESAURUS.dat -o DISC "
                                       "[--limit N])")
                            .arg(message));
}

int ThesaurusCommand::find(const QStringList& arguments)
{
    CommandLineArgs args({AppDirOption}, {});
    if (!args.parse(arguments) || !args.expectPositionals(2)) {
        return usageError(args.error());
    }
    IndexDisc disc;
    if (!disc.open(args.positionals().at(0), args.value(AppDirOption))) {
        return io_.badInput(QStringLiteral("thesaurus: ") + disc.errorString());
    }
    if (!disc.exists(TMakeTesaurusFind::IndexFile)) {
        return io_.badInput(QStringLiteral("thesaurus: the disc has no tezaurus.idx"));
    }
    QStringList messages;
    TMakeTesaurusFind finder(disc.archive());
    finder.SetIndexFolder(disc.virtualFolder());
    finder.SetMessageHandler(
        [&messages](IndexMessageKind, const QString& text) { messages.append(text); });
    QString page;
    if (!finder.FindPage(args.positionals().at(1), page)) {
        if (!messages.isEmpty()) {
            return io_.badInput(QStringLiteral("thesaurus: ") +
                                messages.join(QStringLiteral("; ")));
        }
        return io_.missing(QStringLiteral("thesaurus: no key of the index is in \"%1\"")
                               .arg(args.positionals().at(1)));
    }
    io_.writeLine(page);
    return ExitSuccess;
}

int ThesaurusCommand::build(const QStringList& arguments)
{
    CommandLineArgs args({OutOption, LimitOption}, {});
    if (!args.parse(arguments) || !args.expectPositionals(1)) {
        return usageError(args.error());
    }
    if (!args.hasValue(OutOption)) {
        return usageError(QStringLiteral("-o DISC is missing"));
    }
    bool limitOk = true;
    const int limit = args.hasValue(LimitOption) ? args.value(LimitOption).toInt(&limitOk) : 0;
    if (!limitOk || limit < 0) {
        return usageError(QStringLiteral("--limit takes a number"));
    }
    const QString sourcePath = args.positionals().at(0);
    if (QFileInfo(sourcePath).size() > MaxSourceBytes) {
        return io_.badInput(QStringLiteral("thesaurus: %1 is larger than 256 MiB").arg(sourcePath));
    }
    const std::optional<QByteArray> source = HostFiles::read(sourcePath);
    if (!source) {
        return io_.badInput(QStringLiteral("thesaurus: cannot read %1").arg(sourcePath));
    }
    ThesaurusBuilder builder;
    if (!builder.parse(*source, limit)) {
        return io_.badInput(
            QStringLiteral("thesaurus: %1: %2").arg(sourcePath, builder.errorString()));
    }
    const QDir out(args.value(OutOption));
    const QMap<QString, QByteArray> files = builder.files();
    for (auto file = files.cbegin(); file != files.cend(); ++file) {
        const QString host =
            out.filePath(QString(file.key()).replace(QLatin1Char('\\'), QLatin1Char('/')));
        QSaveFile save(host);
        if (!QDir().mkpath(QFileInfo(host).absolutePath()) || !save.open(QIODevice::WriteOnly) ||
            save.write(file.value()) != file.value().size() || !save.commit()) {
            return io_.badInput(QStringLiteral("thesaurus: cannot write %1").arg(host));
        }
    }
    io_.writeLine(QStringLiteral("%1: %2 terms, %3 skipped")
                      .arg(out.path())
                      .arg(builder.termCount())
                      .arg(builder.skippedCount()));
    return ExitSuccess;
}
