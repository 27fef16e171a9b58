// The archive browser on a real X server: the demo disc's page of archives
// is opened on the content screen, a link to a RAR archive shows its listing
// in the page panel, and a file link of the listing unpacks the archive into
// the listing folder and shows the file.

#include "E2eSupport.h"
#include "platform/Instances.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <optional>

namespace {

using e2e::near;
using e2e::pumpUntil;
using e2e::saveShot;

using e2e::pointer;
using e2e::screenshot;
using e2e::ShellRun;

const QString shellCaption = QStringLiteral("Демонстрационный диск");
const QRect pageArea(33 + 170, 90, 673 - 170, 421);
const QRgb pagePaper = qRgb(251, 248, 241);
const QRgb listingPaper = qRgb(255, 255, 255);
const QRgb pageLinkColour = qRgb(0, 51, 102);    // the pages' own "a" rule
const QRgb listingLinkColour = qRgb(102, 51, 0); // the viewer's default

double share(const QImage& shot, const QRect& area, QRgb colour)
{
    int hits = 0;
    int all = 0;
    for (int y = area.top() + 5; y < area.bottom(); y += 11) {
        for (int x = area.left() + 5; x < area.right() - 20; x += 13) {
            hits += near(shot.pixel(x, y), colour, 3);
            ++all;
        }
    }
    return all ? double(hits) / all : 0;
}

// Points on the underlines of the links, one per line of text, top first.
QList<QPoint> linkRows(const QImage& shot, const QRect& area, QRgb linkColour)
{
    QList<QPoint> rows;
    for (int y = area.top(); y < area.bottom(); ++y) {
        int run = 0;
        for (int x = area.left(); x < area.right(); ++x) {
            run = near(shot.pixel(x, y), linkColour, 12) ? run + 1 : 0;
            if (run == 14) {
                if (rows.isEmpty() || y - rows.last().y() > 8) {
                    rows.append(QPoint(x - 7, y));
                }
                break;
            }
        }
    }
    return rows;
}

void click(QPoint point)
{
    pointer({QStringLiteral("mousemove"), QString::number(point.x()), QString::number(point.y())});
    QThread::msleep(150);
    pointer({QStringLiteral("click"), QStringLiteral("1")});
}

// The first file of that name below a folder "as_*" of the shell's
// temporary folder.
QString listedFile(const QString& temp, const QString& name)
{
    QDirIterator it(temp, {name}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (QDir(temp).relativeFilePath(path).startsWith(QLatin1String("as_"),
                                                         Qt::CaseInsensitive)) {
            return path;
        }
    }
    return QString();
}

class ArchiveE2eTest : public e2e::JoinedTest {
protected:
    ArchiveE2eTest() : JoinedTest(QStringLiteral("Проверка архивов")) {}
};

TEST_F(ArchiveE2eTest, ARarLinkShowsTheListingAndAFileLinkUnpacksAndShowsTheFile)
{
    ShellRun shell(home, QStringLiteral("shell"));
    QRect window;
    ASSERT_TRUE(shell.waitUntilReady(window));
    const QRect page = pageArea.translated(window.topLeft());
    std::optional<TWindowHandle> main;
    ASSERT_TRUE(
        pumpUntil([&] { return (main = Instances::FindWindowByCaption(shellCaption)); }, 5000));
    const RInstanceMessage open =
        RInstanceMessage::single(RInstanceMessage::KindOpenPage, QStringLiteral("Архивы.htm"));
    ASSERT_TRUE(Instances::SendCopyData(*main, ours, open));
    ASSERT_TRUE(e2e::waitFor([&] { return share(screenshot(), page, pagePaper) > 0.5; }, 10000))
        << "the content screen shows a page";
    const QImage first = screenshot();
    ASSERT_TRUE(Instances::SendCopyData(*main, ours, open)) << "now its viewer loads the page";
    ASSERT_TRUE(e2e::waitFor([&] { return screenshot() != first; }, 10000));
    QThread::msleep(500);
    const QImage archivesPage = screenshot();
    saveShot(archivesPage, "archive-page.png");
    const QList<QPoint> archives = linkRows(archivesPage, page, pageLinkColour);
    ASSERT_FALSE(archives.isEmpty()) << "the page links to its archives";

    click(archives.first() - QPoint(0, 6));
    const bool listed =
        e2e::waitFor([&] { return share(screenshot(), page, listingPaper) > 0.5; }, 10000);
    saveShot(screenshot(), "archive-listing.png");
    ASSERT_TRUE(listed) << "the listing frameset replaced the page";
    const QString temp = home.file(QStringLiteral("runtime/discshell/temp"));
    EXPECT_FALSE(listedFile(temp, QStringLiteral("as_bar.htm")).isEmpty());
    EXPECT_TRUE(listedFile(temp, QStringLiteral("test.txt")).isEmpty()) << "nothing unpacked yet";
    QThread::msleep(500);
    const QImage listing = screenshot();
    const QList<QPoint> rows = linkRows(listing, page, listingLinkColour);
    ASSERT_EQ(rows.size(), 4) << "testdir, testemptydir, test.txt and testlink";

    click(rows.at(2) - QPoint(0, 6));
    ASSERT_TRUE(e2e::waitFor(
        [&] { return !listedFile(temp, QStringLiteral("test.txt")).isEmpty(); }, 10000))
        << "the archive was unpacked into its listing folder";
    EXPECT_TRUE(e2e::waitFor(
        [&] { return linkRows(screenshot(), page, listingLinkColour).size() < 4; }, 10000))
        << "the file replaced the listing in the panel";
    EXPECT_EQ(shell.process().state(), QProcess::Running);
}

} // namespace
