#include "platform/InstancesPeers.h"

#include "platform/FileLock.h"
#include "platform/InstancesProtocol.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QLocalSocket>
#include <QTimer>
#include <unistd.h>
#include <vector>

namespace {

quint32 ownPid()
{
    return quint32(::getpid());
}

// One window-list query to one peer.
struct ListQuery {
    quint32 pid = 0;
    std::unique_ptr<QLocalSocket> socket;
    InstanceFrameReader reader{InstancesProtocol::MaxReplyFrame};
    bool done = false;
    QList<WindowRegistry::Info> windows;

    void read()
    {
        while (!done && socket->bytesAvailable() > 0) {
            reader.append(socket->read(InstancesProtocol::MaxReplyFrame));
            while (const auto frame = reader.next()) {
                if (frame->type == InstancesProtocol::Type::WindowList) {
                    windows = InstancesProtocol::parseWindowList(frame->payload, pid)
                                  .value_or(QList<WindowRegistry::Info>());
                    done = true;
                    break;
                }
            }
            done = done || reader.broken();
        }
    }
};

} // namespace

InstancesPeers::InstancesPeers(QString folder) : folder_(std::move(folder)) {}

InstancesPeers::~InstancesPeers() = default;

QString InstancesPeers::socketPath(const QString& folder, quint32 pid)
{
    return folder + QStringLiteral("/inst-%1.sock").arg(pid);
}

QString InstancesPeers::lockPath(const QString& folder, quint32 pid)
{
    return folder + QStringLiteral("/inst-%1.lock").arg(pid);
}

QList<quint32> InstancesPeers::PeerProcesses() const
{
    QList<quint32> pids;
    const QStringList names = QDir(folder_).entryList({QStringLiteral("inst-*.sock")},
                                                      QDir::Files | QDir::System, QDir::Name);
    for (const QString& name : names) {
        bool ok = false;
        const quint32 pid = name.mid(5, name.size() - 10).toUInt(&ok);
        if (ok && pid != 0 && pid != ownPid() && name == socketPath(QString(), pid).mid(1)) {
            pids.append(pid);
        }
    }
    return pids;
}

void InstancesPeers::removeIfStale(quint32 pid)
{
    FileLock lock(lockPath(folder_, pid));
    if (!lock.tryLock()) {
        return; // its process lives (and may be starting its server)
    }
    QFile::remove(socketPath(folder_, pid));
    QFile::remove(lockPath(folder_, pid));
}

std::unique_ptr<QLocalSocket> InstancesPeers::connectTo(quint32 pid)
{
    auto socket = std::make_unique<QLocalSocket>();
    socket->setReadBufferSize(InstancesProtocol::MaxReplyFrame);
    socket->connectToServer(socketPath(folder_, pid));
    if (socket->state() == QLocalSocket::ConnectingState) {
        socket->waitForConnected(listDeadlineMs / 4);
    }
    if (socket->state() == QLocalSocket::ConnectedState) {
        return socket;
    }
    const QLocalSocket::LocalSocketError error = socket->error();
    if (error == QLocalSocket::ConnectionRefusedError ||
        error == QLocalSocket::ServerNotFoundError) {
        removeIfStale(pid);
    }
    return nullptr;
}

bool InstancesPeers::write(QLocalSocket& socket, const QByteArray& bytes)
{
    if (socket.state() != QLocalSocket::ConnectedState || socket.write(bytes) != bytes.size()) {
        return false;
    }
    socket.flush();
    if (socket.bytesToWrite() > 0 && !socket.waitForBytesWritten(deliverDeadlineMs)) {
        return false;
    }
    return socket.state() == QLocalSocket::ConnectedState;
}

QList<WindowRegistry::Info> InstancesPeers::PeerWindows()
{
    std::vector<std::unique_ptr<ListQuery>> queries;
    const QByteArray request = InstancesProtocol::frame(InstancesProtocol::Type::ListWindows);
    for (const quint32 pid : PeerProcesses()) {
        auto query = std::make_unique<ListQuery>();
        query->pid = pid;
        query->socket = connectTo(pid);
        if (!query->socket || !write(*query->socket, request)) {
            continue;
        }
        ListQuery* raw = query.get();
        QObject::connect(raw->socket.get(), &QLocalSocket::readyRead, raw->socket.get(),
                         [raw] { raw->read(); });
        QObject::connect(raw->socket.get(), &QLocalSocket::disconnected, raw->socket.get(), [raw] {
            raw->read();
            raw->done = true;
        });
        queries.push_back(std::move(query));
    }
    WaitUntil(
        [&queries] {
            return std::all_of(queries.begin(), queries.end(),
                               [](const auto& query) { return query->done; });
        },
        listDeadlineMs);
    QList<WindowRegistry::Info> windows;
    for (const auto& query : queries) {
        windows += query->windows;
    }
    return windows;
}

bool InstancesPeers::DeliverToPeer(TWindowHandle target, const WindowRegistry::Request& request)
{
    const quint32 pid = WindowRegistry::ProcessOfHandle(target);
    if (pid == 0 || pid == ownPid()) {
        return false;
    }
    const QByteArray bytes = InstancesProtocol::request(target, request);
    const auto cached = deliveryConnections_.find(pid);
    if (cached != deliveryConnections_.end()) {
        if (write(*cached->second, bytes)) {
            return true;
        }
        deliveryConnections_.erase(cached);
    }
    std::unique_ptr<QLocalSocket> socket = connectTo(pid);
    if (!socket || !write(*socket, bytes)) {
        return false;
    }
    deliveryConnections_[pid] = std::move(socket);
    return true;
}

bool InstancesPeers::WaitUntil(const std::function<bool()>& done, int timeoutMs)
{
    if (done() || !QCoreApplication::instance()) {
        return done();
    }
    const QDeadlineTimer deadline(timeoutMs);
    QEventLoop loop;
    QTimer poll;
    poll.setTimerType(Qt::PreciseTimer);
    poll.setInterval(1);
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done() || deadline.hasExpired()) {
            loop.quit();
        }
    });
    poll.start();
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    return done();
}
