// The sample-rate panel against the HAL on the simulated unit: a chosen rate reaches the unit and its
// audio device, the external clock follows the preference up to 96 kHz only, the lamps follow a
// scripted lock and the audio device's use, and nothing is asked while the device is closed.
#include <gtest/gtest.h>

#include <string>

#include "CtrlPanel/effects/SampleRatePanel.h"
#include "PAL/ViewLib/ControlPage.h"
#include "PAL/ViewLib/flButton.h"
#include "PAL/ViewLib/flExtLed.h"
#include "PAL/WindowRecords.h"
#include "support/FakeWindow.h"
#include "support/HalFixture.h"

namespace {

// Points on the lamps: the rate lamps by rate index (176.4 kHz has none), the external-clock lamp
// and the card-in-use indicator.
constexpr int32_t kLampX = 20, kRateLampY[7] = {0, 20, 28, 36, 44, 0, 53}, kExtLampY = 71;

class SampleRatePanelTest : public HalTest {
protected:
    void Start(int rate)
    {
        OpenHal();
        if (rate != hal->GetSampleRate()) {
            ASSERT_TRUE(hal->SetSampleRate(rate));
        }
        panel = std::make_unique<SampleRatePanel>();
        panel->Open(&window, 0, 0);
    }
    void TearDown() override
    {
        panel.reset();
        HalTest::TearDown();
    }
    void Click(int32_t x, int32_t y)
    {
        window.input.x = x;
        window.input.y = y;
        for (bool down : {true, false}) {
            window.input.mouseDown = down;
            panel->OnMouseDown(x, y, 0, down);
            panel->OnMouseMove();
        }
    }
    float P(int32_t index) { return panel->GetParameter(index); }
    bool ExternalClock() const { return unit.GetItem(HalItem::kExternalClock) != 0; }

    FakeWindow window{93, 93};
    std::unique_ptr<SampleRatePanel> panel;
};

}  // namespace

TEST_F(SampleRatePanelTest, AChosenRateReachesTheUnitAndItsAudioDevice)
{
    Start(44100);
    EXPECT_EQ(panel->SelectedIndex(), 1);
    const struct {
        int32_t index;
        int rate, dspMode, requests;
    } steps[] = {{4, 96000, 2, 1}, {4, 96000, 2, 0}, {6, 192000, 3, 1}, {2, 48000, 2, 1}};  // again: nothing
    for (const auto& step : steps) {
        const int requests = audio.RateRequests();
        Click(kLampX, kRateLampY[step.index]);
        EXPECT_EQ(audio.DeviceNominalRate(), double(step.rate));
        EXPECT_EQ(hal->GetSampleRate(), step.rate);
        EXPECT_EQ(unit.DspMode(), step.dspMode);
        EXPECT_EQ(audio.RateRequests(), requests + step.requests) << step.rate;
        panel->Idle();
        EXPECT_EQ(panel->SelectedIndex(), step.index);
    }
    // The stepped taper reaches indices 7..9 from 0.75 up: they name no rate and ask nothing.
    const int requests = audio.RateRequests();
    for (float n : {0.75f, 1.0f, 1.5f}) {
        panel->SetParameter(SampleRatePanel::kRateIndex, n);
        EXPECT_GE(panel->SelectedIndex(), 7);
    }
    EXPECT_EQ(audio.RateRequests(), requests);
    EXPECT_EQ(hal->GetSampleRate(), 48000);
}

TEST_F(SampleRatePanelTest, TheExternalClockFollowsThePreferenceUpTo96kOnly)
{
    Start(48000);
    auto* ext = dynamic_cast<flExtLed*>(panel->GetPage()->GetView(SampleRateRecords::kExtLed));
    unit.SetSpdifInput(true, true, 1);  // a locked S/PDIF input at 48 kHz
    ASSERT_TRUE(WaitFor([&] { return hal->GetThread()->IsSpdifPresent(); }));
    Click(kLampX, kExtLampY);
    EXPECT_TRUE(ExternalClock());
    Click(kLampX, kExtLampY);
    EXPECT_FALSE(ExternalClock());

    // Without an input the HAL refuses and says why; the next refresh puts the lamp out again.
    unit.SetSpdifInput(false, false, 0);
    ASSERT_TRUE(WaitFor([&] { return !hal->GetThread()->IsSpdifPresent(); }));
    Click(kLampX, kExtLampY);
    EXPECT_FALSE(ExternalClock());
    ASSERT_EQ(notifier.Messages().size(), 1u);
    EXPECT_NE(notifier.Messages()[0].find("No external SPDIF input detected"), std::string::npos);
    panel->Idle();
    EXPECT_EQ(P(SampleRatePanel::kPreferExtLock), 0.0f);

    // Above 96 kHz the lamp is greyed and ignores clicks; a preference is neither acted on nor polled.
    ASSERT_TRUE(hal->SetSampleRate(192000));
    unit.SetSpdifInput(true, true, 6);
    panel->Idle();
    EXPECT_FALSE(ext->IsEnabled());
    Click(kLampX, kExtLampY);
    EXPECT_EQ(P(SampleRatePanel::kPreferExtLock), 0.0f);
    panel->SetParameter(SampleRatePanel::kPreferExtLock, 1.0f);
    panel->Idle();
    EXPECT_FALSE(ExternalClock());
    EXPECT_EQ(P(SampleRatePanel::kPreferExtLock), 1.0f);
    EXPECT_EQ(notifier.Messages().size(), 1u);
}

TEST_F(SampleRatePanelTest, TheLampsFollowTheLockAndTheAudioDevice)
{
    Start(44100);
    auto* lock = dynamic_cast<flButton*>(panel->GetPage()->GetView(SampleRateRecords::kLock));
    auto* inUse = dynamic_cast<flButton*>(panel->GetPage()->GetView(SampleRateRecords::kInUse));
    ASSERT_TRUE(lock && inUse);
    const struct {
        bool locked, running;
    } steps[] = {{true, false}, {true, true}, {false, true}, {false, false}};
    for (const auto& step : steps) {
        unit.SetSpdifInput(step.locked, step.locked, 0);
        audio.SetRunning(step.running);
        ASSERT_TRUE(WaitFor([&] { return hal->IsSpdifLocked() == step.locked; }));
        ASSERT_TRUE(WaitFor([&] { return hal->IsAudioRunning() == step.running; }));
        panel->Idle();
        EXPECT_EQ(lock->GetValue(), step.locked ? 1.0f : 0.0f);
        EXPECT_EQ(inUse->GetValue(), step.running ? 1.0f : 0.0f);
    }
    Click(70, 30);  // the indicators do not react to clicks
    EXPECT_EQ(P(SampleRatePanel::kCardInUse), 0.0f);
}

TEST_F(SampleRatePanelTest, NothingIsAskedWhileTheDeviceIsClosedNorShownOfAnUnknownRate)
{
    Start(48000);
    hal->Close();
    unit.SetSpdifInput(true, true, 1);
    audio.SetRunning(true);
    const int requests = audio.RateRequests();
    panel->Idle();
    Click(kLampX, kRateLampY[4]);
    EXPECT_EQ(P(SampleRatePanel::kExtLocked), 0.0f);
    EXPECT_EQ(P(SampleRatePanel::kCardInUse), 0.0f);
    EXPECT_EQ(audio.RateRequests(), requests);

    ASSERT_EQ(hal->Open(), 0);
    audio.SetDeviceNominalRate(32000);
    ASSERT_TRUE(WaitFor([&] { return hal->GetSampleRate() == 32000; }));
    panel->SetParameterValue(SampleRatePanel::kRateIndex, 2.0f);
    panel->Idle();
    EXPECT_EQ(panel->SelectedIndex(), 2);
}
