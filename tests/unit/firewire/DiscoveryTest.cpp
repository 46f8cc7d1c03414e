#include <gtest/gtest.h>

#include "CtrlPanel/device/FireWireDevice.h"
#include "CtrlPanel/device/FireWireSession.h"
#include "support/SimDeviceFixture.h"

namespace {

class DiscoveryTest : public SimBusTest {
protected:
    void TearDown() override
    {
        FireWireSession::StopDeviceMatching();
        SimBusTest::TearDown();
    }
};

TEST(GuidRule, AcceptsOnlyOurCompanyChipAndModel)
{
    EXPECT_TRUE(FireWireSession::IsAcceptedGuid(0x005D3B0100010000ull));
    EXPECT_TRUE(FireWireSession::IsAcceptedGuid(0xAB5D3B010001FFFFull));  // top byte and serial are free
    EXPECT_FALSE(FireWireSession::IsAcceptedGuid(0x005D3B0100020000ull));  // another model word
    EXPECT_FALSE(FireWireSession::IsAcceptedGuid(0x005D3B0200010000ull));  // another chip byte
    EXPECT_FALSE(FireWireSession::IsAcceptedGuid(0x00123B0100010000ull));  // another company
}

TEST_F(DiscoveryTest, AUnitPresentAtStartIsFoundWithoutANotification)
{
    FireWireSession::StartDeviceMatching();
    EXPECT_EQ(FireWireSession::NodeId(), bus.NodeIdOf(&unit));
}

TEST_F(DiscoveryTest, ArrivalIsNoticedOnTheGuiThread)
{
    bus.Unplug(&unit);
    FireWireSession::StartDeviceMatching();
    EXPECT_EQ(FireWireSession::NodeId(), 0u);
    const uint32_t node = bus.Plug(&unit);
    EXPECT_EQ(FireWireSession::NodeId(), 0u);  // not before the GUI thread drains
    DrainMainThreadQueue();
    EXPECT_EQ(FireWireSession::NodeId(), node);
}

TEST_F(DiscoveryTest, UnitsWithoutAnAcceptedIdentityCountAsAbsent)
{
    bus.Unplug(&unit);
    SimVelbrin otherModel(0x005D3B0100020000ull);
    SimVelbrin noNode;
    noNode.publishNodeId = false;
    SimVelbrin noGuid;
    noGuid.publishGuid = false;
    SimVelbrin otherVendor;
    otherVendor.vendorName = "Someone Else";
    for (SimVelbrin* u : {&otherModel, &noNode, &noGuid, &otherVendor})
        bus.Plug(u);
    FireWireSession::StartDeviceMatching();
    EXPECT_EQ(FireWireSession::NodeId(), 0u);
    EXPECT_EQ(FireWireSession::Open(), -1);
    for (SimVelbrin* u : {&otherModel, &noNode, &noGuid, &otherVendor})
        bus.Unplug(u);
}

TEST_F(DiscoveryTest, TheFirstMatchingUnitWithAnAcceptedGuidIsChosen)
{
    bus.Unplug(&unit);
    SimVelbrin otherModel(0x005D3B0100020000ull);
    SimVelbrin second(0x005D3B0100019999ull);
    bus.Plug(&otherModel);
    const uint32_t secondNode = bus.Plug(&second);
    bus.Plug(&unit);
    FireWireSession::StartDeviceMatching();
    EXPECT_EQ(FireWireSession::NodeId(), secondNode);
    bus.Unplug(&otherModel);
    bus.Unplug(&second);
}

TEST_F(DiscoveryTest, AStaleRemovalNoticeLeavesTheUnitThatCameBack)
{
    FireWireSession::StartDeviceMatching();
    GetFireWireBus().SetArrivalWatcher(nullptr);  // no arrival notice that would mend the node id
    const uint32_t newNode = bus.Plug(&unit);     // leaves and comes back at once
    FireWireDevice device;                         // its open rescans and follows the new unit
    EXPECT_EQ(device.Open(), 0);
    EXPECT_EQ(DrainMainThreadQueue(), 1);          // the old unit's removal notice, late
    EXPECT_EQ(FireWireSession::NodeId(), newNode);
    bus.Unplug(&unit);
    DrainMainThreadQueue();                        // the current unit's removal acts
    EXPECT_EQ(FireWireSession::NodeId(), 0u);
}

}  // namespace
