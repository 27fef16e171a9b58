#include "search/index/MakeFind.h"

#include "TempDir.h"
#include "data/ArchiveWriter.h"
#include "data/PackedArchive.h"
#include "platform/CodePage.h"
#include "platform/VirtualFs.h"

#include <QFile>
#include <QRandomGenerator>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

struct Message {
    IndexMessageKind kind;
    QString text;
    bool operator==(const Message&) const = default;
};

const QString Missing = QStringLiteral("Индескный(е) файл(ы) не найден");

QByteArray word(quint32 value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    return QByteArray(bytes, 4);
}

// An archive of stored members laid out by hand; a member whose claimed
// unpacked size differs from its bytes is damaged.
QByteArray handMadeArchive(const QList<std::tuple<QByteArray, QByteArray, quint32>>& members)
{
    QByteArray entries;
    QByteArray data;
    for (const auto& [name, bytes, unpacked] : members) {
        entries += name.leftJustified(64, '\0') + word(quint32(data.size())) +
                   word(quint32(bytes.size())) + word(unpacked) + word(PackedArchive::KindFile);
        data += bytes;
    }
    const auto count = quint32(members.size());
    const QByteArray directory =
        word(1) + word(count) + word(0) + word(0) + word(0) + word(count) + entries;
    return word(0x5C2E91A3) + word(quint32(directory.size()) ^ 0x0D7B46E8) + directory + data;
}

// The three index files of a small disc of five pages.
const char* const Keywords = "моторы\r\nМотор\r\nmotor\r\nдом\r\nДОМ\r\nпусто\r\n";
const char* const PageLists = "1\r\n 5 : 2 :5 \r\n4:\r\n3\r\n1\r\n:3: 17:";
const char* const Pages = "a.htm#:#Первая\r\nb.htm#:#Вторая\r\nc.htm\r\n"
                          "pages\\d.htm#:#Четвёртая\r\nE.HTM#:#Пятая";

class MakeFindTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        VirtualFs::instance().mount(QStringLiteral("z:\\"), QStringLiteral("/"));
        find.SetIndexFolder(dir.virtualPath());
        find.SetMessageHandler([this](IndexMessageKind kind, const QString& text) {
            messages.append({kind, text});
        });
    }

    void writeIndex(const char* keywords, const char* pageLists, const char* pages)
    {
        dir.write(QStringLiteral("keywords.idx"), CodePage::toCp1251(QString::fromUtf8(keywords)));
        dir.write(QStringLiteral("index.idx"), CodePage::toCp1251(QString::fromUtf8(pageLists)));
        dir.write(QStringLiteral("files.idx"), CodePage::toCp1251(QString::fromUtf8(pages)));
    }

    void openArchive(const QByteArray& bytes)
    {
        const QString host = dir.write(QStringLiteral("interface.dat"), bytes);
        ASSERT_TRUE(archive.OpenArchive(VirtualFs::fromHostPath(host)))
            << archive.errorString().toStdString();
        archive.SetArchiveBase(dir.virtualPath());
    }

    // Searches case-insensitively into fresh results.
    RFindResults search(const QString& keyword, bool caseSensitive = false)
    {
        RFindResults results;
        found = find.FindKeyword(keyword, results, caseSensitive);
        return results;
    }

    TempDir dir;
    PackedArchive archive;
    TMakeFind find{archive};
    QList<Message> messages;
    bool found = false;
};

TEST_F(MakeFindTest, KeywordIsAWholeLineComparedWithoutRegardToCase)
{
    writeIndex(Keywords, PageLists, Pages);
    RFindResults results = search(QStringLiteral("мОТОР"));
    EXPECT_TRUE(found);
    EXPECT_EQ(results.Files, QStringList({"b.htm", "E.HTM"})) << "line 2, not 'моторы' on line 1";
    EXPECT_EQ(results.Titles, QStringList({"Вторая", "Пятая"}));

    EXPECT_EQ(search(QStringLiteral("MOTOR")).Files, QStringList({"pages\\d.htm"}));
    EXPECT_TRUE(search(QStringLiteral("Мотор"), true).Files.size() == 2);
    search(QStringLiteral("мотор"), true);
    EXPECT_FALSE(found) << "exact comparison when case matters";
    search(QStringLiteral("мото"));
    EXPECT_FALSE(found) << "no prefix matching";
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(MakeFindTest, RepeatedKeywordUsesItsFirstLine)
{
    writeIndex(Keywords, PageLists, Pages);
    EXPECT_EQ(search(QStringLiteral("Дом")).Files, QStringList({"c.htm"}));
}

TEST_F(MakeFindTest, PagesComeOnceEachInTheOrderOfFilesIdx)
{
    writeIndex("x\r\ny\r\nz\r\nw", "5:1:5:1:3\r\n:3: 17:\r\n4:\r\n-2:0:2147483647:9", Pages);
    EXPECT_EQ(search(QStringLiteral("x")).Files, QStringList({"a.htm", "c.htm", "E.HTM"}));
    EXPECT_EQ(search(QStringLiteral("y")).Files, QStringList({"c.htm"})) << "17 lies beyond";
    EXPECT_EQ(search(QStringLiteral("z")).Files, QStringList({"pages\\d.htm"}));
    search(QStringLiteral("w"));
    EXPECT_FALSE(found) << "numbers outside files.idx name no page";
    EXPECT_FALSE(find.IndexDamaged());
}

TEST_F(MakeFindTest, LastLinesWithoutLineEndAreReadInFull)
{
    writeIndex("a\r\nпоследний", "1\r\n1:5", Pages);
    const RFindResults results = search(QStringLiteral("ПОСЛЕДНИЙ"));
    EXPECT_EQ(results.Files, QStringList({"a.htm", "E.HTM"}));
    EXPECT_EQ(results.Titles.last(), QStringLiteral("Пятая"));
}

TEST_F(MakeFindTest, ClosingLineEndGivesAnEmptyLastKeyword)
{
    writeIndex("a\r\n", "1\r\n2", Pages);
    EXPECT_EQ(search(QString()).Files, QStringList({"b.htm"}));
    writeIndex("a\r\n", "1\r\n", Pages);
    search(QString());
    EXPECT_FALSE(found) << "its page list is the empty final line of index.idx";
    EXPECT_TRUE(find.IndexDamaged());
}

TEST_F(MakeFindTest, BareReturnsAndStrayLineFeedsWork)
{
    writeIndex("a\rмо\nтор\r", "1\r\n\n3\n", "x\r\ny.htm#:#Y\r\nz.htm#:#Z\r");
    EXPECT_EQ(search(QStringLiteral("мотор")).Files, QStringList({"z.htm"}));
}

TEST_F(MakeFindTest, ResultsAreAppendedToTheCallersLists)
{
    writeIndex(Keywords, PageLists, Pages);
    RFindResults results;
    results.Files = QStringList({"earlier.htm"});
    results.Titles = QStringList({"Earlier"});
    EXPECT_TRUE(find.FindKeyword(QStringLiteral("дом"), results, false));
    EXPECT_EQ(results.Files, QStringList({"earlier.htm", "c.htm"}));
    EXPECT_EQ(results.Titles, QStringList({"Earlier", ""})) << "a line without #:# has no title";
}

TEST_F(MakeFindTest, UnknownKeywordsAndShortPageListsGiveNothingQuietly)
{
    writeIndex(Keywords, "1\r\n2", Pages);
    search(QStringLiteral("нет такого"));
    EXPECT_FALSE(found);
    search(QStringLiteral("дом"));
    EXPECT_FALSE(found) << "keyword 4 lies beyond the two lines of index.idx";
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_FALSE(find.IndexDamaged());
}

TEST_F(MakeFindTest, AnyMissingFileGivesThePlainMessageOnce)
{
    for (const char* absent : {"keywords.idx", "index.idx", "files.idx"}) {
        writeIndex(Keywords, PageLists, Pages);
        ASSERT_TRUE(QFile::remove(dir.file(QString::fromLatin1(absent))));
        messages.clear();
        RFindResults results = search(QStringLiteral("мотор"));
        EXPECT_FALSE(found) << absent;
        EXPECT_TRUE(results.Files.isEmpty() && results.Titles.isEmpty());
        EXPECT_EQ(messages, QList<Message>({{IndexMessageKind::Plain, Missing}})) << absent;
    }
    QFile::remove(dir.file(QStringLiteral("files.idx")));
    QDir(dir.path()).mkdir(QStringLiteral("files.idx"));
    messages.clear();
    search(QStringLiteral("мотор"));
    EXPECT_EQ(messages.size(), 1) << "a folder is not an index file";
}

TEST_F(MakeFindTest, AFileThatCannotBeReadIsNamedInAWarning)
{
    writeIndex(Keywords, PageLists, Pages);
    QFile huge(dir.file(QStringLiteral("files.idx")));
    ASSERT_TRUE(huge.open(QIODevice::ReadWrite));
    ASSERT_TRUE(huge.resize(TMakeFind::MaxIndexFileSize + 1)) << "a sparse file";
    huge.close();
    search(QStringLiteral("мотор"));
    EXPECT_FALSE(found);
    EXPECT_EQ(messages, QList<Message>({{IndexMessageKind::Warning,
                                         QStringLiteral("Индексный файл не найден (files.idx)")}}));
    messages.clear();
    search(QStringLiteral("нет такого"));
    EXPECT_TRUE(messages.isEmpty()) << "files.idx is not opened when the keyword is not listed";
}

TEST_F(MakeFindTest, ADamagedArchiveMemberIsNamedInAWarning)
{
    openArchive(handMadeArchive(
        {{"KEYWORDS.IDX", "x", 1}, {"INDEX.IDX", "garbage!", 100}, {"FILES.IDX", "a.htm#:#A", 9}}));
    search(QStringLiteral("X"));
    EXPECT_FALSE(found);
    EXPECT_EQ(messages, QList<Message>({{IndexMessageKind::Warning,
                                         QStringLiteral("Индексный файл не найден (index.idx)")}}));
}

TEST_F(MakeFindTest, TheArchiveComesBeforeTheDiskFileByFile)
{
    writeIndex("диск", "1", "disk.htm#:#С диска");
    ArchiveWriter writer;
    ASSERT_TRUE(writer.addFile(QStringLiteral("KEYWORDS.IDX"), CodePage::toCp1251("архив")));
    ASSERT_TRUE(writer.addFile(QStringLiteral("files.idx"),
                               CodePage::toCp1251(QStringLiteral("pages\\arc.htm#:#Из архива"))));
    openArchive(writer.toBytes());
    search(QStringLiteral("диск"));
    EXPECT_FALSE(found) << "keywords.idx of the archive hides the disk's";
    const RFindResults results = search(QStringLiteral("Архив"));
    EXPECT_EQ(results.Files, QStringList({"pages\\arc.htm"}));
    EXPECT_EQ(results.Titles, QStringList({"Из архива"}));
}

TEST_F(MakeFindTest, IndexFilesOnlyInTheArchiveAreFound)
{
    ArchiveWriter writer;
    ASSERT_TRUE(writer.addFile(QStringLiteral("keywords.idx"), "one\r\ntwo\r\n"));
    ASSERT_TRUE(writer.addFile(QStringLiteral("index.idx"), "1\r\n1:2\r\n"));
    ASSERT_TRUE(writer.addFile(QStringLiteral("files.idx"), "1.htm#:#One\r\n2.htm#:#Two\r\n"));
    openArchive(writer.toBytes());
    EXPECT_EQ(search(QStringLiteral("TWO")).Files, QStringList({"1.htm", "2.htm"}));
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(MakeFindTest, DamagedPageListsEndTheSearchWithNothing)
{
    for (const char* list : {"abc", " : ", "3:x", "0x3", "3:99999999999", "$3"}) {
        writeIndex("k", list, Pages);
        RFindResults results;
        results.Files = QStringList({"kept.htm"});
        results.Titles = QStringList({"Kept"});
        EXPECT_TRUE(find.FindKeyword(QStringLiteral("k"), results, false)) << "earlier entries";
        EXPECT_EQ(results.Files, QStringList({"kept.htm"})) << list;
        EXPECT_TRUE(find.IndexDamaged()) << list;
    }
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(MakeFindTest, APageLineWithoutPathEndsTheSearchWithNothing)
{
    for (const char* pages : {"a.htm#:#A\r\n   \r\nc.htm#:#C", "a.htm#:#A\r\n#:#B\r\nc.htm#:#C"}) {
        writeIndex("k", "1:2:3", pages);
        const RFindResults results = search(QStringLiteral("k"));
        EXPECT_FALSE(found);
        EXPECT_TRUE(results.Files.isEmpty() && results.Titles.isEmpty()) << "not even a.htm";
        EXPECT_TRUE(find.IndexDamaged());
    }
    writeIndex("k", "1:3", "a.htm#:#A\r\n\r\nc.htm#:#C");
    EXPECT_EQ(search(QStringLiteral("k")).Files, QStringList({"a.htm", "c.htm"}))
        << "a blank line that no keyword names does no harm";
}

TEST_F(MakeFindTest, JunkAndHugeLinesFailQuietly)
{
    QByteArray junk(200000, Qt::Uninitialized);
    QRandomGenerator random(7);
    for (char& byte : junk) {
        byte = char(random.bounded(256));
    }
    dir.write(QStringLiteral("keywords.idx"), junk + "\rkey\r" + QByteArray(3000000, 'k'));
    dir.write(QStringLiteral("index.idx"), junk);
    dir.write(QStringLiteral("files.idx"), junk);
    search(QStringLiteral("key"));
    EXPECT_FALSE(found);
    search(QString::fromLatin1(QByteArray(3000000, 'K')));
    EXPECT_FALSE(found) << "the long last keyword has no page list line";
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(MakeFindTest, IndexFolderLosesOneTrailingBackslash)
{
    find.SetIndexFolder(QStringLiteral("d:\\run\\\\"));
    EXPECT_EQ(find.IndexFolder(), QStringLiteral("d:\\run\\"));
    find.SetIndexFolder(QStringLiteral("d:\\run"));
    EXPECT_EQ(find.IndexFolder(), QStringLiteral("d:\\run"));
}

TEST(MakeFindDefaults, ReadsTheInterfaceArchiveAndShowsProcessWideMessages)
{
    VirtualFs::instance().mount(QStringLiteral("z:\\"), QStringLiteral("/"));
    TempDir dir;
    ArchiveWriter writer;
    ASSERT_TRUE(writer.addFile(QStringLiteral("run/keywords.idx"), "word"));
    ASSERT_TRUE(writer.addFile(QStringLiteral("run/index.idx"), "1"));
    ASSERT_TRUE(writer.addFile(QStringLiteral("run/files.idx"), "p.htm#:#P"));
    ASSERT_TRUE(writer.write(dir.file(QStringLiteral("interface.dat"))));
    ASSERT_TRUE(OpenArchive(VirtualFs::fromHostPath(dir.file(QStringLiteral("interface.dat")))));
    SetArchiveBase(dir.virtualPath());

    QStringList shown;
    IndexMessages::SetHandler([&](IndexMessageKind, const QString& text) { shown.append(text); });
    TMakeFind find;
    find.SetIndexFolder(dir.virtualPath() + QStringLiteral("run"));
    RFindResults results;
    EXPECT_TRUE(find.FindKeyword(QStringLiteral("WORD"), results, false));
    EXPECT_EQ(results.Files, QStringList({"p.htm"}));
    find.SetIndexFolder(dir.virtualPath() + QStringLiteral("elsewhere"));
    EXPECT_FALSE(find.FindKeyword(QStringLiteral("WORD"), results, false));
    IndexMessages::SetHandler({});
    EXPECT_EQ(shown, QStringList({Missing}));
    OpenArchive(QStringLiteral("z:\\nonexistent\\interface.dat"));
}

} // namespace
