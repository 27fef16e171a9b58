// Two real discshell processes on the demo disc, and this test process as a
// third instance: a second start of the same disc ends at once, the running
// shell answers "is this file shown" queries, shrugs off malformed frames on
// its socket, and a page request on its start screen takes it to the
// content screen and is acknowledged.

#include "E2eSupport.h"
#include "data/ReadBin.h"
#include "platform/Instances.h"
#include "platform/InstancesProtocol.h"
#include "platform/VirtualFs.h"

#include <QCoreApplication>
#include <QDir>
#include <QLocalSocket>
#include <QtEndian>

namespace {

using e2e::near;
using e2e::pumpUntil;

using e2e::ShellRun;

const QString shellCaption = QStringLiteral("Демонстрационный диск");

QImage demoPicture(const QString& name)
{
    VirtualFs::instance().mount(QStringLiteral("z:\\"), QStringLiteral("/"));
    TReadBin bin;
    bin.Open(VirtualFs::fromHostPath(e2e::demoDisc() + QStringLiteral("/Mev.dhl")));
    QByteArray bytes;
    bin.ReadToBuffer(name, bytes);
    return QImage::fromData(bytes).convertToFormat(QImage::Format_RGB32);
}

// How many sample points of the window show this background rather than the other.
int pointsShowing(const QImage& shot, QPoint origin, const QImage& mine, const QImage& other)
{
    int count = 0;
    for (int y = 10; y < mine.height() - 10; y += 23) {
        for (int x = 30; x < mine.width() - 30; x += 29) {
            const QRgb seen = shot.pixel(origin + QPoint(x, y));
            count += near(seen, mine.pixel(x, y), 6) && !near(seen, other.pixel(x, y), 6);
        }
    }
    return count;
}

QByteArray copyDataPayload(TWindowHandle target, TWindowHandle sender, const QByteArray& record)
{
    QByteArray payload(16, '\0');
    qToLittleEndian<quint64>(target, payload.data());
    qToLittleEndian<quint64>(sender, payload.data() + 8);
    return payload + record;
}

class InstancesE2eTest : public testing::Test {
protected:
    void SetUp() override
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb")) {
            GTEST_SKIP() << "needs an X server (run under xvfb-run)";
        }
        ASSERT_FALSE(e2e::discshell().isEmpty());
        QDir().mkpath(folder());
        QFile::setPermissions(home.file(QStringLiteral("runtime")),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QFile::setPermissions(folder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        ASSERT_TRUE(Instances::Start(folder()));
        WindowRegistry::Window window;
        window.caption = [] { return QStringLiteral("Проверка"); };
        window.visible = [] { return true; };
        window.message = [this](quint32 message, quint64 wParam, qint64 lParam) {
            received << QStringLiteral("%1 %2 %3").arg(message).arg(wParam).arg(lParam);
        };
        ours = WindowRegistry::instance().Register(window);
    }
    void TearDown() override
    {
        if (ours) {
            WindowRegistry::instance().Unregister(ours);
        }
        Instances::Stop();
    }

    QString folder() const { return home.file(QStringLiteral("runtime/discshell")); }

    // Frames written straight to the shell's socket, as a broken peer would.
    void writeRaw(qint64 pid, const QByteArray& bytes)
    {
        QLocalSocket socket;
        socket.connectToServer(Instances::socketPath(folder(), quint32(pid)));
        ASSERT_TRUE(socket.waitForConnected(2000));
        socket.write(bytes);
        socket.waitForBytesWritten(2000);
        socket.disconnectFromServer();
    }

    std::optional<bool> ask(TWindowHandle shell, const QString& file)
    {
        return Instances::AskShowsFile(shell, ours, file, 3000);
    }

    TempDir home;
    TWindowHandle ours = 0;
    QStringList received;
};

TEST_F(InstancesE2eTest, TheShellAnswersQueriesSurvivesBadFramesAndOpensARequestedPage)
{
    ShellRun first(home, QStringLiteral("first"));
    QRect window;
    ASSERT_TRUE(first.waitUntilReady(window));

    ShellRun second(home, QStringLiteral("second"));
    ASSERT_TRUE(second.process().waitForFinished(10000)) << "the same title ends at once";
    EXPECT_EQ(second.process().exitCode(), 0);
    EXPECT_FALSE(second.ready());

    std::optional<TWindowHandle> shell;
    ASSERT_TRUE(
        pumpUntil([&] { return (shell = Instances::FindWindowByCaption(shellCaption)); }, 5000));
    EXPECT_NE(WindowRegistry::ProcessOfHandle(*shell), quint32(QCoreApplication::applicationPid()));

    EXPECT_EQ(ask(*shell, QStringLiteral("d:\\run\\index.htm")), std::optional<bool>(false))
        << "the shell shows no file it was started with";
    RInstanceMessage forced = RInstanceMessage::single(RInstanceMessage::KindAskShown, QString());
    forced.Selectors[0] = 1;
    received.clear();
    ASSERT_TRUE(Instances::SendCopyData(*shell, ours, forced));
    ASSERT_TRUE(pumpUntil([&] { return !received.isEmpty(); }, 5000));
    EXPECT_EQ(received, QStringList{QStringLiteral("%1 0 0").arg(InstanceMessageId::Reply)});

    const QByteArray open =
        RInstanceMessage::single(RInstanceMessage::KindOpenPage, QStringLiteral("index.htm"))
            .encode();
    QByteArray nameless = open;
    nameless.replace(16, RInstanceMessage::SlotSize, QByteArray(RInstanceMessage::SlotSize, 'A'));
    QByteArray unknown = open;
    unknown[0] = 9;
    using Type = InstancesProtocol::Type;
    const qint64 pid = first.process().processId();
    for (const QByteArray& record :
         {open.left(839), open + QByteArray(1, '\0'), unknown, nameless}) {
        writeRaw(pid,
                 InstancesProtocol::frame(Type::CopyData, copyDataPayload(*shell, ours, record)));
    }
    writeRaw(pid, QByteArray("\x05\x00", 2));
    writeRaw(pid, QByteArray("\xff\xff\xff\x7f\x01\x06", 6) + QByteArray(5000, 'x'));
    writeRaw(pid, InstancesProtocol::frame(Type::CopyData, QByteArray(3, '\1')));
    QThread::msleep(500);
    ASSERT_EQ(first.process().state(), QProcess::Running) << "bad frames do no harm";
    EXPECT_EQ(ask(*shell, QStringLiteral("index.htm")), std::optional<bool>(false))
        << "the shell still answers";

    const QImage start = demoPicture(QStringLiteral("scr1.bmp"));
    const QImage content = demoPicture(QStringLiteral("scr2.bmp"));
    ASSERT_FALSE(start.isNull() || content.isNull());
    QImage shot = e2e::screenshot();
    EXPECT_GT(pointsShowing(shot, window.topLeft(), start, content), 100)
        << "no bad frame switched the screen";

    received.clear();
    ASSERT_TRUE(Instances::SendCopyData(
        *shell, ours,
        RInstanceMessage::single(RInstanceMessage::KindOpenPage, QStringLiteral("index.htm"))));
    ASSERT_TRUE(pumpUntil([&] { return !received.isEmpty(); }, 5000));
    EXPECT_EQ(received,
              QStringList{QStringLiteral("%1 %2 0").arg(InstanceMessageId::PageShown).arg(*shell)});
    QThread::msleep(300);
    shot = e2e::screenshot();
    const QString shots = qEnvironmentVariable("DISCSHELL_E2E_SHOTS");
    if (!shots.isEmpty()) {
        shot.save(shots + QStringLiteral("/instance-open-page.png"));
    }
    EXPECT_GT(pointsShowing(shot, window.topLeft(), content, start), 100)
        << "the shell went to the content screen";
    EXPECT_LT(pointsShowing(shot, window.topLeft(), start, content), 20);
}

} // namespace
