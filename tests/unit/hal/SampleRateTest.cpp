#include "support/HalFixture.h"

namespace {

class SampleRateTest : public HalTest {};

TEST_F(SampleRateTest, ARateInTheSameModeChangesOnlyTheNominalRate)
{
    OpenHal();
    unit.ClearLog();
    ASSERT_TRUE(hal->SetSampleRate(96000));
    EXPECT_EQ(hal->GetSampleRate(), 96000);
    EXPECT_EQ(unit.DspMode(), 2);
    for (auto& t : unit.Log())
        EXPECT_FALSE(t.kind != SimXfer::ReadQuadlet && Touches(t, 78));
    EXPECT_EQ(events.Events().back(), kDeviceEventOpened);
    EXPECT_EQ(hal->GetMeterList()->CountToRead(), 1u);  // listeners saw the new rate
}

TEST_F(SampleRateTest, ARateInTheOtherModeSwitchesTheDspAndReconnects)
{
    unit.SetModeSwitchMs(1500);
    OpenHal();
    const uint64_t before = clock->NowMs();
    ASSERT_TRUE(hal->SetSampleRate(176400));
    EXPECT_GE(clock->NowMs(), before + 6000);
    EXPECT_EQ(unit.DspMode(), 3);
    EXPECT_TRUE(hal->IsOpen());
    EXPECT_EQ(hal->GetSampleRate(), 176400);
    EXPECT_FALSE(hal->GetThread()->IsDspEnabled());
    EXPECT_EQ(hal->GetMeterList()->CountToRead(), 0u);
    EXPECT_EQ(notifier.busyDepth, 0);
    // Back down: the DSP comes back and the routing words are written again.
    unit.SetItem(55, 0);
    ASSERT_TRUE(hal->SetSampleRate(48000));
    EXPECT_EQ(unit.DspMode(), 2);
    EXPECT_TRUE(hal->GetThread()->IsDspEnabled());
    EXPECT_EQ(hal->GetSampleRate(), 48000);
}

TEST_F(SampleRateTest, AUnitThatDoesNotComeBackClosesTheHalForTheReconnectLoop)
{
    unit.SetModeSwitchMs(1000000);
    OpenHal();
    EXPECT_FALSE(hal->SetSampleRate(192000));
    EXPECT_FALSE(hal->IsOpen());
    EXPECT_EQ(notifier.busyDepth, 0);
    ASSERT_EQ(notifier.Messages().size(), 1u);
    EXPECT_NE(notifier.Messages()[0].find("failed to boot"), std::string::npos);
}

// The unit leaves the bus to switch its DSP mode; unplugged meanwhile it is not waited for.
TEST_F(SampleRateTest, AUnitUnpluggedDuringAModeSwitchEndsTheChangeAtOnce)
{
    unit.SetModeSwitchMs(1000000);  // off the bus until it is unplugged
    OpenHal();
    std::thread unplug([this] {
        WaitFor([this] { return !bus.IsPlugged(&unit); });
        bus.Unplug(&unit);
    });
    const uint64_t before = clock->NowMs();
    EXPECT_FALSE(hal->SetSampleRate(176400));
    const uint64_t took = clock->NowMs() - before;
    unplug.join();
    EXPECT_LT(took, 2000u);  // the settle time alone is 6 s
    EXPECT_FALSE(hal->IsOpen());
    EXPECT_TRUE(notifier.Messages().empty());
    EXPECT_EQ(notifier.busyDepth, 0);
}

TEST_F(SampleRateTest, AFailedModeWriteClosesTheHal)
{
    OpenHal();
    unit.FailNext(SimXfer::WriteBlock, 1, kFwUnsupported);
    EXPECT_FALSE(hal->SetSampleRate(176400));
    EXPECT_FALSE(hal->IsOpen());
    EXPECT_EQ(unit.DspMode(), 2);
}

}  // namespace
