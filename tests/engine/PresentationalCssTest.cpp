#include "engine/PresentationalCss.h"

#include <gtest/gtest.h>

// HTML 4's presentational attributes as the inline CSS litehtml reads.

namespace {

QString rewrite(const char* html)
{
    return PresentationalCss::Rewrite(QString::fromUtf8(html));
}

} // namespace

TEST(PresentationalCss, TableAndCellAttributesBecomeStylesInFrontOfThePagesOwn)
{
    const QString page = rewrite("<table width=80% cellpadding=4 cellspacing=0 border=1 "
                                 "bgcolor=#ffcc00 align=center><tr><td height=100 valign=top "
                                 "align=right bgcolor=red style='color:blue' nowrap>x</td></tr>"
                                 "</table><td>outside</td>");
    EXPECT_TRUE(page.contains(QLatin1String("background-color:#ffcc00;width:80%;")));
    EXPECT_TRUE(page.contains(QLatin1String("margin-left:auto;margin-right:auto;")));
    EXPECT_TRUE(page.contains(QLatin1String("border-spacing:0px;")));
    EXPECT_TRUE(page.contains(QLatin1String("border:1px outset gray;")));
    EXPECT_TRUE(page.contains(
        QLatin1String("style=\"background-color:red;padding:4px;border:1px inset gray;"
                      "height:100px;text-align:right;vertical-align:top;white-space:nowrap;"
                      "color:blue\"")));
    EXPECT_TRUE(rewrite("<table border=2 bordercolor=#ff0000><tr><td>x")
                    .contains(QLatin1String("border:2px solid #ff0000;")));
    EXPECT_TRUE(rewrite("<font face=\"No Such, Courier New\" color=red>x</font>")
                    .contains(QLatin1String("font-family:'No Such','Courier New';")));
    EXPECT_TRUE(rewrite("<font face=\"A;}body{color:red\">x</font>")
                    .contains(QLatin1String("style=\"font-family:'Abodycolor:red';\"")))
        << "a face cannot end the declaration";
    // The padding of a table ends with it.
    EXPECT_TRUE(page.endsWith(QLatin1String("<td>outside</td>")));
}

TEST(PresentationalCss, BodyPicturesAndRulesTakeTheirLook)
{
    const QString page = rewrite("<body text=#112233 link=blue vlink=purple alink=red "
                                 "leftmargin=0 marginheight=5 background='img/bg.gif'>"
                                 "<img src=a.gif align=left hspace=4 vspace=2 border=0 width=20>"
                                 "<hr width=50% size=3 color=#00ff00><center>c</center>");
    EXPECT_TRUE(page.startsWith(QLatin1String(
        "<style>a:link{color:blue}a:visited{color:purple}a:active{color:red}</style>")));
    EXPECT_TRUE(page.contains(QLatin1String("background-image:url('img/bg.gif');color:#112233;"
                                            "margin-left:0px;margin-right:0px;margin-top:5px;")));
    EXPECT_TRUE(page.contains(QLatin1String("width:20px;margin-left:4px;margin-right:4px;"
                                            "margin-top:2px;margin-bottom:2px;border:0px solid;"
                                            "float:left;")));
    EXPECT_TRUE(page.contains(QLatin1String("width:50%;height:3px;background-color:#00ff00;")));
    EXPECT_TRUE(page.contains(QLatin1String("<center>c</center>")));
}

TEST(PresentationalCss, HostileValuesAreCappedOrDropped)
{
    const QString page = rewrite("<table width=99999999 bgcolor='red;position:fixed' "
                                 "background='x.gif\"); color: red'><tr>"
                                 "<td colspan=100000 rowspan=-3 width=200%>x</td></tr></table>");
    EXPECT_TRUE(page.contains(QLatin1String("width:32767px;")));
    EXPECT_FALSE(page.contains(QLatin1String("background-color:red")));
    EXPECT_TRUE(page.contains(QLatin1String("url('x.gif color: red')")));
    EXPECT_TRUE(page.contains(QLatin1String("colspan=\"1000\"")));
    EXPECT_TRUE(page.contains(QLatin1String("rowspan=\"1\"")));
    EXPECT_TRUE(page.contains(QLatin1String("width:100%;")));
}

TEST(PresentationalCss, NestingDeeperThanTheCapIsDroppedButParagraphsDoNotCount)
{
    QString deep;
    for (int i = 0; i < PresentationalCss::kMaxDepth + 100; ++i) {
        deep += QLatin1String("<div>");
    }
    const QString page = PresentationalCss::Rewrite(deep + QLatin1String("x"));
    EXPECT_EQ(page.count(QLatin1String("<div>")), PresentationalCss::kMaxDepth);

    QString paragraphs;
    for (int i = 0; i < PresentationalCss::kMaxDepth + 100; ++i) {
        paragraphs += QLatin1String("<p>text<li>item<span>s</span>");
    }
    const QString kept = PresentationalCss::Rewrite(paragraphs);
    EXPECT_EQ(kept.count(QLatin1String("<span>")), PresentationalCss::kMaxDepth + 100);
}

TEST(PresentationalCss, LengthsAndColoursAreReadAsBrowsersDid)
{
    EXPECT_EQ(PresentationalCss::Length(QStringLiteral(" 120 ")), QStringLiteral("120px"));
    EXPECT_EQ(PresentationalCss::Length(QStringLiteral("50%")), QStringLiteral("50%"));
    EXPECT_EQ(PresentationalCss::Length(QStringLiteral("12.5")), QStringLiteral("12px"));
    EXPECT_EQ(PresentationalCss::Length(QStringLiteral("2*")), QString());
    EXPECT_EQ(PresentationalCss::Length(QStringLiteral("1e9")), QString());
    EXPECT_EQ(PresentationalCss::Colour(QStringLiteral("ff0000")), QStringLiteral("#ff0000"));
    EXPECT_EQ(PresentationalCss::Colour(QStringLiteral("#abc")), QStringLiteral("#abc"));
    EXPECT_EQ(PresentationalCss::Colour(QStringLiteral("Navy")), QStringLiteral("Navy"));
    EXPECT_EQ(PresentationalCss::Colour(QStringLiteral("red}body{x")), QString());
}

// <font size> and <basefont size> as browsers sized them: 1 to 6 are the
// keywords from x-small to xx-large, 7 three times the page font, "+N"/"-N"
// count from the base font (3 unless <basefont> says), and every size stays
// between 1 and 7.
TEST(PresentationalCss, FontSizesAreTheBrowsersSevenSizesCountedFromTheBaseFont)
{
    const auto sizeOf = [](const QString& tag, int medium = 16) {
        const QString page = PresentationalCss::Rewrite(tag + QLatin1String("x</font>"), medium);
        const qsizetype at = page.indexOf(QLatin1String("font-size:"));
        return at < 0 ? QString() : page.mid(at + 10, page.indexOf(u';', at) - at - 10);
    };
    EXPECT_EQ(sizeOf("<font size=1>"), "x-small");
    EXPECT_EQ(sizeOf("<font size=3>"), "medium");
    EXPECT_EQ(sizeOf("<font size=6>"), "xx-large");
    EXPECT_EQ(sizeOf("<font size=7>"), "48px");
    EXPECT_EQ(sizeOf("<font size=7>", 11), "33px") << "three times the page font";
    EXPECT_EQ(sizeOf("<font size=+2>"), "x-large");
    EXPECT_EQ(sizeOf("<font size=\" -1\">"), "small");
    EXPECT_EQ(sizeOf("<font size=99>"), "48px");
    EXPECT_EQ(sizeOf("<font size=-9>"), "x-small");
    EXPECT_EQ(sizeOf("<font size=big>"), QString());
    EXPECT_EQ(sizeOf("<font size=7>", 100000),
              QString::number(PresentationalCss::kMaxFontSize) + "px");

    const QString based = PresentationalCss::Rewrite(
        QStringLiteral("<basefont size=5><font size=+1>a</font><font size=-4>b</font>"));
    EXPECT_TRUE(based.startsWith(QLatin1String("<style>body{font-size:x-large}</style>")));
    EXPECT_TRUE(based.contains(QLatin1String("font-size:xx-large;\">a")));
    EXPECT_TRUE(based.contains(QLatin1String("font-size:x-small;\">b")));
}
