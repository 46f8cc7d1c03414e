#include "platform/FireWireRawBus.h"

#include "platform/sim/SimFireWireRawBus.h"

#include <atomic>

namespace {
std::atomic<FireWireRawBus*> g_rawBus{nullptr};
}

FireWireRawBus& GetFireWireRawBus()
{
    FireWireRawBus* bus = g_rawBus.load();
    return bus ? *bus : SimFireWireRawBus::Default();
}

void SetFireWireRawBus(FireWireRawBus* bus) { g_rawBus.store(bus); }
