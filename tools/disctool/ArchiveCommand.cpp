#include "ArchiveCommand.h"

#include "CommandLineArgs.h"
#include "HostFiles.h"
#include "install/archive/ArchiveDestination.h"
#include "install/archive/ArchiveListing.h"
#include "install/archive/ArchivePaths.h"
#include "install/archive/ArchiveWalk.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace {

const QString OutOption = QStringLiteral("-o");

} // namespace

QString ArchiveCommand::usage()
{
    return QStringLiteral(
        "  archive list ARCHIVE\n"
        "      one line per entry of a RAR archive: name (folders with \"\\\"), d or f,\n"
        "      unpacked size, DOS date-time, separated by tabs\n"
        "  archive pages ARCHIVE -o DIR\n"
        "      write the listing pages the shell shows for ARCHIVE into DIR\n"
        "  archive extract ARCHIVE -o DIR\n"
        "      unpack ARCHIVE into DIR as a link followed in a listing does; exit status 1\n"
        "      when the archive could not be read whole\n");
}

int ArchiveCommand::run(const QStringList& arguments)
{
    return RunAction(arguments,
                     {{"list", [this](const QStringList& rest) { return list(rest); }},
                      {"pages", [this](const QStringList& rest) { return pages(rest); }},
                      {"extract", [this](const QStringList& rest) { return extract(rest); }}},
                     [this](const QString& text) { return usageError(text); });
}

int ArchiveCommand::usageError(const QString& text)
{
    return io_.badInput(QStringLiteral("archive: %1 (usage: disctool archive list ARCHIVE | "
                                       "archive pages ARCHIVE -o DIR | archive extract ARCHIVE "
                                       "-o DIR)")
                            .arg(text));
}

void ArchiveCommand::message(const QString& text)
{
    io_.err().write((text + QLatin1Char('\n')).toUtf8());
}

bool ArchiveCommand::parse(const QStringList& arguments, bool withOutput, QString& archive,
                           QString& output, int& status)
{
    CommandLineArgs args(withOutput ? QStringList{OutOption} : QStringList{}, {});
    if (!args.parse(arguments) || !args.expectPositionals(1)) {
        status = usageError(args.error());
        return false;
    }
    if (withOutput && !args.hasValue(OutOption)) {
        status = usageError(QStringLiteral("-o DIR is missing"));
        return false;
    }
    archive = QFileInfo(args.positionals().at(0)).absoluteFilePath();
    output = args.value(OutOption);
    if (!QFileInfo(archive).isFile()) {
        status = io_.badInput(QStringLiteral("archive: %1 is not a file").arg(archive));
        return false;
    }
    if (withOutput && !QDir().mkpath(output)) {
        status = io_.badInput(QStringLiteral("archive: cannot make %1").arg(output));
        return false;
    }
    return true;
}

int ArchiveCommand::list(const QStringList& arguments)
{
    QString archive, output;
    int status = ExitSuccess;
    if (!parse(arguments, false, archive, output, status)) {
        return status;
    }
    TArchiveWalk walk(HostFiles::virtualPath(archive), archive,
                      [this](const QString& text) { message(text); });
    const std::optional<QList<RArchiveHeader>> entries = walk.ReadEntries();
    if (!entries) {
        return ExitMissing;
    }
    for (const RArchiveHeader& entry : *entries) {
        io_.writeLine(QStringLiteral("%1\t%2\t%3\t%4")
                          .arg(entry.Name, entry.Folder ? QStringLiteral("d") : QStringLiteral("f"))
                          .arg(entry.Size)
                          .arg(entry.Time));
    }
    return walk.Whole() ? ExitSuccess : ExitMissing;
}

int ArchiveCommand::pages(const QStringList& arguments)
{
    QString archive, output;
    int status = ExitSuccess;
    if (!parse(arguments, true, archive, output, status)) {
        return status;
    }
    const QString name = HostFiles::virtualPath(archive);
    TArchiveWalk walk(name, archive, [this](const QString& text) { message(text); });
    const std::optional<QList<RArchiveHeader>> entries = walk.ReadEntries();
    if (!entries) {
        return ExitMissing;
    }
    const TArchiveListing listing(
        name, *entries, ArchivePaths::DosDateTime(QDateTime::currentDateTime()), QLocale::system());
    const QMap<QString, QByteArray> pages = listing.Pages();
    for (auto page = pages.cbegin(); page != pages.cend(); ++page) {
        const std::optional<QString> host = ArchiveDestination::Check(output, page.key());
        QSaveFile file(host.value_or(QString()));
        if (!host || !file.open(QIODevice::WriteOnly) || file.write(*page) != page->size() ||
            !file.commit()) {
            return io_.badInput(
                QStringLiteral("archive: cannot write %1 in %2").arg(page.key(), output));
        }
    }
    io_.writeLine(listing.FramesetPage());
    return walk.Whole() ? ExitSuccess : ExitMissing;
}

int ArchiveCommand::extract(const QStringList& arguments)
{
    QString archive, output;
    int status = ExitSuccess;
    if (!parse(arguments, true, archive, output, status)) {
        return status;
    }
    TArchiveWalk walk(HostFiles::virtualPath(archive), archive,
                      [this](const QString& text) { message(text); });
    if (!walk.ExtractAll(QFileInfo(output).absoluteFilePath())) {
        return ExitMissing;
    }
    return walk.Whole() ? ExitSuccess : ExitMissing;
}
