#pragma once

#include <QString>
#include <QStringList>
#include <memory>

// Starts programs detached, always as argument vectors, never through a shell
// string. The launcher is replaceable so that tests can see what would start.
class IProcessLauncher {
public:
    virtual ~IProcessLauncher() = default;
    // Host program, arguments and working folder; false when it did not start.
    virtual bool StartDetached(const QString& program, const QStringList& arguments,
                               const QString& workingFolder) = 0;
    // Host path of an executable found on PATH; empty when there is none.
    virtual QString FindExecutable(const QString& name) const = 0;
};

IProcessLauncher& ProcessLauncher();
// Installs a launcher; nullptr brings back the real one.
void SetProcessLauncher(std::unique_ptr<IProcessLauncher> launcher);

// What the "open" of a file means here.
namespace Processes {

// Opens a file of the virtual file system in its own folder: a Windows
// program (".exe", ".com") runs under Wine with the parameters when Wine is
// installed; any other file goes to the desktop's default handler. False when
// the file does not exist or nothing could start it.
bool Open(const QString& virtualFile, const QString& parameters);

// A URL as written ("http:", "mailto:", a file) to the desktop's default
// handler; false when nothing could start.
bool OpenUrl(const QString& url);

// Another process of this program with the arguments, in the host folder.
bool StartOwnProgram(const QStringList& arguments, const QString& workingFolder);

// Windows-style parameters split into arguments: blanks separate, double
// quotes group and are removed.
QStringList SplitParameters(const QString& parameters);

} // namespace Processes
