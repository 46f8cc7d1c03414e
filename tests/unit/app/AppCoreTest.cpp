// The application's device side on the simulated unit: what start-up builds and in which order,
// idle processing (the rate, the device events, the connection check), and the reactions to the main
// set and to the panels' listener calls.
#include <gtest/gtest.h>

#include <typeinfo>

#include "CtrlPanel/device/WriterBlocks.h"
#include "CtrlPanel/effects/AmpSimPanel.h"
#include "CtrlPanel/effects/CompressorPanel.h"
#include "CtrlPanel/effects/EqPanel.h"
#include "CtrlPanel/effects/MixEngine.h"
#include "CtrlPanel/effects/ReverbPanel.h"
#include "PAL/MainParameterSet.h"
#include "PAL/ViewLib/PageController.h"
#include "platform/DebugLog.h"
#include "unit/app/AppFixture.h"

TEST_F(AppTest, RegistersTheWritersWithThePollingThreadInDrainOrder)
{
    const std::vector<ParamWriter*> sources = hal->GetThread()->GetSources();
    ASSERT_EQ(sources.size(), size_t(AppCore::kWriterCount));
    const uint32_t expectedBases[] = {kReverb1BaseItem,     kReverb2BaseItem,     kReverbSharedBaseItem,
                                      kCompressor1BaseItem, kCompressor2BaseItem, kAmpSim1BaseItem,
                                      kAmpSim2BaseItem,     kEq1BaseItem,         kEq2BaseItem,
                                      kFxOrderBaseItem};
    for (size_t i = 0; i < sources.size(); ++i) {
        EXPECT_EQ(sources[i], core->GetWriter(AppCore::kSourceOrder[i])) << i;
        EXPECT_EQ(sources[i]->GetBaseItem(), expectedBases[i]) << i;
    }
    EXPECT_EQ(core->GetWriter(AppCore::kEq1Writer), sources[7]);
    EXPECT_NE(core->GetWriter(AppCore::kEq1Writer), core->GetWriter(AppCore::kEq2Writer));
    EXPECT_EQ(core->GetWriter(AppCore::kFxOrderWriter)->GetCount(), 2u);
}

// Block k of a mix file is effect controller k - 1: its kind, its size, and the writer it writes.
TEST_F(AppTest, BuildsTheEffectPanelsInMixBlockOrderEachOnItsOwnWriter)
{
    const struct {
        int32_t block;
        const std::type_info& kind;
        int32_t parameters;
        int32_t enable;  // the panel's enable parameter
        AppCore::Writer writer;
        AppCore::Writer other;  // the other input's writer, which stays clean
    } blocks[] = {
        {AppCore::kReverb1Block, typeid(ReverbPanel), 4, ReverbPanel::kEnable, AppCore::kReverb1Writer,
         AppCore::kReverb2Writer},
        {AppCore::kEq1Block, typeid(EqPanel), 27, EqPanel::kEnable, AppCore::kEq1Writer, AppCore::kEq2Writer},
        {AppCore::kEq2Block, typeid(EqPanel), 27, EqPanel::kEnable, AppCore::kEq2Writer, AppCore::kEq1Writer},
        {AppCore::kCompressor1Block, typeid(CompressorPanel), 11, CompressorPanel::GetEnableParameterIndex(0),
         AppCore::kCompressor1Writer, AppCore::kCompressor2Writer},
        {AppCore::kCompressor2Block, typeid(CompressorPanel), 11, CompressorPanel::GetEnableParameterIndex(0),
         AppCore::kCompressor2Writer, AppCore::kCompressor1Writer},
        {AppCore::kAmpSim1Block, typeid(AmpSimPanel), 7, AmpSimPanel::kEnable, AppCore::kAmpSim1Writer,
         AppCore::kAmpSim2Writer},
        {AppCore::kAmpSim2Block, typeid(AmpSimPanel), 7, AmpSimPanel::kEnable, AppCore::kAmpSim2Writer,
         AppCore::kAmpSim1Writer},
        {AppCore::kReverb2Block, typeid(ReverbPanel), 4, ReverbPanel::kEnable, AppCore::kReverb2Writer,
         AppCore::kReverb1Writer},
    };
    ASSERT_EQ(core->GetEffects().size(), 8u);
    for (const auto& b : blocks) {
        PageController* effect = core->GetEffect(b.block);
        ASSERT_NE(effect, nullptr) << b.block;
        EXPECT_EQ(typeid(*effect), b.kind) << b.block;
        EXPECT_EQ(effect->GetParameterCount(), b.parameters) << b.block;
        EXPECT_EQ(effect->GetListener(), core.get()) << b.block;
        for (int32_t w = 0; w < AppCore::kWriterCount; ++w)
            while (core->GetWriter(w)->GetPendingCount() > 0)
                core->GetWriter(w)->PopPending();
        effect->SetParameter(b.enable, effect->GetParameter(b.enable) > 0.5f ? 0.0f : 1.0f);
        EXPECT_GT(core->GetWriter(b.writer)->GetPendingCount(), 0u) << b.block;
        if (b.kind != typeid(EqPanel)) {  // both EQ blocks cover the same items
            EXPECT_EQ(core->GetWriter(b.other)->GetPendingCount(), 0u) << b.block;
        }
    }
    EXPECT_EQ(core->GetMainController()->GetListener(), core.get());
}

TEST_F(AppTest, TearDownLeavesNoHalAndRunsOnce)
{
    core->TearDown();
    EXPECT_FALSE(VelbrinHAL::HasInstance());
    EXPECT_EQ(core->GetMainSet(), nullptr);
    EXPECT_EQ(core->GetEffect(0), nullptr);
    core->TearDown();
    core->ProcessIdle();
    EXPECT_EQ(core->GetIdleCount(), 0u);
}

// No unit on the bus: idle calls 8, 16, ... try to open it and show the connection-lost window.
TEST_F(AppTest, EveryEighthIdleCallChecksTheConnection)
{
    bus.Unplug(&unit);
    DebugLogCapture log;
    for (int call = 1; call <= 24; ++call) {
        core->ProcessIdle();
        EXPECT_EQ(host.connectionLost.size(), size_t(call / 8)) << call;
    }
    EXPECT_EQ(host.connectionLost, std::vector<bool>({true, true, true}));
    if (DebugLogEnabled()) {
        size_t opens = 0;
        for (size_t at = log.Text().find("+ VelbrinHAL::Open()"); at != std::string::npos;
             at = log.Text().find("+ VelbrinHAL::Open()", at + 1))
            ++opens;
        EXPECT_EQ(opens, 3u);
    }
    bus.Plug(&unit);
    WaitFor([&] { return hal->GetMonitor()->HasDevice(); });
    for (int call = 0; call < 8; ++call)
        core->ProcessIdle();
    EXPECT_EQ(host.connectionLost.back(), false);
    EXPECT_TRUE(hal->IsOpen());
}

// While a box or dialog runs its own loop, idle calls neither open the unit nor handle events.
TEST_F(AppTest, IdleInsideAModalLoopLeavesTheUnitAndTheEventsAlone)
{
    bus.Unplug(&unit);
    core->OnDeviceEvent(kDeviceEventOpened);
    host.modal = true;
    for (int call = 0; call < 16; ++call)
        core->ProcessIdle();
    EXPECT_TRUE(host.connectionLost.empty());
    EXPECT_TRUE(host.frameRates.empty());
    EXPECT_EQ(core->GetRing().Pending(), 1u);
    host.modal = false;
    core->ProcessIdle();
    EXPECT_EQ(host.frameRates.size(), 1u);
    EXPECT_EQ(core->GetRing().Pending(), 0u);
}

TEST_F(AppTest, DeviceEventsReachTheFramesAndTheUpdaterInTheirOrder)
{
    ASSERT_TRUE(OpenUnit());
    core->ProcessIdle();  // the open's own event
    host.frameRates.clear();
    const float rate = float(hal->GetSampleRate());
    ASSERT_GT(rate, 0.0f);
    // Eight events before the next idle call: seven are handled, the eighth was dropped.
    for (int i = 0; i < 8; ++i)
        core->OnDeviceEvent(kDeviceEventOpened);
    core->ProcessIdle();
    EXPECT_EQ(host.frameRates, std::vector<float>(7, rate));
    core->OnDeviceEvent(kDeviceEventFirmwareUpdate);
    core->OnDeviceEvent(42);
    core->ProcessIdle();
    EXPECT_EQ(host.handOffs, 1);
    EXPECT_EQ(host.frameRates.size(), 7u);
}

// A rate seen in idle goes to every panel and the frames once; the same rate again goes nowhere,
// while a device event hands it on even unchanged. Each time the effect order is queued again.
TEST_F(AppTest, TheRateGoesOnWhenItChangesAndOnEveryDeviceEvent)
{
    ParamWriter* fxOrder = core->GetWriter(AppCore::kFxOrderWriter);
    fxOrder->SetFloat(0, 0.0f);
    fxOrder->PopPending();
    ASSERT_TRUE(OpenUnit());
    while (core->GetRing().Pending() > 0) {
        int event = 0;
        core->GetRing().Pop(event);
    }
    core->ProcessIdle();
    const float rate = float(hal->GetSampleRate());
    EXPECT_EQ(host.frameRates, std::vector<float>({rate}));
    EXPECT_EQ(core->GetSampleRate(), rate);
    EXPECT_EQ(fxOrder->GetPendingCount(), 1u);
    fxOrder->PopPending();
    core->ProcessIdle();
    EXPECT_EQ(host.frameRates.size(), 1u);
    EXPECT_EQ(fxOrder->GetPendingCount(), 0u);
    core->OnDeviceEvent(kDeviceEventOpened);
    core->ProcessIdle();
    EXPECT_EQ(host.frameRates, std::vector<float>({rate, rate}));
    EXPECT_EQ(fxOrder->GetPendingCount(), 1u);
}

TEST_F(AppTest, ListenerCallsRunTheMixDialogsAndHoldBackTheReadBack)
{
    MixEngine* engine = hal->GetMixEngine();
    const struct {
        int32_t index;
        std::vector<bool> dialogs;
        bool readBack;
    } cases[] = {
        {AppCore::kSaveParameter, {true}, true},
        {AppCore::kLoadParameter, {false}, true},
        {AppCore::kDimParameter, {}, false},
        {AppCore::kMuteParameter, {}, false},
        {24, {}, true},
    };
    for (const auto& c : cases) {
        host.dialogs.clear();
        engine->SetWriteBackEnable(true);
        core->ParameterChanged(c.index);
        EXPECT_EQ(host.dialogs, c.dialogs) << c.index;
        EXPECT_EQ(engine->IsWriteBackEnabled(), c.readBack) << c.index;
    }
}

// "Mono/Stereo Input Switch": in stereo the second reverb's writer sends nothing, at every rate.
TEST_F(AppTest, TheStereoSwitchEnablesTheSecondReverbOnlyInMono)
{
    MainParameterSet* main = core->GetMainSet();
    ParamWriter* reverb2 = core->GetWriter(AppCore::kReverb2Writer);
    main->SetParameter(24, 1.0f);
    EXPECT_FALSE(reverb2->IsEnabled());
    EXPECT_TRUE(hal->GetMixEngine()->IsStereoInput());
    main->SetParameter(24, 0.0f);
    EXPECT_TRUE(reverb2->IsEnabled());
    EXPECT_TRUE(core->GetWriter(AppCore::kReverb1Writer)->IsEnabled());
}
