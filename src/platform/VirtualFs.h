#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QMutex>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

class IsoImage;
class IsoImageCache;

// Windows-style paths inside the program, host paths at the boundary.
//
// A mount table maps virtual prefixes ("d:\", "c:\windows\temp\", "z:\") to host
// folders; the longest prefix wins. Each component below a mount is resolved
// without regard to letter case (Cyrillic included), an exact-case name winning,
// otherwise the first of the candidates in code-point order, so the choice never
// depends on the order the host lists a folder in. Resolved folder listings are
// cached per folder and dropped when the folder's modification time changes.
//
// A prefix may instead be mounted on a disc image: listings and attributes
// come from the image's index, and resolving an existing entry gives the host
// path of its copy in the image's cache (made on demand). Nothing below an
// image mount is ever created, changed or removed.
//
// All virtual paths are collapsed first ("\..\" never climbs above a mount;
// empty and "." components vanish); a component holding NUL or "/" never
// reaches the host file system.
class VirtualFs {
public:
    // What a listing reports of one entry.
    struct Entry {
        QString name; // host name of the entry, as stored
        bool isFolder = false;
        bool isHidden = false;   // name begins with "."
        bool isReadOnly = false; // no write permission for us
        qint64 size = 0;
        QDateTime modified;
    };

    // The process-wide instance every reader uses.
    static VirtualFs& instance();

    VirtualFs();

    // Maps a virtual folder prefix (any case, with or without trailing
    // backslash) to a host folder. Mounting the same prefix again replaces it.
    void mount(const QString& virtualPrefix, const QString& hostFolder);
    // Maps a virtual folder prefix to the root of a disc image, read-only.
    void mountImage(const QString& virtualPrefix, std::shared_ptr<IsoImageCache> image);
    void unmount(const QString& virtualPrefix);
    void clearMounts();

    // The standard mounts of the process on instance(): "d:\" to the disc root,
    // "c:\windows\temp\" to a private temporary folder, "c:\windows\fonts\" to
    // the user's font folder, "c:\windows\" (with "system32") and "c:\" to the
    // Wine prefix when there is one, else to per-user data folders, "z:\" to "/".
    // Creates the per-user folders.
    // With image, "d:\" is that disc image instead of a host folder.
    static void mountStandard(const QString& discRootHost,
                              std::shared_ptr<IsoImageCache> image = nullptr);
    // The private per-user runtime folder (mode 0700), created on demand:
    // $XDG_RUNTIME_DIR/discshell, else /tmp/discshell-<uid>.
    static QString runtimeFolder();

    // The virtual form of a host path under the "z:\" mount ("/a/b" -> "z:\a\b").
    static QString fromHostPath(const QString& hostPath);

    // Collapses "/" to "\", empty and "." components and "\..\" steps; the
    // drive ("x:\") is kept and never climbed over. Nullopt when a component
    // holds NUL or the path has no drive.
    static std::optional<QString> normalize(const QString& virtualPath);

    // Host path of an existing file or folder, found case-insensitively.
    std::optional<QString> resolveExisting(const QString& virtualPath) const;
    // Host path for a file or folder to be created: existing leading components
    // are resolved case-insensitively, the missing rest keeps the given names.
    std::optional<QString> resolveForCreate(const QString& virtualPath) const;

    // Whether the path lies below a read-only image mount.
    bool isOnImage(const QString& virtualPath) const;
    // The host path of the disc image a path lies on; nullopt off images.
    std::optional<QString> imageFileOf(const QString& virtualPath) const;
    // Copies out every file of an existing folder on an image (a program and
    // the files beside it that it expects to find); true off images.
    bool extractFolder(const QString& virtualFolder) const;

    bool exists(const QString& virtualPath) const;
    bool fileExists(const QString& virtualPath) const;
    bool folderExists(const QString& virtualPath) const;

    // Whole content of a file, or its first maxBytes when maxBytes >= 0;
    // nullopt when missing or unreadable.
    std::optional<QByteArray> readFile(const QString& virtualPath, qint64 maxBytes = -1) const;
    // Entries of a folder sorted by name (code-point order), "." and ".." left out.
    std::optional<QList<Entry>> list(const QString& virtualFolder) const;
    std::optional<Entry> attributes(const QString& virtualPath) const;

    bool makePath(const QString& virtualFolder) const;
    bool copyFile(const QString& from, const QString& to, bool overwrite) const;
    bool removeFile(const QString& virtualPath) const;
    bool removeFolder(const QString& virtualPath, bool recursive) const;

    // The current folder as a virtual path (with trailing backslash); the host
    // process's current directory follows it when it resolves.
    QString currentFolder() const;
    bool setCurrentFolder(const QString& virtualFolder);

private:
    struct Mount {
        QString prefix;                       // case-folded, ends with "\"
        QString host;                         // absolute, without trailing "/" (except "/")
        std::shared_ptr<IsoImageCache> image; // set for an image mount
    };
    struct Located {
        QString host;      // host folder of the mount
        QStringList below; // components below the mount, as given
        std::shared_ptr<IsoImageCache> image;
    };
    // An entry below an image mount: node is empty when nothing is there.
    struct OnImage {
        std::shared_ptr<IsoImageCache> image;
        std::optional<int> node;
    };
    struct FolderNames {
        qint64 modifiedNs = 0;
        quint64 inode = 0;
        qint64 listedNs = 0;
        QHash<QString, QString> byFoldedName; // folded name -> first host name
    };

    std::optional<QString> absolute(const QString& virtualPath) const;
    std::optional<Located> split(const QString& virtualPath) const;
    void addMount(Mount entry);
    // Nullopt when the path is not below an image mount.
    std::optional<OnImage> onImage(const QString& virtualPath) const;
    static Entry imageEntry(const IsoImage& image, int node);
    static std::optional<QList<Entry>> listImage(const OnImage& at);
    std::optional<QString> matchComponent(const QString& hostFolder, const QString& name) const;
    std::optional<QString> cachedMatch(const QString& hostFolder, const QString& folded) const;
    std::optional<QString> resolve(const QString& virtualPath, bool forCreate) const;

    mutable QMutex mountMutex_;
    QList<Mount> mounts_;
    QString currentFolder_;
    mutable QMutex cacheMutex_;
    mutable QHash<QString, FolderNames> cache_;
};
