#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class IsoImage;

// Where the disc is: the host folder holding Mev.dhl and interface.dat
// (AppDir), the host folder mounted as "d:\" (the disc root), and the virtual
// folders the shell works with.
//
// AppDir: --disc DIR, else $DISCSHELL_DISC, else the executable's folder when
// it holds Mev.dhl (any letter case), else the demo disc. Disc root:
// --disc-root DIR (when it holds AppDir), else the mount point of AppDir when
// that is an optical or removable medium (never "/"), else the parent of
// AppDir when AppDir is named "run" in any letter case, else AppDir itself.
struct DiscLocation {
    // Everything the rules look at, so that they can be tried without a disc.
    struct Inputs {
        QStringList arguments;    // command line without the program
        QString discVariable;     // $DISCSHELL_DISC
        QString executableFolder; // folder of the running program
        QString demoFolder;       // the demo disc the build or install provides
        QString mountInfo;        // text of /proc/self/mountinfo
        // Whether the block device "major:minor" is removable.
        std::function<bool(const QString& device)> isRemovableDevice;
    };

    QString appDirHost;   // absolute host folder
    QString discRootHost; // absolute host folder mounted as "d:\"
    QString appDir;       // "d:\" + AppDir below the disc root + "\"
    QString programFile;  // appDir + "discshell.exe"
    QString cdRoot;       // "d:\"
    QString archiveBase;  // appDir without its first "run\"
    QString imageHost;    // the disc image file; empty for a disc folder

    // Takes AppDir from an open image: its root when that holds Mev.dhl (any
    // letter case), else a folder one level down that does, "run" first,
    // then in code-point order. False when no such folder exists.
    bool useImage(const IsoImage& image);
    // The virtual AppDir of an image as useImage() finds it.
    static std::optional<QString> imageAppDir(const IsoImage& image);

    // The inputs of this process: environment, /proc/self/mountinfo, /sys.
    static Inputs processInputs(const QStringList& arguments, const QString& demoFolder);
    static DiscLocation locate(const Inputs& inputs);

    static QString findAppDirHost(const Inputs& inputs);
    // The host folder holds a resource container (Mev.dhl, any letter case).
    static bool holdsContainer(const QString& folder);
    // holdsContainer(), or a file that looks like a disc image.
    static bool namesDisc(const QString& path);
    static QString findDiscRootHost(const Inputs& inputs, const QString& appDirHost);

    struct Mount {
        QString point;  // host folder
        QString type;   // file system type
        QString device; // "major:minor"
    };
    // The mount holding a host path (the longest mount point above it).
    static std::optional<Mount> mountOf(const QString& hostPath, const QString& mountInfo);

    // "d:\" + the path of appDirHost below discRootHost with backslashes + "\".
    static QString virtualAppDir(const QString& appDirHost, const QString& discRootHost);
    // AppDir with its first "run\" removed, compared without regard to case.
    static QString archiveBaseOf(const QString& appDir);
};
