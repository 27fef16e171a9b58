#include "platform/Instances.h"

#include "TempDir.h"
#include "platform/FileLock.h"
#include "platform/InstancesPeers.h"
#include "platform/InstancesProtocol.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <cstdio>
#include <cstring>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

const QString shownFile = QStringLiteral("c:\\disc\\pics\\car.jpg");
const QString lastLinePrefix = QStringLiteral("copydata");

void say(const QString& line)
{
    std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

quint32 pidOf(TWindowHandle handle)
{
    return WindowRegistry::ProcessOfHandle(handle);
}

// Another process of ours: this test program again, running the child body
// below with one window of the given caption.
class ChildInstance {
public:
    ChildInstance(const QString& folder, const QString& caption)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISCSHELL_INSTANCES_FOLDER"), folder);
        env.insert(QStringLiteral("DISCSHELL_INSTANCES_CAPTION"), caption);
        process.setProcessEnvironment(env);
        process.start(QCoreApplication::applicationFilePath(),
                      {QStringLiteral("--gtest_also_run_disabled_tests"),
                       QStringLiteral("--gtest_filter=DISABLED_InstancesChild.Run")});
        if (const auto ready = waitForLine(QStringLiteral("ready "))) {
            handle = ready->toULongLong();
        }
    }
    ~ChildInstance()
    {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(5000);
        }
    }

    // The rest of the next line that starts with the prefix.
    std::optional<QString> waitForLine(const QString& prefix, int timeoutMs = 10000)
    {
        QElapsedTimer clock;
        clock.start();
        for (;;) {
            while (process.canReadLine()) {
                const QString line = QString::fromUtf8(process.readLine()).trimmed();
                lines.append(line);
                if (line.startsWith(prefix)) {
                    return line.mid(prefix.size());
                }
            }
            const qint64 left = timeoutMs - clock.elapsed();
            if (left <= 0 || !process.waitForReadyRead(int(left))) {
                return std::nullopt;
            }
        }
    }

    QProcess process;
    TWindowHandle handle = 0;
    QStringList lines;
};

// A window of the test process that records the messages it gets.
struct ParentWindow {
    explicit ParentWindow(const QString& caption)
    {
        WindowRegistry::Window window;
        window.caption = [caption] { return caption; };
        window.visible = [] { return true; };
        handle = WindowRegistry::instance().Register(window);
        WindowRegistry::instance().SetMessageHandlers(
            handle, {}, [this](quint32 message, quint64 wParam, qint64) {
                messages.append({message, wParam});
            });
    }
    ~ParentWindow() { WindowRegistry::instance().Unregister(handle); }

    bool waitFor(quint32 message, int timeoutMs = 3000)
    {
        return InstancesPeers::WaitUntil(
            [&] {
                return std::any_of(messages.begin(), messages.end(),
                                   [message](const auto& got) { return got.first == message; });
            },
            timeoutMs);
    }

    TWindowHandle handle = 0;
    QList<std::pair<quint32, quint64>> messages;
};

WindowRegistry::Request copyRequest(TWindowHandle sender, const RInstanceMessage& message)
{
    WindowRegistry::Request request;
    request.type = WindowRegistry::Request::Type::CopyData;
    request.sender = sender;
    request.data = message;
    return request;
}

// A socket file nobody listens on, as a crashed or still starting process leaves it.
bool bindWithoutListening(const QString& path)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, QFile::encodeName(path).constData(),
                 sizeof(address.sun_path) - 1);
    const bool bound = ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0;
    ::close(fd);
    return bound;
}

class InstancesTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(Instances::Start(dir.path())); }
    void TearDown() override { Instances::Stop(); }

    QString socketOf(quint32 pid) const { return Instances::socketPath(dir.path(), pid); }

    TempDir dir;
};

} // namespace

// Not a test of its own: the body of the child processes of the tests below.
TEST(DISABLED_InstancesChild, Run)
{
    ASSERT_TRUE(Instances::Start(qEnvironmentVariable("DISCSHELL_INSTANCES_FOLDER")));
    bool closed = false;
    WindowRegistry::Window window;
    window.caption = [] { return qEnvironmentVariable("DISCSHELL_INSTANCES_CAPTION"); };
    window.visible = [] { return true; };
    window.close = [&closed] { closed = true; };
    window.showNormal = [] { say(QStringLiteral("shownormal")); };
    window.bringToFront = [] { say(QStringLiteral("front")); };
    const TWindowHandle handle = WindowRegistry::instance().Register(window);
    WindowRegistry::instance().SetMessageHandlers(
        handle,
        [handle](TWindowHandle sender, const RInstanceMessage& message) {
            say(QStringLiteral("copydata %1 %2").arg(message.Kind).arg(message.Texts[0]));
            if (message.Kind == RInstanceMessage::KindAskShown) {
                const bool yes = message.Selectors[0] == 0 && message.Texts[0] == shownFile;
                Instances::SendMessage(sender, InstanceMessageId::Reply, yes ? 1 : 0, 0);
            } else if (message.Kind == RInstanceMessage::KindOpenPage) {
                Instances::PostMessage(sender, InstanceMessageId::PageShown, handle, 0);
            }
        },
        [](quint32 message, quint64 wParam, qint64) {
            say(QStringLiteral("message %1 %2").arg(message).arg(wParam));
        });
    say(QStringLiteral("ready %1").arg(handle));
    InstancesPeers::WaitUntil([&closed] { return closed; }, 30000);
    WindowRegistry::instance().Unregister(handle);
    Instances::Stop();
}

TEST_F(InstancesTest, AnotherProcessIsFoundByCaptionAsksAnswersAndCloses)
{
    ParentWindow parent(QStringLiteral("Книга"));
    ChildInstance child(dir.path(), QStringLiteral("Тезаурус"));
    ASSERT_NE(child.handle, 0u);
    EXPECT_EQ(pidOf(child.handle), quint32(child.process.processId()));

    EXPECT_EQ(Instances::FindWindowByCaption(QStringLiteral("тЕЗАУРУС")), child.handle);
    EXPECT_EQ(Instances::FindWindowByCaption(QStringLiteral("Книга")), parent.handle);
    EXPECT_FALSE(Instances::FindWindowByCaption(QStringLiteral("Тезаурус и")));

    EXPECT_EQ(Instances::AskShowsFile(child.handle, parent.handle, shownFile), true);
    EXPECT_EQ(Instances::AskShowsFile(child.handle, parent.handle, shownFile + QLatin1Char('x')),
              false);
    // The window's own handler sees the answers too.
    EXPECT_EQ(parent.messages.count({InstanceMessageId::Reply, 1}), 1);
    EXPECT_EQ(parent.messages.count({InstanceMessageId::Reply, 0}), 1);

    RInstanceMessage forcedNo = RInstanceMessage::single(RInstanceMessage::KindAskShown, shownFile);
    forcedNo.Selectors[0] = 1;
    parent.messages.clear();
    ASSERT_TRUE(Instances::SendCopyData(child.handle, parent.handle, forcedNo));
    ASSERT_TRUE(parent.waitFor(InstanceMessageId::Reply));
    EXPECT_EQ(parent.messages.first().second, 0u);

    const RInstanceMessage open =
        RInstanceMessage::single(RInstanceMessage::KindOpenPage, QStringLiteral("pages\\а.htm"));
    ASSERT_TRUE(Instances::SendCopyData(child.handle, parent.handle, open));
    ASSERT_TRUE(parent.waitFor(InstanceMessageId::PageShown));
    EXPECT_TRUE(
        parent.messages.contains(std::make_pair(InstanceMessageId::PageShown, child.handle)));
    EXPECT_TRUE(child.waitForLine(QStringLiteral("copydata 0 pages\\а.htm")));

    ASSERT_TRUE(Instances::Close(child.handle));
    ASSERT_TRUE(child.process.waitForFinished(10000));
    EXPECT_EQ(child.process.exitCode(), 0);
    EXPECT_FALSE(QFile::exists(socketOf(pidOf(child.handle))));
    EXPECT_FALSE(Instances::FindWindowByCaption(QStringLiteral("Тезаурус")));
    EXPECT_FALSE(Instances::Close(child.handle));
}

TEST_F(InstancesTest, WindowsOfAllProcessesAreOrderedByTheirLastActivation)
{
    ParentWindow parent(QStringLiteral("Увеличенная картинка"));
    ChildInstance child(dir.path(), QStringLiteral("Увеличенная картинка"));
    ASSERT_NE(child.handle, 0u);

    QList<WindowRegistry::Info> windows = Instances::TopLevelWindows();
    ASSERT_EQ(windows.size(), 2);
    EXPECT_EQ(windows[0].handle, child.handle);
    EXPECT_EQ(windows[1].handle, parent.handle);
    EXPECT_EQ(Instances::FindWindowByCaption(QStringLiteral("увеличенная картинка")), child.handle);

    WindowRegistry::instance().Activated(parent.handle);
    windows = WindowRegistry::instance().TopLevelWindows(); // the shell's own calls see all too
    ASSERT_EQ(windows.size(), 2);
    EXPECT_EQ(windows[0].handle, parent.handle);

    EXPECT_TRUE(Instances::ShowNormal(child.handle));
    EXPECT_TRUE(child.waitForLine(QStringLiteral("shownormal")));
    EXPECT_TRUE(Instances::BringToFront(child.handle));
    EXPECT_TRUE(child.waitForLine(QStringLiteral("front")));
    EXPECT_TRUE(Instances::PostMessage(child.handle, InstanceMessageId::PrintRequest, 7, 0));
    EXPECT_EQ(child.waitForLine(QStringLiteral("message ")), QStringLiteral("1224 7"));
    EXPECT_TRUE(WindowRegistry::instance().SendClose(child.handle));
    EXPECT_TRUE(child.process.waitForFinished(10000));
}

TEST_F(InstancesTest, MalformedFramesAreDroppedAndTheProcessKeepsWorking)
{
    ParentWindow parent(QStringLiteral("Книга"));
    ChildInstance child(dir.path(), QStringLiteral("Тезаурус"));
    ASSERT_NE(child.handle, 0u);
    using Type = InstancesProtocol::Type;

    const QByteArray good =
        InstancesProtocol::request(child.handle,
                                   copyRequest(parent.handle, RInstanceMessage::single(0, "good")))
            .mid(InstancesProtocol::HeaderSize);
    QByteArray unknownKind = good;
    unknownKind[16] = 2;
    QByteArray unterminated = good;
    unterminated.replace(16 + 16, 274, QByteArray(274, 'x'));
    const TWindowHandle elsewhere = (TWindowHandle(pidOf(child.handle) + 1) << 32) | 1;
    QByteArray stream;
    stream += InstancesProtocol::frame(Type::CopyData, good.chopped(1));
    stream += InstancesProtocol::frame(Type::CopyData, good + 'x');
    stream += InstancesProtocol::frame(Type::CopyData, unknownKind);
    stream += InstancesProtocol::frame(Type::CopyData, unterminated);
    stream += InstancesProtocol::frame(Type::Message, QByteArray(9, '\0'));
    stream += InstancesProtocol::frame(Type::WindowList, QByteArray(3, '\xFF'));
    stream += QByteArray("\x05\x00\x00\x00\x01\x63xyz", 9);                       // unknown type
    stream += QByteArray("\x02\x00\x00\x00\x07\x01", 6);                          // unknown version
    stream += InstancesProtocol::request(child.handle + 100, copyRequest(1, {})); // no such window
    stream += InstancesProtocol::request(elsewhere, copyRequest(1, {}));
    stream += InstancesProtocol::request(
        child.handle, copyRequest(parent.handle, RInstanceMessage::single(0, "marker")));

    QLocalSocket raw;
    raw.connectToServer(socketOf(pidOf(child.handle)));
    ASSERT_TRUE(raw.waitForConnected(2000));
    raw.write(stream);
    ASSERT_TRUE(raw.waitForBytesWritten(2000));
    ASSERT_TRUE(parent.waitFor(InstanceMessageId::PageShown));
    EXPECT_EQ(child.waitForLine(lastLinePrefix), QStringLiteral(" 0 marker"));
    EXPECT_EQ(child.lines.filter(lastLinePrefix).size(), 1) << child.lines.join('\n').toStdString();

    // Framing that cannot be trusted ends that connection only.
    for (const QByteArray& broken :
         {QByteArray("\x01\x00\x00\x00\x01", 5), QByteArray("\xFF\xFF\xFF\x7F\x01\x06", 6),
          QByteArray("\x01\x10\x00\x00\x01\x06", 6) + QByteArray(4097, 'a')}) {
        QLocalSocket bad;
        bad.connectToServer(socketOf(pidOf(child.handle)));
        ASSERT_TRUE(bad.waitForConnected(2000));
        bad.write(broken);
        bad.flush();
        EXPECT_TRUE(bad.state() == QLocalSocket::UnconnectedState || bad.waitForDisconnected(3000));
    }
    EXPECT_EQ(Instances::AskShowsFile(child.handle, parent.handle, shownFile), true);
    EXPECT_TRUE(Instances::Close(child.handle));
    EXPECT_TRUE(child.process.waitForFinished(10000));
}

TEST_F(InstancesTest, DeadPeersAreRemovedAndSilentOrBabblingPeersAreSkipped)
{
    ChildInstance live(dir.path(), QStringLiteral("Тезаурус"));
    ChildInstance killed(dir.path(), QStringLiteral("Помощь"));
    ASSERT_NE(live.handle, 0u);
    ASSERT_NE(killed.handle, 0u);
    killed.process.kill();
    ASSERT_TRUE(killed.process.waitForFinished(5000));
    const quint32 killedPid = pidOf(killed.handle);
    ASSERT_TRUE(QFile::exists(socketOf(killedPid)));

    QLocalServer silent;
    ASSERT_TRUE(silent.listen(socketOf(4000001)));
    QLocalServer babbling;
    ASSERT_TRUE(babbling.listen(socketOf(4000002)));
    QObject::connect(&babbling, &QLocalServer::newConnection, [&babbling] {
        QLocalSocket* socket = babbling.nextPendingConnection();
        socket->write(QByteArray("\xFF\xFF\xFF\xFF\x01\x02", 6) + QByteArray(100, 'g'));
    });
    ASSERT_TRUE(bindWithoutListening(socketOf(4000003)));
    FileLock starting(InstancesPeers::lockPath(dir.path(), 4000003));
    ASSERT_TRUE(starting.tryLock());
    ASSERT_TRUE(bindWithoutListening(socketOf(4000004)));
    dir.write(QStringLiteral("inst-x1.sock"), "not ours");

    QElapsedTimer clock;
    clock.start();
    const QList<WindowRegistry::Info> windows = Instances::TopLevelWindows();
    EXPECT_LT(clock.elapsed(), 1000);
    ASSERT_EQ(windows.size(), 1);
    EXPECT_EQ(windows[0].handle, live.handle);

    EXPECT_FALSE(QFile::exists(socketOf(killedPid)));
    EXPECT_FALSE(QFile::exists(InstancesPeers::lockPath(dir.path(), killedPid)));
    EXPECT_FALSE(QFile::exists(socketOf(4000004)));
    EXPECT_TRUE(QFile::exists(socketOf(4000003)));
    EXPECT_TRUE(QFile::exists(socketOf(4000001)));
    EXPECT_TRUE(QFile::exists(dir.file(QStringLiteral("inst-x1.sock"))));
    EXPECT_FALSE(Instances::Close(killed.handle));
    EXPECT_TRUE(Instances::Close(live.handle));
    EXPECT_TRUE(live.process.waitForFinished(10000));
}

TEST_F(InstancesTest, FindingACaptionAmongThreeProcessesIsQuick)
{
    std::vector<std::unique_ptr<ChildInstance>> children;
    for (int i = 1; i <= 3; ++i) {
        children.push_back(
            std::make_unique<ChildInstance>(dir.path(), QStringLiteral("Окно %1").arg(i)));
        ASSERT_NE(children.back()->handle, 0u);
    }
    qint64 best = 1000000;
    for (int round = 0; round < 5; ++round) {
        QElapsedTimer clock;
        clock.start();
        EXPECT_EQ(Instances::FindWindowByCaption(QStringLiteral("окно 1")), children[0]->handle);
        best = std::min(best, clock.elapsed());
    }
    EXPECT_LT(best, 50);
    for (const auto& child : children) {
        EXPECT_TRUE(Instances::Close(child->handle));
        EXPECT_TRUE(child->process.waitForFinished(10000));
    }
}

TEST_F(InstancesTest, WindowsOfThisProcessGetRequestsDirectly)
{
    int closes = 0;
    int shows = 0;
    int fronts = 0;
    QList<quint32> messages;
    WindowRegistry::Window window;
    window.caption = [] { return QStringLiteral("Сам"); };
    window.visible = [] { return true; };
    window.close = [&closes] { ++closes; };
    window.showNormal = [&shows] { ++shows; };
    window.bringToFront = [&fronts] { ++fronts; };
    const TWindowHandle handle = WindowRegistry::instance().Register(window);
    WindowRegistry::instance().SetMessageHandlers(
        handle,
        [](TWindowHandle sender, const RInstanceMessage& message) {
            Instances::SendMessage(sender, InstanceMessageId::Reply, message.Texts[0] == "да", 0);
        },
        [&messages](quint32 message, quint64, qint64) { messages.append(message); });

    EXPECT_TRUE(Instances::PostMessage(handle, InstanceMessageId::PrintRequest, 0, 0));
    EXPECT_TRUE(messages.isEmpty()); // posted: from the event loop
    QCoreApplication::processEvents();
    EXPECT_EQ(messages, QList<quint32>{InstanceMessageId::PrintRequest});
    EXPECT_TRUE(Instances::SendMessage(handle, InstanceMessageId::PageShown, 0, 0));
    EXPECT_EQ(messages.last(), InstanceMessageId::PageShown);
    EXPECT_EQ(Instances::AskShowsFile(handle, handle, QStringLiteral("да"), 100), true);
    EXPECT_EQ(Instances::AskShowsFile(handle, handle, QStringLiteral("нет"), 100), false);
    EXPECT_TRUE(Instances::Close(handle));
    EXPECT_TRUE(Instances::ShowNormal(handle));
    EXPECT_TRUE(Instances::BringToFront(handle));
    EXPECT_EQ(std::make_tuple(closes, shows, fronts), std::make_tuple(1, 1, 1));

    WindowRegistry::instance().Unregister(handle);
    EXPECT_FALSE(Instances::Close(handle));
    EXPECT_FALSE(Instances::PostMessage(handle, InstanceMessageId::PrintRequest, 0, 0));
    EXPECT_EQ(Instances::AskShowsFile(handle, handle, QStringLiteral("да"), 100), std::nullopt);
    EXPECT_FALSE(Instances::Close((TWindowHandle(4000001) << 32) | 1));
}
