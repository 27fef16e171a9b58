#include "engine/LiteHtmlViewer.h"

#include "EngineTestDisc.h"
#include "engine/ImageMap.h"
#include "engine/LiteHtmlView.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>
#include <memory>

// The viewer on litehtml as the shell drives it: loading through the
// archive, history, links with their targets, frames, text and objects.

namespace {

struct Click {
    THtmlViewer* source = nullptr;
    QString target;
    QString url;
};

class LiteHtmlViewerTest : public ::testing::Test {
protected:
    LiteHtmlViewer& open(const ViewerOptions& options = {})
    {
        EXPECT_TRUE(disc.openArchive());
        viewer = std::make_unique<LiteHtmlViewer>(nullptr, options);
        viewer->resize(600, 300);
        viewer->show();
        QObject::connect(
            viewer.get(), &THtmlViewer::linkClicked,
            [this](THtmlViewer* source, const QString& target, const QString& url, bool* handled) {
                clicks.append({source, target, url});
                *handled = answer;
            });
        return *viewer;
    }
    // The centre of the first word run of a viewer's page that reads text,
    // in viewport coordinates.
    static QPoint pointOf(LiteHtmlViewer& shown, const QString& text, bool leftEdge = false)
    {
        LiteHtmlView& view = *shown.view();
        for (const PageText::Run& run : view.text().runs()) {
            if (run.text == text) {
                const QPoint point =
                    leftEdge ? QPoint(run.box.left() + 1, run.box.center().y()) : run.box.center();
                return point - view.toPage(QPoint());
            }
        }
        ADD_FAILURE() << "no run " << text.toStdString();
        return QPoint();
    }
    static void click(LiteHtmlViewer& shown, QPoint point, Qt::KeyboardModifiers keys = {})
    {
        QWidget* target = shown.view()->viewport();
        QMouseEvent press(QEvent::MouseButtonPress, point, target->mapToGlobal(point),
                          Qt::LeftButton, Qt::LeftButton, keys);
        QApplication::sendEvent(target, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, point, target->mapToGlobal(point),
                            Qt::LeftButton, Qt::NoButton, keys);
        QApplication::sendEvent(target, &release);
    }
    static void move(LiteHtmlViewer& shown, QPoint point)
    {
        QWidget* target = shown.view()->viewport();
        QMouseEvent moved(QEvent::MouseMove, point, target->mapToGlobal(point), Qt::NoButton,
                          Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(target, &moved);
    }

    EngineTestDisc disc;
    std::unique_ptr<LiteHtmlViewer> viewer;
    QList<Click> clicks;
    bool answer = false;
};

const QString kPage = QStringLiteral("d:\\run\\html\\a.htm");
const QByteArray kLongText = QByteArray(300, '\n').replace("\n", "<br>line");

} // namespace

TEST_F(LiteHtmlViewerTest, PagesComeFromTheArchiveFirstAndEnterTheHistory)
{
    disc.addToArchive(QStringLiteral("html\\a.htm"), "<title>From archive</title>x");
    disc.writeToDisk(QStringLiteral("run\\html\\a.htm"), "<title>From disk</title>x");
    disc.writeToDisk(QStringLiteral("run\\html\\b.htm"), "<title>Disk only</title>y");
    LiteHtmlViewer& v = open();

    ASSERT_TRUE(v.loadFile(kPage));
    EXPECT_EQ(v.documentTitle(), QStringLiteral("From archive"));
    ASSERT_TRUE(v.loadFile(QStringLiteral("d:\\run\\html\\b.htm")));
    EXPECT_EQ(v.documentTitle(), QStringLiteral("Disk only"));
    EXPECT_FALSE(v.loadFile(QStringLiteral("d:\\run\\html\\none.htm")));
    EXPECT_EQ(v.documentTitle(), QStringLiteral("Disk only"));
    EXPECT_EQ(v.historyTitles(),
              QStringList({QStringLiteral("Disk only"), QStringLiteral("From archive")}));
    ASSERT_TRUE(v.goBack());
    EXPECT_EQ(v.documentTitle(), QStringLiteral("From archive"));
    EXPECT_TRUE(v.canGoForward());
}

TEST_F(LiteHtmlViewerTest, AClickIsOfferedWithItsTargetAndFollowedUnlessHandled)
{
    disc.addToArchive(QStringLiteral("html\\a.htm"), "<base target=main><a href='b.htm'>plain</a> "
                                                     "<a href='b.htm' target=side>aimed</a>");
    disc.addToArchive(QStringLiteral("html\\b.htm"), "<title>B</title>b");
    LiteHtmlViewer& v = open();
    ASSERT_TRUE(v.loadFile(kPage));

    answer = true;
    click(v, pointOf(v, QStringLiteral("aimed")));
    ASSERT_EQ(clicks.size(), 1);
    EXPECT_EQ(clicks[0].target, QStringLiteral("side"));
    EXPECT_EQ(clicks[0].url, QStringLiteral("b.htm"));
    EXPECT_EQ(v.currentFile(), kPage);

    answer = false;
    click(v, pointOf(v, QStringLiteral("plain")));
    ASSERT_EQ(clicks.size(), 2);
    EXPECT_EQ(clicks[1].target, QStringLiteral("main"));
    EXPECT_EQ(v.documentTitle(), QStringLiteral("B"));
    EXPECT_TRUE(v.visitedLinks().contains(QStringLiteral("d:\\run\\html\\b.htm")));
}

TEST_F(LiteHtmlViewerTest, HoverReportsTheLinkAndObjectsReportPicturesWithTheirHints)
{
    disc.addToArchive(QStringLiteral("html\\a.htm"),
                      "<a href='c.htm' target=t>over</a><br>"
                      "<a href='d.htm'><img src='p.png' title='The hint' alt='alt'></a>"
                      "<img src='p.png' alt='Only alt'>");
    disc.addToArchive(QStringLiteral("html\\p.png"), EngineTestDisc::Picture(QSize(40, 40), "PNG"));
    LiteHtmlViewer& v = open();
    ASSERT_TRUE(v.loadFile(kPage));
    QStringList hovered;
    QObject::connect(&v, &THtmlViewer::linkHovered,
                     [&hovered](THtmlViewer*, const QString& target, const QString& url) {
                         hovered.append(target + QLatin1Char('|') + url);
                     });

    move(v, pointOf(v, QStringLiteral("over")));
    ASSERT_EQ(hovered.size(), 1);
    EXPECT_EQ(hovered[0], QStringLiteral("t|c.htm"));
    EXPECT_EQ(v.view()->viewport()->cursor().shape(), Qt::PointingHandCursor);

    const QPoint textPoint = v.view()->viewport()->mapTo(&v, pointOf(v, QStringLiteral("over")));
    const ViewerObject text = v.objectAt(textPoint);
    EXPECT_FALSE(text.isImage());
    EXPECT_EQ(text.linkUrl, QStringLiteral("c.htm"));

    const litehtml::element::ptr firstImage =
        v.view()->page()->document()->root()->select_one("img");
    const litehtml::position place = firstImage->get_placement();
    const ViewerObject image = v.objectAt(QPoint(place.x + 5, place.y + 5));
    EXPECT_TRUE(image.isImage());
    EXPECT_EQ(image.hint, QStringLiteral("The hint"));
    EXPECT_EQ(image.imageSource, QStringLiteral("p.png"));
    EXPECT_EQ(image.linkUrl, QStringLiteral("d.htm"));
    const ViewerObject second = v.objectAt(QPoint(place.x + 45, place.y + 5));
    EXPECT_EQ(second.hint, QStringLiteral("Only alt"));
    EXPECT_NE(second.id, image.id);
}

TEST_F(LiteHtmlViewerTest, FindSelectsEachHitInTurnAndScrollsToIt)
{
    disc.addToArchive(QStringLiteral("html\\a.htm"),
                      "<p>Needle, at the top</p>" + kLongText + "<p>needle far below.</p>");
    LiteHtmlViewer& v = open();
    ASSERT_TRUE(v.loadFile(kPage));

    ASSERT_TRUE(v.findNext(QStringLiteral("needle"), false));
    EXPECT_EQ(v.selectedText(), QStringLiteral("Needle"));
    EXPECT_EQ(v.verticalPosition(), 0);
    ASSERT_TRUE(v.findNext(QStringLiteral("needle far"), true));
    EXPECT_EQ(v.selectedText(), QStringLiteral("needle far"));
    EXPECT_GT(v.verticalPosition(), 1000);
    EXPECT_FALSE(v.findNext(QStringLiteral("needle"), false));
    v.moveSelectionToStart();
    EXPECT_TRUE(v.findNext(QStringLiteral("NEEDLE"), false));
    EXPECT_FALSE(v.findNext(QStringLiteral("NEEDLE"), true));
}

TEST_F(LiteHtmlViewerTest, SelectAllCopiesThePlainTextAndADoubleClickTakesAWord)
{
    disc.addToArchive(QStringLiteral("html\\a.htm"),
                      EngineTestDisc::Cp1251(
                          QStringLiteral("<h1>Глава</h1><p>first words</p><p>second line</p>")));
    LiteHtmlViewer& v = open();
    ASSERT_TRUE(v.loadFile(kPage));

    v.selectAll();
    EXPECT_EQ(v.selectedText(), QStringLiteral("Глава\nfirst words\nsecond line"));
    v.copySelection();
    EXPECT_EQ(QApplication::clipboard()->text(), v.selectedText());

    QWidget* target = v.view()->viewport();
    const QPoint word = pointOf(v, QStringLiteral("words"));
    QMouseEvent twice(QEvent::MouseButtonDblClick, word, target->mapToGlobal(word), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &twice);
    EXPECT_EQ(v.selectedText(), QStringLiteral("words"));

    click(v, pointOf(v, QStringLiteral("first"), true));
    click(v, pointOf(v, QStringLiteral("line"), true), Qt::ShiftModifier);
    EXPECT_EQ(v.selectedText(), QStringLiteral("first words\nsecond"));
}

TEST_F(LiteHtmlViewerTest, AnchorsPositionsAndKeysScrollThePage)
{
    disc.addToArchive(QStringLiteral("html\\a.htm"), "top" + kLongText + "<a name=mid>middle</a>" +
                                                         kLongText + "<div id=end>end</div>");
    LiteHtmlViewer& v = open();
    ASSERT_TRUE(v.loadFile(kPage + QStringLiteral("#mid")));
    const int middle = v.verticalPosition();
    EXPECT_GT(middle, 1000);
    ASSERT_TRUE(v.loadFile(kPage + QStringLiteral("#end")));
    EXPECT_GT(v.verticalPosition(), middle);

    v.setVerticalPosition(200);
    EXPECT_EQ(v.verticalPosition(), 200);
    QKeyEvent down(QEvent::KeyPress, Qt::Key_PageDown, Qt::NoModifier);
    QApplication::sendEvent(v.view(), &down);
    EXPECT_GT(v.verticalPosition(), 400);
    QKeyEvent home(QEvent::KeyPress, Qt::Key_Home, Qt::NoModifier);
    QApplication::sendEvent(v.view(), &home);
    EXPECT_EQ(v.verticalPosition(), 0);
}

TEST_F(LiteHtmlViewerTest, FramesetsShowFramesThatLinksTarget)
{
    disc.addToArchive(QStringLiteral("html\\a.htm"),
                      "<frameset cols='30%,*'><frame name=menu src=menu.htm>"
                      "<frame name=main src=one.htm></frameset>");
    disc.addToArchive(QStringLiteral("html\\menu.htm"), "<a href='two.htm' target=main>two</a>");
    disc.addToArchive(QStringLiteral("html\\one.htm"), "<title>One</title>one");
    disc.addToArchive(QStringLiteral("html\\two.htm"), "<title>Two</title>two");
    LiteHtmlViewer& v = open();
    ASSERT_TRUE(v.loadFile(kPage));

    auto* menu = static_cast<LiteHtmlViewer*>(v.frameViewer(QStringLiteral("menu")));
    THtmlViewer* main = v.frameViewer(QStringLiteral("main"));
    ASSERT_TRUE(menu && main);
    EXPECT_EQ(main->documentTitle(), QStringLiteral("One"));
    click(*menu, pointOf(*menu, QStringLiteral("two")));
    ASSERT_EQ(clicks.size(), 1);
    EXPECT_EQ(clicks[0].source, menu);
    EXPECT_EQ(main->documentTitle(), QStringLiteral("Two"));
}

TEST_F(LiteHtmlViewerTest, TextFilesPicturesAndListsShow)
{
    disc.addToArchive(QStringLiteral("html\\notes.txt"), EngineTestDisc::Cp1251("Привет <b>"));
    disc.addToArchive(QStringLiteral("html\\big.png"),
                      EngineTestDisc::Picture(QSize(70, 30), "PNG"));
    disc.addToArchive(QStringLiteral("html\\a.htm"),
                      "<select name=pick><option>one<option selected>two</select>");
    LiteHtmlViewer& v = open();

    ASSERT_TRUE(v.loadFile(QStringLiteral("d:\\run\\html\\notes.txt")));
    v.selectAll();
    EXPECT_EQ(v.selectedText(), QStringLiteral("Привет <b>"));
    ASSERT_TRUE(v.loadFile(QStringLiteral("d:\\run\\html\\big.png")));
    EXPECT_EQ(v.lastPictureSize(), QSize(70, 30));
    ASSERT_TRUE(v.loadFile(kPage));
    const QList<FormControl> controls = v.formControls();
    ASSERT_EQ(controls.size(), 1);
    EXPECT_EQ(controls[0].name, QStringLiteral("pick"));
    EXPECT_EQ(controls[0].selectedText(), QStringLiteral("two"));
}

TEST_F(LiteHtmlViewerTest, FormFieldsAreRealControlsThatKeepToTheirBoxes)
{
    disc.addToArchive(QStringLiteral("html\\a.htm"),
                      "<form><input name=q value='typed' style='width:200px;height:24px'>"
                      "<input type=password><input type=checkbox checked><input type=radio>"
                      "<input type=hidden value=secret><input type=submit value=Go>"
                      "<textarea>notes</textarea><select name=one><option>a<option>b</select>"
                      "<select name=many multiple><option>x<option selected>y</select></form>" +
                          kLongText);
    LiteHtmlViewer& v = open();
    ASSERT_TRUE(v.loadFile(kPage));
    const LiteHtmlFormControls& controls = v.view()->controls();
    ASSERT_EQ(controls.count(), 9);

    const auto* field = qobject_cast<QLineEdit*>(controls.control(0));
    ASSERT_TRUE(field);
    EXPECT_EQ(field->text(), QStringLiteral("typed"));
    EXPECT_EQ(field->size(), QSize(200, 24));
    EXPECT_EQ(qobject_cast<QLineEdit*>(controls.control(1))->echoMode(), QLineEdit::Password);
    EXPECT_TRUE(qobject_cast<QCheckBox*>(controls.control(2))->isChecked());
    EXPECT_TRUE(qobject_cast<QRadioButton*>(controls.control(3)));
    EXPECT_EQ(controls.control(4), nullptr);
    EXPECT_EQ(qobject_cast<QPushButton*>(controls.control(5))->text(), QStringLiteral("Go"));
    EXPECT_EQ(qobject_cast<QPlainTextEdit*>(controls.control(6))->toPlainText(),
              QStringLiteral("notes"));
    auto* list = qobject_cast<QComboBox*>(controls.control(7));
    ASSERT_TRUE(list);
    EXPECT_TRUE(qobject_cast<QListWidget*>(controls.control(8)));

    list->setCurrentIndex(1);
    const QList<FormControl> lists = v.formControls();
    ASSERT_EQ(lists.size(), 2);
    EXPECT_EQ(lists[0].selectedText(), QStringLiteral("b"));
    EXPECT_EQ(lists[1].selectedText(), QStringLiteral("y"));

    const int top = field->y();
    v.setVerticalPosition(50);
    EXPECT_EQ(field->y(), top - 50);
}

// Fields take the font, colour and background the page gives them, and only
// those: the text around them does not restyle them.
TEST_F(LiteHtmlViewerTest, FormFieldsTakeTheirOwnLookFromThePage)
{
    disc.addToArchive(QStringLiteral("html\\a.htm"),
                      "<style>.big { font-size: 30px; color: #ff0000; background: #00ff00 }"
                      "p { color: #0000ff; font-size: 40px }</style>"
                      "<p><input class=big value=styled><input type=submit class=big value=Go>"
                      "<input value=plain></p>");
    LiteHtmlViewer& v = open();
    ASSERT_TRUE(v.loadFile(kPage));
    const LiteHtmlFormControls& controls = v.view()->controls();
    ASSERT_EQ(controls.count(), 3);
    const QWidget* styled = controls.control(0);
    EXPECT_EQ(styled->font().pixelSize(), 30);
    EXPECT_EQ(styled->palette().color(QPalette::Text), QColor(Qt::red));
    EXPECT_EQ(styled->palette().color(QPalette::Base), QColor(Qt::green));
    EXPECT_EQ(controls.control(1)->palette().color(QPalette::ButtonText), QColor(Qt::red));
    EXPECT_EQ(controls.control(1)->palette().color(QPalette::Button), QColor(Qt::green));
    const QWidget* plain = controls.control(2);
    EXPECT_NE(plain->font().pixelSize(), 40);
    EXPECT_NE(plain->palette().color(QPalette::Text), QColor(Qt::blue));
}

TEST(ImageMapShapes, RectanglesCirclesPolygonsAndDefaultHoldTheirPoints)
{
    EXPECT_TRUE(
        ImageMap::Contains(QStringLiteral("rect"), QStringLiteral("10,10,50,30"), QPoint(10, 29)));
    EXPECT_FALSE(
        ImageMap::Contains(QStringLiteral("RECT"), QStringLiteral("10,10,50,30"), QPoint(50, 20)));
    EXPECT_TRUE(
        ImageMap::Contains(QStringLiteral(""), QStringLiteral("50 30 10 10"), QPoint(20, 20)));
    EXPECT_TRUE(ImageMap::Contains(QStringLiteral("circle"), QStringLiteral("100,100,10"),
                                   QPoint(107, 107)));
    EXPECT_FALSE(
        ImageMap::Contains(QStringLiteral("circ"), QStringLiteral("100,100,10"), QPoint(108, 108)));
    EXPECT_TRUE(
        ImageMap::Contains(QStringLiteral("poly"), QStringLiteral("0,0,40,0,0,40"), QPoint(5, 5)));
    EXPECT_FALSE(ImageMap::Contains(QStringLiteral("polygon"), QStringLiteral("0,0,40,0,0,40"),
                                    QPoint(35, 35)));
    EXPECT_TRUE(ImageMap::Contains(QStringLiteral("default"), QString(), QPoint(-5, 999)));
    EXPECT_FALSE(ImageMap::Contains(QStringLiteral("rect"), QStringLiteral("1,2"), QPoint(1, 1)));
}

TEST_F(LiteHtmlViewerTest, AreasOfImageMapsAreHoveredClickedAndReportedAsLinks)
{
    disc.addToArchive(QStringLiteral("html\\a.htm"),
                      "<body style='margin:0'><img src='m.png' usemap='#nav' alt='Map'>"
                      "<map name=nav><area shape=rect coords='0,0,50,50' href='left.htm' "
                      "target=main><area shape=circle coords='150,25,20' href='right.htm'>"
                      "</map>");
    disc.addToArchive(QStringLiteral("html\\m.png"),
                      EngineTestDisc::Picture(QSize(200, 50), "PNG"));
    disc.addToArchive(QStringLiteral("html\\right.htm"), "<title>Right</title>r");
    LiteHtmlViewer& v = open();
    ASSERT_TRUE(v.loadFile(kPage));
    QStringList hovered;
    QObject::connect(
        &v, &THtmlViewer::linkHovered,
        [&hovered](THtmlViewer*, const QString&, const QString& url) { hovered.append(url); });

    const ViewerObject left = v.objectAt(QPoint(20, 20));
    EXPECT_TRUE(left.isImage());
    EXPECT_EQ(left.hint, QStringLiteral("Map"));
    EXPECT_EQ(left.linkUrl, QStringLiteral("left.htm"));
    EXPECT_EQ(left.linkTarget, QStringLiteral("main"));
    EXPECT_TRUE(v.objectAt(QPoint(100, 20)).linkUrl.isEmpty());

    move(v, QPoint(20, 20));
    move(v, QPoint(100, 20));
    EXPECT_EQ(hovered, QStringList({QStringLiteral("left.htm"), QString()}));

    click(v, QPoint(150, 25));
    ASSERT_EQ(clicks.size(), 1);
    EXPECT_EQ(clicks[0].url, QStringLiteral("right.htm"));
    EXPECT_EQ(v.documentTitle(), QStringLiteral("Right"));
}
