#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// The command line of discshell. Our own options (--disc DIR, --disc=DIR,
// --disc-root DIR, --disc-root=DIR, --help, --version) are taken off first,
// anywhere before a "--"; the rest forms the raw Windows command line the
// mode rules read: "\"<program file>\" arg arg", arguments with blanks quoted.
struct CommandLine {
    QString disc;     // --disc, empty when not given
    QString discRoot; // --disc-root, empty when not given
    bool help = false;
    bool version = false;
    QStringList arguments; // what remains, in order
    QString error;         // set when an option lacks its value

    static CommandLine parse(const QStringList& argumentsWithoutProgram);
    // A lone argument naming a disc folder (as a file manager or the desktop
    // entry hands it) is taken as --disc of that folder; anything else stays.
    static QStringList withDiscFolderOption(const QStringList& argumentsWithoutProgram,
                                            const std::function<bool(const QString&)>& isDisc);

    int argumentCount() const { return int(arguments.size()); }

    // An argument naming a host file becomes its "z:\" path; switches such
    // as "/t" and Windows paths stay as they are.
    static QString windowsArgument(const QString& argument);
    // "\"<program file>\" arg arg" with arguments holding blanks (or empty) quoted.
    static QString rawCommandLine(const QString& programFile, const QStringList& arguments);

    // The thesaurus mode: "/t" anywhere in the raw command line.
    static bool isThesaurusMode(const QString& rawCommandLine);

    // The file a viewer instance shows, taken from its raw command line.
    struct ViewerRequest {
        QString file;
        bool helpMode = false; // the line held " /h"
    };
    static ViewerRequest viewerRequest(const QString& rawCommandLine, const QString& programFile);

    // Arguments for starting another instance of ourselves on the same disc.
    static QStringList instanceArguments(const QString& discHost, const QString& discRootHost,
                                         const QStringList& arguments);
    // The same for the disc behind the virtual program folder and disc root:
    // their host folders, or the image file alone when they lie on one.
    static QStringList sameDiscArguments(const QString& appDir, const QString& cdRoot,
                                         const QStringList& arguments);
};
