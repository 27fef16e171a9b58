#include "EngineTestDisc.h"
#include "engine/FramesetWidget.h"
#include "engine/HtmlPagePrinter.h"
#include "engine/HtmlViewer.h"

#include <QMouseEvent>
#include <QScrollBar>
#include <gtest/gtest.h>
#include <memory>

namespace {

const QString kIndex = QStringLiteral("d:\\run\\html\\index.htm");

// index.htm: a menu frame (30 %) beside a main frame showing a.htm.
class ViewerFrames : public ::testing::Test {
protected:
    void SetUp() override
    {
        disc.addToArchive(QStringLiteral("html\\index.htm"),
                          "<html><head><title>Frames</title></head>"
                          "<frameset cols=\"30%,*\"><frame name=\"menu\" src=\"menu.htm\">"
                          "<frame name=\"Main\" src=\"pages/a.htm\"></frameset></html>");
        disc.addToArchive(QStringLiteral("html\\menu.htm"),
                          "<a href=\"pages/b.htm\" target=\"main\">open b</a><br>"
                          "<a href=\"top.htm\" target=\"_top\">leave frames</a>");
        disc.addToArchive(
            QStringLiteral("html\\pages\\a.htm"),
            "<title>A</title>text of page a <img src=\"p.png\" title=\"Frame hint\">");
        disc.addToArchive(QStringLiteral("html\\pages\\p.png"),
                          EngineTestDisc::Picture(QSize(50, 40), "PNG"));
        disc.addToArchive(QStringLiteral("html\\pages\\b.htm"), "<title>B</title>text of page b");
        disc.addToArchive(QStringLiteral("html\\top.htm"), "<title>Top</title>no frames");
        disc.addToArchive(QStringLiteral("html\\index2.htm"),
                          "<frameset rows=\"60,*\"><frame name=nav src=\"nav.htm\">"
                          "<frame name=main src=\"pages/a.htm\"></frameset>");
        disc.addToArchive(QStringLiteral("html\\nav.htm"),
                          "<base target=\"main\"><a href=\"pages/b.htm\">via base</a> "
                          "<a href=\"top.htm\" target=\"_parent\">up</a>");
        disc.addToArchive(QStringLiteral("html\\self.htm"),
                          "<frameset rows=\"50%,50%\"><frame src=\"self.htm\">"
                          "<frame src=\"self.htm\"></frameset>");
        ASSERT_TRUE(disc.openArchive());
        viewer.reset(CreateHtmlViewer(nullptr));
        viewer->resize(600, 400);
        viewer->show();
        ASSERT_TRUE(viewer->loadFile(kIndex));
    }
    EngineTestDisc disc;
    std::unique_ptr<THtmlViewer> viewer;
};

} // namespace

TEST_F(ViewerFrames, FramesAreNestedViewersFoundByName)
{
    EXPECT_EQ(viewer->documentTitle(), QStringLiteral("Frames"));
    EXPECT_EQ(viewer->currentFile(), kIndex);
    THtmlViewer* main = viewer->frameViewer(QStringLiteral("MAIN"));
    THtmlViewer* menu = viewer->frameViewer(QStringLiteral("menu"));
    ASSERT_NE(main, nullptr);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(viewer->frameViewer(QStringLiteral("nowhere")), nullptr);
    EXPECT_EQ(main->currentFile(), QStringLiteral("d:\\run\\html\\pages\\a.htm"));
    EXPECT_EQ(menu->width(), 179) << "30 % of what the 4-pixel border leaves";
    EXPECT_EQ(main->width(), 417);
    EXPECT_EQ(main->x(), 183);
    EXPECT_EQ(main->height(), 400);
    EXPECT_EQ(viewer->historyFiles(), QStringList({kIndex}));
}

TEST_F(ViewerFrames, ALinkWithATargetFrameLoadsThere)
{
    QList<THtmlViewer*> sources;
    QObject::connect(viewer.get(), &THtmlViewer::linkClicked,
                     [&sources](THtmlViewer* source, const QString& target, const QString&, bool*) {
                         sources.append(source);
                         EXPECT_EQ(target, QStringLiteral("main"));
                     });
    THtmlViewer* menu = viewer->frameViewer(QStringLiteral("menu"));
    THtmlViewer* main = viewer->frameViewer(QStringLiteral("main"));
    UserInput::ClickText(*menu, QStringLiteral("open b"));
    ASSERT_EQ(sources, QList<THtmlViewer*>({menu}));
    EXPECT_EQ(main->currentFile(), QStringLiteral("d:\\run\\html\\pages\\b.htm"));
    EXPECT_EQ(main->historyFiles().size(), 2);
    EXPECT_EQ(menu->currentFile(), QStringLiteral("d:\\run\\html\\menu.htm"));
    EXPECT_EQ(viewer->currentFile(), kIndex);
    ASSERT_TRUE(main->goBack());
    EXPECT_EQ(main->documentTitle(), QStringLiteral("A"));
}

TEST_F(ViewerFrames, TheTopTargetReplacesTheFrameset)
{
    UserInput::ClickText(*viewer->frameViewer(QStringLiteral("menu")),
                         QStringLiteral("leave frames"));
    EXPECT_EQ(viewer->currentFile(), QStringLiteral("d:\\run\\html\\top.htm"));
    EXPECT_EQ(viewer->frameViewer(QStringLiteral("main")), nullptr);
    EXPECT_EQ(viewer->activeViewer(), viewer.get());
    EXPECT_TRUE(viewer->findNext(QStringLiteral("no frames"), true));
    ASSERT_TRUE(viewer->goBack());
    EXPECT_NE(viewer->frameViewer(QStringLiteral("main")), nullptr);
}

TEST_F(ViewerFrames, TheBaseTargetAndTheParentTargetAreFollowed)
{
    ASSERT_TRUE(viewer->loadFile(QStringLiteral("d:\\run\\html\\index2.htm")));
    THtmlViewer* nav = viewer->frameViewer(QStringLiteral("nav"));
    ASSERT_NE(nav, nullptr);
    EXPECT_EQ(nav->height(), 60);
    QStringList targets;
    QObject::connect(viewer.get(), &THtmlViewer::linkClicked,
                     [&targets](THtmlViewer*, const QString& target, const QString&, bool*) {
                         targets.append(target);
                     });
    UserInput::ClickText(*nav, QStringLiteral("via base"));
    EXPECT_EQ(viewer->frameViewer(QStringLiteral("main"))->documentTitle(), QStringLiteral("B"));
    UserInput::ClickText(*nav, QStringLiteral("up"));
    EXPECT_EQ(targets, QStringList({"main", "_parent"}));
    EXPECT_EQ(viewer->currentFile(), QStringLiteral("d:\\run\\html\\top.htm"));
}

TEST_F(ViewerFrames, TheFrameWorkedInLastIsTheActiveOne)
{
    THtmlViewer* main = viewer->frameViewer(QStringLiteral("main"));
    UserInput::Click(*main, QPoint(400, 300));
    EXPECT_EQ(viewer->activeViewer(), main);
    EXPECT_FALSE(viewer->findNext(QStringLiteral("page a"), true));
    viewer->moveSelectionToStart();
    EXPECT_TRUE(viewer->findNext(QStringLiteral("page a"), true));
    EXPECT_EQ(main->selectedText(), QStringLiteral("page a"));
    EXPECT_EQ(viewer->printablePage().file, main->currentFile());
}

TEST_F(ViewerFrames, TheObjectUnderAPointIsLookedUpInItsFrame)
{
    THtmlViewer* main = viewer->frameViewer(QStringLiteral("main"));
    ASSERT_EQ(UserInput::PictureBox(*main, 0).size(), QSize(50, 40));
    const QPoint inMain = UserInput::PointOfPicture(*main, 0);
    const ViewerObject object = viewer->objectAt(main->mapTo(viewer.get(), inMain));
    EXPECT_TRUE(object.hasHint());
    EXPECT_EQ(object.hint, QStringLiteral("Frame hint"));
}

TEST_F(ViewerFrames, APageThatFramesItselfStopsGrowing)
{
    ASSERT_TRUE(viewer->loadFile(QStringLiteral("d:\\run\\html\\self.htm")));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const int frames = int(viewer->findChildren<THtmlViewer*>().size());
    EXPECT_GT(frames, 2);
    EXPECT_LE(frames, 64);
}

namespace {

void press(QWidget& widget, QEvent::Type type, QPoint point)
{
    const Qt::MouseButtons buttons =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, point, widget.mapToGlobal(point), Qt::LeftButton, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

void drag(QWidget& widget, QPoint from, QPoint to)
{
    press(widget, QEvent::MouseButtonPress, from);
    press(widget, QEvent::MouseMove, to);
    press(widget, QEvent::MouseButtonRelease, to);
}

bool scrollBarShown(THtmlViewer& frame)
{
    for (const QScrollBar* bar : frame.findChildren<QScrollBar*>()) {
        if (bar->orientation() == Qt::Vertical && bar->isVisible()) {
            return true;
        }
    }
    return false;
}

} // namespace

// The frameset's border width and colour lie between its frames; a frameset
// whose frames all say frameborder=0 has none, and a frame's own
// frameborder brings the border beside it back.
TEST_F(ViewerFrames, BordersFollowTheFramesetsWidthColourAndFlags)
{
    disc.writeToDisk(QStringLiteral("run\\looks.htm"),
                     "<frameset cols=\"100,*\" border=10 bordercolor=\"#ff0000\">"
                     "<frame src=\"html/menu.htm\"><frame src=\"html/top.htm\"></frameset>");
    ASSERT_TRUE(viewer->loadFile(QStringLiteral("d:\\run\\looks.htm")));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    auto* frameset = viewer->findChild<FramesetWidget*>();
    ASSERT_NE(frameset, nullptr);
    ASSERT_EQ(frameset->borders(), QList<QRect>({QRect(100, 0, 10, 400)}));
    const QImage shown = viewer->grab().toImage();
    EXPECT_EQ(shown.pixelColor(105, 200), QColor(Qt::red));

    disc.writeToDisk(QStringLiteral("run\\flat.htm"),
                     "<frameset rows=\"50%,*,*\" frameborder=0><frame src=\"html/menu.htm\">"
                     "<frame src=\"html/top.htm\"><frame src=\"html/menu.htm\" frameborder=1>"
                     "</frameset>");
    ASSERT_TRUE(viewer->loadFile(QStringLiteral("d:\\run\\flat.htm")));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    frameset = viewer->findChild<FramesetWidget*>();
    ASSERT_NE(frameset, nullptr);
    const QList<QRect> borders = frameset->borders();
    ASSERT_EQ(borders.size(), 1) << "only beside the frame that asks for one";
    EXPECT_EQ(borders.first().height(), 4);
    EXPECT_EQ(frameset->parts().first()->height(), 198);
}

// Dragging a border moves it and the frames keep their new sizes when the
// viewer is resized; a border beside a "noresize" frame stays.
TEST_F(ViewerFrames, ABorderIsDraggedUnlessAFrameBesideItIsFixed)
{
    auto* frameset = viewer->findChild<FramesetWidget*>();
    ASSERT_NE(frameset, nullptr);
    THtmlViewer* menu = viewer->frameViewer(QStringLiteral("menu"));
    const QRect border = frameset->borders().value(0);
    ASSERT_TRUE(frameset->canDrag(0));
    drag(*frameset, border.center(), border.center() + QPoint(121, 0));
    EXPECT_EQ(menu->width(), 300);
    viewer->resize(300, 400);
    EXPECT_EQ(menu->width(), 149) << "in proportion to what the frames had";

    disc.writeToDisk(QStringLiteral("run\\fixed.htm"),
                     "<frameset cols=\"100,*\"><frame name=a src=\"html/menu.htm\" noresize>"
                     "<frame src=\"html/top.htm\"></frameset>");
    viewer->resize(600, 400);
    ASSERT_TRUE(viewer->loadFile(QStringLiteral("d:\\run\\fixed.htm")));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    frameset = viewer->findChild<FramesetWidget*>();
    ASSERT_NE(frameset, nullptr);
    EXPECT_FALSE(frameset->canDrag(0));
    const QRect fixed = frameset->borders().value(0);
    drag(*frameset, fixed.center(), fixed.center() + QPoint(100, 0));
    EXPECT_EQ(viewer->frameViewer(QStringLiteral("a"))->width(), 100);
}

TEST_F(ViewerFrames, AFramesScrollingSaysWhetherItHasAScrollBar)
{
    disc.writeToDisk(QStringLiteral("run\\html\\long.htm"),
                     "<p>long</p>" + QByteArray(200, 'x').replace("x", "<p>line</p>"));
    disc.writeToDisk(QStringLiteral("run\\scrolling.htm"),
                     "<frameset cols=\"*,*,*\"><frame name=no src=\"html/long.htm\" scrolling=no>"
                     "<frame name=yes src=\"html/top.htm\" scrolling=yes>"
                     "<frame name=auto src=\"html/long.htm\"></frameset>");
    ASSERT_TRUE(viewer->loadFile(QStringLiteral("d:\\run\\scrolling.htm")));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
    EXPECT_FALSE(scrollBarShown(*viewer->frameViewer(QStringLiteral("no"))));
    EXPECT_TRUE(scrollBarShown(*viewer->frameViewer(QStringLiteral("yes"))));
    EXPECT_TRUE(scrollBarShown(*viewer->frameViewer(QStringLiteral("auto"))));
}

// A frameset prints every frame, each from a new sheet; once the reader has
// worked in a frame, that frame alone.
TEST_F(ViewerFrames, AFramesetPrintsEveryFrameUntilOneIsWorkedIn)
{
    THtmlPagePrinter printer(*viewer);
    const QList<PrintablePage> pages = viewer->printablePages();
    ASSERT_EQ(pages.size(), 2);
    EXPECT_EQ(pages[0].file, QStringLiteral("d:\\run\\html\\menu.htm"));
    EXPECT_EQ(pages[1].file, QStringLiteral("d:\\run\\html\\pages\\a.htm"));
    ASSERT_TRUE(printer.paginate(1.0));
    EXPECT_EQ(printer.pageCount(), 2);
    EXPECT_NE(printer.pageImage(0), printer.pageImage(1));

    THtmlViewer* main = viewer->frameViewer(QStringLiteral("main"));
    UserInput::Click(*main, QPoint(400, 300));
    ASSERT_EQ(viewer->printablePages().size(), 1);
    EXPECT_EQ(viewer->printablePages()[0].file, main->currentFile());
    ASSERT_TRUE(printer.paginate(1.0));
    EXPECT_EQ(printer.pageCount(), 1);
}
