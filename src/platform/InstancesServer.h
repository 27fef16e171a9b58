#pragma once

#include "platform/InstancesProtocol.h"

#include <QLocalServer>
#include <QObject>
#include <functional>
#include <unordered_map>

class QLocalSocket;

// The listening end of a process: answers window-list queries at once and
// hands requests for its windows to the deliverer from the event loop, never
// inside the socket's read. Every frame is checked; a connection that breaks
// the framing or stops reading its answers is dropped, the rest go on.
class InstancesServer : public QObject {
    Q_OBJECT
public:
    using Deliverer = std::function<void(TWindowHandle target, const WindowRegistry::Request&)>;

    explicit InstancesServer(Deliverer deliverer, QObject* parent = nullptr);
    ~InstancesServer() override;

    // Listens on the socket path, replacing a leftover file of the same name.
    bool listen(const QString& socketPath);
    void close();

private:
    static constexpr int maxConnections = 64;
    static constexpr qint64 maxUnsentBytes = 256 * 1024;

    void accept();
    void readFrom(QLocalSocket* socket);
    void handle(QLocalSocket* socket, const InstancesProtocol::Frame& frame);
    void drop(QLocalSocket* socket);

    QLocalServer server_;
    Deliverer deliverer_;
    std::unordered_map<QLocalSocket*, InstanceFrameReader> readers_;
};
