#include <gtest/gtest.h>

#include "platform/sim/SimVelbrin.h"
#include "support/SimDeviceFixture.h"

namespace {

class SimVelbrinTest : public SimBusTest {
protected:
    void ReadItems(int n)
    {
        FwHandle handle = 0;
        ASSERT_EQ(bus.Open(bus.NodeIdOf(&unit), &handle), 0);
        for (int i = 0; i < n; ++i) {
            uint32_t value;
            ASSERT_EQ(bus.ReadQuadlet(handle, kSimItemBase + 4u * uint32_t(i), &value), 0);
        }
        bus.Close(handle);
    }
};

TEST_F(SimVelbrinTest, TheTransactionLogKeepsTheLatestTransfersOrNone)
{
    unit.SetLogCapacity(3);
    ReadItems(5);
    auto log = unit.Log();
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log.front().address, kSimItemBase + 8);
    EXPECT_EQ(log.back().address, kSimItemBase + 16);
    unit.SetLogCapacity(0);
    ReadItems(5);
    EXPECT_TRUE(unit.Log().empty());
}

TEST_F(SimVelbrinTest, ReplugsTakeNewNodeIdsUnlessTheBusReusesThem)
{
    const uint32_t first = bus.NodeIdOf(&unit);
    EXPECT_NE(bus.Plug(&unit), first);
    bus.SetReuseNodeIds(true);
    bus.Unplug(&unit);
    EXPECT_EQ(bus.Plug(&unit), 0xFFC0u);
    SimVelbrin second;
    EXPECT_EQ(bus.Plug(&second), 0xFFC1u);  // the lowest id that is free
    bus.Unplug(&second);
    DrainMainThreadQueue();
}

TEST_F(SimVelbrinTest, TheFrontPanelBitsSurviveTheRoutingWordButNotAnOutputWord)
{
    FwHandle handle = 0;
    ASSERT_EQ(bus.Open(bus.NodeIdOf(&unit), &handle), 0);
    unit.PressDim();
    ASSERT_EQ(bus.WriteQuadlet(handle, kSimItemBase + 4 * 55, 0x06000000), 0);
    EXPECT_EQ(unit.GetItem(55), 0x05000000u);
    ASSERT_EQ(bus.WriteQuadlet(handle, kSimItemBase + 4 * 55, 0x0E000000), 0);  // muted, on the knob
    EXPECT_EQ(unit.GetItem(55), 0x0E000000u);
    bus.Close(handle);
}

}  // namespace
