#pragma once

#include <QString>
#include <QStringList>

// The list of files one build wrote into a disc folder, kept inside it, so
// that the next build removes what it no longer makes and leaves everything
// else in the folder alone.
class BuildManifest {
public:
    explicit BuildManifest(const QString& outFolder);

    static QString fileName();

    // Relative paths ("/" between folders) of the previous build; lines that
    // are not plain relative paths inside the folder are dropped.
    QStringList load() const;
    bool save(const QStringList& relativePaths, QString& error) const;

    // Removes the files of previous that are not in current, then the folders
    // that this leaves empty. Nothing outside the folder is touched.
    void removeStale(const QStringList& previous, const QStringList& current) const;

    static bool isPlainRelativePath(const QString& path);

private:
    bool liesInside(const QString& relativePath) const;
    void removeEmptyParents(const QString& relativePath) const;

    QString outFolder_;
};
