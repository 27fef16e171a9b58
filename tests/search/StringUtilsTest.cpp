#include "search/index/StringUtils.h"

#include "search/index/IndexLines.h"

#include <gtest/gtest.h>

using namespace IndexLines;

namespace {

QStringList split(const char* delimiter, const QString& text)
{
    const std::optional<QStringList> pieces = SplitString(QString::fromUtf8(delimiter), text);
    return pieces ? *pieces : QStringList{QStringLiteral("<failed>")};
}

const QStringList Failed{QStringLiteral("<failed>")};

} // namespace

TEST(SplitString, CutsAtEachDelimiterAndTrimsThePiecesCutOff)
{
    EXPECT_EQ(split("#:#", "a.htm#:#Title"), QStringList({"a.htm", "Title"}));
    EXPECT_EQ(split(":", " 5 :\t2\x01:5 "), QStringList({"5", "2", "5 "}))
        << "characters 0 to 32 are trimmed; the last piece is left as it is";
    EXPECT_EQ(split(":", "a::b"), QStringList({"a", "b"})) << "empty pieces are dropped";
    EXPECT_EQ(split("#:#", "a#:#b#:#c"), QStringList({"a", "b", "c"}));
    EXPECT_EQ(split("#:#", "a#:#:#b"), QStringList({"a", ":#b"})) << "left to right, no overlap";
    EXPECT_EQ(split("~", "~abc"), QStringList({"abc"}));
}

TEST(SplitString, OnePieceAndADelimiterKeepTheEmptyRest)
{
    EXPECT_EQ(split("~", "abc~"), QStringList({"abc", ""}));
    EXPECT_EQ(split("~", "abc~ ~"), QStringList({"abc", ""}));
    EXPECT_EQ(split("~", "abc~  "), QStringList({"abc", "  "}));
    EXPECT_EQ(split("~", "a~b~"), QStringList({"a", "b"}))
        << "two pieces: the empty rest is dropped";
}

TEST(SplitString, TextWithoutDelimiterIsOnePieceAsItIs)
{
    EXPECT_EQ(split(":", " abc "), QStringList({" abc "}));
    EXPECT_EQ(split("", "a:b"), QStringList({"a:b"})) << "an empty delimiter never matches";
}

TEST(SplitString, FailsWhenNoPieceResults)
{
    EXPECT_EQ(split(":", " : "), Failed);
    EXPECT_EQ(split(":", ""), Failed);
    EXPECT_EQ(split(":", " \t "), Failed);
    EXPECT_EQ(split(":", ":::"), Failed);
    EXPECT_EQ(split("", ""), Failed);
}

TEST(IndexLines, PageNumbersAreDecimal32BitIntegers)
{
    EXPECT_EQ(ParsePageNumber(QStringLiteral(" 17\t")), 17);
    EXPECT_EQ(ParsePageNumber(QStringLiteral("+3")), 3);
    EXPECT_EQ(ParsePageNumber(QStringLiteral("-4")), -4);
    EXPECT_EQ(ParsePageNumber(QStringLiteral("2147483647")), 2147483647);
    EXPECT_EQ(ParsePageNumber(QStringLiteral("-2147483648")), -2147483647 - 1);
    for (const char* bad :
         {"2147483648", "99999999999999999999999", "0x10", "$10", "1 2", "", "-", "12a", "١٢"}) {
        EXPECT_FALSE(ParsePageNumber(QString::fromUtf8(bad))) << bad;
    }
}

TEST(IndexLines, PageListsSkipBlankPiecesAndRefuseOtherJunk)
{
    EXPECT_EQ(ParsePageList(QStringLiteral(":3: 17:")), QList<qint32>({3, 17}));
    EXPECT_EQ(ParsePageList(QStringLiteral(" 5 : 2 :5 ")), QList<qint32>({5, 2, 5}));
    EXPECT_EQ(ParsePageList(QStringLiteral("5:")), QList<qint32>({5}))
        << "a trailing separator after one number is an empty piece, not a bad one";
    EXPECT_EQ(ParsePageList(QStringLiteral("8")), QList<qint32>({8}));
    for (const char* bad : {"", " : ", "::", "3:x:4", "3;4", "3:99999999999"}) {
        EXPECT_FALSE(ParsePageList(QString::fromUtf8(bad))) << bad;
    }
}

TEST(IndexLines, PagesLinesGivePathAndTitle)
{
    const auto page = [](const char* line) {
        const std::optional<RIndexPage> parsed = ParsePagesLine(QString::fromUtf8(line));
        return parsed ? parsed->Path + QLatin1Char('|') + parsed->Title : QStringLiteral("<none>");
    };
    EXPECT_EQ(page("pages\\a.htm#:#Глава 1"), QStringLiteral("pages\\a.htm|Глава 1"));
    EXPECT_EQ(page(" a.htm #:#"), QStringLiteral("a.htm|"));
    EXPECT_EQ(page("a.htm#:#T#:#rest"), QStringLiteral("a.htm|T"));
    EXPECT_EQ(page("  a.htm "), QStringLiteral("a.htm|")) << "no separator: all path, no title";
    EXPECT_EQ(page(""), QStringLiteral("<none>"));
    EXPECT_EQ(page("   "), QStringLiteral("<none>"));
    EXPECT_EQ(page("#:#Title only"), QStringLiteral("<none>")) << "a title without a path";
    EXPECT_EQ(page(" #:# #:#T"), QStringLiteral("<none>"));
}
