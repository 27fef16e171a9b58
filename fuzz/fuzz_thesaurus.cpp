// Reads arbitrary bytes as the thesaurus index tezaurus.idx. The first line
// of the input up to a NUL byte is a word to look up (when there is a NUL);
// the start page (the empty word) and the head of the file as a word are
// looked up as well.

#include "FuzzFolder.h"
#include "data/PackedArchive.h"
#include "platform/CodePage.h"
#include "search/index/MakeTesaurusFind.h"

#include <cstddef>
#include <cstdint>

namespace {

void lookUp(const QString& word)
{
    static const PackedArchive noArchive;
    TMakeTesaurusFind find(noArchive);
    find.SetIndexFolder(QStringLiteral("d:\\"));
    find.SetMessageHandler([](IndexMessageKind, const QString&) {});
    QString page = QStringLiteral("unchanged");
    if (!find.FindPage(word, page) && page != QLatin1String("unchanged")) {
        __builtin_trap(); // a failed lookup leaves the page alone
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QList<QByteArray> parts = FuzzFolder::parts(data, size, 1);
    const bool hasWord = size_t(parts[0].size()) < size; // a NUL cut the input
    const QByteArray index = hasWord ? parts[1] : parts[0];
    FuzzFolder::write(TMakeTesaurusFind::IndexFile, index);
    lookUp(QString());
    if (hasWord) {
        lookUp(CodePage::fromCp1251(parts[0]));
    }
    // The head of the file as the word, so that its keys match.
    lookUp(CodePage::fromCp1251(index.left(4096)).replace(QLatin1Char('~'), QLatin1Char(' ')));
    return 0;
}
