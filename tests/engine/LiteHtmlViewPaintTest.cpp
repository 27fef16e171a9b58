#include "EngineTestDisc.h"
#include "engine/HtmlViewer.h"

#include <QApplication>
#include <gtest/gtest.h>
#include <memory>

// The page view repaints from what it drew around the view: what shows after
// scrolls, hovers and new defaults must still be the page as it is now.

namespace {

const QString kPage = QStringLiteral("d:\\run\\html\\boxes.htm");

QColor bandColour(int band)
{
    return QColor(band * 8, 255 - band * 8, (band * 40) % 256);
}

// Thirty bands 100 px high, each of its own colour, and a link box that
// turns red under the mouse.
QByteArray bandsPage()
{
    QByteArray html = "<style>body{margin:0} div{height:100px} a.box{display:block;height:40px;"
                      "background-color:#00ff00} a.box:hover{background-color:#ff0000}</style>"
                      "<a class=box href=x.htm></a>";
    for (int band = 0; band < 30; ++band) {
        html += "<div style=\"background-color:" + bandColour(band).name().toLatin1() + "\"></div>";
    }
    return html;
}

class LiteHtmlViewPaint : public ::testing::Test {
protected:
    void SetUp() override
    {
        disc.addToArchive(QStringLiteral("html\\boxes.htm"), bandsPage());
        ASSERT_TRUE(disc.openArchive());
        viewer.reset(CreateHtmlViewer(nullptr));
        viewer->resize(300, 200);
        viewer->show();
        ASSERT_TRUE(viewer->loadFile(kPage));
    }
    QColor shownAt(QPoint point)
    {
        return UserInput::Viewport(*viewer)->grab().toImage().pixelColor(point);
    }

    EngineTestDisc disc;
    std::unique_ptr<THtmlViewer> viewer;
};

} // namespace

TEST_F(LiteHtmlViewPaint, EveryScrollShowsThePartOfThePageInView)
{
    for (int top = 0; top <= 2500; top += 100) {
        viewer->setVerticalPosition(top);
        ASSERT_EQ(viewer->verticalPosition(), top);
        for (int y : {5, 95, 150, 195}) {
            const int pageY = top + y;
            const QColor expected = pageY < 40 ? QColor(0, 255, 0) : bandColour((pageY - 40) / 100);
            ASSERT_EQ(shownAt(QPoint(150, y)), expected) << "scrolled to " << top << " at " << y;
        }
    }
    viewer->setVerticalPosition(0);
    EXPECT_EQ(shownAt(QPoint(150, 5)), QColor(0, 255, 0));
}

TEST_F(LiteHtmlViewPaint, HoverAndNewColoursRepaintWhatWasDrawn)
{
    EXPECT_EQ(shownAt(QPoint(150, 20)), QColor(0, 255, 0));
    UserInput::Move(*viewer, QPoint(150, 20));
    EXPECT_EQ(shownAt(QPoint(150, 20)), QColor(255, 0, 0));
    UserInput::Move(*viewer, QPoint(150, 150));
    EXPECT_EQ(shownAt(QPoint(150, 20)), QColor(0, 255, 0));

    // A reload lays the page out anew; the view shows it where it was.
    viewer->setVerticalPosition(1240);
    ASSERT_TRUE(viewer->reload());
    EXPECT_EQ(viewer->verticalPosition(), 1240);
    EXPECT_EQ(shownAt(QPoint(150, 195)), bandColour(13));
}

// Scrolling back up brings strips in above what was drawn; small and large
// steps both show the page as it is.
TEST_F(LiteHtmlViewPaint, ScrollingBackUpInStepsOfAnySizeShowsThePage)
{
    viewer->setVerticalPosition(2800);
    for (int top = viewer->verticalPosition(), step = 30; top > 0; top -= step, step += 23) {
        viewer->setVerticalPosition(top);
        for (int y : {1, 60, 120, 199}) {
            const int pageY = top + y;
            const QColor expected = pageY < 40 ? QColor(0, 255, 0) : bandColour((pageY - 40) / 100);
            ASSERT_EQ(shownAt(QPoint(150, y)), expected) << "scrolled to " << top << " at " << y;
        }
    }
}
