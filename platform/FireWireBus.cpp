#include "platform/FireWireBus.h"

#include "platform/Assert.h"

#include <atomic>

namespace {
std::atomic<FireWireBus*> g_bus{nullptr};
}

FireWireBus& GetFireWireBus()
{
    FireWireBus* bus = g_bus.load();
    VELBRIN_ASSERT(bus != nullptr);
    return *bus;
}

void SetFireWireBus(FireWireBus* bus) { g_bus.store(bus); }
