#include "search/FindPageLists.h"

#include "data/FindFiles.h"

namespace {

const QChar Backslash = QLatin1Char('\\');

TDynamicStringArray finished(TDynamicStringArray pages)
{
    if (pages.size() > FindPageLists::MaxPages) {
        pages.resize(FindPageLists::MaxPages);
    }
    if (pages.isEmpty()) {
        pages.append(QString());
    }
    return pages;
}

bool isPage(const QString& lowerPath)
{
    const qsizetype dot = lowerPath.lastIndexOf(QLatin1Char('.'));
    return dot > lowerPath.lastIndexOf(Backslash) &&
           lowerPath.mid(dot).contains(QStringLiteral(".htm"));
}

bool inManualFolder(const QString& lowerPath)
{
    const QString folder = lowerPath.left(lowerPath.lastIndexOf(Backslash) + 1);
    return folder == QStringLiteral("man\\") || folder == QStringLiteral("man_\\");
}

bool excluded(const QString& lowerEntry, const TDynamicStringArray& noFiles)
{
    for (const QString& fragment : noFiles) {
        if (!fragment.trimmed().isEmpty() && lowerEntry.contains(fragment.toLower())) {
            return true;
        }
    }
    return false;
}

} // namespace

namespace FindPageLists {

TDynamicStringArray DiskPages(const QString& folder)
{
    TDynamicStringArray masks{QStringLiteral("*.htm*")};
    TDynamicStringArray pages;
    FindFiles(folder, masks, true, false, pages);
    return finished(pages);
}

TDynamicStringArray ArchivePages(const TDynamicStringArray& members, const QString& archiveBase,
                                 const TDynamicStringArray& noFiles, bool allPages)
{
    TDynamicStringArray pages;
    for (const QString& member : members) {
        const QString path = member.toLower().replace(QLatin1Char('/'), Backslash);
        if (!isPage(path) || inManualFolder(path)) {
            continue;
        }
        const QString entry = archiveBase + path;
        if (allPages || !excluded(entry.toLower(), noFiles)) {
            pages.append(entry);
        }
        if (pages.size() >= MaxPages) {
            break;
        }
    }
    return finished(pages);
}

} // namespace FindPageLists
