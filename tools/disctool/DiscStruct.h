#pragma once

#include "CommandLineArgs.h"
#include "data/DynamicArrays.h"
#include "data/ProcessPaths.h"
#include "data/ReadBin.h"

#include <QString>

// The interface description of a disc named on the command line: its
// resource container and the lines of Struct.cfs, decoded lower-cased as the
// shell reads them.
class DiscStruct {
public:
    // DISC is a host path: a disc folder that holds Mev.dhl, or the container
    // file itself. False with status() and errorString() when the container
    // cannot be read or holds no Struct.cfs.
    bool open(const QString& disc);

    // The "DISC [--appdir VIRTUALPATH]" arguments of the commands that read a
    // disc's interface description; false with error on bad arguments.
    static bool parseArguments(const QStringList& arguments, QString& disc, QString& appDir,
                               QString& error);

    const TReadBin& container() const { return container_; }
    const TDynamicStringArray& lines() const { return lines_; }
    int status() const { return status_; }
    const QString& errorString() const { return error_; }

private:
    TReadBin container_;
    TDynamicStringArray lines_;
    int status_ = 0;
    QString error_;
};

// The program folder that relative paths of the description expand under,
// set for the lifetime of the object; the folders before are put back after.
class ScopedAppDir {
public:
    // A Windows-style folder with a drive ("d:\run\"); the trailing backslash
    // may be left out. The disc root becomes its drive.
    explicit ScopedAppDir(const QString& appDir);
    ~ScopedAppDir();
    ScopedAppDir(const ScopedAppDir&) = delete;
    ScopedAppDir& operator=(const ScopedAppDir&) = delete;

    // The value of the --appdir option, d:\ without it.
    static QString argument(const CommandLineArgs& args);
    static bool isValid(const QString& appDir);
    static QString invalidMessage(const QString& appDir);

private:
    ProcessPaths saved_;
};
