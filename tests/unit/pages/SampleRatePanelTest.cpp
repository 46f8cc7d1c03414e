// The sample-rate panel against the HAL on the simulated unit: a chosen rate reaches the unit and its
// audio device, the external clock is refused above 96 kHz, the lamps follow a scripted lock and the
// audio device's use, and nothing is asked or shown while the device is closed.
#include <gtest/gtest.h>

#include <string>

#include "CtrlPanel/effects/SampleRatePanel.h"
#include "PAL/ViewLib/ControlPage.h"
#include "PAL/ViewLib/flButton.h"
#include "PAL/ViewLib/flExtLed.h"
#include "PAL/ViewLib/flRateLed.h"
#include "support/FakeWindow.h"
#include "support/HalFixture.h"

namespace {

// Points on the lamps of the window (93 x 93).
constexpr int32_t kLampX = 20;
constexpr int32_t kRateLampY[7] = {0, 20, 28, 36, 44, 0, 53};  // by rate index; 176.4 kHz has no lamp
constexpr int32_t kExtLampY = 71;
constexpr int32_t kInUseX = 70, kInUseY = 30;

class SampleRatePanelTest : public HalTest {
protected:
    // The HAL open at rate (same DSP mode as the unit's start), and a panel on a fake window.
    void Start(int rate = 44100)
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
        window.input.mouseDown = true;
        panel->OnMouseDown(x, y, 0, true);
        panel->OnMouseMove();
        window.input.mouseDown = false;
        panel->OnMouseDown(x, y, 0, false);
        panel->OnMouseMove();
    }
    float P(int32_t index) { return panel->GetParameter(index); }
    float Plain(int32_t index) { return panel->GetParameterValue(index); }
    template <class T>
    T* Control(int32_t record) { return dynamic_cast<T*>(panel->GetPage()->GetView(record)); }
    bool ExternalClockItem() const { return unit.GetItem(HalItem::kExternalClock) != 0; }

    FakeWindow window{93, 93};
    std::unique_ptr<SampleRatePanel> panel;
};

}  // namespace

TEST(SampleRateTable, IndicesOneToSixNameTheSixRates)
{
    const int rates[] = {0, 44100, 48000, 88200, 96000, 176400, 192000, 0, 0, 0};
    for (int32_t i = 0; i < 10; ++i) {
        EXPECT_EQ(SampleRatePanel::RateOfIndex(i), rates[i]) << i;
        if (rates[i]) {
            EXPECT_EQ(SampleRatePanel::IndexOfRate(rates[i]), i);
        }
    }
    EXPECT_EQ(SampleRatePanel::RateOfIndex(-1), 0);
    EXPECT_EQ(SampleRatePanel::IndexOfRate(32000), 0);
}

TEST_F(SampleRatePanelTest, AChosenRateReachesTheUnitAndItsAudioDevice)
{
    Start();
    EXPECT_EQ(Plain(SampleRatePanel::kRateIndex), 1.0f);
    EXPECT_TRUE(Control<flRateLed>(6)->IsLit());

    Click(kLampX, kRateLampY[4]);  // 96 kHz: same DSP mode, the audio device's rate only
    EXPECT_EQ(audio.DeviceNominalRate(), 96000.0);
    EXPECT_EQ(hal->GetSampleRate(), 96000);
    EXPECT_EQ(unit.DspMode(), 2);
    EXPECT_TRUE(Control<flRateLed>(3)->IsLit());

    Click(kLampX, kRateLampY[6]);  // 192 kHz: the unit switches its DSP mode and comes back
    EXPECT_EQ(unit.DspMode(), 3);
    EXPECT_EQ(audio.DeviceNominalRate(), 192000.0);
    EXPECT_EQ(hal->GetSampleRate(), 192000);
    panel->Idle();
    EXPECT_EQ(Plain(SampleRatePanel::kRateIndex), 6.0f);
    EXPECT_FALSE(Control<flExtLed>(1)->IsEnabled());
}

TEST_F(SampleRatePanelTest, TheCurrentRateAndIndicesPastTheTableAskNothing)
{
    Start(48000);
    panel->Idle();
    const int requests = audio.RateRequests();
    Click(kLampX, kRateLampY[2]);  // already 48 kHz
    // The stepped taper reaches indices 7..9 above 0.75: they name no rate.
    for (float n : {0.75f, 0.875f, 1.0f, 1.5f}) {
        panel->SetParameter(SampleRatePanel::kRateIndex, n);
        EXPECT_GE(panel->SelectedIndex(), 7) << n;
    }
    EXPECT_EQ(audio.RateRequests(), requests);
    EXPECT_EQ(hal->GetSampleRate(), 48000);
    EXPECT_EQ(unit.DspMode(), 2);
    panel->Idle();  // the display comes back to the device's rate
    EXPECT_EQ(panel->SelectedIndex(), 2);
}

TEST_F(SampleRatePanelTest, TheExternalClockFollowsThePreferenceUpTo96k)
{
    Start(48000);
    unit.SetSpdifInput(true, true, 1);  // a locked S/PDIF input at 48 kHz
    ASSERT_TRUE(WaitFor([&] { return hal->GetThread()->IsSpdifPresent(); }));
    Click(kLampX, kExtLampY);
    EXPECT_TRUE(ExternalClockItem());
    EXPECT_EQ(P(SampleRatePanel::kPreferExtLock), 1.0f);
    panel->Idle();
    EXPECT_EQ(P(SampleRatePanel::kPreferExtLock), 1.0f);
    Click(kLampX, kExtLampY);
    EXPECT_FALSE(ExternalClockItem());
    EXPECT_TRUE(notifier.Messages().empty());

    // Without an input the HAL refuses and says why; the next refresh puts the lamp out again.
    unit.SetSpdifInput(false, false, 0);
    ASSERT_TRUE(WaitFor([&] { return !hal->GetThread()->IsSpdifPresent(); }));
    Click(kLampX, kExtLampY);
    EXPECT_FALSE(ExternalClockItem());
    ASSERT_EQ(notifier.Messages().size(), 1u);
    EXPECT_NE(notifier.Messages()[0].find("No external SPDIF input detected"), std::string::npos);
    panel->Idle();
    EXPECT_EQ(P(SampleRatePanel::kPreferExtLock), 0.0f);
}

TEST_F(SampleRatePanelTest, TheExternalClockIsRefusedAbove96k)
{
    Start(192000);
    unit.SetSpdifInput(true, true, 6);
    panel->Idle();
    auto* ext = Control<flExtLed>(1);
    EXPECT_FALSE(ext->IsEnabled());
    Click(kLampX, kExtLampY);  // a disabled lamp ignores the click
    EXPECT_EQ(P(SampleRatePanel::kPreferExtLock), 0.0f);
    panel->SetParameter(SampleRatePanel::kPreferExtLock, 1.0f);  // nor is a preference acted on
    EXPECT_FALSE(ExternalClockItem());
    EXPECT_TRUE(notifier.Messages().empty());
    panel->Idle();  // nor polled
    EXPECT_EQ(P(SampleRatePanel::kPreferExtLock), 1.0f);

    ASSERT_TRUE(hal->SetSampleRate(96000));
    panel->Idle();
    EXPECT_TRUE(ext->IsEnabled());
    EXPECT_EQ(P(SampleRatePanel::kPreferExtLock), 0.0f);
}

TEST_F(SampleRatePanelTest, TheLampsFollowTheLockAndTheAudioDevice)
{
    Start();
    auto* lock = Control<flButton>(8);
    auto* inUse = Control<flButton>(7);
    EXPECT_FALSE(lock->IsEnabled());
    EXPECT_FALSE(inUse->IsEnabled());
    const struct {
        bool locked, running;
    } steps[] = {{true, false}, {true, true}, {false, true}, {false, false}};
    for (const auto& step : steps) {
        unit.SetSpdifInput(step.locked, step.locked, 0);
        audio.SetRunning(step.running);
        ASSERT_TRUE(WaitFor([&] {
            return hal->IsSpdifLocked() == step.locked && hal->IsAudioRunning() == step.running;
        }));
        panel->Idle();
        EXPECT_EQ(P(SampleRatePanel::kExtLocked), step.locked ? 1.0f : 0.0f);
        EXPECT_EQ(lock->GetValue(), step.locked ? 1.0f : 0.0f);
        EXPECT_EQ(P(SampleRatePanel::kCardInUse), step.running ? 1.0f : 0.0f);
        EXPECT_EQ(inUse->GetValue(), step.running ? 1.0f : 0.0f);
    }
    Click(kInUseX, kInUseY);  // indicators do not react to clicks
    EXPECT_EQ(P(SampleRatePanel::kCardInUse), 0.0f);
}

TEST_F(SampleRatePanelTest, NothingIsAskedOrChangedWhileTheDeviceIsClosed)
{
    Start(48000);
    panel->Idle();
    hal->Close();
    unit.SetSpdifInput(true, true, 1);
    audio.SetRunning(true);
    const int requests = audio.RateRequests();
    panel->Idle();
    Click(kLampX, kRateLampY[4]);
    EXPECT_EQ(P(SampleRatePanel::kExtLocked), 0.0f);
    EXPECT_EQ(P(SampleRatePanel::kCardInUse), 0.0f);
    EXPECT_EQ(audio.RateRequests(), requests);

    // A rate the table does not hold leaves the index as it stands.
    ASSERT_EQ(hal->Open(), 0);
    audio.SetDeviceNominalRate(32000);
    ASSERT_TRUE(WaitFor([&] { return hal->GetSampleRate() == 32000; }));
    panel->SetParameterValue(SampleRatePanel::kRateIndex, 2.0f);
    panel->Idle();
    EXPECT_EQ(panel->SelectedIndex(), 2);
}

TEST(SampleRatePanelWithoutHal, ShowsItsDefaultsAndAsksNothing)
{
    ASSERT_FALSE(VelbrinHAL::HasInstance());
    SampleRatePanel panel;
    panel.Idle();
    panel.SetParameterValue(SampleRatePanel::kRateIndex, 4.0f);
    panel.SetParameter(SampleRatePanel::kPreferExtLock, 1.0f);
    EXPECT_EQ(panel.SelectedIndex(), 4);
    EXPECT_EQ(panel.GetParameter(SampleRatePanel::kExtLocked), 0.0f);
}
