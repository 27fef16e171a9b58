#include "search/index/MakeFind.h"

#include "data/ComprStream.h"
#include "data/PackedArchive.h"
#include "platform/CodePage.h"
#include "platform/VirtualFs.h"
#include "search/index/DecompressUtils.h"
#include "search/index/IndexLines.h"

#include <QSet>
#include <algorithm>

using namespace IndexLines;

namespace {

const QString MissingFilesText = QStringLiteral("Индескный(е) файл(ы) не найден");

QString unreadableText(const QString& fileName)
{
    return QStringLiteral("Индексный файл не найден (%1)").arg(fileName);
}

bool sameKeyword(const QByteArray& line, const QString& keyword, bool caseSensitive)
{
    if (line.size() != keyword.size()) {
        return false; // one byte is one character in Windows-1251
    }
    const QString text = CodePage::fromCp1251(line);
    return text.compare(keyword, caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive) == 0;
}

} // namespace

TMakeFind::TMakeFind() : TMakeFind(InterfaceArchive()) {}

TMakeFind::TMakeFind(const PackedArchive& archive) : archive_(archive) {}

TMakeFind::~TMakeFind() = default;

void TMakeFind::SetIndexFolder(const QString& folder)
{
    indexFolder_ = folder;
    if (indexFolder_.endsWith(QLatin1Char('\\'))) {
        indexFolder_.chop(1);
    }
}

void TMakeFind::SetMessageHandler(IndexMessageHandler handler)
{
    handler_ = std::move(handler);
}

bool TMakeFind::FindKeyword(const QString& keyword, RFindResults& results, bool caseSensitive)
{
    indexDamaged_ = false;
    if (!IndexFilesExist()) {
        show(IndexMessageKind::Plain, MissingFilesText);
        return false;
    }
    const std::optional<qint64> number = FindKeywordLine(keyword, caseSensitive);
    if (!number) {
        return false;
    }
    const std::optional<QString> pageList = ReadIndexLine(*number);
    if (!pageList) {
        return false;
    }
    CollectFiles(*pageList, results);
    return !results.Files.isEmpty();
}

bool TMakeFind::IndexFilesExist() const
{
    const QString names[] = {KeywordsFile, PageListsFile, PagesFile};
    return std::all_of(std::begin(names), std::end(names), [this](const QString& name) {
        const QString path = pathOf(name);
        return archive_.FindMember(path) >= 0 || VirtualFs::instance().fileExists(path);
    });
}

std::optional<qint64> TMakeFind::FindKeywordLine(const QString& keyword, bool caseSensitive)
{
    const std::unique_ptr<TComprStream> stream = openIndexFile(KeywordsFile);
    if (!stream) {
        return std::nullopt;
    }
    QByteArray line;
    qint64 number = 0;
    bool more = true;
    while (more) {
        more = ReadStreamLine(*stream, line);
        ++number;
        if (sameKeyword(line, keyword, caseSensitive)) {
            return number;
        }
    }
    return std::nullopt;
}

std::optional<QString> TMakeFind::ReadIndexLine(qint64 number)
{
    const std::unique_ptr<TComprStream> stream = openIndexFile(PageListsFile);
    if (!stream) {
        return std::nullopt;
    }
    QByteArray line;
    for (qint64 read = 1; read <= number; ++read) {
        const bool more = ReadStreamLine(*stream, line);
        if (!more && read < number) {
            return std::nullopt;
        }
    }
    return CodePage::fromCp1251(line);
}

bool TMakeFind::CollectFiles(const QString& pageList, RFindResults& results)
{
    const std::optional<QList<qint32>> pages = ParsePageList(pageList);
    if (!pages) {
        indexDamaged_ = true;
        return false;
    }
    const QSet<qint32> wanted(pages->cbegin(), pages->cend());
    const qint32 lastWanted = *std::max_element(pages->cbegin(), pages->cend());
    const std::unique_ptr<TComprStream> stream = openIndexFile(PagesFile);
    if (!stream) {
        return false;
    }
    RFindResults found;
    QString line;
    bool more = true;
    for (qint64 number = 1; more && number <= lastWanted; ++number) {
        more = ReadStreamLine(*stream, line);
        if (!wanted.contains(qint32(number))) {
            continue;
        }
        const std::optional<RIndexPage> page = ParsePagesLine(line);
        if (!page) {
            indexDamaged_ = true;
            return false;
        }
        found.Files.append(page->Path);
        found.Titles.append(page->Title);
    }
    results.Files.append(found.Files);
    results.Titles.append(found.Titles);
    return true;
}

QString TMakeFind::pathOf(const QString& fileName) const
{
    return indexFolder_ + QLatin1Char('\\') + fileName;
}

std::unique_ptr<TComprStream> TMakeFind::openIndexFile(const QString& fileName)
{
    const QString path = pathOf(fileName);
    std::unique_ptr<TComprStream> stream;
    if (!tooLargeOnDisk(path)) {
        stream = std::make_unique<TComprStream>(archive_, path);
    }
    if (!stream || stream->hasError()) {
        show(IndexMessageKind::Warning, unreadableText(fileName));
        return nullptr;
    }
    return stream;
}

bool TMakeFind::tooLargeOnDisk(const QString& path) const
{
    if (archive_.FindMember(path) >= 0) {
        return false;
    }
    const std::optional<VirtualFs::Entry> entry = VirtualFs::instance().attributes(path);
    return entry && entry->size > MaxIndexFileSize;
}

void TMakeFind::show(IndexMessageKind kind, const QString& text) const
{
    if (handler_) {
        handler_(kind, text);
    } else {
        IndexMessages::Show(kind, text);
    }
}
