#include "platform/FireWireBus.h"

#include "platform/sim/SimFireWireBus.h"

#include <atomic>

namespace {
std::atomic<FireWireBus*> g_bus{nullptr};
}

FireWireBus& GetFireWireBus()
{
    FireWireBus* bus = g_bus.load();
    return bus ? *bus : SimFireWireBus::Default();
}

void SetFireWireBus(FireWireBus* bus) { g_bus.store(bus); }
