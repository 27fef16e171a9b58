// The demo disc opened from an ISO image made with xorriso, on a real X
// server: the window shows what the disc folder shows, the image's files are
// copied to the instance's private folder as they are read and go away when
// the program ends, and a damaged image is one line and exit status 2.

#include "DemoReader.h"
#include "E2eSupport.h"
#include "IsoMaker.h"
#include "TempDir.h"
#include "interface/InterfaceParser.h"
#include "platform/VirtualFs.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QThread>
#include <gtest/gtest.h>

namespace {

using e2e::demoDisc;
using e2e::discshell;
using e2e::pointer;
using e2e::screenshot;
using e2e::ShellRun;

// The rectangle of the demo disc's close button inside the window.
QRect closeButton()
{
    const e2e::DemoReader reader;
    const RBtn close = reader.description().CloseButton;
    return reader.pictureBounds(close.Left, close.Top, close.PicUp);
}

class DiscImageE2eTest : public testing::Test {
protected:
    void SetUp() override
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb")) {
            GTEST_SKIP() << "needs an X server (run under xvfb-run)";
        }
        if (!IsoMaker::available()) {
            GTEST_SKIP() << "xorriso is not installed";
        }
        ASSERT_FALSE(discshell().isEmpty());
        e2e::privateFolder(home, QStringLiteral("runtime"));
        image = home.file(QStringLiteral("demo.iso"));
        ASSERT_EQ(IsoMaker::make(QFileInfo(demoDisc()).absolutePath(), image,
                                 IsoMaker::Names::JolietAndRockRidge),
                  QString());
    }
    // The folders of copies the program keeps for its images.
    QStringList copyFolders() const
    {
        return QDir(home.file(QStringLiteral("runtime/discshell")))
            .entryList({QStringLiteral("image-*")}, QDir::Dirs);
    }
    static QImage windowShot(const QRect& window)
    {
        QThread::msleep(400);
        return screenshot().copy(window);
    }

    TempDir home;
    QString image;
};

} // namespace

TEST_F(DiscImageE2eTest, TheDemoDiscOpensFromItsImageAsFromItsFolder)
{
    QRect folderWindow;
    QImage fromFolder;
    {
        ShellRun run(home, QStringLiteral("folder"));
        ASSERT_TRUE(run.waitUntilReady(folderWindow));
        fromFolder = windowShot(folderWindow);
    }
    ShellRun run(home, QStringLiteral("image"), false, image);
    QRect window;
    ASSERT_TRUE(run.waitUntilReady(window)) << "the shell starts on the image";
    EXPECT_EQ(window.size(), folderWindow.size());
    const QImage fromImage = windowShot(window);
    int same = 0;
    int all = 0;
    for (int y = 0; y < fromImage.height(); y += 7) {
        for (int x = 0; x < fromImage.width(); x += 7, ++all) {
            same += fromImage.pixel(x, y) == fromFolder.pixel(x, y);
        }
    }
    EXPECT_GT(same, all * 9 / 10) << "the window's face is the one the folder gives";

    const QString copies =
        home.file(QStringLiteral("runtime/discshell/image-%1-").arg(run.process().processId()));
    const QStringList folders = copyFolders();
    ASSERT_EQ(folders.size(), 1);
    EXPECT_TRUE(
        home.file(QStringLiteral("runtime/discshell/") + folders.first()).startsWith(copies));
    EXPECT_TRUE(QFileInfo::exists(home.file(QStringLiteral("runtime/discshell/") + folders.first() +
                                            QStringLiteral("/run/Mev.dhl"))));

    const QPoint close = closeButton().translated(window.topLeft()).center();
    pointer({QStringLiteral("mousemove"), QString::number(close.x()), QString::number(close.y())});
    QThread::msleep(300);
    pointer({QStringLiteral("click"), QStringLiteral("1")});
    ASSERT_TRUE(run.process().waitForFinished(15000));
    EXPECT_EQ(run.process().exitCode(), 0);
    EXPECT_EQ(copyFolders(), QStringList()) << "the copies go with the program";
}

TEST_F(DiscImageE2eTest, ADamagedImageIsOneLineAndStatusTwo)
{
    const QString damaged = home.file(QStringLiteral("damaged.iso"));
    ASSERT_TRUE(IsoMaker::writeAll(damaged, IsoMaker::readAll(image).left(20 * 2048)));
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.file(QStringLiteral("config")));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.file(QStringLiteral("runtime")));
    process.setProcessEnvironment(environment);
    process.start(discshell(), {damaged});
    ASSERT_TRUE(process.waitForFinished(15000));
    EXPECT_EQ(process.exitCode(), 2);
    const QString error = QString::fromLocal8Bit(process.readAllStandardError()).trimmed();
    EXPECT_TRUE(error.startsWith(QStringLiteral("discshell: ") + damaged + QLatin1Char(':')))
        << error.toStdString();
    EXPECT_FALSE(error.contains(QLatin1Char('\n'))) << error.toStdString();
    EXPECT_EQ(copyFolders(), QStringList());
}
