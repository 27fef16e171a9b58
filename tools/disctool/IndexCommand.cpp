#include "IndexCommand.h"

#include "CommandLineArgs.h"
#include "IndexBuilder.h"
#include "IndexDisc.h"
#include "IndexPageText.h"
#include "platform/VirtualFs.h"
#include "search/index/IndexLines.h"
#include "search/index/MakeFind.h"

#include <QSaveFile>

using namespace IndexLines;

namespace {

const QString AppDirOption = QStringLiteral("--appdir");

QString titleOf(const IndexPageText& text, const QString& path)
{
    return text.title().isEmpty() ? path.section(QLatin1Char('\\'), -1) : text.title();
}

} // namespace

QString IndexCommand::usage()
{
    return QStringLiteral(
        "  index build DISC [--appdir DIR]\n"
        "      write keywords.idx, index.idx and files.idx into the disc folder DISC from\n"
        "      the HTML pages of the program folder, on disk and in interface.dat; DIR is\n"
        "      the program folder as the shell sees it (default d:\\run\\ when DISC is\n"
        "      named run, else d:\\)\n"
        "  index find DISC WORD [--appdir DIR] [--case]\n"
        "      look WORD up in the disc's index as the shell does: one \"path<TAB>title\"\n"
        "      line per page; exit status 1 when WORD is not in the index\n");
}

int IndexCommand::run(const QStringList& arguments)
{
    return RunAction(arguments,
                     {{"build", [this](const QStringList& rest) { return build(rest); }},
                      {"find", [this](const QStringList& rest) { return find(rest); }}},
                     [this](const QString& message) { return usageError(message); });
}

int IndexCommand::usageError(const QString& message)
{
    return io_.badInput(QStringLiteral("index: %1 (usage: disctool index build DISC [--appdir "
                                       "DIR] | index find DISC WORD [--appdir DIR] [--case])")
                            .arg(message));
}

bool IndexCommand::openDisc(IndexDisc& disc, const QString& discPath, const QString& appDir,
                            int& status)
{
    if (disc.open(discPath, appDir)) {
        return true;
    }
    status = io_.badInput(QStringLiteral("index: ") + disc.errorString());
    return false;
}

int IndexCommand::build(const QStringList& arguments)
{
    CommandLineArgs args({AppDirOption}, {});
    if (!args.parse(arguments) || !args.expectPositionals(1)) {
        return usageError(args.error());
    }
    IndexDisc disc;
    int status = ExitSuccess;
    if (!openDisc(disc, args.positionals().at(0), args.value(AppDirOption), status)) {
        return status;
    }
    for (const QString& name : {KeywordsFile, PageListsFile, PagesFile}) {
        if (disc.inArchive(name)) {
            return io_.badInput(QStringLiteral("index: interface.dat holds %1 of the program "
                                               "folder, which the shell reads instead of the "
                                               "file written here; pack the archive without it")
                                    .arg(name));
        }
    }
    IndexBuilder builder;
    QStringList skipped;
    for (const IndexDisc::Page& page : disc.pages()) {
        if (!IndexBuilder::canFile(page.path)) {
            skipped.append(page.path + QStringLiteral(": the name cannot stand in files.idx"));
            continue;
        }
        const std::optional<QByteArray> bytes = disc.read(page, MaxPageBytes);
        if (!bytes) {
            skipped.append(page.path + QStringLiteral(": unreadable or larger than 64 MiB"));
            continue;
        }
        const IndexPageText text(*bytes);
        builder.addPage(page.path, titleOf(text, page.path), text.text());
    }
    if (!writeIndexFile(disc, KeywordsFile, builder.keywordsFile()) ||
        !writeIndexFile(disc, PageListsFile, builder.pageListsFile()) ||
        !writeIndexFile(disc, PagesFile, builder.pagesFile())) {
        return io_.badInput(QStringLiteral("index: ") + error_);
    }
    for (const QString& note : skipped) {
        io_.writeLine(QStringLiteral("skipped ") + note);
    }
    io_.writeLine(QStringLiteral("%1: %2 pages, %3 keywords")
                      .arg(disc.hostFolder())
                      .arg(builder.pageCount())
                      .arg(builder.keywordCount()));
    return ExitSuccess;
}

bool IndexCommand::writeIndexFile(const IndexDisc& disc, const QString& name,
                                  const QByteArray& bytes)
{
    const std::optional<QString> host =
        VirtualFs::instance().resolveForCreate(disc.virtualPath(name));
    if (!host) {
        error_ = QStringLiteral("cannot place %1 in %2").arg(name, disc.hostFolder());
        return false;
    }
    QSaveFile file(*host);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        error_ = QStringLiteral("cannot write %1: %2").arg(*host, file.errorString());
        return false;
    }
    return true;
}

int IndexCommand::find(const QStringList& arguments)
{
    CommandLineArgs args({AppDirOption}, {QStringLiteral("--case")});
    if (!args.parse(arguments) || !args.expectPositionals(2)) {
        return usageError(args.error());
    }
    IndexDisc disc;
    int status = ExitSuccess;
    if (!openDisc(disc, args.positionals().at(0), args.value(AppDirOption), status)) {
        return status;
    }
    const QString keyword = args.positionals().at(1);
    QStringList messages;
    TMakeFind finder(disc.archive());
    finder.SetIndexFolder(disc.virtualFolder());
    finder.SetMessageHandler(
        [&messages](IndexMessageKind, const QString& text) { messages.append(text); });
    RFindResults results;
    if (!finder.FindKeyword(keyword, results, args.hasFlag(QStringLiteral("--case")))) {
        if (!messages.isEmpty()) {
            return io_.badInput(QStringLiteral("index: ") + messages.join(QStringLiteral("; ")));
        }
        if (finder.IndexDamaged()) {
            return io_.badInput(
                QStringLiteral("index: the pages of \"%1\" are damaged in the index").arg(keyword));
        }
        return io_.missing(
            QStringLiteral("index: \"%1\" is not in the index or names no page").arg(keyword));
    }
    for (qsizetype i = 0; i < results.Files.size(); ++i) {
        io_.writeLine(results.Files.at(i) + QLatin1Char('\t') + results.Titles.value(i));
    }
    return ExitSuccess;
}
