// The device layer's reading of AV/C answers: item reads and writes as AV/C frames to the simulated unit
// on the simulated bus, whose answers the input edits (FuzzAnswerBus). The input also picks the reads and
// writes: how many items, which.
// Holds: a read that fails leaves its pairs as they were.

#include "CtrlPanel/device/FireWireDevice.h"
#include "CtrlPanel/device/FireWireSession.h"
#include "fuzz/FuzzAnswerBus.h"
#include "platform/DebugLog.h"
#include "platform/MainThread.h"
#include "platform/sim/SimBackends.h"
#include "platform/sim/SimClock.h"
#include "platform/sim/SimVelbrin.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <vector>

namespace {

struct Rig {
    Rig()
    {
        SetDebugLogSink([](const std::string&) {});
        SetClock(&clock);
        SimBackends::Install(&bus);
        bus.Plug(&unit);
        DrainMainThreadQueue();
        device = new FireWireDevice;
        if (device->Open() != 0)
            abort();
        // Every transfer of items goes as AV/C frames.
        FireWireSession::SetCapabilities(FireWireSession::Capabilities{});
    }
    SimClock clock;
    FuzzAnswerBus bus;
    SimVelbrin unit;
    FireWireDevice* device = nullptr;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static Rig* rig = new Rig;
    FuzzedDataProvider input(data, size);
    rig->bus.SetSource(&input);
    for (int op = 0; op < 6 && input.remaining_bytes() > 0; ++op) {
        const bool write = input.ConsumeBool();
        const uint32_t n = input.ConsumeIntegralInRange<uint32_t>(1, write ? 140 : 300);
        const uint32_t first = input.ConsumeIntegralInRange<uint32_t>(0, 1100);
        std::vector<ItemValue> pairs;
        for (uint32_t i = 0; i < n; ++i)
            pairs.push_back({write ? 200 + (first + i) % 200 : first + i, 0x01010101u * i});
        if (write) {
            rig->device->WriteItems(pairs.data(), n);
        } else {
            const std::vector<ItemValue> before = pairs;
            if (rig->device->ReadItems(pairs.data(), n) != 0)
                for (uint32_t i = 0; i < n; ++i)
                    if (pairs[i].item != before[i].item || pairs[i].value != before[i].value)
                        abort();
        }
    }
    rig->bus.SetSource(nullptr);
    DrainMainThreadQueue();
    rig->unit.ClearLog();
    return 0;
}
