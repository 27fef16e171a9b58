#include "EngineTestDisc.h"
#include "engine/HtmlViewer.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

class ViewerLoading : public ::testing::Test {
protected:
    THtmlViewer& open(const ViewerOptions& options = {})
    {
        EXPECT_TRUE(disc.openArchive());
        viewer.reset(CreateHtmlViewer(nullptr, options));
        viewer->resize(600, 400);
        viewer->show();
        return *viewer;
    }
    QColor colourOf(const QString& text) { return UserInput::ColourOf(*viewer, text); }

    EngineTestDisc disc;
    std::unique_ptr<THtmlViewer> viewer;
};

const QString kPage = QStringLiteral("d:\\run\\html\\page.htm");

} // namespace

TEST_F(ViewerLoading, TheArchiveComesFirstThenTheDisk)
{
    disc.addToArchive(QStringLiteral("html\\page.htm"), "<title>From archive</title>x");
    disc.writeToDisk(QStringLiteral("run\\html\\page.htm"), "<title>From disk</title>x");
    disc.writeToDisk(QStringLiteral("run\\html\\disk.htm"), "<title>Disk only</title>x");
    THtmlViewer& v = open();

    ASSERT_TRUE(v.loadFile(kPage));
    EXPECT_EQ(v.documentTitle(), QStringLiteral("From archive"));
    ASSERT_TRUE(v.loadFile(QStringLiteral("D:\\RUN\\html\\disk.htm")));
    EXPECT_EQ(v.documentTitle(), QStringLiteral("Disk only"));
    EXPECT_EQ(v.currentFile(), QStringLiteral("D:\\RUN\\html\\disk.htm"));
}

TEST_F(ViewerLoading, APageFoundNowhereLeavesThePageShown)
{
    disc.addToArchive(QStringLiteral("html\\page.htm"), "<title>Shown</title>x");
    THtmlViewer& v = open();
    int changes = 0;
    QObject::connect(&v, &THtmlViewer::historyChanged, [&changes] { ++changes; });
    EXPECT_FALSE(v.loadFile(QStringLiteral("d:\\run\\html\\missing.htm")));
    EXPECT_FALSE(v.hasDocument());
    ASSERT_TRUE(v.loadFile(kPage));
    EXPECT_FALSE(v.loadFile(QStringLiteral("d:\\run\\html\\missing.htm")));
    EXPECT_FALSE(v.loadFile(QStringLiteral("d:\\run\\html")));
    EXPECT_EQ(v.currentFile(), kPage);
    EXPECT_EQ(v.documentTitle(), QStringLiteral("Shown"));
    EXPECT_EQ(v.historyFiles(), QStringList({kPage}));
    EXPECT_EQ(changes, 1);
}

TEST_F(ViewerLoading, PicturesAndStyleSheetsOfAPageComeThroughTheArchive)
{
    disc.addToArchive(QStringLiteral("html\\page.htm"),
                      "<link rel=stylesheet href=\"../css/site.css\"><p class=x>green</p>"
                      "<img src=\"pics/a.png\">");
    disc.addToArchive(QStringLiteral("css\\site.css"), "p.x { color: #00ff00 }");
    disc.addToArchive(QStringLiteral("html\\pics\\a.png"),
                      EngineTestDisc::Picture(QSize(40, 30), "PNG"));
    THtmlViewer& v = open();
    ASSERT_TRUE(v.loadFile(kPage));
    EXPECT_EQ(v.lastPictureSize(), QSize(40, 30));
    EXPECT_EQ(UserInput::PictureBox(v, 0).size(), QSize(40, 30));
    EXPECT_EQ(colourOf(QStringLiteral("green")), QColor(0, 255, 0));
}

// Pictures of a page are measured from their heads before layout, also when
// the header lies far into the file (a JPEG with a large metadata block).
TEST_F(ViewerLoading, PicturesOfAPageAreMeasuredBeforeLayout)
{
    QByteArray jpeg = EngineTestDisc::Picture(QSize(90, 70), "JPG");
    QByteArray metadata(30000, 'm');
    const int length = int(metadata.size()) + 2;
    jpeg.insert(2, "\xff\xe1" + QByteArray(1, char(length >> 8)) + char(length & 0xff) + metadata);
    disc.addToArchive(QStringLiteral("html\\page.htm"),
                      "<img src=\"big.jpg\"><img src=\"broken.png\">");
    disc.addToArchive(QStringLiteral("html\\big.jpg"), jpeg);
    disc.addToArchive(QStringLiteral("html\\broken.png"), "not a picture at all");
    THtmlViewer& v = open();
    ASSERT_TRUE(v.loadFile(kPage));
    EXPECT_EQ(UserInput::PictureBox(v, 0).size(), QSize(90, 70));
    EXPECT_EQ(UserInput::PictureBox(v, 1).size(), QSize(0, 0));
}

TEST_F(ViewerLoading, PagesAreWindows1251UnlessDeclaredOtherwise)
{
    disc.addToArchive(
        QStringLiteral("html\\page.htm"),
        EngineTestDisc::Cp1251(QStringLiteral("<title>Заголовок</title>Привет, мир")));
    disc.writeToDisk(QStringLiteral("run\\html\\utf.htm"),
                     "<meta charset=\"utf-8\"><title>" + QStringLiteral("Ёлка").toUtf8() +
                         "</title>" + QStringLiteral("Юникод").toUtf8());
    THtmlViewer& v = open();
    ASSERT_TRUE(v.loadFile(kPage));
    EXPECT_EQ(v.documentTitle(), QStringLiteral("Заголовок"));
    EXPECT_TRUE(v.findNext(QStringLiteral("Привет"), true));
    ASSERT_TRUE(v.loadFile(QStringLiteral("d:\\run\\html\\utf.htm")));
    EXPECT_EQ(v.documentTitle(), QStringLiteral("Ёлка"));
    EXPECT_TRUE(v.findNext(QStringLiteral("Юникод"), true));
}

TEST_F(ViewerLoading, PicturesShowAsPicturePagesWithTheirSize)
{
    disc.addToArchive(QStringLiteral("pics\\a.png"), EngineTestDisc::Picture(QSize(64, 48), "PNG"));
    disc.writeToDisk(QStringLiteral("run\\pics\\b.bmp"),
                     EngineTestDisc::Picture(QSize(33, 21), "BMP"));
    disc.writeToDisk(QStringLiteral("run\\pics\\c.JPG"),
                     EngineTestDisc::Picture(QSize(120, 80), "JPG"));
    THtmlViewer& v = open();
    ASSERT_TRUE(v.loadFile(QStringLiteral("d:\\run\\pics\\a.png")));
    EXPECT_EQ(v.lastPictureSize(), QSize(64, 48));
    ASSERT_TRUE(v.loadFile(QStringLiteral("d:\\run\\pics\\b.bmp")));
    EXPECT_EQ(v.lastPictureSize(), QSize(33, 21));
    ASSERT_TRUE(v.loadFile(QStringLiteral("d:\\run\\pics\\c.jpg")));
    EXPECT_EQ(v.lastPictureSize(), QSize(120, 80));
    EXPECT_EQ(v.historyFiles().size(), 3);

    ASSERT_EQ(UserInput::PictureBox(v, 0).size(), QSize(120, 80));
    const ViewerObject object = v.objectAt(UserInput::PointOfPicture(v, 0));
    EXPECT_TRUE(object.isImage());
    EXPECT_EQ(object.imageSource, QStringLiteral("c.jpg"));
}

TEST_F(ViewerLoading, TextFilesShowAsText)
{
    disc.addToArchive(QStringLiteral("docs\\readme.txt"),
                      EngineTestDisc::Cp1251(QStringLiteral("Текст <b>не жирный</b>\nстрока 2")));
    THtmlViewer& v = open();
    ASSERT_TRUE(v.loadFile(QStringLiteral("d:\\run\\docs\\readme.txt")));
    EXPECT_TRUE(v.findNext(QStringLiteral("<b>не жирный</b>"), true));
    EXPECT_TRUE(v.findNext(QStringLiteral("строка 2"), true));
}

TEST_F(ViewerLoading, TheSearchViewerIsHiddenAndKeepsNoHistoryNorPictures)
{
    disc.addToArchive(QStringLiteral("html\\page.htm"),
                      "<p>needle</p><img src=\"a.png\" width=10 height=10>");
    disc.addToArchive(QStringLiteral("html\\a.png"), EngineTestDisc::Picture(QSize(40, 30), "PNG"));
    ASSERT_TRUE(disc.openArchive());
    std::unique_ptr<THtmlViewer> search(CreateSearchViewer(nullptr));
    EXPECT_TRUE(search->isHidden());
    EXPECT_EQ(search->size(), QSize(0, 0));
    ASSERT_TRUE(search->loadFile(kPage));
    EXPECT_TRUE(search->historyFiles().isEmpty());
    EXPECT_FALSE(search->canGoBack());
    EXPECT_EQ(search->currentFile(), kPage);
    EXPECT_EQ(search->lastPictureSize(), QSize());
    EXPECT_TRUE(search->findNext(QStringLiteral("NEEDLE"), false));
    EXPECT_FALSE(search->findNext(QStringLiteral("NEEDLE"), true));
}

TEST_F(ViewerLoading, DefaultsApplyToTheNextLoadAndReloadKeepsThePage)
{
    disc.addToArchive(QStringLiteral("html\\page.htm"),
                      "<title>T</title><p>plain</p><a href=b.htm>link</a>");
    THtmlViewer& v = open();
    ASSERT_TRUE(v.loadFile(kPage));
    ViewerDefaults defaults;
    defaults.fontName = QStringLiteral("Courier New");
    defaults.fontSize = 14;
    defaults.linkColor = QColor(0, 0, 200);
    v.setDefaults(defaults);
    ASSERT_TRUE(v.reload());
    const QFont font = UserInput::FontOf(v, QStringLiteral("plain"));
    EXPECT_EQ(font.pixelSize(), 14 * 96 / 72);
    EXPECT_EQ(font.families().value(0), QStringLiteral("Courier New"));
    EXPECT_EQ(colourOf(QStringLiteral("link")), QColor(0, 0, 200));
    EXPECT_EQ(v.historyFiles().size(), 1);
    EXPECT_EQ(v.defaults().fontSize, 14);
}

TEST_F(ViewerLoading, HistoryKeepsTenNewestFirstAndMovesByIndex)
{
    for (int n = 1; n <= 13; ++n) {
        disc.writeToDisk(QStringLiteral("run\\p%1.htm").arg(n),
                         QStringLiteral("<title>Page %1</title>text %1").arg(n).toLatin1());
    }
    THtmlViewer& v = open();
    const auto page = [](int n) { return QStringLiteral("d:\\run\\p%1.htm").arg(n); };
    int changes = 0;
    QObject::connect(&v, &THtmlViewer::historyChanged, [&changes] { ++changes; });
    EXPECT_FALSE(v.canGoBack());
    for (int n = 1; n <= 12; ++n) {
        ASSERT_TRUE(v.loadFile(page(n)));
    }
    EXPECT_EQ(changes, 12);
    ASSERT_EQ(v.historyFiles().size(), 10);
    EXPECT_EQ(v.historyFiles().first(), page(12));
    EXPECT_EQ(v.historyFiles().last(), page(3));
    EXPECT_EQ(v.historyTitles().first(), QStringLiteral("Page 12"));
    EXPECT_TRUE(v.canGoBack());
    EXPECT_FALSE(v.canGoForward());

    ASSERT_TRUE(v.setHistoryIndex(5));
    EXPECT_EQ(v.currentFile(), page(7));
    EXPECT_EQ(v.documentTitle(), QStringLiteral("Page 7"));
    ASSERT_TRUE(v.goBack());
    EXPECT_EQ(v.historyIndex(), 6);
    EXPECT_EQ(v.currentFile(), page(6));
    ASSERT_TRUE(v.goForward());
    EXPECT_EQ(v.currentFile(), page(7));
    EXPECT_FALSE(v.setHistoryIndex(10));
    EXPECT_EQ(changes, 15);

    ASSERT_TRUE(v.setHistoryIndex(9));
    EXPECT_FALSE(v.goBack());
    ASSERT_TRUE(v.loadFile(page(13)));
    EXPECT_EQ(v.historyFiles(), QStringList({page(13), page(3)}));
    EXPECT_EQ(v.historyIndex(), 0);
}

TEST_F(ViewerLoading, ReplacedPagesDoNotPileUp)
{
    disc.addToArchive(QStringLiteral("html\\page.htm"), "<p>first</p>");
    disc.addToArchive(QStringLiteral("html\\other.htm"), "<p>second</p>");
    THtmlViewer& v = open();
    std::unique_ptr<THtmlViewer> search(CreateSearchViewer(nullptr));
    ASSERT_TRUE(v.loadFile(kPage));
    ASSERT_TRUE(search->loadFile(kPage));
    const LiteHtmlView* searchView = &UserInput::ViewOf(*search);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const qsizetype objects = v.findChildren<QObject*>().size();
    const qsizetype searchObjects = search->findChildren<QObject*>().size();
    for (int round = 0; round < 40; ++round) {
        const QString file = round % 2 ? kPage : QStringLiteral("d:\\run\\html\\other.htm");
        ASSERT_TRUE(v.loadFile(file));
        ASSERT_TRUE(search->loadFile(file));
    }
    EXPECT_EQ(&UserInput::ViewOf(*search), searchView);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(search->findChildren<QObject*>().size(), searchObjects);
    EXPECT_EQ(v.findChildren<QObject*>().size(), objects);
    EXPECT_EQ(v.printablePage().file, v.currentFile());
    EXPECT_TRUE(v.printablePage().html.contains(QStringLiteral("first")));
}

TEST_F(ViewerLoading, ThePageStyleOfLinksWinsOverTheDefaultLook)
{
    disc.addToArchive(QStringLiteral("html\\page.htm"),
                      "<body link=\"#ff0000\"><a href=\"x.htm\">red link</a>");
    disc.addToArchive(QStringLiteral("html\\css.htm"),
                      "<style>a.menu { color: #00ff00 }</style><a class=menu href=x.htm>menu</a> "
                      "<a href=y.htm>plain</a>");
    disc.addToArchive(QStringLiteral("html\\bare.htm"),
                      "<a href=x.htm style=\"color: #0000ff\">own</a> <a href=y.htm>plain</a> "
                      "<a href=z.htm><font color=\"#00aa00\">font</font></a> "
                      "<a href=w.htm style=\"font-weight: bold\">bold</a>");
    THtmlViewer& v = open();
    ASSERT_TRUE(v.loadFile(kPage));
    EXPECT_EQ(colourOf(QStringLiteral("red link")), QColor(255, 0, 0));
    ASSERT_TRUE(v.loadFile(QStringLiteral("d:\\run\\html\\css.htm")));
    EXPECT_EQ(colourOf(QStringLiteral("menu")), QColor(0, 255, 0));
    EXPECT_EQ(colourOf(QStringLiteral("plain")), v.defaults().linkColor);
    ASSERT_TRUE(v.loadFile(QStringLiteral("d:\\run\\html\\bare.htm")));
    EXPECT_EQ(colourOf(QStringLiteral("own")), QColor(0, 0, 255));
    EXPECT_EQ(colourOf(QStringLiteral("plain")), v.defaults().linkColor);
    EXPECT_EQ(colourOf(QStringLiteral("font")), QColor(0, 0xaa, 0));
    EXPECT_EQ(colourOf(QStringLiteral("bold")), v.defaults().linkColor);
}
