#include "data/ValueReaders.h"

#include "data/ProcessPaths.h"

#include <gtest/gtest.h>

namespace {

quint32 rgb(quint32 r, quint32 g, quint32 b)
{
    return r | g << 8 | b << 16;
}

// Sets the process folders for one test and puts the old ones back.
class WithPaths : public testing::Test {
protected:
    void SetUp() override
    {
        saved_ = Paths();
        Paths().AppDir = QStringLiteral("d:\\run\\");
        Paths().CdRoot = QStringLiteral("d:\\");
    }
    void TearDown() override { Paths() = saved_; }

private:
    ProcessPaths saved_;
};

TEST(ReadIntValue, FindsTheNextNumber)
{
    EXPECT_EQ(ReadIntValue(QStringLiteral("vx= ;vy=20"), 1), 20);
    EXPECT_EQ(ReadIntValue(QStringLiteral("vx=10;vy=20"), 1), 10);
    EXPECT_EQ(ReadIntValue(QStringLiteral("vx=10;vy=20"), 4), 10);
    EXPECT_EQ(ReadIntValue(QStringLiteral("vx=10;vy=20"), 5), 0);
    EXPECT_EQ(ReadIntValue(QStringLiteral("size = -5 px"), 1), -5);
    EXPECT_EQ(ReadIntValue(QStringLiteral("n=007"), 1), 7);
    EXPECT_EQ(ReadIntValue(QStringLiteral("v=12a34"), 1), 12);
    EXPECT_EQ(ReadIntValue(QStringLiteral("12"), 0), 12);
    EXPECT_EQ(ReadIntValue(QStringLiteral("12"), -7), 12);
}

TEST(ReadIntValue, UnreadableNumbersAreMinusOne)
{
    EXPECT_EQ(ReadIntValue(QStringLiteral("v=12-3"), 1), -1);
    EXPECT_EQ(ReadIntValue(QStringLiteral("v=-"), 1), -1);
    EXPECT_EQ(ReadIntValue(QStringLiteral("v=--4"), 1), -1);
    EXPECT_EQ(ReadIntValue(QStringLiteral("v=4-"), 1), -1);
    EXPECT_EQ(ReadIntValue(QStringLiteral("vx="), 1), -1);
    EXPECT_EQ(ReadIntValue(QStringLiteral("vx=5"), 5), -1);
    EXPECT_EQ(ReadIntValue(QStringLiteral("vx=5"), 500), -1);
    EXPECT_EQ(ReadIntValue(QString(), 1), -1);
    EXPECT_EQ(ReadIntValue(QStringLiteral("v=5٣"), 1), 5); // other scripts' digits are no digits
}

TEST(ReadIntValue, RangeOfThirtyTwoBits)
{
    EXPECT_EQ(ReadIntValue(QStringLiteral("2147483647"), 1), 2147483647);
    EXPECT_EQ(ReadIntValue(QStringLiteral("-2147483648"), 1), qint32(-2147483647 - 1));
    EXPECT_EQ(ReadIntValue(QStringLiteral("2147483648"), 1), -1);
    EXPECT_EQ(ReadIntValue(QStringLiteral("-2147483649"), 1), -1);
    EXPECT_EQ(ReadIntValue(QStringLiteral("v=12345678901234567890"), 1), -1);
    EXPECT_EQ(ReadIntValue(QString(5000, QLatin1Char('9')), 1), -1);
}

TEST(ReadIntValue, CharacterZeroEndsTheLine)
{
    EXPECT_EQ(ReadIntValue(QString::fromUtf16(u"v=\0 5", 5), 1), -1);
    EXPECT_EQ(ReadIntValue(QString::fromUtf16(u"v=4\0 5", 6), 1), 4);
}

TEST(ReadStrValue, TakesTextUpToDelimiter)
{
    EXPECT_EQ(ReadStrValue(QStringLiteral("title=Книга"), 7), QStringLiteral("Книга"));
    EXPECT_EQ(ReadStrValue(QStringLiteral("fn1= up.bmp ;fn2=x"), 5), QStringLiteral("up.bmp"));
    EXPECT_EQ(ReadStrValue(QStringLiteral("hint=\t a b \x01"), 6), QStringLiteral("a b"));
    EXPECT_EQ(ReadStrValue(QStringLiteral("go=;x"), 4), QString());
    EXPECT_EQ(ReadStrValue(QString::fromUtf16(u"go=ab\0cd", 8), 4), QStringLiteral("ab"));
    EXPECT_EQ(ReadStrValue(QStringLiteral("go=ab"), 0), QStringLiteral("go=ab"));
}

TEST(ReadStrValue, KeyAtTheEndOfItsLine)
{
    EXPECT_EQ(ReadStrValue(QStringLiteral("hint="), 6), QString());
    EXPECT_EQ(ReadStrValue(QStringLiteral("hint"), 6), QString());
    EXPECT_EQ(ReadStrValue(QStringLiteral("hint"), 600), QString());
    EXPECT_EQ(ReadStrValue(QString(), 1), QString());
}

TEST(ReadColorValue, SeparatorsDoNotMatter)
{
    const quint32 orange = rgb(255, 128, 0);
    EXPECT_EQ(ReadColorValue(QStringLiteral("255,128,0"), 1), orange);
    EXPECT_EQ(ReadColorValue(QStringLiteral("255 128 0"), 1), orange);
    EXPECT_EQ(ReadColorValue(QStringLiteral("255, 128, 0"), 1), orange);
    EXPECT_EQ(ReadColorValue(QStringLiteral("color=255;128;0"), 1), orange);
    EXPECT_EQ(ReadColorValue(QStringLiteral("c2=10,20,30"), 4), rgb(10, 20, 30));
}

TEST(ReadColorValue, ChannelsWrapModulo256)
{
    EXPECT_EQ(ReadColorValue(QStringLiteral("256,0,0"), 1), 0u);
    EXPECT_EQ(ReadColorValue(QStringLiteral("257,513,1"), 1), rgb(1, 1, 1));
    EXPECT_EQ(ReadColorValue(QStringLiteral("1,-2,3"), 1), rgb(1, 254, 3));
}

TEST(ReadColorValue, NextNumberStartsAfterTheDecimalLength)
{
    // "007" is read as 7, one digit long, so g is read inside "007" too.
    EXPECT_EQ(ReadColorValue(QStringLiteral("007,1,2"), 1), rgb(7, 7, 1));
    // An unreadable r counts as -1, two characters long.
    EXPECT_EQ(ReadColorValue(QStringLiteral("12-3,4,5"), 1), rgb(255, 3, 4));
    EXPECT_EQ(ReadColorValue(QStringLiteral("99999999999,1,2"), 1), rgb(255, 255, 1));
}

TEST(ReadColorValue, MissingChannelsAreFull)
{
    EXPECT_EQ(ReadColorValue(QStringLiteral("color=5"), 1), rgb(5, 255, 255));
    EXPECT_EQ(ReadColorValue(QStringLiteral("color=5,6"), 1), rgb(5, 6, 255));
    EXPECT_EQ(ReadColorValue(QStringLiteral("color="), 1), rgb(255, 255, 255));
    EXPECT_EQ(ReadColorValue(QString(), 1), rgb(255, 255, 255));
    EXPECT_EQ(ReadColorValue(QStringLiteral("1,2,3"), 100), rgb(255, 255, 255));
}

class ReadListValueTest : public WithPaths {};

TEST_F(ReadListValueTest, ContinuesOverLines)
{
    const TDynamicStringArray lines{QStringLiteral("fnbtnup=[a.bmp;b.bmp"),
                                    QStringLiteral("c.bmp]"), QStringLiteral("next=1")};
    int index = 0;
    const TDynamicStringArray list = ReadListValue(lines, index);
    EXPECT_EQ(list, (TDynamicStringArray{QStringLiteral("d:\\run\\a.bmp"),
                                         QStringLiteral("d:\\run\\b.bmp"),
                                         QStringLiteral("d:\\run\\c.bmp")}));
    EXPECT_EQ(index, 1);
}

TEST_F(ReadListValueTest, ElementsAreTrimmedAndExpanded)
{
    const TDynamicStringArray lines{QStringLiteral("x=[ exit ; <cd>a.htm ;pic\\b.gif] rest;z")};
    int index = 0;
    EXPECT_EQ(ReadListValue(lines, index),
              (TDynamicStringArray{QStringLiteral("exit"), QStringLiteral("d:\\a.htm"),
                                   QStringLiteral("d:\\run\\pic\\b.gif")}));
    EXPECT_EQ(index, 0);
}

TEST_F(ReadListValueTest, NoBracketGivesEmptyList)
{
    const TDynamicStringArray lines{QStringLiteral("a"), QStringLiteral("x=[b]")};
    int index = 0;
    EXPECT_TRUE(ReadListValue(lines, index).isEmpty());
    EXPECT_EQ(index, 0);
    index = 5;
    EXPECT_TRUE(ReadListValue(lines, index).isEmpty());
    EXPECT_EQ(index, 5);
    index = -1;
    EXPECT_TRUE(ReadListValue(lines, index).isEmpty());
    EXPECT_EQ(index, -1);
}

TEST_F(ReadListValueTest, EmptyElements)
{
    int index = 0;
    EXPECT_EQ(ReadListValue({QStringLiteral("x=[a;]")}, index), TDynamicStringArray{"a"});
    index = 0;
    EXPECT_EQ(ReadListValue({QStringLiteral("x=[]")}, index), TDynamicStringArray{QString()});
    index = 0;
    EXPECT_EQ(ReadListValue({QStringLiteral("x=[a;;b]")}, index),
              (TDynamicStringArray{"a", "", "b"}));
    // A ";" at the end of a line gives an empty element.
    index = 0;
    EXPECT_EQ(ReadListValue({QStringLiteral("x=[a;"), QStringLiteral("]")}, index),
              (TDynamicStringArray{"a", ""}));
    EXPECT_EQ(index, 1);
    index = 0;
    EXPECT_EQ(ReadListValue({QStringLiteral("x=[a"), QString(), QStringLiteral("b]")}, index),
              (TDynamicStringArray{"a", "", "b"}));
    EXPECT_EQ(index, 2);
}

TEST_F(ReadListValueTest, MissingClosingBracketStopsAtTheLastLine)
{
    int index = 1;
    const TDynamicStringArray lines{QStringLiteral("z"), QStringLiteral("x=[a;b"),
                                    QStringLiteral("c")};
    EXPECT_EQ(ReadListValue(lines, index), (TDynamicStringArray{"a", "b", "c"}));
    EXPECT_EQ(index, 2);
    index = 0;
    EXPECT_EQ(ReadListValue({QStringLiteral("x=[")}, index), TDynamicStringArray{QString()});
    EXPECT_EQ(index, 0);
}

TEST_F(ReadListValueTest, CharacterZeroEndsTheLine)
{
    int index = 0;
    const TDynamicStringArray lines{QString::fromUtf16(u"x=[a\0]", 6), QStringLiteral("b]")};
    EXPECT_EQ(ReadListValue(lines, index), (TDynamicStringArray{"a", "b"}));
    EXPECT_EQ(index, 1);
}

class ExpandPathTest : public WithPaths {};

TEST_F(ExpandPathTest, ExamplesOfTheShell)
{
    EXPECT_EQ(ExpandPath(QStringLiteral("..\\pic\\x.bmp")), QStringLiteral("d:\\run\\pic\\x.bmp"));
    EXPECT_EQ(ExpandPath(QStringLiteral("html=page.htm")),
              QStringLiteral("html=d:\\run\\page.htm"));
    EXPECT_EQ(ExpandPath(QStringLiteral("exit")), QStringLiteral("exit"));
    EXPECT_EQ(ExpandPath(QStringLiteral("html=")), QStringLiteral("html="));
    EXPECT_EQ(ExpandPath(QString()), QString());
}

TEST_F(ExpandPathTest, DiscRootAndAbsolutePaths)
{
    EXPECT_EQ(ExpandPath(QStringLiteral("<cd>music\\a.mp3")), QStringLiteral("d:\\music\\a.mp3"));
    EXPECT_EQ(ExpandPath(QStringLiteral("run=<cd>a<cd>")), QStringLiteral("run=d:\\a<cd>"));
    EXPECT_EQ(ExpandPath(QStringLiteral("c:\\games\\x.exe")), QStringLiteral("c:\\games\\x.exe"));
    EXPECT_EQ(ExpandPath(QStringLiteral("go=c:\\x.htm")), QStringLiteral("go=c:\\x.htm"));
    EXPECT_EQ(ExpandPath(QStringLiteral("a=b=c.htm")), QStringLiteral("a=b=d:\\run\\c.htm"));
    EXPECT_EQ(ExpandPath(QStringLiteral("dir\\")), QStringLiteral("d:\\run\\dir\\"));
}

TEST_F(ExpandPathTest, ExplicitFolders)
{
    EXPECT_EQ(
        ExpandPath(QStringLiteral("a.htm"), QStringLiteral("e:\\disc\\"), QStringLiteral("e:\\")),
        QStringLiteral("e:\\disc\\a.htm"));
    EXPECT_EQ(ExpandPath(QStringLiteral("<cd>a.htm"), QStringLiteral("e:\\disc\\"),
                         QStringLiteral("e:\\")),
              QStringLiteral("e:\\a.htm"));
}

TEST(JoinPath, ParentStepsStopAtTheAnchor)
{
    EXPECT_EQ(JoinPath(QStringLiteral("d:\\run\\"), QStringLiteral("..\\pic\\x.bmp")),
              QStringLiteral("d:\\run\\pic\\x.bmp"));
    EXPECT_EQ(JoinPath(QStringLiteral("d:\\run\\sub\\"), QStringLiteral("..\\x")),
              QStringLiteral("d:\\run\\x"));
    EXPECT_EQ(JoinPath(QStringLiteral("d:\\run\\sub\\"), QStringLiteral("..\\..\\..\\x")),
              QStringLiteral("d:\\run\\x"));
    EXPECT_EQ(JoinPath(QStringLiteral("d:\\"), QStringLiteral("a\\..\\b")),
              QStringLiteral("d:\\b"));
    EXPECT_EQ(JoinPath(QStringLiteral("d:\\"), QStringLiteral("..\\b")), QStringLiteral("d:\\b"));
    EXPECT_EQ(JoinPath(QStringLiteral("d:\\run"), QStringLiteral("..\\x")),
              QStringLiteral("d:\\x"));
    EXPECT_EQ(JoinPath(QStringLiteral("d:\\a\\b\\c\\"), QStringLiteral("x\\..\\..\\y")),
              QStringLiteral("d:\\a\\b\\y"));
}

TEST(JoinPath, LeadingBackslashStartsAtTheAnchor)
{
    EXPECT_EQ(JoinPath(QStringLiteral("d:\\run\\sub\\"), QStringLiteral("\\pages\\a.htm")),
              QStringLiteral("d:\\run\\pages\\a.htm"));
    EXPECT_EQ(JoinPath(QStringLiteral("d:\\"), QStringLiteral("\\a.htm")),
              QStringLiteral("d:\\a.htm"));
    EXPECT_EQ(JoinPath(QStringLiteral("d:\\run\\"), QStringLiteral("  a.htm \t")),
              QStringLiteral("d:\\run\\a.htm"));
}

TEST(JoinPath, BasesWithoutDrive)
{
    EXPECT_EQ(JoinPath(QStringLiteral("run\\sub"), QStringLiteral("..\\x")),
              QStringLiteral("run\\x"));
    EXPECT_EQ(JoinPath(QStringLiteral("run"), QStringLiteral("..\\x")), QStringLiteral("run\\x"));
    EXPECT_EQ(JoinPath(QString(), QStringLiteral("a")), QStringLiteral("\\a"));
    EXPECT_EQ(JoinPath(QString(), QStringLiteral("..\\..\\a")), QStringLiteral("\\a"));
}

TEST(JoinPath, LongHostileValuesStayFast)
{
    QString steps;
    for (int i = 0; i < 200000; ++i) {
        steps += QStringLiteral("a\\..\\");
    }
    EXPECT_EQ(JoinPath(QStringLiteral("d:\\run\\"), steps + QStringLiteral("x")),
              QStringLiteral("d:\\run\\x"));
    EXPECT_EQ(JoinPath(QStringLiteral("d:\\run\\"), QStringLiteral("..\\").repeated(200000)),
              QStringLiteral("d:\\run\\"));

    int index = 0;
    const TDynamicStringArray list =
        ReadListValue({QStringLiteral("x=[") + QString(1000000, QLatin1Char(';'))}, index);
    EXPECT_EQ(list.size(), 1000001);
}

class CommandPiecesTest : public WithPaths {};

TEST_F(CommandPiecesTest, KeyAndValues)
{
    EXPECT_EQ(KeyOfLine(QStringLiteral("html=a.htm")), QStringLiteral("html"));
    EXPECT_EQ(KeyOfLine(QStringLiteral("exit")), QString());
    EXPECT_EQ(KeyOfLine(QStringLiteral("=x")), QString());

    const QString clip = QStringLiteral("clip=movie.avi=page.htm");
    EXPECT_EQ(ValueBetweenEquals(clip), QStringLiteral("d:\\run\\movie.avi"));
    EXPECT_EQ(ValueAfterLastEquals(clip), QStringLiteral("d:\\run\\page.htm"));
    EXPECT_EQ(ValueBetweenEquals(QStringLiteral("html=page.htm")),
              QStringLiteral("d:\\run\\page.htm"));
    EXPECT_EQ(ValueAfterLastEquals(QStringLiteral("html=page.htm")), QString());
    EXPECT_EQ(ValueBetweenEquals(QStringLiteral("exit")), QString());
    EXPECT_EQ(ValueAfterLastEquals(QStringLiteral("exit")), QString());
    EXPECT_EQ(ValueBetweenEquals(QStringLiteral("a=x.y=c=d")), QStringLiteral("x.y=d:\\run\\c"));
    EXPECT_EQ(ValueBetweenEquals(QStringLiteral("a==b")), QString());
    EXPECT_EQ(ValueAfterLastEquals(QStringLiteral("a=b=")), QString());
    EXPECT_EQ(ValueBetweenEquals(QStringLiteral("key=")), QString());
}

TEST(IndexOfInt, FirstPositionOnly)
{
    const TDynamicIntegerArray values{4, 7, -1, 7};
    int index = 99;
    EXPECT_TRUE(IndexOfInt(values, 7, index));
    EXPECT_EQ(index, 1);
    EXPECT_TRUE(IndexOfInt(values, -1, index));
    EXPECT_EQ(index, 2);
    EXPECT_FALSE(IndexOfInt(values, 5, index));
    EXPECT_EQ(index, 2);
    EXPECT_FALSE(IndexOfInt({}, 0, index));
    EXPECT_EQ(index, 2);
}

TEST(ContainsText, IgnoresCaseOfLatinLettersOnly)
{
    const TDynamicStringArray list{QStringLiteral("Index.HTM"), QStringLiteral("Книга")};
    EXPECT_TRUE(ContainsText(list, QStringLiteral("index.htm")));
    EXPECT_TRUE(ContainsText(list, QStringLiteral("INDEX.htm")));
    EXPECT_TRUE(ContainsText(list, QStringLiteral("Книга")));
    EXPECT_FALSE(ContainsText(list, QStringLiteral("книга")));
    EXPECT_FALSE(ContainsText(list, QStringLiteral("index.htm ")));
    EXPECT_FALSE(ContainsText(list, QStringLiteral("index")));
    EXPECT_FALSE(ContainsText({}, QString()));
    EXPECT_TRUE(ContainsText({QString()}, QString()));
    EXPECT_FALSE(ContainsText({QStringLiteral("[")}, QStringLiteral("{")));
}

} // namespace
