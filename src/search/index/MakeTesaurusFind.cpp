#include "search/index/MakeTesaurusFind.h"

#include "data/ComprStream.h"
#include "data/PackedArchive.h"
#include "platform/VirtualFs.h"
#include "search/index/DecompressUtils.h"
#include "search/index/MakeFind.h"
#include "search/index/StringUtils.h"

const QString TMakeTesaurusFind::IndexFile = QStringLiteral("tezaurus.idx");

namespace {

const QString Delimiter = QStringLiteral("~");

bool beginsWithBlank(const QString& line)
{
    return !line.isEmpty() && line.at(0).unicode() <= ' ';
}

} // namespace

TMakeTesaurusFind::TMakeTesaurusFind() : TMakeTesaurusFind(InterfaceArchive()) {}

TMakeTesaurusFind::TMakeTesaurusFind(const PackedArchive& archive) : archive_(archive) {}

void TMakeTesaurusFind::SetIndexFolder(const QString& folder)
{
    indexFolder_ = folder;
    if (indexFolder_.endsWith(QLatin1Char('\\'))) {
        indexFolder_.chop(1);
    }
}

void TMakeTesaurusFind::SetMessageHandler(IndexMessageHandler handler)
{
    handler_ = std::move(handler);
}

bool TMakeTesaurusFind::FindPage(const QString& word, QString& page)
{
    const QString path = indexFolder_ + QLatin1Char('\\') + IndexFile;
    if (!IndexExists(path)) {
        return false;
    }
    if (TooLargeOnDisk(path)) {
        ShowUnreadable();
        return false;
    }
    TComprStream stream(archive_, path);
    if (stream.hasError()) {
        ShowUnreadable();
        return false;
    }
    const QString lowerWord = word.toLower();
    QString line;
    bool more = true;
    while (more) {
        more = ReadStreamLine(stream, line);
        const std::optional<TDynamicStringArray> pieces = SplitString(Delimiter, line);
        if (!pieces) {
            return false;
        }
        // A line without a page cannot lead anywhere; an empty key never forms.
        if (pieces->size() < 2) {
            if (word.isEmpty()) {
                return false;
            }
            continue;
        }
        const QString key = TrimControls(pieces->at(0)).toLower();
        if (word.isEmpty() || (!beginsWithBlank(line) && lowerWord.contains(key))) {
            page = TrimControls(pieces->at(1));
            return true;
        }
    }
    return false;
}

bool TMakeTesaurusFind::IndexExists(const QString& path) const
{
    return archive_.FindMember(path) >= 0 || VirtualFs::instance().fileExists(path);
}

// The archive bounds its members itself; a disk file is read only up to the
// size the keyword index allows.
bool TMakeTesaurusFind::TooLargeOnDisk(const QString& path) const
{
    if (archive_.FindMember(path) >= 0) {
        return false;
    }
    const std::optional<VirtualFs::Entry> entry = VirtualFs::instance().attributes(path);
    return entry && entry->size > TMakeFind::MaxIndexFileSize;
}

void TMakeTesaurusFind::ShowUnreadable() const
{
    const QString text = QStringLiteral("Индексный файл не найден (%1)").arg(IndexFile);
    if (handler_) {
        handler_(IndexMessageKind::Warning, text);
    } else {
        IndexMessages::Show(IndexMessageKind::Warning, text);
    }
}
