#include "data/FindFiles.h"

#include "platform/VirtualFs.h"

#include <QFileInfo>
#include <QSet>

namespace {

const QChar Backslash = QLatin1Char('\\');

// Matches a lower-cased name against a lower-cased mask with "*" (any run of
// characters) and "?" (one character). Backtracks only to the last star, so
// the time stays linear in practice and never explodes.
bool matchesMask(const QString& name, const QString& mask)
{
    if (mask == QStringLiteral("*.*")) {
        return true;
    }
    qsizetype n = 0;
    qsizetype m = 0;
    qsizetype starMask = -1;
    qsizetype starName = 0;
    while (n < name.size()) {
        if (m < mask.size() && (mask[m] == QLatin1Char('?') || mask[m] == name[n])) {
            ++n;
            ++m;
        } else if (m < mask.size() && mask[m] == QLatin1Char('*')) {
            starMask = m++;
            starName = n;
        } else if (starMask >= 0) {
            m = starMask + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == QLatin1Char('*')) {
        ++m;
    }
    return m == mask.size();
}

// The host folder behind a virtual one with links resolved, so that a folder
// reached twice (through a link back up the tree) is searched only once.
QString canonicalHostFolder(const QString& virtualFolder)
{
    const std::optional<QString> host = VirtualFs::instance().resolveExisting(virtualFolder);
    return host ? QFileInfo(*host).canonicalFilePath() : QString();
}

class FolderWalk {
public:
    FolderWalk(const TDynamicStringArray& masks, bool recurse, bool listFolders,
               TDynamicStringArray& result)
        : masks_(masks), recurse_(recurse), listFolders_(listFolders), result_(result)
    {
    }

    void run(const QString& top)
    {
        work_.append(top);
        for (qsizetype next = 0; next < work_.size(); ++next) {
            // A copy: visiting appends to the list the folder came from.
            const QString folder = work_[next];
            visit(folder);
        }
    }

private:
    void visit(const QString& folder)
    {
        const QString canonical = canonicalHostFolder(folder);
        if (canonical.isEmpty() || visited_.contains(canonical)) {
            return;
        }
        visited_.insert(canonical);
        const std::optional<QList<VirtualFs::Entry>> entries = VirtualFs::instance().list(folder);
        if (!entries) {
            return;
        }
        if (listFolders_) {
            result_.append(folder);
        }
        for (const QString& mask : masks_) {
            appendMatches(folder, *entries, mask);
        }
        if (recurse_) {
            for (const VirtualFs::Entry& entry : *entries) {
                if (entry.isFolder) {
                    work_.append(folder + entry.name + Backslash);
                }
            }
        }
    }

    void appendMatches(const QString& folder, const QList<VirtualFs::Entry>& entries,
                       const QString& mask)
    {
        for (const VirtualFs::Entry& entry : entries) {
            if (!entry.isFolder && matchesMask(entry.name.toLower(), mask)) {
                result_.append(folder + entry.name);
            }
        }
    }

    const TDynamicStringArray& masks_;
    bool recurse_;
    bool listFolders_;
    TDynamicStringArray& result_;
    TDynamicStringArray work_;
    QSet<QString> visited_;
};

} // namespace

void FindFiles(const QString& folder, TDynamicStringArray& masks, bool recurse, bool listFolders,
               TDynamicStringArray& result)
{
    result.clear();
    if (folder.isEmpty()) {
        return;
    }
    for (QString& mask : masks) {
        mask = mask.toLower();
    }
    const QString top = folder.endsWith(Backslash) ? folder : folder + Backslash;
    FolderWalk(masks, recurse, listFolders, result).run(top);
}
