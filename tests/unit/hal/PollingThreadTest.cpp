#include "support/HalFixture.h"

#include "CtrlPanel/device/ParamWriter.h"
#include "PAL/ParameterSet.h"
#include "platform/DebugLog.h"
#include "resources/params/MainParamDescriptors.h"

#include <algorithm>
#include <string>

namespace {

class PollingThreadTest : public HalTest {
protected:
    // Block writes of the polling thread that carry writer items (from `first` on).
    std::vector<std::vector<SimPair>> WriterBlocks(uint32_t first)
    {
        std::vector<std::vector<SimPair>> out;
        for (auto& t : PollingLog())
            if (t.kind == SimXfer::WriteBlock && !t.pairs.empty() && t.pairs[0].item >= first)
                out.push_back(t.pairs);
        return out;
    }
};

TEST_F(PollingThreadTest, FortyFiveDirtyEntriesLeaveAsTwentyTwentyFive)
{
    ParamWriter& writer = NewWriter(2000, 60);
    MakeHal();
    hal->AddSource(&writer);
    for (uint32_t i = 0; i < 45; ++i)
        writer.SetValue(i, 1000 + i);
    ASSERT_EQ(hal->Open(), 0);
    ASSERT_TRUE(WaitFor([&] { return WriterBlocks(2000).size() >= 3; }));
    auto blocks = WriterBlocks(2000);
    ASSERT_EQ(blocks.size(), 3u);
    EXPECT_EQ(blocks[0].size(), 20u);
    EXPECT_EQ(blocks[1].size(), 20u);
    EXPECT_EQ(blocks[2].size(), 5u);
    EXPECT_EQ(blocks[0][0].item, 2000u);
    EXPECT_EQ(blocks[2][4].item, 2044u);
    EXPECT_EQ(unit.GetItem(2044), 1044u);
}

TEST_F(PollingThreadTest, NullSourcesAreSkipped)
{
    ParamWriter& removed = NewWriter(2100, 4);
    ParamWriter& kept = NewWriter(2200, 4);
    MakeHal();
    hal->AddSource(&removed);
    hal->AddSource(&kept);
    hal->RemoveSource(&removed);
    removed.SetValue(0, 5);
    kept.SetValue(1, 6);
    ASSERT_EQ(hal->Open(), 0);
    ASSERT_TRUE(WaitFor([&] { return unit.GetItem(2201) == 6; }));
    EXPECT_EQ(unit.GetItem(2100), 0u);
}

TEST_F(PollingThreadTest, AtHighRatesDspItemsMetersAndStatusAreLeftAlone)
{
    unit.SetDspMode(3);
    audio.SetDeviceNominalRate(176400);
    ParamWriter& dspOnly = NewWriter(512, 2);
    ParamWriter& mixed = NewWriter(499, 3);
    MakeHal();
    ASSERT_TRUE(WaitFor([&] { return hal->GetMonitor()->GetNominalSampleRate() == 176400; }));
    hal->AddSource(&dspOnly);
    hal->AddSource(&mixed);
    hal->GetMeterList()->SetEnabled(1, true);
    dspOnly.SetValue(0, 1);
    dspOnly.SetValue(1, 2);
    for (uint32_t i = 0; i < 3; ++i)
        mixed.SetValue(i, 7);
    ASSERT_EQ(hal->Open(), 0);
    ASSERT_TRUE(WaitFor([&] { return unit.GetItem(499) == 7; }));
    // Let a few more cycles pass.
    const uint64_t until = clock->NowMs() + 500;
    ASSERT_TRUE(WaitFor([&] { return clock->NowMs() > until; }));
    EXPECT_EQ(dspOnly.GetPendingCount(), 0u);  // emptied without a write
    EXPECT_EQ(mixed.GetPendingCount(), 0u);
    for (auto& t : PollingLog())
        for (auto& p : t.pairs)
            EXPECT_LT(p.item, 500u) << "item " << p.item;
    for (auto& t : PollingLog())
        EXPECT_FALSE(Touches(t, 79) || Touches(t, 64));
}

TEST_F(PollingThreadTest, ClockStatusDecode)
{
    struct Case {
        bool present, locked;
        uint32_t code;
        bool wantLocked, wantPresent;
        uint32_t wantRate;
    };
    const Case cases[] = {
        {true, true, 5, true, true, 176400},   // 0x503
        {false, true, 2, true, false, 0},      // 0x201
        {true, false, 2, false, true, 0},      // no known rate
        {true, true, 9, true, true, 0},
        {true, true, 6, true, true, 192000},
        {false, true, 1, true, false, 0},      // a rate without the present bit counts for nothing
    };
    OpenHal();
    for (const Case& c : cases) {
        unit.SetSpdifInput(c.present, c.locked, c.code);
        unit.ClearLog();
        // Two reads of item 79 make sure one whole cycle saw the new status.
        ASSERT_TRUE(WaitFor([&] {
            int n = 0;
            for (auto& t : PollingLog())
                n += Touches(t, 79);
            return n >= 2;
        }));
        EXPECT_EQ(hal->IsSpdifLocked(), c.wantLocked) << c.code;
        EXPECT_EQ(hal->GetThread()->IsSpdifPresent(), c.wantPresent) << c.code;
        EXPECT_EQ(hal->GetThread()->ExternalRate(), c.wantRate) << c.code;
    }
}

TEST_F(PollingThreadTest, NothingIsSentWhilePaused)
{
    ParamWriter& writer = NewWriter(2300, 4);
    MakeHal();
    hal->AddSource(&writer);
    ASSERT_EQ(hal->Open(), 0);
    ASSERT_TRUE(WaitFor([&] { return !PollingLog().empty(); }));
    for (int round = 0; round < 20; ++round) {
        hal->GetThread()->StopAVC();
        EXPECT_FALSE(hal->GetThread()->IsBusy());
        const size_t before = PollingLog().size();
        writer.SetValue(round % 4, round);
        std::this_thread::sleep_for(std::chrono::milliseconds(3));
        EXPECT_EQ(PollingLog().size(), before);
        hal->GetThread()->StartAVC(0);
    }
    ASSERT_TRUE(WaitFor([&] { return writer.GetPendingCount() == 0; }));
}

TEST_F(PollingThreadTest, AStoppedThreadSleepsUntilItIsStarted)
{
    MakeHal();  // never opened: the thread was never started
    clock->Reset();
    std::this_thread::sleep_for(std::chrono::milliseconds(60));
    EXPECT_TRUE(clock->Sleeps().empty());  // not one wake-up on the program's clock

    ASSERT_EQ(hal->Open(), 0);
    ASSERT_TRUE(WaitFor([&] { return !PollingLog().empty(); }));  // a start wakes it
    hal->Close();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));  // a sleep in flight at the stop ends
    clock->Reset();
    std::this_thread::sleep_for(std::chrono::milliseconds(60));
    EXPECT_TRUE(clock->Sleeps().empty());
}

TEST_F(PollingThreadTest, AFailedWriterTransferClosesTheHalFromInsideTheCycle)
{
    ParamWriter& writer = NewWriter(2400, 2);
    OpenHal();
    hal->AddSource(&writer);
    ASSERT_TRUE(WaitFor([&] { return !PollingLog().empty(); }));
    unit.FailNext(SimXfer::WriteBlock, 1, kFwUnsupported);
    DebugLogCapture trace;
    writer.SetValue(0, 1);
    ASSERT_TRUE(WaitFor([&] { return !hal->IsOpen(); }));
    if (DebugLogEnabled()) {
        EXPECT_TRUE(WaitFor([&] { return trace.Contains("avcThread : Plugin Coeff Send Failed!!\n"); }));
    }
    EXPECT_EQ(hal->Open(), 0);  // the next open works
}

TEST_F(PollingThreadTest, APauseDuringTheStartDelayKeepsWhatIsLeftOfIt)
{
    struct Case {
        uint32_t pauseAfterMs;  // after the open
        uint32_t holdMs;        // 0: a direct write, which restarts at once with delay 0
    };
    for (const Case& c : {Case{0, 0}, Case{600, 300}, Case{1200, 300}}) {
        SCOPED_TRACE(testing::Message() << c.pauseAfterMs << " " << c.holdMs);
        MakeHal();
        const uint64_t openedAt = clock->NowMs();
        ASSERT_EQ(hal->Open(), 0);  // cycles after 2000 ms
        unit.ClearLog();
        LetTimePass(c.pauseAfterMs);
        if (c.holdMs == 0) {
            ASSERT_EQ(hal->SetValue({300, 1}), 0);
        } else {
            hal->GetThread()->StopAVC();
            LetTimePass(c.holdMs);
            hal->GetThread()->StartAVC(0);
        }
        ASSERT_TRUE(WaitFor([&] { return !PollingLog().empty(); }));
        EXPECT_GE(PollingLog().front().timeMs, openedAt + 2000);
        VelbrinHAL::DestroyInstance();
    }
}

TEST_F(PollingThreadTest, APauseWaitsForTheCycleInFlight)
{
    ParamWriter& writer = NewWriter(2700, 2);
    OpenHal();
    hal->AddSource(&writer);
    ASSERT_TRUE(WaitFor([&] { return !PollingLog().empty(); }));
    unit.SetDelayMs(SimXfer::WriteBlock, 100);
    writer.SetValue(1, 5);
    ASSERT_TRUE(WaitFor([&] { return unit.WaitingTransfers() > 0; }));
    hal->GetThread()->StopAVC();
    EXPECT_EQ(unit.WaitingTransfers(), 0);
    EXPECT_FALSE(hal->GetThread()->IsBusy());
    EXPECT_EQ(unit.GetItem(2701), 5u);  // the write was over before the pause returned
    unit.SetDelayMs(SimXfer::WriteBlock, 0);
    hal->GetThread()->StartAVC(0);
}

TEST_F(PollingThreadTest, ValuesPoppedForAFailedTransferReachTheUnitAfterTheNextOpen)
{
    ParamWriter& writer = NewWriter(2500, 4);
    OpenHal();
    hal->AddSource(&writer);
    ASSERT_TRUE(WaitFor([&] { return !PollingLog().empty(); }));
    unit.FailNext(SimXfer::WriteBlock, 1, kFwUnsupported);
    writer.SetValue(1, 11);
    writer.SetValue(2, 22);
    ASSERT_TRUE(WaitFor([&] { return !hal->IsOpen(); }));
    EXPECT_EQ(unit.GetItem(2501), 0u);
    EXPECT_EQ(writer.GetPendingCount(), 0u);
    unit.ClearLog();
    ASSERT_EQ(hal->Open(), 0);
    ASSERT_TRUE(WaitFor([&] { return unit.GetItem(2501) == 11 && unit.GetItem(2502) == 22; }));
    for (auto& t : unit.Log())
        EXPECT_FALSE(Touches(t, 2500) || Touches(t, 2503)) << "entries never set are not sent";
}

// A cycle's bus traffic in its order: the mix engine reads the level knob (item 61) and the output
// buttons and sends what changed (items below 64), then the writer blocks, the meters (group 1:
// items 64..67, 503, 504), and last the clock status (item 79).
TEST_F(PollingThreadTest, ACycleRunsTheMixEngineTheWritersTheMetersThenTheClockStatus)
{
    ParameterSet main(kMainParamDescriptors, kMainParamCount);
    ParamWriter& writer = NewWriter(2800, 2);
    MakeHal();
    hal->SetMixParameters(&main);
    hal->AddSource(&writer);
    hal->GetMeterList()->SetEnabled(1, true);
    ASSERT_EQ(hal->Open(), 0);
    ASSERT_TRUE(WaitFor([&] { return !PollingLog().empty(); }));
    // Paused, so that the next cycle starts after the log is cleared and carries both changes.
    hal->GetThread()->StopAVC();
    unit.ClearLog();
    main.SetParameter(1, 0.5f);  // an output level: the engine sends its word
    writer.SetValue(1, 9);
    hal->GetThread()->StartAVC(0);
    auto step = [](const SimTransaction& t) {
        const uint32_t item = t.pairs.empty() ? 0 : t.pairs[0].item;
        if (Touches(t, 79))
            return 'C';
        if (item >= 2800 && item < 2802)
            return 'W';
        if ((item >= 64 && item <= 67) || item == 503 || item == 504)
            return 'M';
        return item < 64 ? 'E' : '?';
    };
    // The steps of the cycle that carries the writer's block, from its knob read to the next one.
    std::string steps;
    ASSERT_TRUE(WaitFor([&] {
        const std::vector<SimTransaction> log = PollingLog();
        auto write = std::find_if(log.begin(), log.end(), [&](const SimTransaction& t) { return step(t) == 'W'; });
        if (write == log.end())
            return false;
        auto start = write;
        while (start != log.begin() && !Touches(*start, 61))
            --start;
        EXPECT_TRUE(Touches(*start, 61)) << "the cycle starts with the knob";
        auto end = std::find_if(write, log.end(), [](const SimTransaction& t) { return Touches(t, 61); });
        if (end == log.end())
            return false;
        steps.clear();
        for (auto t = start; t != end; ++t)
            if (steps.empty() || steps.back() != step(*t))
                steps += step(*t);
        return true;
    }));
    EXPECT_EQ(steps, "EWMC");
    EXPECT_EQ(unit.GetItem(2801), 9u);
    // The polling thread reads the set: the HAL goes first.
    VelbrinHAL::DestroyInstance();
}

}  // namespace
