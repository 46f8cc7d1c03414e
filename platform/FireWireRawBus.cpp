#include "platform/FireWireRawBus.h"

#include "platform/Assert.h"

#include <atomic>

namespace {
std::atomic<FireWireRawBus*> g_rawBus{nullptr};
}

FireWireRawBus& GetFireWireRawBus()
{
    FireWireRawBus* bus = g_rawBus.load();
    VELBRIN_ASSERT(bus != nullptr);
    return *bus;
}

void SetFireWireRawBus(FireWireRawBus* bus) { g_rawBus.store(bus); }
