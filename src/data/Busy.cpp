#include "data/Busy.h"

#include <atomic>
#include <utility>

namespace {

std::atomic<bool> busyFlag{false};

std::function<void(bool)>& busyHandler()
{
    static std::function<void(bool)> handler;
    return handler;
}

} // namespace

bool Busy()
{
    return busyFlag.load();
}

// The handler runs first, so that events it processes while the flag drops
// still find the program busy.
void SetBusy(bool flag)
{
    const std::function<void(bool)> handler = busyHandler();
    if (handler) {
        handler(flag);
    }
    busyFlag.store(flag);
}

void SetBusyHandler(std::function<void(bool)> handler)
{
    busyHandler() = std::move(handler);
}
