#include "EngineTestDisc.h"
#include "engine/HtmlResources.h"
#include "engine/LiteHtmlPage.h"
#include "engine/PresentationalCss.h"

#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

// Probe pages drawn by the litehtml page: coloured boxes at known places,
// one feature each, read back as pixels.

namespace {

const QString kPage = QStringLiteral("d:\\run\\html\\page.htm");
const QSize kViewport(400, 300);

class LiteHtmlRender : public ::testing::Test {
protected:
    QImage render(const QString& html)
    {
        EXPECT_TRUE(disc.openArchive());
        QImage image = RenderPage(kPage, html, kViewport);
        if (qEnvironmentVariableIsSet("LITEHTML_TEST_DUMP")) {
            image.save(QStringLiteral("/tmp/lh/%1.png")
                           .arg(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        }
        return image;
    }
    static QColor at(const QImage& image, int x, int y) { return image.pixelColor(x, y); }

    EngineTestDisc disc;
};

} // namespace

TEST_F(LiteHtmlRender, BoxesOfClassesIdsAndDescendantRulesHaveTheirSizeColourAndBorder)
{
    const QImage image = render(QStringLiteral(
        "<style>.box{width:100px;height:50px;background:#ff0000}"
        "#second{width:60px;height:40px;background:#00ff00;border:5px solid #0000ff}"
        "div p{margin:0;width:30px;height:30px;background:#ffff00}</style>"
        "<body style='margin:0'><div class=box></div><div id=second></div><div><p></p></div>"));
    EXPECT_EQ(at(image, 50, 25), QColor(255, 0, 0));
    EXPECT_EQ(at(image, 150, 25), QColor(Qt::white));
    EXPECT_EQ(at(image, 2, 52), QColor(0, 0, 255));
    EXPECT_EQ(at(image, 30, 70), QColor(0, 255, 0));
    EXPECT_EQ(at(image, 15, 115), QColor(255, 255, 0));
}

TEST_F(LiteHtmlRender, PresentationalTableAttributesGiveCellHeightsColoursAndCentring)
{
    const QImage image = render(QStringLiteral(
        "<body leftmargin=0 topmargin=0><table width=200 align=center cellspacing=0 "
        "cellpadding=0 border=0><tr><td height=100 width=100 bgcolor=#ff0000>&nbsp;</td>"
        "<td width=100 bgcolor=00ff00>&nbsp;</td></tr></table>"));
    EXPECT_EQ(at(image, 120, 90), QColor(255, 0, 0));
    EXPECT_EQ(at(image, 280, 90), QColor(0, 255, 0));
    EXPECT_EQ(at(image, 50, 50), QColor(Qt::white));
    EXPECT_EQ(at(image, 350, 50), QColor(Qt::white));
    EXPECT_EQ(at(image, 200, 150), QColor(Qt::white));
}

// A border colour gives flat borders of that colour, not raised grey ones;
// a table or a block of its own width inside <center> is centred too.
TEST_F(LiteHtmlRender, BorderColoursAreFlatAndCentreCentresTablesAndBlocks)
{
    const QImage image = render(QStringLiteral(
        "<body leftmargin=0 topmargin=0><table border=8 bordercolor=#ff0000 cellspacing=0 "
        "width=100><tr><td height=40 bgcolor=#ffffff></td></tr></table>"
        "<center><table width=100 cellspacing=0 border=0><tr><td height=30 bgcolor=#0000ff>"
        "</td></tr></table><div style='width:100px;height:30px;background:#00ff00'></div>"
        "</center>"));
    EXPECT_EQ(at(image, 4, 20), QColor(255, 0, 0)) << "the left border";
    EXPECT_EQ(at(image, 96, 20), QColor(255, 0, 0)) << "the right border, not a darker shade";
    EXPECT_EQ(at(image, 200, 70), QColor(0, 0, 255)) << "the table in the middle";
    EXPECT_EQ(at(image, 20, 70), QColor(Qt::white));
    EXPECT_EQ(at(image, 200, 100), QColor(0, 255, 0)) << "the block in the middle";
    EXPECT_EQ(at(image, 20, 100), QColor(Qt::white));
}

// <font face> names a face as font-family does: the first face there is,
// Courier New through its metric twin, gives monospaced text; faces nobody
// has give the page font, whatever the font database would stand in.
TEST_F(LiteHtmlRender, FontFacesAreTheFacesOfTheirText)
{
    const QString row =
        QStringLiteral("<table cellspacing=0 cellpadding=0 bgcolor=#%1><tr><td style='height:30px'>"
                       "<font face=\"%2\" color=#%1>iiiiiiiiiiiiiiiiiiii</font></td></tr></table>");
    const QImage image =
        render("<body leftmargin=0 topmargin=0>" + row.arg("0000ff", "No Such Face, Courier New") +
               row.arg("ff0000", "") + row.arg("00ff00", "No Such Face, Courier New, Courier") +
               row.arg("ffff00", "No Such Face, Nor This"));
    const auto widthOfRow = [&image](int number, QColor colour) {
        int width = 0;
        for (int x = 0; x < kViewport.width(); ++x) {
            width += at(image, x, number * 30 + 5) == colour;
        }
        return width;
    };
    const int plain = widthOfRow(1, QColor(255, 0, 0));
    EXPECT_GT(widthOfRow(0, QColor(0, 0, 255)), 2 * plain)
        << "monospaced i's are far wider than proportional ones";
    EXPECT_GT(widthOfRow(2, QColor(0, 255, 0)), 2 * plain);
    EXPECT_EQ(widthOfRow(3, QColor(255, 255, 0)), plain);
}

TEST_F(LiteHtmlRender, BackgroundPicturesAndPicturesComeFromTheArchive)
{
    disc.addToArchive(QStringLiteral("html\\pics\\tile.png"),
                      EngineTestDisc::Picture(QSize(10, 10), "PNG", Qt::blue));
    disc.addToArchive(QStringLiteral("html\\pics\\red.png"),
                      EngineTestDisc::Picture(QSize(40, 20), "PNG", Qt::red));
    const QImage image = render(QStringLiteral(
        "<body style='margin:0'><table background='pics/tile.png' width=100 height=50 "
        "cellspacing=0><tr><td></td></tr></table><img src='pics/red.png'>"
        "<img src='pics/missing.png' width=30 height=30>"));
    EXPECT_EQ(at(image, 95, 45), QColor(0, 0, 255));
    EXPECT_EQ(at(image, 20, 60), QColor(255, 0, 0));
}

TEST_F(LiteHtmlRender, StyleSheetsLinkedAndImportedResolveAgainstTheirOwnFolder)
{
    disc.addToArchive(QStringLiteral("css\\main.css"),
                      "@import url(more/extra.css); .a{height:20px;background:#ff0000}");
    disc.addToArchive(
        QStringLiteral("css\\more\\extra.css"),
        "@import \"last.css\"; .b{height:20px;background:url(../../html/pics/g.png)}");
    disc.addToArchive(QStringLiteral("css\\more\\last.css"), ".c{height:20px;background:#0000ff}");
    disc.addToArchive(QStringLiteral("html\\pics\\g.png"),
                      EngineTestDisc::Picture(QSize(5, 5), "PNG", Qt::green));
    const QImage image =
        render(QStringLiteral("<link rel=stylesheet href='../css/main.css'><body style='margin:0'>"
                              "<div class=a></div><div class=b></div><div class=c></div>"));
    EXPECT_EQ(at(image, 200, 10), QColor(255, 0, 0));
    EXPECT_EQ(at(image, 200, 30), QColor(0, 255, 0));
    EXPECT_EQ(at(image, 200, 50), QColor(0, 0, 255)) << "a quoted import inside an import";
}

TEST_F(LiteHtmlRender, FloatsPositionsAndInlineBlocksArePlaced)
{
    const QImage image = render(QStringLiteral(
        "<body style='margin:0'>"
        "<div style='float:right;width:50px;height:50px;background:#ff0000'></div>"
        "<div style='position:absolute;left:100px;top:200px;width:20px;height:20px;"
        "background:#0000ff'></div>"
        "<span style='display:inline-block;width:40px;height:40px;background:#00ff00'></span>"));
    EXPECT_EQ(at(image, 375, 25), QColor(255, 0, 0));
    EXPECT_EQ(at(image, 110, 210), QColor(0, 0, 255));
    EXPECT_EQ(at(image, 20, 20), QColor(0, 255, 0));
}

TEST_F(LiteHtmlRender, HostilePagesStillGiveAPage)
{
    QString deep;
    for (int i = 0; i < 20000; ++i) {
        deep += QLatin1String("<div>");
    }
    const QStringList pages = {
        deep + QStringLiteral("x"),
        QStringLiteral("<table width=99999999><tr><td colspan=100000 rowspan=100000>x"),
        QStringLiteral("<font style='font-size:9000000px'>huge</font>"
                       "<div style='width:99999999px;height:99999999px'>x</div>"),
        QStringLiteral("<style>@import url(missing.css); a{{{{color:</style><p>broken"),
        QStringLiteral("<img src=missing.gif width=40 height=40>")};
    for (const QString& page : pages) {
        const QImage image = render(page);
        EXPECT_EQ(image.size(), kViewport);
    }
}

TEST_F(LiteHtmlRender, TextListsAndFontsDrawInTheirColours)
{
    const QImage image =
        render(QStringLiteral("<body style='margin:0'><h1 style='color:#ff0000'>Заголовок</h1>"
                              "<ul><li>один<li>два</ul><ol><li>first<li>second</ol>"
                              "<font face='Courier New' size=5 color=#0000ff>Моноширинный</font>"
                              "<center><a href='x.htm'>link</a></center>"));
    int red = 0;
    int blue = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor colour = at(image, x, y);
            red += colour.red() > 200 && colour.green() < 80 && colour.blue() < 80;
            blue += colour.blue() > 200 && colour.red() < 80 && colour.green() < 80;
        }
    }
    EXPECT_GT(red, 100);
    EXPECT_GT(blue, 50);
}

// The first block's top margin collapses with the body's: the block stands at
// the larger of the two, with or without a border of its own; a body with a
// top padding keeps the margins apart, and text first has nothing to collapse.
TEST_F(LiteHtmlRender, TheFirstBlocksTopMarginCollapsesWithTheBodysWhateverItsBorder)
{
    const auto topOfRed = [](const QImage& image) {
        for (int y = 0; y < image.height(); ++y) {
            if (image.pixelColor(60, y) == QColor(255, 0, 0)) {
                return y;
            }
        }
        return -1;
    };
    const QString block =
        QStringLiteral("<div style='margin-top:30px;height:20px;background:#ff0000;"
                       "border-top:%1'></div>");
    const QString plain = block.arg(QStringLiteral("0"));
    const QString bordered = block.arg(QStringLiteral("4px solid #ff0000"));
    EXPECT_EQ(topOfRed(render("<body style='margin:0'>" + plain)), 30);
    EXPECT_EQ(topOfRed(render("<body style='margin:0'>" + bordered)), 30);
    EXPECT_EQ(topOfRed(render("<body style='margin:8px'>" + bordered)), 30);
    EXPECT_EQ(topOfRed(render("<body style='margin:40px'>" + bordered)), 40);
    EXPECT_EQ(topOfRed(render("<body style='margin:0;padding-top:5px'>" + bordered)), 35);
    EXPECT_EQ(topOfRed(render("<body style='margin:0'><h1 style='margin:30px 0;"
                              "border-top:4px solid #ff0000;font-size:10px'>x</h1>" +
                              plain)),
              30);
}

// Text of <font size=N> is as wide as a browser draws it: with a page font
// of 12 points each step larger than the one before, 7 three times as large
// as the page font.
TEST_F(LiteHtmlRender, FontSizesStepUpFromOneToSeven)
{
    ViewerDefaults twelvePoints;
    twelvePoints.fontSize = 12;
    QString page = QStringLiteral("<body style='margin:0'>");
    for (int size = 1; size <= 7; ++size) {
        page += QStringLiteral("<div style='height:40px'><span style='background:#ff0000'>"
                               "<font size=%1>xxxx</font></span></div>")
                    .arg(size);
    }
    const QImage image = RenderPage(kPage, page, kViewport, twelvePoints);
    QList<int> widths;
    for (int size = 1; size <= 7; ++size) {
        int width = 0;
        for (int y = (size - 1) * 40; y < size * 40; ++y) {
            for (int x = width; x < image.width() && at(image, x, y) == QColor(255, 0, 0); ++x) {
                width = x + 1;
            }
        }
        widths.append(width);
    }
    for (int size = 2; size <= 7; ++size) {
        EXPECT_GT(widths[size - 1], widths[size - 2]) << "size " << size;
    }
    EXPECT_NEAR(widths[6], 3 * widths[2], 4) << "7 against 3";
}

// Drawing a strip of the page gives, inside the strip, the very pixels of
// drawing the whole page: blocks, cells, lists and the like skip their
// descendants only when none of them can reach the strip, including text
// overflowing a box of fixed height, negative margins, floats, cells
// centred in tall rows, nested tables and positioned boxes.
TEST_F(LiteHtmlRender, AStripOfThePageIsDrawnAsTheWholePageDrawsIt)
{
    QString page = QStringLiteral("<body style='margin:4px'>");
    for (int part = 0; part < 6; ++part) {
        page +=
            QStringLiteral(
                "<p>Абзац %1 of plain text that wraps over more than one line of the narrow view, "
                "<b>bold</b> and <a href=x.htm>a link</a>.</p>"
                "<div style='height:12px;background:#ddeeff'>overflowing text overflowing text "
                "overflowing text overflowing text overflowing text overflowing text</div>"
                "<div style='margin-top:-6px;background:#ffeedd'>pulled up</div>"
                "<table border=1 cellpadding=2><tr><td height=80 valign=middle bgcolor=#eeffee>"
                "middle</td><td><table border=1><tr><td>nested %1</td></tr><tr><td>cell</td></tr>"
                "</table></td></tr></table>"
                "<div><span style='float:right;width:40px;height:70px;background:#ff8800'></span>"
                "float beside</div>"
                "<ul><li>one<li>two<ol><li>inner</ol></ul>"
                "<blockquote><div style='position:relative;top:-20px;color:#aa0000'>moved</div>"
                "</blockquote><center><pre>pre  text</pre></center>")
                .arg(part);
    }
    LiteHtmlPage whole(std::make_shared<HtmlResources>(), kPage, ViewerDefaults());
    whole.load(page);
    const int height = whole.layout(kViewport);
    ASSERT_GT(height, 3 * kViewport.height());
    QImage full(kViewport.width(), height, QImage::Format_RGB32);
    full.fill(Qt::white);
    {
        QPainter painter(&full);
        whole.draw(painter, QPoint(), QRect(0, 0, kViewport.width(), height));
    }
    for (int top = 0; top < height; top += 37) {
        const QRect strip(0, top, kViewport.width(), qMin(29, height - top));
        QImage drawn(strip.size(), QImage::Format_RGB32);
        drawn.fill(Qt::white);
        {
            QPainter painter(&drawn);
            painter.setClipRect(QRect(QPoint(), strip.size()));
            whole.draw(painter, -strip.topLeft(), strip);
        }
        ASSERT_EQ(drawn, full.copy(strip)) << "strip at " << top << " of " << height;
    }
}

// A table of a given width shares its spare room among columns of no width
// of their own by their content, as browsers do, where the engine gave all
// of it to the last column; nested in a cell, too. A column with a width of
// its own keeps the engine's layout.
TEST_F(LiteHtmlRender, AutoColumnsOfATableWithAWidthShareItsSpareRoomByTheirContent)
{
    const QString row = QStringLiteral(
        "<div style='height:40px'><table width=%1 cellspacing=0 cellpadding=0 border=0><tr>"
        "<td bgcolor=#ff0000 %2>aa</td><td bgcolor=#00ff00>aaaaaaaa</td></tr></table></div>");
    const QImage image =
        render("<body style='margin:0'>" + row.arg("400", "") + row.arg("400", "width=300") +
               "<div style='height:40px'><table width=400 cellspacing=0 "
               "cellpadding=0><tr><td>" +
               row.arg("100%", "") + "</td><td>aaaaaa</td></tr></table></div>");
    const auto redWidth = [&image](int y) {
        int width = 0;
        while (width < image.width() && at(image, width, y) != QColor(0, 255, 0)) {
            ++width;
        }
        return width;
    };
    EXPECT_NEAR(redWidth(2), 80, 8) << "a fifth of 400 for a fifth of the text";
    EXPECT_NEAR(redWidth(42), 300, 2);
    EXPECT_GT(redWidth(82), 20) << "the nested table shares its cell's room too";
    EXPECT_LT(redWidth(82), 60);
}

// Each table nested in another makes the engine's work three times larger;
// forty of them would take hours. The page's layout work is capped: the page
// comes up with every cell's text in it.
TEST_F(LiteHtmlRender, TablesNestedFortyDeepAreLaidOutWithEveryCell)
{
    QString page = QStringLiteral("<body style='margin:0'>");
    for (int level = 0; level < 40; ++level) {
        page += QStringLiteral("<table width=100%><tr><td>a</td><td>");
    }
    page += QStringLiteral("<span style='background:#ff0000'>innermost</span>");
    for (int level = 0; level < 40; ++level) {
        page += QStringLiteral("</td></tr></table>");
    }
    QElapsedTimer timer;
    timer.start();
    const QImage image = RenderPage(kPage, page, QSize(800, 3000));
    EXPECT_LT(timer.elapsed(), 10000);
    bool innermostShown = false;
    for (int y = 0; y < image.height() && !innermostShown; ++y) {
        for (int x = 0; x < image.width() && !innermostShown; ++x) {
            innermostShown = at(image, x, y) == QColor(255, 0, 0);
        }
    }
    EXPECT_TRUE(innermostShown);
}
