// Reads arbitrary bytes as the keyword index of a disc: the input holds
// keywords.idx, index.idx and files.idx separated by NUL bytes. Looks up the
// first, a middle and the last keyword (both letter cases) and a word that is
// not there, and checks that what a lookup returns is consistent.

#include "FuzzFolder.h"
#include "data/PackedArchive.h"
#include "platform/CodePage.h"
#include "search/index/IndexLines.h"
#include "search/index/MakeFind.h"

#include <QStringList>
#include <cstddef>
#include <cstdint>

namespace {

void lookUp(const QString& keyword, bool caseSensitive)
{
    static const PackedArchive noArchive;
    TMakeFind find(noArchive);
    find.SetIndexFolder(QStringLiteral("d:\\"));
    find.SetMessageHandler([](IndexMessageKind, const QString&) {});
    RFindResults results;
    const bool found = find.FindKeyword(keyword, results, caseSensitive);
    // A damaged page list or page line ends the search without results.
    if (results.Files.size() != results.Titles.size() || (find.IndexDamaged() && found)) {
        __builtin_trap();
    }
    for (const QString& file : results.Files) {
        if (file.trimmed().isEmpty()) {
            __builtin_trap(); // a page without a path is a damaged line, never a result
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QList<QByteArray> files = FuzzFolder::parts(data, size, 2);
    FuzzFolder::write(IndexLines::KeywordsFile, files[0]);
    FuzzFolder::write(IndexLines::PageListsFile, files[1]);
    FuzzFolder::write(IndexLines::PagesFile, files[2]);
    const QStringList keywords = CodePage::fromCp1251(files[0]).split(QLatin1Char('\r'));
    QStringList wanted = {keywords.first(), keywords.at(keywords.size() / 2), keywords.last(),
                          QStringLiteral("нет такого")};
    for (QString& keyword : wanted) {
        keyword.remove(QLatin1Char('\n'));
        lookUp(keyword, true);
        lookUp(keyword.toUpper(), false);
    }
    return 0;
}
