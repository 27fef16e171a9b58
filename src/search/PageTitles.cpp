#include "search/PageTitles.h"

#include "data/ComprStream.h"
#include "data/PackedArchive.h"
#include "platform/VirtualFs.h"
#include "search/index/DecompressUtils.h"
#include "search/index/IndexLines.h"
#include "search/index/MakeFind.h"
#include "search/index/StringUtils.h"

#include <algorithm>

namespace {

QString bareName(const QString& path)
{
    const qsizetype cut =
        std::max(path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char('/')));
    return path.mid(cut + 1);
}

bool tooLargeOnDisk(const QString& path)
{
    if (FindMember(path) >= 0) {
        return false;
    }
    const std::optional<VirtualFs::Entry> entry = VirtualFs::instance().attributes(path);
    return entry && entry->size > TMakeFind::MaxIndexFileSize;
}

} // namespace

TPageTitles::TPageTitles(const QString& indexFile) : indexFile_(indexFile) {}

std::optional<QString> TPageTitles::TitleOf(const QString& page)
{
    if (!loaded_) {
        Load();
    }
    const auto found = titles_.constFind(bareName(page).toLower());
    if (found == titles_.constEnd()) {
        return std::nullopt;
    }
    return *found;
}

void TPageTitles::Load()
{
    loaded_ = true;
    if (tooLargeOnDisk(indexFile_)) {
        return;
    }
    TComprStream stream(indexFile_);
    if (stream.hasError()) {
        return;
    }
    QString line;
    bool more = true;
    while (more) {
        more = ReadStreamLine(stream, line);
        const qsizetype separator = line.indexOf(IndexLines::TitleSeparator);
        if (separator < 0) {
            continue;
        }
        const QString name = TrimControls(line.left(separator)).toLower();
        if (!name.isEmpty() && !titles_.contains(name)) {
            titles_.insert(name, TrimControls(line.mid(separator + 3)));
        }
    }
}
