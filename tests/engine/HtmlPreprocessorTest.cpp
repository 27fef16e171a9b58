#include "engine/HtmlPreprocessor.h"

#include "engine/FramesetLayout.h"
#include "engine/HtmlResources.h"

#include <QUrl>
#include <gtest/gtest.h>

namespace {

const QString kPage = QStringLiteral("d:\\run\\html\\page.htm");

PreparedPage prepare(const QString& html)
{
    HtmlPreprocessor preprocessor(kPage, [](const PageSelect&) { return QSize(90, 20); });
    return preprocessor.prepare(html);
}

} // namespace

TEST(HtmlTagScanner, SkipsCommentsScriptsAndBrokenMarkup)
{
    const QString html =
        QStringLiteral("<!-- <a href=x> --><script>if (a<b) document.write('<img src=y>')</script>"
                       "<p class='a>b'>text < more<A HREF=\"z.htm\">z</A><? pi ?><br/ ><");
    HtmlTagScanner scanner(html);
    QStringList names;
    HtmlTag tag;
    while (scanner.next(tag)) {
        names.append((tag.closing ? QStringLiteral("/") : QString()) + tag.name);
        if (tag.name == QLatin1String("p")) {
            EXPECT_EQ(AttributeValue(scanner.attributes(tag), u"class"), QStringLiteral("a>b"));
        }
        if (tag.name == QLatin1String("a") && !tag.closing) {
            EXPECT_EQ(AttributeValue(scanner.attributes(tag), u"href"), QStringLiteral("z.htm"));
        }
    }
    EXPECT_EQ(names, QStringList({"script", "/script", "p", "a", "/a", "br"}));
}

TEST(HtmlTagScanner, AttributesDecodeEntitiesAndTakeAllQuotingStyles)
{
    const QString html =
        QStringLiteral("<img SRC=a&amp;b.gif alt='x &quot;y&quot;' title=\"&#1040;\" ismap>");
    HtmlTagScanner scanner(html);
    HtmlTag tag;
    ASSERT_TRUE(scanner.next(tag));
    const HtmlAttributes attributes = scanner.attributes(tag);
    EXPECT_EQ(AttributeValue(attributes, u"src"), QStringLiteral("a&b.gif"));
    EXPECT_EQ(AttributeValue(attributes, u"alt"), QStringLiteral("x \"y\""));
    EXPECT_EQ(AttributeValue(attributes, u"title"), QStringLiteral("А"));
    EXPECT_TRUE(HasAttribute(attributes, u"ismap"));
    EXPECT_EQ(DecodeEntities(QStringLiteral("&bogus; &amp")), QStringLiteral("&bogus; &amp"));
}

TEST(HtmlPreprocessor, LinksBecomeTokensThatKeepHrefAndTarget)
{
    const PreparedPage page = prepare(QStringLiteral(
        "<html><head><title> My  page </title><base target=main></head><body>"
        "<a href=\"b.htm\" target=\"_blank\">b</a><a name=here>n</a><a href='#here'>h</a>"));
    EXPECT_EQ(page.title, QStringLiteral("My page"));
    EXPECT_EQ(page.baseTarget, QStringLiteral("main"));
    ASSERT_EQ(page.anchors.size(), 2);
    EXPECT_EQ(page.anchors[0].href, QStringLiteral("b.htm"));
    EXPECT_EQ(page.anchors[0].target, QStringLiteral("_blank"));
    EXPECT_EQ(page.anchors[1].href, QStringLiteral("#here"));
    EXPECT_TRUE(page.html.contains(QStringLiteral("href=\"lnk:0\"")));
    EXPECT_TRUE(page.html.contains(QStringLiteral("href=\"lnk:1\"")));
    EXPECT_TRUE(page.html.contains(QStringLiteral("<a name=here>")));
    EXPECT_FALSE(page.html.contains(QStringLiteral("_blank")));
    EXPECT_EQ(PreparedPage::TokenIndex(QStringLiteral("lnk:7"), u"lnk"), 7);
    EXPECT_EQ(PreparedPage::TokenIndex(QStringLiteral("lnkx:7"), u"lnk"), -1);
}

TEST(HtmlPreprocessor, PicturesAndStyleSheetsReferToFileTokens)
{
    const PreparedPage page = prepare(QStringLiteral(
        "<link rel=stylesheet href=../css/site.css><style>p { background: url('bg.png') }</style>"
        "<body background=\"tile.gif\"><img src=\"pics/a.png\" title=\"Hint\" alt=\"Alt\">"
        "<img src=b.png alt=\"Only alt\"><img alt=nothing>"));
    ASSERT_EQ(page.images.size(), 2);
    EXPECT_EQ(page.images[0].src, QStringLiteral("pics/a.png"));
    EXPECT_EQ(page.images[0].hint, QStringLiteral("Hint"));
    EXPECT_EQ(page.images[1].hint, QStringLiteral("Only alt"));
    const QString first = HtmlResources::FileToken(QStringLiteral("d:\\run\\html\\pics\\a.png"), 0);
    EXPECT_TRUE(page.html.contains(first));
    EXPECT_EQ(HtmlResources::PathOfToken(QUrl(first)),
              QStringLiteral("d:\\run\\html\\pics\\a.png"));
    EXPECT_EQ(HtmlResources::SerialOfToken(QUrl(first)), 0);
    EXPECT_TRUE(
        page.html.contains(HtmlResources::FileToken(QStringLiteral("d:\\run\\css\\site.css"))));
    EXPECT_TRUE(page.html.contains(QStringLiteral("type=\"text/css\"")));
    EXPECT_TRUE(
        page.html.contains(HtmlResources::FileToken(QStringLiteral("d:\\run\\html\\bg.png"))));
    EXPECT_TRUE(
        page.html.contains(HtmlResources::FileToken(QStringLiteral("d:\\run\\html\\tile.gif"))));
}

TEST(HtmlPreprocessor, DropDownListsBecomePlaceholdersWithTheirEntries)
{
    const PreparedPage page = prepare(QStringLiteral(
        "<p>Key: <select name=\"serial\"><option value=1>AAA-111<option selected>B &amp; B"
        "</option><option>  C   C </select> after</p><select name=empty></select>"));
    ASSERT_EQ(page.selects.size(), 2);
    EXPECT_EQ(page.selects[0].name, QStringLiteral("serial"));
    EXPECT_EQ(page.selects[0].items, QStringList({"AAA-111", "B & B", "C C"}));
    EXPECT_EQ(page.selects[0].selected, 1);
    EXPECT_EQ(page.selects[1].selected, -1);
    EXPECT_TRUE(page.html.contains(
        QStringLiteral("<img src=\"ctl:0\" width=\"90\" height=\"20\" /> after")));
    EXPECT_FALSE(page.html.contains(QStringLiteral("AAA-111")));
}

TEST(HtmlPreprocessor, BodyLinkAndTextColoursBecomeStyle)
{
    const PreparedPage page = prepare(QStringLiteral("<body link=\"#ff0000\" text=green>x"));
    EXPECT_TRUE(page.html.startsWith(
        QStringLiteral("<style>a { color: #ff0000 }body { color: green }</style>")));
    const PreparedPage hostile = prepare(QStringLiteral("<body link=\"red}</style><p>\">x"));
    EXPECT_FALSE(hostile.html.startsWith(QStringLiteral("<style>")));
}

TEST(FramesetLayout, FramesetsBecomeATreeOfFrames)
{
    const PreparedPage page = prepare(QStringLiteral(
        "<html><head><title>Frames</title></head><frameset cols=\"25%,*\">"
        "<frame name=menu src=menu.htm><frameset rows=\"100,*\"><frame name=top src=\"t.htm\">"
        "<frame name=main src=\"m.htm\"></frameset><noframes>old</noframes></frameset>"));
    ASSERT_TRUE(page.frameset.has_value());
    const FrameNode& root = *page.frameset;
    EXPECT_FALSE(root.rows);
    EXPECT_EQ(root.sizes, QStringList({"25%", "*"}));
    ASSERT_EQ(root.children.size(), 2u);
    EXPECT_TRUE(root.children[1].isFrameset);
    EXPECT_TRUE(root.children[1].rows);
    const QList<const FrameNode*> frames = FramesetLayout::Frames(root);
    ASSERT_EQ(frames.size(), 3);
    EXPECT_EQ(frames[0]->name, QStringLiteral("menu"));
    EXPECT_EQ(frames[2]->src, QStringLiteral("m.htm"));
    EXPECT_EQ(page.title, QStringLiteral("Frames"));
}

TEST(FramesetLayout, RowsAndColumnsTogetherMakeAGrid)
{
    const PreparedPage page = prepare(QStringLiteral(
        "<frameset rows=\"50%,50%\" cols=\"1*,2*\"><frame src=a><frame src=b><frame src=c>"
        "<frame src=d></frameset>"));
    ASSERT_TRUE(page.frameset.has_value());
    ASSERT_EQ(page.frameset->children.size(), 2u);
    EXPECT_EQ(page.frameset->children[1].children[0].src, QStringLiteral("c"));
    EXPECT_EQ(page.frameset->children[1].sizes, QStringList({"1*", "2*"}));
}

TEST(FramesetLayout, DeepOrWideFramesetsStayBounded)
{
    QString deep;
    for (int i = 0; i < 20000; ++i) {
        deep += QStringLiteral("<frameset rows=*>");
    }
    const PreparedPage nested = prepare(deep);
    ASSERT_TRUE(nested.frameset.has_value());
    int depth = 0;
    for (const FrameNode* node = &*nested.frameset; !node->children.empty();
         node = &node->children[0]) {
        ++depth;
    }
    EXPECT_LT(depth, FramesetLayout::kMaxDepth);

    QString wide = QStringLiteral("<frameset cols=*>");
    for (int i = 0; i < 1000; ++i) {
        wide += QStringLiteral("<frame src=a.htm>");
    }
    EXPECT_EQ(int(prepare(wide).frameset->children.size()), FramesetLayout::kMaxChildren);
}

TEST(FramesetLayout, SizesGiveFixedThenPercentThenTheRestToRelativeParts)
{
    EXPECT_EQ(FramesetLayout::Sizes({"20%", "*", "100"}, 1000), QList<int>({200, 700, 100}));
    EXPECT_EQ(FramesetLayout::Sizes({"1*", "2*"}, 300), QList<int>({100, 200}));
    EXPECT_EQ(FramesetLayout::Sizes({"100", "100"}, 500), QList<int>({250, 250}));
    EXPECT_EQ(FramesetLayout::Sizes({"400", "*", "400"}, 600), QList<int>({300, 0, 300}));
    EXPECT_EQ(FramesetLayout::Sizes({"bogus", "50"}, 150), QList<int>({100, 50}));
    const QList<int> odd = FramesetLayout::Sizes({"*", "*", "*"}, 100);
    EXPECT_EQ(odd[0] + odd[1] + odd[2], 100);
    EXPECT_TRUE(FramesetLayout::Sizes({}, 100).isEmpty());
}

// Sizes a page may write that are no usable numbers ("inf", "nan", numbers
// past any screen, as pixels, percentages or weights) never give negative
// or unfilled parts.
TEST(FramesetLayout, SizesOfHugeOrNonFiniteNumbersStillFillTheExtent)
{
    const QList<QStringList> lists = {{"inf", "*"},        {"nan", "100"},   {"1e300", "1e300"},
                                      {"1e308%", "50%"},   {"inf*", "1*"},   {"1e308*", "1e308*"},
                                      {"-inf", "*"},       {"nan*", "nan%"}, {"1e999", "20%"},
                                      {"2e9", "-2e9", "*"}};
    for (const QStringList& list : lists) {
        const QList<int> sizes = FramesetLayout::Sizes(list, 600);
        ASSERT_EQ(sizes.size(), list.size());
        int sum = 0;
        for (const int size : sizes) {
            EXPECT_GE(size, 0) << list.join(',').toStdString();
            sum += size;
        }
        EXPECT_EQ(sum, 600) << list.join(',').toStdString();
    }
    EXPECT_EQ(FramesetLayout::Sizes({"inf", "*"}, 600), QList<int>({300, 300}));
}
