// Pages and separate picture viewers on a real X server: discshell opens the
// demo disc, goes to the content screen, follows a link in its page, and a
// "_blank" picture of the gallery opens in a file-viewer instance, which a
// second click on the same picture brings to the front instead of starting
// another one.

#include "E2eSupport.h"
#include "data/ConfigText.h"
#include "data/ReadBin.h"
#include "interface/InterfaceParser.h"
#include "platform/Instances.h"
#include "platform/VirtualFs.h"

#include <QCoreApplication>
#include <QDir>
#include <csignal>
#include <optional>

namespace {

using e2e::near;
using e2e::pumpUntil;
using e2e::saveShot;

using e2e::pointer;
using e2e::screenshot;
using e2e::ShellRun;

const QString shellCaption = QStringLiteral("Демонстрационный диск");
const QString viewerCaption = QStringLiteral("Увеличенная картинка");
// Where the content screen's page lies in the window: its background panel
// right of the contents tree (165 pixels) and its splitter.
const QRect pageArea(33 + 170, 90, 673 - 170, 421);
const QRgb pagePaper = qRgb(251, 248, 241);
const QRgb linkColour = qRgb(0, 51, 102); // the pages' own "a" rule

// The centre of the start screen's button that opens the pages.
QPoint readButton()
{
    VirtualFs::instance().mount(QStringLiteral("z:\\"), QStringLiteral("/"));
    TReadBin bin;
    EXPECT_TRUE(bin.Open(VirtualFs::fromHostPath(e2e::demoDisc() + QStringLiteral("/Mev.dhl"))));
    QByteArray buffer;
    bin.ReadToBuffer(QStringLiteral("Struct.cfs"), buffer);
    TDynamicStringArray lines;
    DecodeConfig(buffer, lines, true);
    const TInterfaceDescription description = ReadInterfaceDescription(lines);
    for (const RBtn& button : description.Buttons.value(0)) {
        if (button.Command == QLatin1String("screen2=index.htm")) {
            QByteArray picture;
            bin.ReadToBuffer(button.PicUp, picture);
            const QSize size = QImage::fromData(picture).size();
            return QPoint(button.Left + size.width() / 2, button.Top + size.height() / 2);
        }
    }
    ADD_FAILURE() << "the demo disc has a button to its pages";
    return QPoint();
}

// Share of sample points of the area that show the page's paper.
double paperShare(const QImage& shot, const QRect& area)
{
    int paper = 0;
    int all = 0;
    for (int y = area.top() + 5; y < area.bottom(); y += 11) {
        for (int x = area.left() + 5; x < area.right() - 20; x += 13) {
            paper += near(shot.pixel(x, y), pagePaper, 4);
            ++all;
        }
    }
    return all ? double(paper) / all : 0;
}

int differingPoints(const QImage& a, const QImage& b, const QRect& area)
{
    int count = 0;
    for (int y = area.top(); y < area.bottom(); y += 7) {
        for (int x = area.left(); x < area.right(); x += 7) {
            count += !near(a.pixel(x, y), b.pixel(x, y), 2);
        }
    }
    return count;
}

// The underline of the first link from the top: a run of the link colour.
std::optional<QPoint> firstLink(const QImage& shot, const QRect& area)
{
    for (int y = area.top(); y < area.bottom(); ++y) {
        int run = 0;
        for (int x = area.left(); x < area.right(); ++x) {
            run = near(shot.pixel(x, y), linkColour, 12) ? run + 1 : 0;
            if (run == 40) {
                return QPoint(x - 20, y);
            }
        }
    }
    return std::nullopt;
}

// The top-left corner of the first picture: a block without paper in it.
std::optional<QPoint> firstPicture(const QImage& shot, const QRect& area)
{
    auto solid = [&shot](int x, int y) {
        for (int step = 0; step <= 100; step += 4) {
            if (near(shot.pixel(x + step, y), pagePaper, 6) ||
                near(shot.pixel(x, y + step * 3 / 4), pagePaper, 6)) {
                return false;
            }
        }
        return true;
    };
    for (int y = area.top(); y < area.bottom() - 80; y += 2) {
        for (int x = area.left(); x < area.right() - 110; x += 2) {
            if (solid(x, y)) {
                return QPoint(x, y);
            }
        }
    }
    return std::nullopt;
}

QList<WindowRegistry::Info> windowsCaptioned(const QString& caption)
{
    QList<WindowRegistry::Info> found;
    for (const WindowRegistry::Info& window : Instances::TopLevelWindows()) {
        if (window.visible && WindowRegistry::CaptionMatches(window.caption, caption, 127)) {
            found << window;
        }
    }
    return found;
}

void click(QPoint point)
{
    pointer({QStringLiteral("mousemove"), QString::number(point.x()), QString::number(point.y())});
    QThread::msleep(150);
    pointer({QStringLiteral("click"), QStringLiteral("1")});
}

class ViewerE2eTest : public e2e::JoinedTest {
protected:
    ViewerE2eTest() : JoinedTest(QStringLiteral("Проверка")) {}
    void TearDown() override
    {
        for (const quint32 pid : viewers) {
            ::kill(pid_t(pid), SIGTERM);
        }
        JoinedTest::TearDown();
    }

    QList<quint32> viewers;
};

TEST_F(ViewerE2eTest, APageLinkIsFollowedAndABlankPictureHasOneViewerBroughtToTheFront)
{
    ShellRun shell(home, QStringLiteral("shell"));
    QRect window;
    ASSERT_TRUE(shell.waitUntilReady(window));
    const QRect page = pageArea.translated(window.topLeft());
    click(window.topLeft() + readButton());
    ASSERT_TRUE(e2e::waitFor([&] { return paperShare(screenshot(), page) > 0.5; }, 10000))
        << "the content screen shows its first page";
    // The chapters are listed below the disc's picture: the wheel brings them up.
    const QPoint middle = page.center();
    pointer(
        {QStringLiteral("mousemove"), QString::number(middle.x()), QString::number(middle.y())});
    for (int step = 0; step < 4; ++step) {
        QThread::msleep(100);
        pointer({QStringLiteral("click"), QStringLiteral("5")});
    }
    QThread::msleep(400);
    const QImage index = screenshot();
    saveShot(index, "viewer-index.png");

    const std::optional<QPoint> link = firstLink(index, page);
    ASSERT_TRUE(link) << "the page lists its chapters as links";
    click(*link - QPoint(0, 6));
    ASSERT_TRUE(e2e::waitFor(
        [&] { return differingPoints(screenshot(), index, page.adjusted(0, 0, -20, 0)) > 300; },
        10000))
        << "the link's page replaced the first page";
    QThread::msleep(300);
    const QImage chapter = screenshot();
    saveShot(chapter, "viewer-chapter.png");
    EXPECT_GT(paperShare(chapter, page), 0.5) << "a page, not an empty panel";
    EXPECT_NE(firstLink(chapter, page), link) << "another page with its own links";

    std::optional<TWindowHandle> main;
    ASSERT_TRUE(
        pumpUntil([&] { return (main = Instances::FindWindowByCaption(shellCaption)); }, 5000));
    ASSERT_TRUE(Instances::SendCopyData(
        *main, ours,
        RInstanceMessage::single(RInstanceMessage::KindOpenPage, QStringLiteral("Галерея.htm"))));
    std::optional<QPoint> picture;
    ASSERT_TRUE(e2e::waitFor([&] { return (picture = firstPicture(screenshot(), page)); }, 10000))
        << "the gallery shows its pictures";
    const QPoint target = *picture + QPoint(75, 55);

    click(target);
    QList<WindowRegistry::Info> opened;
    ASSERT_TRUE(
        pumpUntil([&] { return !(opened = windowsCaptioned(viewerCaption)).isEmpty(); }, 15000))
        << "a viewer instance opens the picture";
    const TWindowHandle viewer = opened.first().handle;
    viewers << WindowRegistry::ProcessOfHandle(viewer);
    EXPECT_NE(viewers.first(), quint32(shell.process().processId()));
    QThread::msleep(800);
    const QImage withViewer = screenshot();
    saveShot(withViewer, "viewer-picture.png");
    const QRect viewerArea(QPoint(40, 30) + QPoint(10, 60), QSize(150, 100));
    EXPECT_GT(differingPoints(withViewer, chapter, viewerArea), 100)
        << "the viewer window stands at 40, 30";

    Instances::BringToFront(*main);
    ASSERT_TRUE(e2e::waitFor(
        [&] { return differingPoints(screenshot(), withViewer, viewerArea) > 100; }, 5000))
        << "the shell covers the viewer";
    click(target);
    EXPECT_TRUE(e2e::waitFor(
        [&] { return differingPoints(screenshot(), withViewer, viewerArea) < 10; }, 8000))
        << "the second click brings the same viewer to the front";
    QThread::msleep(1500);
    saveShot(screenshot(), "viewer-front.png");
    const QList<WindowRegistry::Info> after = windowsCaptioned(viewerCaption);
    ASSERT_EQ(after.size(), 1) << "no second viewer instance";
    EXPECT_EQ(after.first().handle, viewer);
}

} // namespace
