// A game of the disc under Wine, end to end on a real X server: a page of a
// copy of the demo disc links to the game's setup and to its removal. The
// first "rungame" on a fresh Wine prefix runs the installer, the next starts
// the installed game, "delgame" runs the uninstaller with its command line as
// written and then clears what it left of the game's folder, and nothing else.

#include "E2eSupport.h"
#include "platform/Instances.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <optional>

namespace {

using e2e::near;
using e2e::pumpUntil;

const QString shellCaption = QStringLiteral("Демонстрационный диск");
const QRect pageArea(33 + 170, 90, 673 - 170, 421);
const QRgb linkColour = qRgb(204, 0, 0);
const QString gameFolder = QStringLiteral("drive_c/Игры/Лунный модуль");

const char* const gamePage = R"(<html><head><meta http-equiv="Content-Type"
content="text/html; charset=utf-8"><style>
body { background: #ffffff; font-size: 20px; }
a, a:visited, a:hover { color: #cc0000; }
p { margin: 24px 0; }
</style></head><body>
<p><a href="rungame:=setup.exe=LunarLander">Лунный модуль</a></p>
<p><a href="delgame:=LunarLander">Удалить Лунный модуль</a></p>
</body></html>)";

// A point on the underline of each link, one per line, top first.
QList<QPoint> linkRows(const QImage& shot, const QRect& area)
{
    QList<QPoint> rows;
    for (int y = area.top(); y < area.bottom(); ++y) {
        int run = 0;
        for (int x = area.left(); x < area.right(); ++x) {
            run = near(shot.pixel(x, y), linkColour, 40) ? run + 1 : 0;
            if (run == 14) {
                if (rows.isEmpty() || y - rows.last().y() > 20) {
                    rows.append(QPoint(x - 7, y));
                }
                break;
            }
        }
    }
    return rows;
}

// Clicks into the text just above a link's underline.
void click(QPoint underline)
{
    const QPoint point = underline - QPoint(0, 6);
    e2e::pointer(
        {QStringLiteral("mousemove"), QString::number(point.x()), QString::number(point.y())});
    QThread::msleep(200);
    e2e::pointer({QStringLiteral("click"), QStringLiteral("1")});
}

QString readText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

class GamesWineE2eTest : public testing::Test {
protected:
    void SetUp() override
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb")) {
            GTEST_SKIP() << "needs an X server (run under xvfb-run)";
        }
        ASSERT_FALSE(e2e::discshell().isEmpty());
        environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("WINEPREFIX"), prefix());
        environment.insert(QStringLiteral("WINEDEBUG"), QStringLiteral("-all"));
        environment.insert(QStringLiteral("HOME"), home.file(QStringLiteral("home")));
        ours = e2e::joinInstances(home, QStringLiteral("Проверка игр"));
        ASSERT_NE(ours, TWindowHandle(0));
    }
    void TearDown() override
    {
        if (shell.state() != QProcess::NotRunning) {
            shell.kill();
            shell.waitForFinished(5000);
        }
        if (ours) {
            WindowRegistry::instance().Unregister(ours);
        }
        Instances::Stop();
        if (!environment.isEmpty()) {
            wine(QStringLiteral("wineserver"), {QStringLiteral("-k")});
        }
    }

    QString prefix() const { return home.file(QStringLiteral("prefix")); }
    QString inPrefix(const QString& relative) const
    {
        return prefix() + QLatin1Char('/') + relative;
    }
    bool wine(const QString& program, const QStringList& arguments, int timeoutMs = 120000)
    {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.setProcessChannelMode(QProcess::ForwardedChannels);
        process.start(program, arguments);
        return process.waitForFinished(timeoutMs) && process.exitCode() == 0;
    }
    // The prefix's registry file as Wine last wrote it.
    bool gameKeyWritten() const
    {
        return readText(inPrefix(QStringLiteral("system.reg")))
            .contains(QStringLiteral("[Software\\\\Venkarro\\\\LunarLander]"));
    }
    void makeDisc()
    {
        disc = home.file(QStringLiteral("disc/run"));
        ASSERT_TRUE(e2e::copyTree(e2e::demoDisc(), disc));
        home.write(QStringLiteral("disc/run/Игры.htm"), gamePage);
        const QString game = qEnvironmentVariable("DISCSHELL_WINE_GAME");
        for (const char* program : {"setup.exe", "lander.exe", "isuninst.exe"}) {
            ASSERT_TRUE(QFile::copy(game + QLatin1Char('/') + QLatin1String(program),
                                    disc + QLatin1Char('/') + QLatin1String(program)))
                << program;
        }
    }
    void startShell()
    {
        QProcessEnvironment shellEnvironment = environment;
        shellEnvironment.insert(QStringLiteral("XDG_CONFIG_HOME"),
                                home.file(QStringLiteral("config")));
        shellEnvironment.insert(QStringLiteral("XDG_RUNTIME_DIR"),
                                home.file(QStringLiteral("runtime")));
        shellEnvironment.insert(QStringLiteral("XDG_DATA_HOME"), home.file(QStringLiteral("data")));
        shellEnvironment.insert(QStringLiteral("DISCSHELL_TEST_READY"), ready());
        shellEnvironment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        shell.setProcessEnvironment(shellEnvironment);
        shell.setProcessChannelMode(QProcess::ForwardedChannels);
        shell.start(e2e::discshell(), {QStringLiteral("--disc"), disc});
    }
    QString ready() const { return home.file(QStringLiteral("shell.ready")); }
    // The window's top left corner once the opening animation has ended.
    std::optional<QPoint> windowCorner() const
    {
        if (!e2e::waitFor([this] { return QFile::exists(ready()); }, 20000)) {
            return std::nullopt;
        }
        const QList<QByteArray> numbers = readText(ready()).toLatin1().simplified().split(' ');
        if (numbers.size() != 4) {
            return std::nullopt;
        }
        return QPoint(numbers[0].toInt(), numbers[1].toInt());
    }

    TempDir home;
    TWindowHandle ours = 0;
    QProcessEnvironment environment;
    QString disc;
    QProcess shell;
};

TEST_F(GamesWineE2eTest, InstallStartAndRemoveAGameThroughItsPage)
{
    ASSERT_TRUE(QDir().mkpath(home.file(QStringLiteral("home"))));
    home.write(QStringLiteral("home/Documents/letter.txt"), "mine");
    ASSERT_TRUE(wine(QStringLiteral("wineboot"), {QStringLiteral("-i")}));
    ASSERT_TRUE(wine(QStringLiteral("wineserver"), {QStringLiteral("-w")}));
    ASSERT_TRUE(QFileInfo(inPrefix(QStringLiteral("drive_c/windows"))).isDir());
    home.write(QStringLiteral("prefix/drive_c/Игры/Сосед/keep.txt"), "another game");
    makeDisc();
    startShell();
    const std::optional<QPoint> corner = windowCorner();
    ASSERT_TRUE(corner) << "the shell opened its window";
    const QRect page = pageArea.translated(*corner);
    std::optional<TWindowHandle> main;
    ASSERT_TRUE(
        pumpUntil([&] { return (main = Instances::FindWindowByCaption(shellCaption)); }, 5000));
    const RInstanceMessage open =
        RInstanceMessage::single(RInstanceMessage::KindOpenPage, QStringLiteral("Игры.htm"));
    ASSERT_TRUE(Instances::SendCopyData(*main, ours, open));
    QList<QPoint> links;
    ASSERT_TRUE(e2e::waitFor(
        [&] {
            Instances::SendCopyData(*main, ours, open);
            QThread::msleep(300);
            return (links = linkRows(e2e::screenshot(), page)).size() == 2;
        },
        15000))
        << "the game page shows its two links";

    // Not installed: the disc's setup runs and installs the game.
    click(links.at(0));
    ASSERT_TRUE(e2e::waitFor(
        [&] { return QFile::exists(inPrefix(gameFolder + QStringLiteral("/Uninst.isu"))); }, 60000))
        << "the installer ran";
    ASSERT_TRUE(wine(QStringLiteral("wineserver"), {QStringLiteral("-w")}));
    ASSERT_TRUE(gameKeyWritten());
    EXPECT_FALSE(QFile::exists(inPrefix(QStringLiteral("drive_c/lander-ran.txt"))));

    // Installed: the game starts from its folder with its parameters.
    click(links.at(0));
    const QString ran = inPrefix(QStringLiteral("drive_c/lander-ran.txt"));
    ASSERT_TRUE(e2e::waitFor([&] { return QFile::exists(ran); }, 60000)) << "the game ran";
    ASSERT_TRUE(wine(QStringLiteral("wineserver"), {QStringLiteral("-w")}));
    EXPECT_TRUE(readText(ran).endsWith(QStringLiteral("lander.exe\" -windowed")))
        << readText(ran).toStdString();
    ASSERT_TRUE(QFile::exists(inPrefix(gameFolder + QStringLiteral("/saves/slot1.sav"))));

    // Removal: the uninstaller gets the line as written, takes the key and the
    // files it logged; the shell clears the rest of the game's folder only.
    click(links.at(1));
    ASSERT_TRUE(e2e::waitFor([&] { return !QFileInfo::exists(inPrefix(gameFolder)); }, 90000))
        << "the game's folder was cleared";
    EXPECT_EQ(readText(inPrefix(QStringLiteral("drive_c/uninstall-command-line.txt"))),
              QStringLiteral("c:\\windows\\IsUninst.exe -f\"C:\\Игры\\Лунный модуль\\Uninst.isu"));
    EXPECT_FALSE(gameKeyWritten());
    EXPECT_EQ(readText(inPrefix(QStringLiteral("drive_c/Игры/Сосед/keep.txt"))),
              QStringLiteral("another game"));
    EXPECT_TRUE(QFile::exists(inPrefix(QStringLiteral("drive_c/windows/IsUninst.exe"))));
    EXPECT_EQ(readText(home.file(QStringLiteral("home/Documents/letter.txt"))),
              QStringLiteral("mine"));
    EXPECT_TRUE(QFile::exists(disc + QStringLiteral("/setup.exe")));
    EXPECT_EQ(shell.state(), QProcess::Running);
}

} // namespace
