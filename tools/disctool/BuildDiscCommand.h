#pragma once

#include "CommandIo.h"
#include "HostFiles.h"
#include "data/ArchiveWriter.h"
#include "data/BinWriter.h"

#include <QStringList>
#include <optional>

// "build-disc SRC -o OUT": turns a disc source folder into a disc folder.
//   SRC/resources/ -> OUT/Mev.dhl        (as "dhl pack")
//   SRC/archive/   -> OUT/interface.dat  (as "dat pack", deflated)
//   SRC/files/     -> OUT/...            (plain copies, sub-folders kept)
// A missing part is skipped. Everything is read and checked before anything
// is written. OUT is created when missing; files that an earlier build wrote
// and this one does not are removed, anything else in OUT is left alone.
class BuildDiscCommand {
public:
    explicit BuildDiscCommand(CommandIo& io) : io_(io) {}

    // Arguments after "build-disc"; returns the exit status.
    int run(const QStringList& arguments);

    static QString usage();

    // Files the shell refuses to start beside (configuration sources and the
    // encoder); never placed in the disc folder's top level.
    static const QStringList& forbiddenTopLevelNames();

private:
    int usageError(const QString& message);
    bool checkFolders(const QString& source, const QString& outFolder);
    bool readSources(const QString& source);
    bool writeDisc(const QString& outFolder);
    bool writeDataFiles(const QString& outFolder, QStringList& written);
    bool checkPlainFiles(const QList<HostFiles::SourceFile>& files);
    bool copyPlainFiles(const QList<HostFiles::SourceFile>& files, const QString& outFolder,
                        QStringList& written);
    bool checkOutputTopLevel(const QString& outFolder);

    CommandIo& io_;
    QString error_;
    std::optional<BinWriter> container_;
    std::optional<ArchiveWriter> archive_;
    QList<HostFiles::SourceFile> plainFiles_;
    qsizetype entryCount_ = 0;
    qsizetype memberCount_ = 0;
};
