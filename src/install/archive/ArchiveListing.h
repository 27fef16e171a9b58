#pragma once

#include "install/archive/ArchiveReader.h"

#include <QByteArray>
#include <QList>
#include <QLocale>
#include <QMap>
#include <QString>

// The pages that list an archive: a two-frame page with the column header
// bar on top, and one page per folder of the archive (the root first) with
// its subfolders and files. Written in Windows-1251 with CR LF line ends.
class TArchiveListing {
public:
    // A folder of the archive; entry 0 is the root (empty name, time 0).
    struct RListDir {
        QString Name;
        quint32 Time = 0;
    };
    // One row of a page: a subfolder or a file.
    struct RListRow {
        QString Link;
        QString Text;
        QString Size; // empty for folders
        quint32 Time = 0;
    };
    struct RInfoFiles {
        QString Dir;
        QString Page;
        QList<RListRow> Rows;
    };

    // archivePath: the name the pages show; stamp: the DOS date-time that
    // makes the page names of this listing.
    TArchiveListing(QString archivePath, const QList<RArchiveHeader>& entries, quint32 stamp,
                    QLocale locale);

    // The frameset page's name: "as_" + the archive's file name + ".htm".
    QString FramesetPage() const;
    // Every page by file name, the frameset and "as_bar.htm" included.
    QMap<QString, QByteArray> Pages() const;

    const QList<RListDir>& Folders() const { return folders_; }
    const QList<RInfoFiles>& InfoFiles() const { return pages_; }

    // The size column: "999 байт", "2 Кбайт" (thousands, halves to even).
    static QString SizeText(qint64 size, const QLocale& locale);
    // "dd mmm yy hh:nn" with the locale's short month names; empty for 0.
    static QString TimeText(quint32 time, const QLocale& locale);
    // Each placeholder replaced at its first place in the template text,
    // so that no inserted value is taken for another placeholder.
    static QString Fill(const QString& text, const QList<std::pair<QString, QString>>& values);

private:
    void CollectFolders(const QList<RArchiveHeader>& entries);
    void AddMissingFolders();
    int FolderIndex(const QString& name) const;
    void BuildPages(quint32 stamp);
    QList<RListRow> SubfolderRows(int folder) const;
    QByteArray FolderPage(const RInfoFiles& page) const;
    QString RowLine(const RListRow& row) const;

    QString archivePath_;
    QLocale locale_;
    QList<RListDir> folders_;
    QList<RArchiveHeader> files_;
    QList<RInfoFiles> pages_;
};
