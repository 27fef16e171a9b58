#pragma once

#include "platform/WindowRegistry.h"

#include <QString>
#include <functional>
#include <map>
#include <memory>

class QLocalSocket;

// The other processes of ours, found by their socket files in the runtime
// folder ("inst-<pid>.sock", each beside the lock file "inst-<pid>.lock" its
// process holds while it lives). A socket that refuses connections while its
// lock is free belongs to a dead process and is removed. Queries wait for
// answers with a deadline, handling events other than user input meanwhile,
// so a peer that hangs or talks nonsense costs at most the deadline.
class InstancesPeers : public WindowRegistry::Peers {
public:
    static constexpr int listDeadlineMs = 200;
    static constexpr int deliverDeadlineMs = 200;

    explicit InstancesPeers(QString folder);
    ~InstancesPeers() override;

    QList<WindowRegistry::Info> PeerWindows() override;
    bool DeliverToPeer(TWindowHandle target, const WindowRegistry::Request& request) override;

    // Process ids of the socket files in the folder, this process left out.
    QList<quint32> PeerProcesses() const;

    static QString socketPath(const QString& folder, quint32 pid);
    static QString lockPath(const QString& folder, quint32 pid);
    // Handles events (user input excepted) until done() holds or the time is
    // up; whether done() holds.
    static bool WaitUntil(const std::function<bool()>& done, int timeoutMs);

private:
    // A connected socket, or nullptr; a dead peer's files go on the way.
    std::unique_ptr<QLocalSocket> connectTo(quint32 pid);
    void removeIfStale(quint32 pid);
    bool write(QLocalSocket& socket, const QByteArray& bytes);

    QString folder_;
    std::map<quint32, std::unique_ptr<QLocalSocket>> deliveryConnections_;
};
