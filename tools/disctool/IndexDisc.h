#pragma once

#include "data/PackedArchive.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

// The program folder of a disc named on the command line, seen as the shell
// sees it: its plain files and the members of its interface.dat that lie
// under it, looked up by the same virtual paths. The host folder DISC is the
// program folder; --appdir says where it lies below the disc root ("d:\run\"),
// by default "d:\run\" when DISC is named run in any letter case (the shell
// then takes its parent as the disc root), else "d:\".
class IndexDisc {
public:
    // One HTML page of the program folder.
    struct Page {
        QString path; // below the program folder, "\" between folders
        bool inArchive = false;
        int member = -1;  // archive entry when inArchive
        QString hostPath; // disk file otherwise
    };

    // False with errorString() when DISC is not a folder, appDir is not a
    // Windows-style folder whose last folders name DISC and its parents, or
    // interface.dat is there but cannot be read. An empty appDir takes the
    // default.
    bool open(const QString& discHost, const QString& appDir);

    static QString defaultAppDir(const QString& discHost);

    const PackedArchive& archive() const { return archive_; }
    const QString& hostFolder() const { return discHost_; }
    // The program folder as a virtual path with a trailing backslash.
    const QString& virtualFolder() const { return appVirtual_; }
    QString virtualPath(const QString& relative) const { return appVirtual_ + relative; }
    // Whether a file of the program folder is a member of interface.dat, and
    // whether it is there at all (member or disk file).
    bool inArchive(const QString& relative) const;
    bool exists(const QString& relative) const;

    // Every *.htm* page of the program folder, archive members first in
    // precedence (a page in both places is the member), sorted by path.
    QList<Page> pages() const;
    // A page's bytes; nullopt when unreadable or larger than maxBytes.
    std::optional<QByteArray> read(const Page& page, qint64 maxBytes) const;

    const QString& errorString() const { return error_; }

private:
    bool locate(const QString& appDir);
    bool openArchive(const QString& appDir, const QString& rootVirtual);
    void addArchivePages(QList<Page>& pages) const;
    void addDiskPages(QList<Page>& pages) const;

    QString discHost_;
    QString appVirtual_;
    std::optional<QByteArray> archivePrefix_; // normalised, when the archive is reachable
    PackedArchive archive_;
    QString error_;
};
