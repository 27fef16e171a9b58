#include "platform/InstancesServer.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QLocalSocket>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using Type = InstancesProtocol::Type;

// A server in this process, with the requests it delivered.
struct LocalServer {
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("peer"));
    int delivered = 0;
    InstancesServer server{[this](TWindowHandle, const WindowRegistry::Request&) { ++delivered; }};

    LocalServer() { EXPECT_TRUE(server.listen(path)); }
};

void pumpUntil(const std::function<bool()>& done, int milliseconds = 3000)
{
    QDeadlineTimer deadline(milliseconds);
    while (!done() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
}

// Sends one ListWindows query on a fresh connection and waits for its answer.
bool answersAWindowList(const QString& path)
{
    QLocalSocket client;
    client.connectToServer(path);
    if (!client.waitForConnected(2000)) {
        return false;
    }
    client.write(InstancesProtocol::frame(Type::ListWindows));
    client.flush();
    InstanceFrameReader reader(InstancesProtocol::MaxReplyFrame);
    std::optional<InstancesProtocol::Frame> reply;
    pumpUntil([&] {
        reader.append(client.readAll());
        reply = reader.next();
        return reply.has_value() || reader.broken();
    });
    return reply && reply->type == Type::WindowList &&
           InstancesProtocol::parseWindowList(reply->payload,
                                              quint32(QCoreApplication::applicationPid()))
               .has_value();
}

} // namespace

// A peer that asks many questions and hangs up before reading the answers
// makes the server's replies fail while it is still reading that peer's
// frames; the connection goes, the server stays and answers the next peer.
TEST(InstancesServer, APeerThatHangsUpWhileItsFramesAreAnsweredLeavesTheServerServing)
{
    LocalServer local;
    for (int round = 0; round < 5; ++round) {
        QByteArray questions;
        for (int i = 0; i < 2000; ++i) {
            questions += InstancesProtocol::frame(Type::ListWindows);
        }
        QLocalSocket rude;
        rude.connectToServer(local.path);
        ASSERT_TRUE(rude.waitForConnected(2000));
        rude.write(questions);
        ASSERT_TRUE(rude.waitForBytesWritten(2000));
        rude.abort();
        pumpUntil([] { return false; }, 100);
    }
    EXPECT_TRUE(answersAWindowList(local.path));
    EXPECT_EQ(local.delivered, 0) << "window-list queries are answered, never delivered";
}

// Requests for windows of other processes are not this server's to deliver;
// a stream that breaks the framing ends its own connection only.
TEST(InstancesServer, OnlyRequestsForItsOwnWindowsAreDeliveredAndBadFramingEndsOneConnection)
{
    LocalServer local;
    WindowRegistry::Request message;
    message.type = WindowRegistry::Request::Type::Message;
    message.message = 1224;
    const TWindowHandle elsewhere = (TWindowHandle(0x7FFFFFF0) << 32) | 1;

    const TWindowHandle ours = (TWindowHandle(QCoreApplication::applicationPid()) << 32) | 1;

    QLocalSocket bad;
    bad.connectToServer(local.path);
    ASSERT_TRUE(bad.waitForConnected(2000));
    bad.write(
        InstancesProtocol::request(elsewhere, message) + InstancesProtocol::request(ours, message) +
        QByteArray("\xFF\xFF\xFF\x7F\x01\x06", 6) + InstancesProtocol::request(ours, message));
    bad.flush();
    pumpUntil([&] { return bad.state() == QLocalSocket::UnconnectedState && local.delivered > 0; });
    EXPECT_EQ(bad.state(), QLocalSocket::UnconnectedState);
    EXPECT_EQ(local.delivered, 1) << "only the request before the broken frame, to our window";
    EXPECT_TRUE(answersAWindowList(local.path));
}
