#include <gtest/gtest.h>

#include "platform/MainThread.h"
#include "platform/sim/SimClock.h"
#include "platform/sim/SimFireWireBus.h"
#include "platform/sim/SimVelbrin.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace {

bool WaitFor(const std::function<bool()>& done)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

// Time-driven changes happen without any transfer on the bus: the ticker applies them, also after it
// went to sleep with nothing left to do.
TEST(SimBusTicker, AppliesBootsAndComebacksAlsoAfterItSlept)
{
    SimFireWireBus bus;
    SimVelbrin unit;
    unit.SetDspBootMs(20);
    std::atomic<int> boots{0};
    unit.SetStateHook([&](const SimUnitState& s) { boots += s.onBus && s.dspBooted; });
    bus.Plug(&unit);
    ASSERT_TRUE(WaitFor([&] { return boots > 0; })) << "the boot is reported without a transfer";
    EXPECT_FALSE(unit.AwaitsChange());
    std::this_thread::sleep_for(std::chrono::milliseconds(30));  // the ticker has nothing to do now

    bus.Reenumerate(&unit, 20);
    EXPECT_FALSE(bus.IsPlugged(&unit));
    ASSERT_TRUE(WaitFor([&] { return bus.IsPlugged(&unit); })) << "the unit comes back by itself";
    const int before = boots;
    ASSERT_TRUE(WaitFor([&] { return boots > before; })) << "and its DSP boots again";
    unit.SetStateHook(nullptr);
    DrainMainThreadQueue();
}

}  // namespace

namespace {

// The program's scenario finds a unit that was switched on long before: its DSP is up at once. Unplugged
// and plugged again, it boots as any unit does.
TEST(SimBootCompleted, TheDspIsUpAtOnceAndBootsAgainAfterAReplug)
{
    ScopedSimClock clock;
    SimFireWireBus bus;
    SimVelbrin unit;
    bus.Plug(&unit);
    EXPECT_FALSE(unit.IsDspBooted());
    unit.CompleteBoot();
    EXPECT_TRUE(unit.IsDspBooted());
    EXPECT_FALSE(unit.AwaitsChange());

    bus.Unplug(&unit);
    bus.Plug(&unit);
    EXPECT_FALSE(unit.IsDspBooted());
    EXPECT_TRUE(unit.AwaitsChange());
    clock->Advance(kSimDefaultDspBootMs);
    EXPECT_TRUE(unit.IsDspBooted());
    bus.Unplug(&unit);
    DrainMainThreadQueue();
}

}  // namespace
