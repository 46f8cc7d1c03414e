#include "support/HalFixture.h"

#include "CtrlPanel/device/FireWireDevice.h"
#include "CtrlPanel/device/ParamWriter.h"
#include "platform/DebugLog.h"

namespace {

class HalCloseTest : public HalTest {};

TEST_F(HalCloseTest, ACycleThatFailsDuringARateChangeLeavesTheHalFullyClosed)
{
    ParamWriter& writer = NewWriter(2600, 2);
    MakeHal();
    hal->AddSource(&writer);
    hal->GetMeterList()->SetEnabled(1, true);  // six meter items: one AV/C read per cycle
    ASSERT_EQ(hal->Open(), 0);
    ASSERT_TRUE(WaitFor([&] { return !PollingLog().empty(); }));
    unit.SetDelayMs(SimXfer::AVC, 300);
    ASSERT_TRUE(WaitFor([&] { return unit.WaitingTransfers() > 0; }));
    unit.FailNext(SimXfer::AVC, 1, kFwUnsupported);  // the held meter read fails when it ends

    EXPECT_FALSE(hal->SetSampleRate(96000));
    unit.SetDelayMs(SimXfer::AVC, 0);
    EXPECT_FALSE(hal->IsOpen());
    EXPECT_FALSE(hal->GetDevice()->IsOpen());
    EXPECT_EQ(bus.OpenHandles(), 0);
    EXPECT_FALSE(hal->GetThread()->IsCycling());
    writer.SetValue(0, 77);
    LetTimePass(500);
    EXPECT_EQ(unit.GetItem(2600), 0u);  // nothing moves while closed

    ASSERT_EQ(hal->Open(), 0);
    EXPECT_EQ(bus.OpenHandles(), 1);
    EXPECT_TRUE(WaitFor([&] { return unit.GetItem(2600) == 77; }));
}

TEST_F(HalCloseTest, ShutdownWithATransferThatNeverReturnsIsBounded)
{
    OpenHal();
    hal->GetMeterList()->SetEnabled(1, true);
    unit.SetHang(SimXfer::AVC, true);
    ASSERT_TRUE(WaitFor([&] { return unit.HungTransfers() > 0; }));
    DebugLogCapture trace;
    const auto start = std::chrono::steady_clock::now();
    VelbrinHAL::DestroyInstance();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_EQ(bus.OpenHandles(), 0);
    EXPECT_EQ(unit.HungTransfers(), 0);
    if (DebugLogEnabled()) {
        EXPECT_TRUE(trace.Contains("avcThread::StopAVC() : cycle still busy after 10000 ms, going on\n"));
        EXPECT_TRUE(trace.Contains("FireWireDevice::Close() : bus still busy after 3000 ms, closing the handle anyway\n"));
        EXPECT_FALSE(trace.Contains("left running"));
    }
}

}  // namespace
