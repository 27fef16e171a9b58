// The demo disc's video on a real X server: the intro clip plays in its
// "StartClip" window and the start-up then goes on to the start screen; Esc
// ends the clip at once; the "3D" switch makes the disc in the fixed 3-D area
// turn, a click there holds it and "2D" gives the area its picture back.

#include "E2eSupport.h"
#include "TempDir.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QThread>
#include <gtest/gtest.h>

namespace {

using e2e::saveShot;

using e2e::pointer;
using e2e::screenshot;
using e2e::ShellRun;
using e2e::waitFor;

// The shell's fixed 3-D area and the demo disc's "2D" and "3D" switches, in
// window coordinates.
const QRect VideoArea(31, 135, 656, 259);
const QPoint Switch2D(750, 177);
const QPoint Switch3D(750, 219);
// Where the demo disc's turning disc stands in the area, in window coordinates.
const QRect DiscBox(405, 160, 224, 224);

// The geometry of the top-level window with that exact caption; empty while there is none.
QRect windowNamed(const QString& caption)
{
    QProcess search;
    search.start(QStringLiteral("xdotool"),
                 {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                  QStringLiteral("--name"), QLatin1Char('^') + caption + QLatin1Char('$'),
                  QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"),
                  QStringLiteral("%1")});
    if (!search.waitForFinished(5000)) {
        return {};
    }
    QMap<QString, int> values;
    for (const QByteArray& line : search.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> pair = line.split('=');
        if (pair.size() == 2) {
            values.insert(QString::fromLatin1(pair[0]), pair[1].toInt());
        }
    }
    return QRect(values.value(QStringLiteral("X")), values.value(QStringLiteral("Y")),
                 values.value(QStringLiteral("WIDTH")), values.value(QStringLiteral("HEIGHT")));
}

// How many of the sampled pixels in rect differ between two screenshots.
int differingSamples(const QImage& first, const QImage& second, const QRect& rect)
{
    int count = 0;
    for (int y = rect.top(); y <= rect.bottom(); y += 7) {
        for (int x = rect.left(); x <= rect.right(); x += 7) {
            count += first.pixel(x, y) != second.pixel(x, y);
        }
    }
    return count;
}

int samplesIn(const QRect& rect)
{
    return ((rect.width() + 6) / 7) * ((rect.height() + 6) / 7);
}

void clickAt(const QPoint& point)
{
    pointer({QStringLiteral("mousemove"), QString::number(point.x()), QString::number(point.y()),
             QStringLiteral("click"), QStringLiteral("1")});
}

class VideoE2eTest : public testing::Test {
protected:
    void SetUp() override
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb")) {
            GTEST_SKIP() << "needs an X server (run under xvfb-run)";
        }
        ASSERT_FALSE(e2e::discshell().isEmpty());
        e2e::privateFolder(home, QStringLiteral("runtime"));
    }

    // The intro clip's window once it shows; empty when it never does.
    QRect waitForIntro(ShellRun& run)
    {
        QRect intro;
        waitFor(
            [&] {
                intro = windowNamed(QStringLiteral("StartClip"));
                return (intro.width() > 0 && intro.height() > 0) || run.ready();
            },
            15000);
        return run.ready() ? QRect() : intro;
    }

    TempDir home;
};

TEST_F(VideoE2eTest, TheIntroPlaysInItsWindowAndTheStartScreenFollows)
{
    ShellRun run(home, QStringLiteral("intro"), true);
    const QRect intro = waitForIntro(run);
    ASSERT_FALSE(intro.isEmpty()) << "the StartClip window shows before the disc window";
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(intro.size(), QSize(340, 260)) << "20 pixels larger than the 320x240 clip";
    EXPECT_EQ(intro.topLeft(),
              QPoint(screen.width() / 2 - 160 - 20, screen.height() / 2 - 120 - 20));

    QImage shot;
    const bool playing = waitFor(
        [&] {
            shot = screenshot();
            const QColor clip = shot.pixelColor(intro.topLeft() + QPoint(60, 60));
            return clip != QColor(Qt::black);
        },
        5000);
    saveShot(shot, "intro-clip.png");
    EXPECT_TRUE(playing) << "the clip's picture shows in the window";
    const QColor bevel = shot.pixelColor(intro.bottomRight() - QPoint(4, intro.height() / 2));
    EXPECT_GT(bevel.blue(), bevel.red() + 40) << "the navy bevel frames the clip";

    QRect window;
    ASSERT_TRUE(run.waitUntilReady(window)) << "the start-up goes on after the clip";
    EXPECT_TRUE(windowNamed(QStringLiteral("StartClip")).isEmpty());
}

TEST_F(VideoE2eTest, EscEndsTheIntroAtOnce)
{
    ShellRun run(home, QStringLiteral("escape"), true);
    ASSERT_FALSE(waitForIntro(run).isEmpty());
    // The clip window takes the focus when it shows.
    pointer({QStringLiteral("key"), QStringLiteral("Escape")});
    EXPECT_TRUE(waitFor([] { return windowNamed(QStringLiteral("StartClip")).isEmpty(); }, 1000))
        << "the clip window closes long before the clip's end";
    QRect window;
    EXPECT_TRUE(run.waitUntilReady(window)) << "and the disc window shows";
}

TEST_F(VideoE2eTest, TheThreeDSwitchTurnsTheDiscAClickHoldsItAndTwoDGivesThePictureBack)
{
    ShellRun run(home, QStringLiteral("video"));
    QRect window;
    ASSERT_TRUE(run.waitUntilReady(window));
    const QRect disc = DiscBox.translated(window.topLeft());
    const QRect area = VideoArea.translated(window.topLeft());
    QThread::msleep(300);
    const QImage flat = screenshot();

    clickAt(window.topLeft() + Switch3D);
    QImage first;
    QImage later;
    const bool turning = waitFor(
        [&] {
            first = screenshot();
            QThread::msleep(250);
            later = screenshot();
            return differingSamples(first, later, disc) > samplesIn(disc) / 10;
        },
        8000);
    saveShot(later, "video-3d.png");
    EXPECT_TRUE(turning) << "the disc turns in the 3-D area";
    const QRect besideArea(window.left() + 40, window.top() + 410, 500, 110);
    EXPECT_EQ(differingSamples(flat, later, besideArea), 0) << "nothing moves outside the area";

    clickAt(area.topLeft() + QPoint(60, 230));
    QThread::msleep(600);
    const QImage held = screenshot();
    QThread::msleep(400);
    EXPECT_EQ(differingSamples(held, screenshot(), disc), 0) << "a click holds the frame";
    const QPoint aside = area.topLeft() + QPoint(160, 200);
    pointer({QStringLiteral("mousemove"), QString::number(aside.x()), QString::number(aside.y())});
    QThread::msleep(200);
    EXPECT_EQ(windowNamed(QStringLiteral("Демонстрационный диск")).topLeft(), window.topLeft())
        << "after a quick click the window does not follow the mouse";

    clickAt(window.topLeft() + Switch2D);
    QImage back;
    const bool restored = waitFor(
        [&] {
            back = screenshot();
            return differingSamples(flat, back, area) <= samplesIn(area) / 50;
        },
        5000);
    saveShot(back, "video-2d.png");
    EXPECT_TRUE(restored) << "2D gives the area its picture back";
}

} // namespace
