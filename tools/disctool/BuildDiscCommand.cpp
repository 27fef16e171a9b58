#include "BuildDiscCommand.h"

#include "BuildManifest.h"
#include "CommandLineArgs.h"
#include "SourcePacker.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QString ContainerName = QStringLiteral("Mev.dhl");
const QString ArchiveName = QStringLiteral("interface.dat");

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool copyReplacing(const QString& from, const QString& to, QString& error)
{
    const QFileInfo target(to);
    if (target.isDir() && !target.isSymLink()) {
        error = QStringLiteral("%1 is a folder").arg(to);
        return false;
    }
    if (!QDir().mkpath(target.absolutePath())) {
        error = QStringLiteral("cannot create %1").arg(target.absolutePath());
        return false;
    }
    QFile::remove(to);
    QFile source(from);
    if (!source.copy(to)) {
        error = QStringLiteral("cannot copy %1 to %2: %3").arg(from, to, source.errorString());
        return false;
    }
    return true;
}

} // namespace

QString BuildDiscCommand::usage()
{
    return QStringLiteral(
        "  build-disc SRC -o OUT\n"
        "      build a disc folder: SRC/resources -> OUT/Mev.dhl, SRC/archive ->\n"
        "      OUT/interface.dat, SRC/files -> copied into OUT; files an earlier build\n"
        "      wrote and this one does not are removed (listed in OUT/.disctool-manifest)\n");
}

const QStringList& BuildDiscCommand::forbiddenTopLevelNames()
{
    static const QStringList names{QStringLiteral("Struct.txt"), QStringLiteral("About.txt"),
                                   QStringLiteral("Dialog.txt"), QStringLiteral("Coder.exe")};
    return names;
}

int BuildDiscCommand::usageError(const QString& message)
{
    return io_.badInput(
        QStringLiteral("build-disc: %1 (usage: disctool build-disc SRC -o OUT)").arg(message));
}

int BuildDiscCommand::run(const QStringList& arguments)
{
    CommandLineArgs args({QStringLiteral("-o")}, {});
    if (!args.parse(arguments) || !args.expectPositionals(1)) {
        return usageError(args.error());
    }
    if (!args.hasValue(QStringLiteral("-o"))) {
        return usageError(QStringLiteral("missing -o OUT"));
    }
    const QString source = QFileInfo(args.positionals().at(0)).absoluteFilePath();
    const QString outFolder = QFileInfo(args.value(QStringLiteral("-o"))).absoluteFilePath();
    if (!checkFolders(source, outFolder) || !readSources(source) || !writeDisc(outFolder)) {
        return io_.badInput(error_);
    }
    io_.writeLine(QStringLiteral("%1: %2 entries in %3, %4 files in %5, %6 plain files")
                      .arg(outFolder)
                      .arg(entryCount_)
                      .arg(ContainerName)
                      .arg(memberCount_)
                      .arg(ArchiveName)
                      .arg(plainFiles_.size()));
    return ExitSuccess;
}

bool BuildDiscCommand::checkFolders(const QString& source, const QString& outFolder)
{
    if (!QFileInfo(source).isDir()) {
        error_ = QStringLiteral("%1 is not a folder").arg(source);
        return false;
    }
    if (HostFiles::isInside(outFolder, source) || HostFiles::isInside(source, outFolder)) {
        error_ = QStringLiteral("%1 and %2 must not lie in each other").arg(source, outFolder);
        return false;
    }
    return true;
}

bool BuildDiscCommand::readSources(const QString& source)
{
    const QString resourcesDir = source + QStringLiteral("/resources");
    const QString archiveDir = source + QStringLiteral("/archive");
    const QString filesDir = source + QStringLiteral("/files");
    const bool hasResources = QFileInfo(resourcesDir).isDir();
    const bool hasArchive = QFileInfo(archiveDir).isDir();
    const bool hasFiles = QFileInfo(filesDir).isDir();
    if (!hasResources && !hasArchive && !hasFiles) {
        error_ = QStringLiteral("%1 holds none of resources, archive, files").arg(source);
        return false;
    }
    SourcePacker packer;
    if (hasResources) {
        container_ = packer.packResources(resourcesDir);
        entryCount_ = packer.fileCount();
    }
    if (hasResources && !container_) {
        error_ = packer.errorString();
        return false;
    }
    if (hasArchive) {
        archive_ = packer.packArchive(archiveDir, true);
        memberCount_ = packer.fileCount();
    }
    if (hasArchive && !archive_) {
        error_ = packer.errorString();
        return false;
    }
    if (hasFiles) {
        plainFiles_ = HostFiles::sourceFiles(filesDir);
    }
    return checkPlainFiles(plainFiles_);
}

bool BuildDiscCommand::writeDisc(const QString& outFolder)
{
    if (!QDir().mkpath(outFolder)) {
        error_ = QStringLiteral("cannot create %1").arg(outFolder);
        return false;
    }
    const BuildManifest manifest(outFolder);
    const QStringList previous = manifest.load();
    QStringList written;
    if (!writeDataFiles(outFolder, written) || !copyPlainFiles(plainFiles_, outFolder, written)) {
        // Remember what was written, so that the next build can clean it up.
        QString ignored;
        manifest.save(previous + written, ignored);
        return false;
    }
    manifest.removeStale(previous, written);
    return manifest.save(written, error_) && checkOutputTopLevel(outFolder);
}

bool BuildDiscCommand::writeDataFiles(const QString& outFolder, QStringList& written)
{
    if (container_) {
        if (!container_->write(outFolder + QLatin1Char('/') + ContainerName)) {
            error_ = container_->errorString();
            return false;
        }
        written.append(ContainerName);
    }
    if (archive_) {
        if (!archive_->write(outFolder + QLatin1Char('/') + ArchiveName)) {
            error_ = archive_->errorString();
            return false;
        }
        written.append(ArchiveName);
    }
    return true;
}

bool BuildDiscCommand::checkPlainFiles(const QList<HostFiles::SourceFile>& files)
{
    QStringList reserved = forbiddenTopLevelNames();
    reserved << ContainerName << ArchiveName;
    for (const HostFiles::SourceFile& file : files) {
        for (const QString& name : reserved) {
            if (sameName(file.relativePath, name)) {
                error_ =
                    QStringLiteral("%1 must not be placed in the disc folder").arg(file.hostPath);
                return false;
            }
        }
    }
    return true;
}

bool BuildDiscCommand::copyPlainFiles(const QList<HostFiles::SourceFile>& files,
                                      const QString& outFolder, QStringList& written)
{
    for (const HostFiles::SourceFile& file : files) {
        const QString target = outFolder + QLatin1Char('/') + file.relativePath;
        if (!HostFiles::isInside(QFileInfo(target).absolutePath(), outFolder)) {
            error_ = QStringLiteral("%1 leads out of %2").arg(target, outFolder);
            return false;
        }
        if (!copyReplacing(file.hostPath, target, error_)) {
            return false;
        }
        written.append(file.relativePath);
    }
    return true;
}

bool BuildDiscCommand::checkOutputTopLevel(const QString& outFolder)
{
    const QStringList present =
        QDir(outFolder).entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : present) {
        for (const QString& forbidden : forbiddenTopLevelNames()) {
            if (sameName(name, forbidden)) {
                error_ = QStringLiteral("%1/%2 lies in the disc folder; the shell refuses to start "
                                        "beside it")
                             .arg(outFolder, name);
                return false;
            }
        }
    }
    return true;
}
