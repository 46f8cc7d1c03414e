#include "FirmwareFixture.h"

namespace {

class DeviceMatchingTest : public FirmwareTest {
protected:
    // Rights without an update: the unit is opened directly.
    void Authorize()
    {
        const FirmwareFile f = FirmwareFile::Build({});
        ASSERT_EQ(updater->Update(f.bytes.data(), uint32_t(f.bytes.size())), 0);
        ASSERT_EQ(updater->Close(), 1);
        ASSERT_TRUE(updater->Authorize());
        runner.Clear();
        clock.Reset();
        unit.flash.ClearLog();
    }
};

struct UnitCase {
    const char* what;
    uint64_t guid;
    uint32_t vendorId;
    uint32_t productId;
    bool hasGuid;
    bool counted;
};

TEST_F(DeviceMatchingTest, CountsAndOpensOnlyUnitsWithOurIdsAndGuid)
{
    Authorize();
    bus.Unplug(&unit);
    const UnitCase cases[] = {
        {"model word 0002", 0x005D3B0100020000ull, 0x5D3B, 0, true, false},
        {"first Velbrin", 0x005D3B0100011111ull, 0x5D3B, 0, true, true},
        {"another vendor id", 0x005D3B0100013333ull, 0x1234, 0, true, false},
        {"another product id", 0x005D3B0100014444ull, 0x5D3B, 1, true, false},
        {"no GUID", 0x005D3B0100015555ull, 0x5D3B, 0, false, false},
        {"another chip byte", 0x005D3B0200016666ull, 0x5D3B, 0, true, false},
        {"second Velbrin", 0x005D3B0100012222ull, 0x5D3B, 0, true, true},
    };
    std::vector<std::unique_ptr<SimVelbrin>> units;
    for (const UnitCase& c : cases) {
        units.push_back(std::make_unique<SimVelbrin>(c.guid));
        units.back()->vendorId = c.vendorId;
        units.back()->productId = c.productId;
        units.back()->publishGuid = c.hasGuid;
        units.back()->productName = c.what;
        bus.Plug(units.back().get());
    }
    EXPECT_EQ(updater->CountDevices(), 2);
    ASSERT_TRUE(updater->OpenDevice());
    EXPECT_EQ(updater->Guid(), 0x005D3B0100011111ull);
    EXPECT_EQ(updater->ProductName(), "first Velbrin");
    EXPECT_EQ(updater->VendorName(), "Brennimar");
    EXPECT_EQ(raw.OpenDevices(), 1);
    EXPECT_EQ(updater->QueryDevice(), 0);
    EXPECT_EQ(units[1]->flash.Log().size(), 1u) << "the identity block of the first Velbrin was read";
    EXPECT_TRUE(units[6]->flash.Log().empty());
    EXPECT_TRUE(updater->CloseDevice());
    EXPECT_EQ(raw.OpenDevices(), 0);
}

TEST_F(DeviceMatchingTest, AGuidLowWordOf00020000IsNeitherCountedNorOpened)
{
    Authorize();
    bus.Unplug(&unit);
    SimVelbrin other(0x005D3B0100020000ull);
    other.productName = "another model";
    bus.Plug(&other);
    EXPECT_EQ(updater->CountDevices(), 0);
    EXPECT_FALSE(updater->OpenDevice());
    EXPECT_EQ(raw.OpenDevices(), 0);
    EXPECT_TRUE(runner.Commands().empty()) << "nothing was bound to a matching unit";
    EXPECT_TRUE(other.flash.Log().empty());
    EXPECT_EQ(updater->ProductName(), "Velbrin");
    EXPECT_EQ(updater->Guid(), kSimDefaultGuid);
}

TEST_F(DeviceMatchingTest, TheGenerationTakenAtOpenGoesWithEveryTransferWithoutFailOnReset)
{
    Authorize();
    SimVelbrin neighbour(0x005D3B0100019999ull);
    bus.Plug(&neighbour);  // a bus reset before the open
    ASSERT_TRUE(updater->OpenDevice());
    const uint32_t generation = raw.Generation();
    EXPECT_EQ(updater->BusGeneration(), generation);

    bus.Unplug(&neighbour);  // and one while the interface is open
    EXPECT_NE(raw.Generation(), generation);
    EXPECT_EQ(updater->QueryDevice(), 0) << "fail-on-reset is off: the old generation still reaches the unit";
    const auto log = unit.flash.Log();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].address, FirmwareUpdater::kIdentityAddress);
    EXPECT_EQ(log[0].data.size(), 104u);
    EXPECT_EQ(log[0].generation, generation);
    EXPECT_FALSE(log[0].failOnReset);
    EXPECT_EQ(updater->DeviceId(), unit.flash.DeviceId());
}

}  // namespace
