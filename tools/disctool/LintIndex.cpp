#include "LintIndex.h"

#include "IndexDisc.h"
#include "data/ComprStream.h"
#include "platform/VirtualFs.h"
#include "search/index/DecompressUtils.h"
#include "search/index/IndexLines.h"
#include "search/index/MakeFind.h"

using namespace IndexLines;

namespace {

// Repeats beyond this many keywords are not looked for.
constexpr qsizetype MaxTrackedKeywords = 1000000;

QString warningAt(const QString& file, qint64 line, const QString& text)
{
    return QStringLiteral("%1:%2: warning: %3").arg(file).arg(line).arg(text);
}

} // namespace

QStringList LintIndex::check()
{
    QStringList missing;
    for (const QString& name : {KeywordsFile, PageListsFile, PagesFile}) {
        if (!disc_.exists(name)) {
            missing.append(name);
        }
    }
    if (missing.size() == 3) {
        return {}; // a disc without an index: the shell scans its pages
    }
    for (const QString& name : missing) {
        warnings_.append(QStringLiteral("%1: warning: missing; every index search shows "
                                        "\"Индескный(е) файл(ы) не найден\" and scans the pages")
                             .arg(name));
    }
    if (missing.isEmpty()) {
        checkPages();
        checkKeywords();
        checkPageLists();
        summarize();
    }
    return warnings_;
}

std::optional<qint64> LintIndex::readLines(const QString& name,
                                           const std::function<void(qint64, const QString&)>& take)
{
    const QString path = disc_.virtualPath(name);
    const std::optional<VirtualFs::Entry> onDisk = VirtualFs::instance().attributes(path);
    const bool tooLarge =
        !disc_.inArchive(name) && onDisk && onDisk->size > TMakeFind::MaxIndexFileSize;
    TComprStream stream(disc_.archive(), path);
    if (tooLarge || stream.hasError()) {
        warnings_.append(QStringLiteral("%1: warning: cannot be read; the shell shows "
                                        "\"Индексный файл не найден (%1)\"")
                             .arg(name));
        return std::nullopt;
    }
    QString line;
    qint64 count = 0;
    for (bool more = true; more;) {
        more = ReadStreamLine(stream, line);
        if (!more && line.isEmpty()) {
            break; // an empty file, or the empty line after a closing line end
        }
        take(++count, line);
    }
    return count;
}

void LintIndex::checkPages()
{
    const auto take = [this](qint64 number, const QString& line) {
        const std::optional<RIndexPage> page = ParsePagesLine(line);
        if (!page) {
            warn(QStringLiteral("files.idx without path"),
                 warningAt(PagesFile, number,
                           QStringLiteral("names no page; a search that lists it ends "
                                          "without results")));
            return;
        }
        if (!line.contains(TitleSeparator)) {
            warn(QStringLiteral("files.idx without title"),
                 warningAt(PagesFile, number,
                           QStringLiteral("no \"#:#\" before a title; the page is listed "
                                          "without one")));
        }
        if (!disc_.exists(page->Path)) {
            warn(QStringLiteral("files.idx missing page"),
                 warningAt(PagesFile, number,
                           QStringLiteral("page \"%1\" is neither in interface.dat nor on "
                                          "the disc")
                               .arg(page->Path)));
        }
    };
    pageCount_ = readLines(PagesFile, take).value_or(-1);
}

void LintIndex::checkKeywords()
{
    QHash<QString, qint64> firstLine;
    const auto take = [&](qint64 number, const QString& keyword) {
        const QString folded = keyword.toCaseFolded();
        const auto earlier = firstLine.constFind(folded);
        if (earlier != firstLine.cend()) {
            warn(QStringLiteral("keywords.idx repeat"),
                 warningAt(KeywordsFile, number,
                           QStringLiteral("\"%1\" repeats line %2; only line %2 is searched")
                               .arg(keyword)
                               .arg(*earlier)));
        } else if (firstLine.size() < MaxTrackedKeywords) {
            firstLine.insert(folded, number);
        }
    };
    keywordCount_ = readLines(KeywordsFile, take).value_or(-1);
}

void LintIndex::checkPageLists()
{
    const auto take = [this](qint64 number, const QString& line) {
        const std::optional<QList<qint32>> pages = ParsePageList(line);
        if (!pages) {
            warn(QStringLiteral("index.idx bad list"),
                 warningAt(PageListsFile, number,
                           QStringLiteral("not a list of page numbers; the search for "
                                          "keyword %1 ends without results")
                               .arg(number)));
            return;
        }
        QList<qint32> outside;
        for (const qint32 page : *pages) {
            if (pageCount_ >= 0 && (page < 1 || page > pageCount_)) {
                outside.append(page);
            }
        }
        if (!outside.isEmpty()) {
            QString text = QStringLiteral("page %1 lies outside the %2 lines of files.idx")
                               .arg(outside.first())
                               .arg(pageCount_);
            if (outside.size() > 1) {
                text += QStringLiteral(" (and %1 more on this line)").arg(outside.size() - 1);
            }
            warn(QStringLiteral("index.idx outside"), warningAt(PageListsFile, number, text));
        }
    };
    pageListCount_ = readLines(PageListsFile, take).value_or(-1);
    if (keywordCount_ >= 0 && pageListCount_ >= 0 && keywordCount_ != pageListCount_) {
        warnings_.append(QStringLiteral("index.idx: warning: %1 page lists for the %2 keywords "
                                        "of keywords.idx; keyword N takes line N")
                             .arg(pageListCount_)
                             .arg(keywordCount_));
    }
}

void LintIndex::warn(const QString& kind, const QString& line)
{
    int& count = warningsOfKind_[kind];
    if (count == 0) {
        kinds_.append(kind);
    }
    if (++count <= MaxWarningsOfAKind) {
        warnings_.append(line);
    }
}

void LintIndex::summarize()
{
    for (const QString& kind : kinds_) {
        const int rest = warningsOfKind_.value(kind) - MaxWarningsOfAKind;
        if (rest > 0) {
            warnings_.append(QStringLiteral("%1: warning: %2 more like the above")
                                 .arg(kind.section(QLatin1Char(' '), 0, 0))
                                 .arg(rest));
        }
    }
}
