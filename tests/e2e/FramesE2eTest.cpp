// A frameset page in the skinned shell on a real X server: a copy of the
// demo disc carries a page of two frames, a picture with an image map beside
// a form. The frames are separated by the frameset's border, the form shows
// its fields, and a click on an area of the map opens the area's page in the
// other frame.

#include "E2eSupport.h"
#include "platform/Instances.h"

#include <QImage>
#include <optional>

namespace {

using e2e::near;

using e2e::ShellRun;

const QString shellCaption = QStringLiteral("Демонстрационный диск");
// The content screen's page panel in the window, right of the contents tree.
const QRect pageArea(33 + 170, 90, 673 - 170, 421);
const int menuWidth = 220;
const int bodyMargin = 8; // the pages' own margin in their frames

const char* const framesetPage = R"(<html><head><meta http-equiv="Content-Type"
content="text/html; charset=utf-8"><title>Рамки</title></head>
<frameset cols="220,*" border=6 bordercolor="#800080">
<frame name=menu src="menu_f.htm" noresize scrolling=no>
<frame name=main src="form_f.htm"></frameset></html>)";

const char* const menuPage = R"(<html><body style="margin:8px; background:#ffffff">
<img src="map_f.png" width=200 height=200 usemap="#areas" border=0>
<map name="areas">
<area shape=rect coords="0,0,200,100" href="red_f.htm" target=main>
<area shape=circle coords="100,150,40" href="green_f.htm" target=main>
</map></body></html>)";

const char* const formPage = R"(<html><head><meta http-equiv="Content-Type"
content="text/html; charset=utf-8"></head><body style="margin:8px; background:#ffffcc">
<form action="none.htm"><p><input type=text name=who size=20 value="">
<p><input type=submit value="Отправить"></form></body></html>)";

// The share of sampled points of an area that show a colour.
double share(const QImage& shot, const QRect& area, QRgb colour)
{
    int hits = 0;
    int all = 0;
    for (int y = area.top() + 3; y < area.bottom() - 3; y += 7) {
        for (int x = area.left() + 3; x < area.right() - 3; x += 7) {
            hits += near(shot.pixel(x, y), colour, 6);
            ++all;
        }
    }
    return all ? double(hits) / all : 0;
}

void click(QPoint point)
{
    e2e::pointer(
        {QStringLiteral("mousemove"), QString::number(point.x()), QString::number(point.y())});
    QThread::msleep(200);
    e2e::pointer({QStringLiteral("click"), QStringLiteral("1")});
}

class FramesE2eTest : public e2e::JoinedTest {
protected:
    FramesE2eTest() : JoinedTest(QStringLiteral("Проверка рамок")) {}
    void SetUp() override
    {
        JoinedTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) {
            return;
        }
        disc = home.file(QStringLiteral("disc/run"));
        ASSERT_TRUE(e2e::copyTree(e2e::demoDisc(), disc));
        home.write(QStringLiteral("disc/run/Рамки.htm"), framesetPage);
        home.write(QStringLiteral("disc/run/menu_f.htm"), menuPage);
        home.write(QStringLiteral("disc/run/form_f.htm"), formPage);
        home.write(QStringLiteral("disc/run/red_f.htm"), "<body bgcolor=\"#ff0000\">red");
        home.write(QStringLiteral("disc/run/green_f.htm"), "<body bgcolor=\"#00ff00\">green");
        QImage map(200, 200, QImage::Format_RGB32);
        map.fill(QColor(0, 0, 160));
        ASSERT_TRUE(map.save(disc + QStringLiteral("/map_f.png")));
    }

    QString disc;
};

TEST_F(FramesE2eTest, AClickOnAnAreaOfTheMapOpensItsPageInTheOtherFrame)
{
    ShellRun shell(home, QStringLiteral("frames"), false, disc);
    QRect window;
    ASSERT_TRUE(shell.waitUntilReady(window));
    const QRect page = pageArea.translated(window.topLeft());
    const QRect menu(page.topLeft(), QSize(menuWidth, page.height()));
    const QRect border(menu.right() + 1, page.top(), 6, page.height());
    const QRect main(border.right() + 1, page.top(), page.right() - border.right(), page.height());
    const QRect picture(menu.topLeft() + QPoint(bodyMargin, bodyMargin), QSize(200, 200));

    std::optional<TWindowHandle> shellWindow;
    ASSERT_TRUE(e2e::waitFor(
        [&] {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            return (shellWindow = Instances::FindWindowByCaption(shellCaption)).has_value();
        },
        5000));
    const RInstanceMessage open =
        RInstanceMessage::single(RInstanceMessage::KindOpenPage, QStringLiteral("Рамки.htm"));
    QImage shot;
    ASSERT_TRUE(e2e::waitFor(
        [&] {
            Instances::SendCopyData(*shellWindow, ours, open);
            QThread::msleep(400);
            shot = e2e::screenshot();
            return share(shot, main.adjusted(0, 120, 0, 0), qRgb(255, 255, 204)) > 0.5;
        },
        15000))
        << "the form's frame shows beside the menu";
    const QString shots = qEnvironmentVariable("DISCSHELL_E2E_SHOTS");
    if (!shots.isEmpty()) {
        shot.save(shots + QStringLiteral("/frames-form.png"));
    }
    EXPECT_GT(share(shot, picture, qRgb(0, 0, 160)), 0.9) << "the map's picture in the menu";
    EXPECT_GT(share(shot, border.adjusted(-2, 0, 2, 0), qRgb(128, 0, 128)), 0.3)
        << "the frameset's border between the frames";
    EXPECT_GT(share(shot, QRect(main.topLeft() + QPoint(bodyMargin, bodyMargin), QSize(120, 40)),
                    qRgb(255, 255, 255)),
              0.2)
        << "the form's text field";

    click(picture.topLeft() + QPoint(100, 150));
    EXPECT_TRUE(
        e2e::waitFor([&] { return share(e2e::screenshot(), main, qRgb(0, 255, 0)) > 0.8; }, 10000))
        << "the circle's page in the other frame";
    click(picture.topLeft() + QPoint(100, 40));
    EXPECT_TRUE(
        e2e::waitFor([&] { return share(e2e::screenshot(), main, qRgb(255, 0, 0)) > 0.8; }, 10000))
        << "the rectangle's page in the other frame";
    EXPECT_GT(share(e2e::screenshot(), picture, qRgb(0, 0, 160)), 0.9) << "the menu stays";
    EXPECT_EQ(shell.process().state(), QProcess::Running);
}

} // namespace
