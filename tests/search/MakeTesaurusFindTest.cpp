#include "search/index/MakeTesaurusFind.h"

#include "TempDir.h"
#include "data/ArchiveWriter.h"
#include "data/PackedArchive.h"
#include "platform/CodePage.h"
#include "platform/VirtualFs.h"
#include "search/index/MakeFind.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

const QString Unreadable = QStringLiteral("Индексный файл не найден (tezaurus.idx)");

const char* const Index = " тезаурус~tezaurus\\index.htm#top\r\n"
                          "двигат~tezaurus\\d.htm#motor\r\n"
                          " дом~tezaurus\\home.htm\r\n"
                          "ДОМ ~ tezaurus\\house.htm \r\n"
                          "без страницы\r\n"
                          "кот~tezaurus\\k.htm\r\n";

class MakeTesaurusFindTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        VirtualFs::instance().mount(QStringLiteral("z:\\"), QStringLiteral("/"));
        find.SetIndexFolder(dir.virtualPath());
        find.SetMessageHandler(
            [this](IndexMessageKind, const QString& text) { messages.append(text); });
    }

    void writeIndex(const char* text)
    {
        dir.write(QStringLiteral("tezaurus.idx"), CodePage::toCp1251(QString::fromUtf8(text)));
    }

    // The page of word, or "-" when none is found.
    QString lookUp(const QString& word)
    {
        QString page = QStringLiteral("unchanged");
        return find.FindPage(word, page) ? page : QStringLiteral("-");
    }

    TempDir dir;
    PackedArchive archive;
    TMakeTesaurusFind find{archive};
    QStringList messages;
};

TEST_F(MakeTesaurusFindTest, EmptyWordGivesTheTrimmedPageOfTheFirstLine)
{
    writeIndex(Index);
    EXPECT_EQ(lookUp(QString()), QStringLiteral("tezaurus\\index.htm#top"));
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(MakeTesaurusFindTest, AKeyIsAStemFoundInsideTheWord)
{
    writeIndex(Index);
    EXPECT_EQ(lookUp(QStringLiteral("двигатель")), QStringLiteral("tezaurus\\d.htm#motor"));
    EXPECT_EQ(lookUp(QStringLiteral("Двигателя")), QStringLiteral("tezaurus\\d.htm#motor"));
    EXPECT_EQ(lookUp(QStringLiteral("котёнок")), QStringLiteral("tezaurus\\k.htm"));
    EXPECT_EQ(lookUp(QStringLiteral("двиг")), QStringLiteral("-")) << "the word must hold the key";
}

TEST_F(MakeTesaurusFindTest, LinesBeginningWithABlankMatchNoWord)
{
    writeIndex(Index);
    EXPECT_EQ(lookUp(QStringLiteral("тезаурус")), QStringLiteral("-"));
    EXPECT_EQ(lookUp(QStringLiteral("домик")), QStringLiteral("tezaurus\\house.htm"))
        << "' дом' is passed over; 'ДОМ ' is trimmed and lower-cased";
}

TEST_F(MakeTesaurusFindTest, ABlankLineEndsTheLookup)
{
    writeIndex("a~first.htm\r\n\r\nкот~k.htm\r\n");
    EXPECT_EQ(lookUp(QStringLiteral("кот")), QStringLiteral("-"));
    writeIndex("a~first.htm\r\nкот~k.htm\r\n");
    EXPECT_EQ(lookUp(QStringLiteral("кот")), QStringLiteral("k.htm"));
    EXPECT_EQ(lookUp(QStringLiteral("пёс")), QStringLiteral("-"))
        << "the empty line after the last CR LF ends it";
    writeIndex("\r\nзапасная~x.htm");
    EXPECT_EQ(lookUp(QString()), QStringLiteral("-")) << "a blank first line names no page";
}

TEST_F(MakeTesaurusFindTest, ALineWithoutPageLeadsNowhere)
{
    writeIndex("страниц\r\nстраница~p.htm\r\n");
    EXPECT_EQ(lookUp(QStringLiteral("страница")), QStringLiteral("p.htm"));
    EXPECT_EQ(lookUp(QString()), QStringLiteral("-"));
}

TEST_F(MakeTesaurusFindTest, MissingIndexFailsWithoutAMessage)
{
    EXPECT_EQ(lookUp(QString()), QStringLiteral("-"));
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(MakeTesaurusFindTest, AnUnreadableIndexIsNamedInAWarning)
{
    writeIndex(Index);
    QFile huge(dir.file(QStringLiteral("tezaurus.idx")));
    ASSERT_TRUE(huge.open(QIODevice::ReadWrite));
    ASSERT_TRUE(huge.resize(TMakeFind::MaxIndexFileSize + 1)) << "a sparse file";
    huge.close();
    EXPECT_EQ(lookUp(QString()), QStringLiteral("-"));
    EXPECT_EQ(messages, QStringList({Unreadable}));
}

TEST_F(MakeTesaurusFindTest, TheArchiveMemberComesFirstAndTheFolderLosesOneBackslash)
{
    writeIndex("диск~disk.htm");
    ArchiveWriter writer;
    ASSERT_TRUE(writer.addFile(QStringLiteral("TEZAURUS.IDX"),
                               CodePage::toCp1251(QStringLiteral("архив~arc.htm\r\n"))));
    const QString host = dir.write(QStringLiteral("interface.dat"), writer.toBytes());
    ASSERT_TRUE(archive.OpenArchive(VirtualFs::fromHostPath(host)));
    archive.SetArchiveBase(dir.virtualPath());
    EXPECT_EQ(find.IndexFolder() + QLatin1Char('\\'), dir.virtualPath());
    EXPECT_EQ(lookUp(QStringLiteral("архивы")), QStringLiteral("arc.htm"));
    EXPECT_EQ(lookUp(QStringLiteral("диск")), QStringLiteral("-"));
}

} // namespace
