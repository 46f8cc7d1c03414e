#include "support/HalFixture.h"

#include "CtrlPanel/effects/MixEngine.h"
#include "PAL/ParameterObserver.h"
#include "PAL/ParameterSet.h"
#include "resources/params/MainParamDescriptors.h"

#include <atomic>
#include <cmath>
#include <map>
#include <set>

namespace {

class CountingObserver : public ParameterObserver {
public:
    void OnParameterChanged(int32_t index) override { ++calls[index]; }
    std::map<int32_t, int> calls;
};

class MixEngineTest : public HalTest {
protected:
    // Mixer item writes (items below 64) of the polling thread, one entry per transfer.
    std::vector<std::vector<SimPair>> MixerWrites()
    {
        std::vector<std::vector<SimPair>> out;
        for (auto& t : PollingLog())
            if (t.kind == SimXfer::WriteBlock && !t.pairs.empty() && t.pairs[0].item < 64)
                out.push_back(t.pairs);
        return out;
    }
    size_t PairCount(const std::vector<std::vector<SimPair>>& writes)
    {
        size_t n = 0;
        for (auto& w : writes)
            n += w.size();
        return n;
    }
    // Opens with the engine in the polling thread and waits for its first full send.
    void OpenWithEngine(size_t expectedPairs)
    {
        MakeHal();
        hal->SetMixParameters(&set);
        ASSERT_EQ(hal->Open(), 0);
        ASSERT_TRUE(WaitFor([&] { return PairCount(MixerWrites()) >= expectedPairs; }));
        // One more cycle, so nothing of the first send is still on its way.
        const uint64_t until = clock->NowMs() + 200;
        WaitFor([&] { return clock->NowMs() > until; });
    }

    ParameterSet set{kMainParamDescriptors, kMainParamCount};
};

TEST_F(MixEngineTest, DefaultsWithMonoInputsSendSixtyPairsInBatchesOfTwenty)
{
    OpenWithEngine(60);
    auto writes = MixerWrites();
    ASSERT_EQ(writes.size(), 3u);
    for (auto& w : writes)
        EXPECT_EQ(w.size(), 20u);
    std::set<uint32_t> items;
    for (auto& w : writes)
        for (auto& p : w)
            items.insert(p.item);
    EXPECT_EQ(items.size(), 60u);
    EXPECT_EQ(*items.begin(), 0u);
    EXPECT_EQ(*items.rbegin(), 59u);
    // Custom playback mixes are on by default, with unity on the diagonal: mix 1&2 hears playback 1&2.
    EXPECT_EQ(unit.GetItem(MixEngine::PlaybackItem(false, 0, 0)), 32767u);
    EXPECT_EQ(unit.GetItem(MixEngine::PlaybackItem(false, 0, 1)), 0u);
    // Crossfade fully to playback: no input.
    EXPECT_EQ(unit.GetItem(MixEngine::MonoInputItem(0, 0)), 0u);
}

TEST_F(MixEngineTest, DefaultsWithAStereoPairSendFortyFivePairs)
{
    set.SetParameter(24, 1.0f);
    OpenWithEngine(45);
    auto writes = MixerWrites();
    ASSERT_EQ(writes.size(), 3u);
    EXPECT_EQ(writes[0].size(), 20u);
    EXPECT_EQ(writes[1].size(), 20u);
    EXPECT_EQ(writes[2].size(), 5u);
    EXPECT_EQ(unit.GetItem(63), 0u);
    EXPECT_EQ(unit.GetItem(MixEngine::PlaybackItem(true, 0, 0)), 32767u);
}

TEST_F(MixEngineTest, ASingleChangeSendsExactlyTheChangedItem)
{
    OpenWithEngine(60);
    unit.ClearLog();
    set.SetParameter(70, 0.5f);  // custom playback of pair 3&4 into mix 1&2
    ASSERT_TRUE(WaitFor([&] { return !MixerWrites().empty(); }));
    const uint64_t until = clock->NowMs() + 200;
    WaitFor([&] { return clock->NowMs() > until; });
    auto writes = MixerWrites();
    ASSERT_EQ(writes.size(), 1u);
    ASSERT_EQ(writes[0].size(), 1u);
    EXPECT_EQ(writes[0][0].item, MixEngine::PlaybackItem(false, 0, 1));
    EXPECT_EQ(writes[0][0].value, 8191u);  // 0.25 x 32767
}

TEST_F(MixEngineTest, AtHighRatesOnlyTheOutputWordsAreSent)
{
    unit.SetDspMode(3);
    audio.SetDeviceNominalRate(176400);
    MakeHal();
    ASSERT_TRUE(WaitFor([&] { return hal->GetMonitor()->GetNominalSampleRate() == 176400; }));
    hal->SetMixParameters(&set);
    ASSERT_EQ(hal->Open(), 0);
    ASSERT_TRUE(WaitFor([&] { return PairCount(MixerWrites()) >= 5; }));
    set.SetParameter(70, 0.5f);
    set.SetParameter(1, 0.25f);
    const uint64_t until = clock->NowMs() + 300;
    WaitFor([&] { return clock->NowMs() > until; });
    for (auto& w : MixerWrites())
        for (auto& p : w)
            EXPECT_TRUE(p.item >= 55 && p.item <= 59) << p.item;
}

TEST_F(MixEngineTest, ADspModeChangeResendsTheWholeMixer)
{
    unit.SetModeSwitchMs(500);
    OpenWithEngine(60);
    ASSERT_TRUE(hal->SetSampleRate(176400));
    unit.ClearLog();
    ASSERT_TRUE(hal->SetSampleRate(48000));
    ASSERT_TRUE(WaitFor([&] { return PairCount(MixerWrites()) >= 60; }));
    const uint64_t until = clock->NowMs() + 200;
    WaitFor([&] { return clock->NowMs() > until; });
    EXPECT_EQ(PairCount(MixerWrites()), 60u);
}

TEST_F(MixEngineTest, OutputWords)
{
    struct Case {
        const char* what;
        std::vector<std::pair<int, float>> params;
        int output;
        uint32_t word;
    };
    // Hardware level control off everywhere, dim off, so the words show the attenuation.
    const std::vector<std::pair<int, float>> base = {{55, 0}, {56, 0}, {57, 0}, {58, 0}, {59, 0}};
    const Case cases[] = {
        {"level 1", {{1, 1.0f}}, 1, 0x00000000},
        {"level 0", {{1, 0.0f}}, 1, 0x000000FF},
        {"level over 1 reads as 1", {{1, 1.5f}}, 1, 0x00000000},
        {"level below 0 reads as 0", {{1, -0.5f}}, 1, 0x000000FF},
        {"muted", {{1, 0.3f}, {26, 1.0f}}, 1, 0x06000000},
        {"dim", {{0, 1.0f}, {59, 1.0f}}, 0, 0x01000000},
        {"hardware level", {{2, 0.3f}, {57, 1.0f}}, 2, 0x0C000000},
        {"soloed out", {{0, 1.0f}, {31, 1.0f}}, 0, 0x000000FF},
        {"soloed out but muted keeps mute", {{0, 1.0f}, {25, 1.0f}, {31, 1.0f}}, 0, 0x06000000},
        {"pair 9&10 follows reverb level 1&2", {{4, 0.0f}}, 4, 0x000000FF},
    };
    MakeHal();
    MixEngine* engine = hal->GetMixEngine();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ParameterSet local(kMainParamDescriptors, kMainParamCount);
        for (auto& p : base)
            local.SetParameter(p.first, p.second);
        for (auto& p : c.params)
            local.SetParameter(p.first, p.second);
        engine->SetParameterSet(&local);
        engine->SetSampleRate(44100);
        EXPECT_EQ(engine->OutputWord(c.output), c.word);
        engine->SetParameterSet(nullptr);
    }
}

TEST_F(MixEngineTest, GainLaws)
{
    MakeHal();
    MixEngine* engine = hal->GetMixEngine();
    set.SetParameter(50, 0.0f);   // mix 1&2 from the main faders
    set.SetParameter(19, 0.5f);   // playback 1&2 fader
    set.SetParameter(9, 0.5f);    // crossfade half way: both sides at full level
    set.SetParameter(14, 0.5f);   // balance centred
    set.SetParameter(21, 1.7f);   // outside the range: reads as 1
    engine->SetParameterSet(&set);
    engine->SetSampleRate(44100);
    EXPECT_FLOAT_EQ(engine->PlaybackGain(0, 0), 0.25f * 32767);
    EXPECT_FLOAT_EQ(engine->PlaybackGain(0, 2), 32767);
    EXPECT_FLOAT_EQ(engine->InputGain(0, 0), 32767);
    EXPECT_FLOAT_EQ(engine->InputGain(0, 1), 32767);
    EXPECT_FLOAT_EQ(engine->InputGain(0, 4), 0);  // reverb send disabled
    engine->SetParameterSet(nullptr);
}

TEST_F(MixEngineTest, TheUnitsKnobAndButtonsReachTheParametersOnTheGuiSide)
{
    CountingObserver observer;
    set.AddObserver(&observer);
    OpenWithEngine(60);
    ParameterSet::DeliverWorkerChanges();  // the knob's position at open
    observer.calls.clear();
    unit.TurnLevelKnob(0.5f);  // hardware level control is on for outputs 1&2 .. 7&8
    unit.PressMute();
    const float level = 4096.0f / 8191.0f;
    ASSERT_TRUE(WaitFor([&] { return set.GetParameter(1) == level && set.GetParameter(25) == 1.0f; }));
    EXPECT_EQ(observer.calls[1], 0);  // stored by the polling thread, not yet told
    EXPECT_GT(ParameterSet::DeliverWorkerChanges(), 0);
    EXPECT_EQ(observer.calls[1], 1);
    EXPECT_EQ(observer.calls[25], 1);
    EXPECT_EQ(ParameterSet::DeliverWorkerChanges(), 0);
    set.RemoveObserver(&observer);
}

TEST_F(MixEngineTest, AClickDuringTheCycleIsNotRevertedByTheDevicesOldState)
{
    // Drive the cycles by hand: the engine is not given to the polling thread.
    OpenHal();
    MixEngine* engine = hal->GetMixEngine();
    engine->SetParameterSet(&set);
    engine->SetSampleRate(44100);
    engine->Refresh();  // sends everything, dim on (the default)
    ASSERT_NE(unit.GetItem(55) & (1u << 24), 0u);
    set.SetParameter(30, 1.0f);  // a change, so the next cycle writes
    unit.SetDelayMs(SimXfer::WriteBlock, 100);
    std::thread cycle([&] { engine->Refresh(); });
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    set.SetParameter(59, 0.0f);  // the user turns dim off while the cycle writes
    cycle.join();
    unit.SetDelayMs(SimXfer::WriteBlock, 0);
    EXPECT_EQ(set.GetParameter(59), 0.0f);
    engine->Refresh();  // and the next cycle sends it
    EXPECT_EQ(unit.GetItem(55) & (1u << 24), 0u);
    engine->SetParameterSet(nullptr);
}

TEST_F(MixEngineTest, AChangeRefusedWhileThePollingThreadIsPausedGoesOutInALaterCycle)
{
    // Drive the cycles by hand: the engine is not given to the polling thread.
    OpenHal();
    MixEngine* engine = hal->GetMixEngine();
    engine->SetParameterSet(&set);
    engine->SetSampleRate(44100);
    engine->Refresh();  // sends everything
    const uint32_t item = MixEngine::PlaybackItem(false, 0, 1);
    ASSERT_EQ(unit.GetItem(item), 0u);
    set.SetParameter(70, 0.5f);
    hal->GetThread()->StopAVC();  // the GUI pauses the thread: the HAL refuses direct writes
    engine->Refresh();
    hal->GetThread()->StartAVC(0);
    EXPECT_EQ(unit.GetItem(item), 0u);
    engine->Refresh();
    EXPECT_EQ(unit.GetItem(item), 8191u);
    engine->SetParameterSet(nullptr);
}

TEST_F(MixEngineTest, EveryStepDoesNothingWithoutAParameterSet)
{
    OpenHal();
    MixEngine* engine = hal->GetMixEngine();
    engine->SetSampleRate(44100);
    unit.ClearLog();
    engine->Refresh();
    engine->Recalc();
    EXPECT_TRUE(unit.Log().empty());
    EXPECT_FALSE(engine->IsStereoInput());
}

TEST_F(MixEngineTest, GuiChangesWhileThePollingThreadRunsTheEngine)
{
    OpenWithEngine(60);
    std::atomic<bool> stop{false};
    std::thread gui([&] {
        unsigned seed = 1;
        while (!stop) {
            seed = seed * 1103515245 + 12345;
            set.SetParameter(int((seed >> 8) % 60), float((seed >> 16) % 1000) / 999.0f);
            if ((seed & 0xFF) == 7)
                ParameterSet::DeliverWorkerChanges();
        }
    });
    unit.TurnLevelKnob(0.3f);
    const uint64_t until = clock->NowMs() + 1500;
    WaitFor([&] { return clock->NowMs() > until; });
    stop = true;
    gui.join();
    ParameterSet::DeliverWorkerChanges();
    EXPECT_TRUE(hal->IsOpen());
}

}  // namespace
