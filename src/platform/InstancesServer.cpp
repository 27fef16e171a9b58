#include "platform/InstancesServer.h"

#include <QLocalSocket>

InstancesServer::InstancesServer(Deliverer deliverer, QObject* parent)
    : QObject(parent), deliverer_(std::move(deliverer))
{
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server_, &QLocalServer::newConnection, this, &InstancesServer::accept);
}

InstancesServer::~InstancesServer()
{
    close();
}

bool InstancesServer::listen(const QString& socketPath)
{
    QLocalServer::removeServer(socketPath);
    return server_.listen(socketPath);
}

void InstancesServer::close()
{
    server_.close(); // removes the socket file
    while (!readers_.empty()) {
        drop(readers_.begin()->first);
    }
}

void InstancesServer::accept()
{
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        if (readers_.size() >= maxConnections) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        readers_.emplace(socket, InstanceFrameReader(InstancesProtocol::MaxRequestFrame));
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readFrom(socket); });
        connect(socket, &QLocalSocket::disconnected, this, [this, socket] { drop(socket); });
        readFrom(socket);
    }
}

// A reply that fails can drop the peer (and its reader) inside handle(), so
// the reader is looked up again after every frame, never kept across one.
void InstancesServer::readFrom(QLocalSocket* socket)
{
    while (readers_.count(socket) != 0 && socket->bytesAvailable() > 0) {
        readers_.at(socket).append(socket->read(InstancesProtocol::MaxRequestFrame));
        while (readers_.count(socket) != 0) {
            const std::optional<InstancesProtocol::Frame> frame = readers_.at(socket).next();
            if (!frame) {
                break;
            }
            handle(socket, *frame);
        }
        const auto found = readers_.find(socket);
        if (found == readers_.end()) {
            return;
        }
        if (found->second.broken() || socket->bytesToWrite() > maxUnsentBytes) {
            drop(socket);
            return;
        }
    }
}

void InstancesServer::handle(QLocalSocket* socket, const InstancesProtocol::Frame& frame)
{
    if (frame.type == InstancesProtocol::Type::ListWindows) {
        socket->write(
            InstancesProtocol::windowList(WindowRegistry::instance().LocalTopLevelWindows()));
        socket->flush();
        return;
    }
    const auto request = InstancesProtocol::parseRequest(frame);
    if (!request || !WindowRegistry::IsLocalHandle(request->first)) {
        return;
    }
    QMetaObject::invokeMethod(
        this, [this, request = *request] { deliverer_(request.first, request.second); },
        Qt::QueuedConnection);
}

void InstancesServer::drop(QLocalSocket* socket)
{
    if (readers_.erase(socket) == 0) {
        return;
    }
    socket->disconnect(this);
    socket->abort();
    socket->deleteLater();
}
