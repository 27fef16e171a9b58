#include "platform/Instances.h"

#include "platform/FileLock.h"
#include "platform/InstancesPeers.h"
#include "platform/InstancesServer.h"
#include "platform/VirtualFs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <memory>
#include <unistd.h>

namespace {

using Request = WindowRegistry::Request;

// A window of this process waiting for the answer to its query.
struct ReplyWaiter {
    TWindowHandle window = 0;
    bool received = false;
    bool yes = false;
};

struct InstancesState {
    QString folder;
    std::unique_ptr<FileLock> lock;
    std::unique_ptr<InstancesServer> server;
    std::unique_ptr<InstancesPeers> peers;
    QList<ReplyWaiter*> waiters;
};

InstancesState& state()
{
    static InstancesState instances;
    return instances;
}

quint32 ownPid()
{
    return quint32(::getpid());
}

void noteReply(TWindowHandle target, const Request& request)
{
    if (request.type != Request::Type::Message || request.message != InstanceMessageId::Reply) {
        return;
    }
    for (ReplyWaiter* waiter : state().waiters) {
        if (waiter->window == target) {
            waiter->received = true;
            waiter->yes = request.wParam == 1;
        }
    }
}

bool deliverLocal(TWindowHandle target, const Request& request)
{
    noteReply(target, request);
    return WindowRegistry::instance().DeliverLocal(target, request);
}

// A window of this process gets a posted request from the event loop, a sent
// one now; another process's window through its socket.
bool route(TWindowHandle target, const Request& request, bool posted)
{
    if (WindowRegistry::IsLocalHandle(target)) {
        if (!WindowRegistry::instance().Contains(target)) {
            return false;
        }
        if (posted && QCoreApplication::instance()) {
            QMetaObject::invokeMethod(
                QCoreApplication::instance(), [target, request] { deliverLocal(target, request); },
                Qt::QueuedConnection);
            return true;
        }
        return deliverLocal(target, request);
    }
    InstancesPeers* peers = state().peers.get();
    return peers && peers->DeliverToPeer(target, request);
}

Request requestOf(Request::Type type)
{
    Request request;
    request.type = type;
    return request;
}

Request messageRequest(quint32 message, quint64 wParam, qint64 lParam)
{
    Request request = requestOf(Request::Type::Message);
    request.message = message;
    request.wParam = wParam;
    request.lParam = lParam;
    return request;
}

void stopWithTheApplication()
{
    static bool added = false;
    if (!added && QCoreApplication::instance()) {
        qAddPostRoutine(&Instances::Stop);
        added = true;
    }
}

// The lock marks this process as alive for the others while its socket
// exists; it goes with the process, however that ends.
bool listen(InstancesState& instances)
{
    const QString folder = instances.folder;
    instances.lock = std::make_unique<FileLock>(InstancesPeers::lockPath(folder, ownPid()));
    auto server = std::make_unique<InstancesServer>(deliverLocal);
    if (!instances.lock->lock(500) ||
        !server->listen(InstancesPeers::socketPath(folder, ownPid()))) {
        instances.lock.reset();
        return false;
    }
    instances.server = std::move(server);
    return true;
}

} // namespace

QString Instances::socketPath(const QString& folder, quint32 pid)
{
    return InstancesPeers::socketPath(folder, pid);
}

bool Instances::Start(const QString& folder)
{
    InstancesState& instances = state();
    if (instances.peers) {
        return instances.server != nullptr;
    }
    instances.folder = folder.isEmpty() ? VirtualFs::runtimeFolder() : folder;
    QDir().mkpath(instances.folder);
    instances.peers = std::make_unique<InstancesPeers>(instances.folder);
    WindowRegistry::instance().SetPeers(instances.peers.get());
    stopWithTheApplication();
    return listen(instances);
}

void Instances::Stop()
{
    InstancesState& instances = state();
    WindowRegistry::instance().SetPeers(nullptr);
    instances.server.reset();
    if (instances.lock) {
        QFile::remove(instances.lock->path());
        instances.lock.reset();
    }
    instances.peers.reset();
}

bool Instances::Started()
{
    return state().peers != nullptr;
}

QList<WindowRegistry::Info> Instances::TopLevelWindows()
{
    return WindowRegistry::instance().TopLevelWindows();
}

std::optional<TWindowHandle> Instances::FindWindowByCaption(const QString& caption, int maxLength)
{
    return WindowRegistry::instance().FindWindowByCaption(caption, maxLength);
}

bool Instances::SendCopyData(TWindowHandle target, TWindowHandle sender,
                             const RInstanceMessage& message)
{
    Request request = requestOf(Request::Type::CopyData);
    request.sender = sender;
    request.data = message;
    return route(target, request, false);
}

bool Instances::PostMessage(TWindowHandle target, quint32 message, quint64 wParam, qint64 lParam)
{
    return route(target, messageRequest(message, wParam, lParam), true);
}

bool Instances::SendMessage(TWindowHandle target, quint32 message, quint64 wParam, qint64 lParam)
{
    return route(target, messageRequest(message, wParam, lParam), false);
}

bool Instances::Close(TWindowHandle target)
{
    return route(target, requestOf(Request::Type::Close), false);
}

bool Instances::ShowNormal(TWindowHandle target)
{
    return route(target, requestOf(Request::Type::ShowNormal), false);
}

bool Instances::BringToFront(TWindowHandle target)
{
    return route(target, requestOf(Request::Type::BringToFront), false);
}

std::optional<bool> Instances::AskShowsFile(TWindowHandle target, TWindowHandle sender,
                                            const QString& file, int timeoutMs)
{
    ReplyWaiter waiter;
    waiter.window = sender;
    state().waiters.append(&waiter);
    const auto forget = qScopeGuard([&waiter] { state().waiters.removeOne(&waiter); });
    const RInstanceMessage query = RInstanceMessage::single(RInstanceMessage::KindAskShown, file);
    if (!SendCopyData(target, sender, query)) {
        return std::nullopt;
    }
    InstancesPeers::WaitUntil([&waiter] { return waiter.received; }, timeoutMs);
    return waiter.received ? std::optional<bool>(waiter.yes) : std::nullopt;
}
