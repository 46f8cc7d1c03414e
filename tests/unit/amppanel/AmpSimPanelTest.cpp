// Amp-simulator panels on the simulated unit: enable, drive, tone bands, output level, model change,
// rate change, the curve's sending and the meter.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>

#include "CtrlPanel/device/MeterList.h"
#include "CtrlPanel/device/WriterBlocks.h"
#include "CtrlPanel/effects/AmpSimPanel.h"
#include "PAL/ParameterListener.h"
#include "PAL/ParameterSet.h"
#include "PAL/Parameter.h"
#include "PAL/ViewLib/ControlPage.h"
#include "PAL/ViewLib/flPPM.h"
#include "support/PanelHarness.h"

namespace {

constexpr uint32_t kStale = 0xDEADBEEF;
constexpr uint32_t kBase = kAmpSim1BaseItem;

class RateListener : public ParameterListener {
public:
    float GetSampleRate() override { return rate; }
    void ParameterChanged(int32_t) override {}
    float rate = 44100.0f;
};

// A filter slot as the Part's tables give it: type, frequency, Q, gain (dB).
struct Band {
    int32_t type;
    float freq, q, gain;
};

class AmpSimPanelTest : public PanelHarness {
protected:
    void SetUp() override
    {
        PanelHarness::SetUp();
        panel->SetListener(&listener);
        Attach(&writer);
        panel->SetSampleRate(listener.rate);
        ASSERT_TRUE(Flush());
    }
    void SetRate(float rate)
    {
        listener.rate = rate;
        panel->SetSampleRate(rate);
    }
    // The coefficient set at slot is the design of band at fs, committed.
    void ExpectBand(uint32_t slot, const Band& band, float fs)
    {
        EqBand ref;
        ref.Init(true);
        ref.SetType(band.type);
        ref.SetFreq(band.freq);
        ref.SetQ(band.q);
        ref.SetGain(band.gain);
        ref.SetSampleRate(fs);
        const uint32_t item = kBase + slot;
        EXPECT_EQ(Item(item), uint32_t(ref.shift)) << "slot " << slot;
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(Item(item + 1 + i), ParamWriter::ToFixed(ref.b[i])) << "slot " << slot << " b" << i;
        for (int i = 0; i < 2; ++i)
            EXPECT_EQ(Item(item + 6 + i), ParamWriter::ToFixed(ref.a[1 + i])) << "slot " << slot << " a" << i + 1;
        EXPECT_EQ(Item(item + 10), 1u) << "slot " << slot;
    }
    void PlantStale(std::initializer_list<uint32_t> indices)
    {
        for (uint32_t i : indices)
            unit.SetItem(kBase + i, kStale);
    }
    // How often each item was written by the polling thread since the log mark.
    std::map<uint32_t, size_t> Writes(size_t mark) const
    {
        std::map<uint32_t, size_t> n;
        const auto log = PollingLog();
        for (size_t t = mark; t < log.size(); ++t)
            for (const auto& p : log[t].pairs)
                ++n[p.item];
        return n;
    }

    RateListener listener;
    ParamWriter writer{kBase, kAmpSimBlockCount};
    std::unique_ptr<AmpSimPanel> panel{AmpSimPanel::Create(&writer, true)};
};

TEST_F(AmpSimPanelTest, FirstRateSendsEverythingAsTheControlsShowIt)
{
    // Model 0 with every tone control at 1 (g = 0), drive 0.
    ExpectBand(kAmpLowToneSlot, {EqBand::kBell, 82, 2, 7}, 44100);
    ExpectBand(kAmpMidToneSlot, {EqBand::kBell, 650, 6, -7}, 44100);
    ExpectBand(kAmpHighToneSlot, {EqBand::kAnalogBell, 4000, 0.6f, -12}, 44100);
    ExpectBand(kAmpLowPassSlot, {EqBand::kLowPass, 3000, 0.68f, 0}, 44100);
    ExpectBand(kAmpHighPassSlot, {EqBand::kHighPass, 40, 0.68f, 0}, 44100);
    EXPECT_EQ(Fixed(kBase + kAmpEnableIndex), 1.0);
    EXPECT_NEAR(Fixed(kBase + kAmpOutputLevelIndex), 0.5, 1e-9);
    EXPECT_EQ(Item(kBase + kAmpCurveCommitIndex), 1u);
    EXPECT_EQ(AmpSimPanel::GetEnableParameterIndex(0), AmpSimPanel::kEnable);
    EXPECT_EQ(AmpSimPanel::GetEnableParameterIndex(1), -1);
}

TEST_F(AmpSimPanelTest, EnableOutLevelAndToneControlsWriteTheirItems)
{
    const struct {
        int32_t index;
        float plain;
        uint32_t dsp;
        double value;
    } scalars[] = {
        {AmpSimPanel::kEnable, 0, kAmpEnableIndex, 0.0},      {AmpSimPanel::kEnable, 1, kAmpEnableIndex, 1.0},
        {AmpSimPanel::kOutLevel, -18, kAmpOutputLevelIndex, 0.062946},
        {AmpSimPanel::kOutLevel, -6, kAmpOutputLevelIndex, 0.250594},
        {AmpSimPanel::kOutLevel, 0, kAmpOutputLevelIndex, 0.5},
    };
    for (const auto& r : scalars) {
        PlantStale({r.dsp});
        panel->SetParameterValue(r.index, r.plain);
        ASSERT_TRUE(Flush());
        EXPECT_NEAR(Fixed(kBase + r.dsp), r.value, 1e-6) << r.index << " at " << r.plain;
    }
    const struct {
        int32_t index;
        float plain;
        uint32_t slot;
        Band band;
    } tones[] = {
        {AmpSimPanel::kLowGain, 10, kAmpLowToneSlot, {EqBand::kBell, 82, 2, 19}},
        {AmpSimPanel::kMidGain, 5.5f, kAmpMidToneSlot, {EqBand::kBell, 650, 6, -1}},
        {AmpSimPanel::kHighGain, 10, kAmpHighToneSlot, {EqBand::kAnalogBell, 4000, 0.6f, 12}},
        {AmpSimPanel::kLowGain, 1, kAmpLowToneSlot, {EqBand::kBell, 82, 2, 7}},
    };
    for (const auto& r : tones) {
        PlantStale({r.slot + 10});
        panel->SetParameterValue(r.index, r.plain);
        ASSERT_TRUE(Flush());
        ExpectBand(r.slot, r.band, 44100);
    }
}

TEST_F(AmpSimPanelTest, TypeSelectsAModelHeldToTheFourAndResendsItsFiltersAndCurve)
{
    panel->SetParameterValue(AmpSimPanel::kHighGain, 10);  // g = 1 on the high band
    const struct {
        float normalised;
        int model;
        Band low, mid, high, lowPass, highPass;
        float curveHalf;  // the curve at x = 0.5, drive 0
    } rows[] = {
        {0.5f, 1, {5, 180, 1.2f, 10}, {5, 650, 1.8f, -18}, {0, 2400, 0.8f, 18}, {3, 4000, 1, 0}, {4, 20, 1, 0},
         2.25f / 4.75f},
        {0.9f, 2, {5, 300, 0.8f, 10}, {5, 1500, 5, -17}, {0, 3200, 3.4f, 20}, {3, 5000, 1.2f, 0},
         {4, 50, 0.3f, 0}, 0.7f},
        {1.0f, 3, {5, 120, 1.2f, 12}, {5, 800, 2, -32}, {0, 3800, 0.4f, 18}, {3, 4000, 0.7f, 0},
         {4, 60, 0.7f, 0}, 0.8f},
        {-0.25f, 0, {5, 82, 2, 7}, {5, 650, 6, -7}, {0, 4000, 0.6f, 12}, {3, 3000, 0.68f, 0},
         {4, 40, 0.68f, 0}, float(std::tanh(0.4) * 0.7)},
        {1.5f, 3, {5, 120, 1.2f, 12}, {5, 800, 2, -32}, {0, 3800, 0.4f, 18}, {3, 4000, 0.7f, 0},
         {4, 60, 0.7f, 0}, 0.8f},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.normalised);
        PlantStale({kAmpLowToneSlot + 10, kAmpMidToneSlot + 10, kAmpHighToneSlot + 10, kAmpLowPassSlot + 10,
                    kAmpHighPassSlot + 10, kAmpCurveCommitIndex});
        panel->SetParameter(AmpSimPanel::kType, r.normalised);
        ASSERT_TRUE(Flush());
        EXPECT_EQ(panel->GetShaper().GetModelIndex(), r.model);
        ExpectBand(kAmpLowToneSlot, r.low, 44100);
        ExpectBand(kAmpMidToneSlot, r.mid, 44100);
        ExpectBand(kAmpHighToneSlot, r.high, 44100);
        ExpectBand(kAmpLowPassSlot, r.lowPass, 44100);
        ExpectBand(kAmpHighPassSlot, r.highPass, 44100);
        EXPECT_NEAR(Fixed(kBase + kAmpCurveFirstIndex + 96), r.curveHalf, 1e-6);
        EXPECT_EQ(Item(kBase + kAmpCurveCommitIndex), 1u);
    }
    // The same model again writes nothing; a value that is not a number counts as 0.
    panel->SetParameter(AmpSimPanel::kType, 0.99f);  // model 2
    ASSERT_TRUE(Flush());
    PlantStale({kAmpLowPassSlot + 10, kAmpCurveCommitIndex});
    panel->SetParameter(AmpSimPanel::kType, 0.7f);
    ASSERT_TRUE(Flush());
    EXPECT_EQ(Item(kBase + kAmpLowPassSlot + 10), kStale);
    EXPECT_EQ(Item(kBase + kAmpCurveCommitIndex), kStale);
    panel->GetParameterObject(AmpSimPanel::kType)->SetNormalisedValue(NAN);
    panel->GetSet()->NotifyObservers(AmpSimPanel::kType);
    ASSERT_TRUE(Flush());
    EXPECT_EQ(panel->GetShaper().GetModelIndex(), 0);
    EXPECT_EQ(Item(kBase + kAmpCurveCommitIndex), 1u);
}

TEST_F(AmpSimPanelTest, RateChangeResendsEnableLevelFiltersBandsAndCurve)
{
    for (float rate : {96000.0f, 48000.0f}) {
        SCOPED_TRACE(rate);
        PlantStale({kAmpEnableIndex, kAmpOutputLevelIndex, kAmpLowToneSlot + 10, kAmpMidToneSlot + 10,
                    kAmpHighToneSlot + 10, kAmpLowPassSlot + 10, kAmpHighPassSlot + 10, kAmpCurveCommitIndex});
        SetRate(rate);
        ASSERT_TRUE(Flush());
        EXPECT_EQ(Fixed(kBase + kAmpEnableIndex), 1.0);
        EXPECT_NEAR(Fixed(kBase + kAmpOutputLevelIndex), 0.5, 1e-9);
        ExpectBand(kAmpLowToneSlot, {EqBand::kBell, 82, 2, 7}, rate);
        ExpectBand(kAmpMidToneSlot, {EqBand::kBell, 650, 6, -7}, rate);
        ExpectBand(kAmpHighToneSlot, {EqBand::kAnalogBell, 4000, 0.6f, -12}, rate);
        ExpectBand(kAmpLowPassSlot, {EqBand::kLowPass, 3000, 0.68f, 0}, rate);
        ExpectBand(kAmpHighPassSlot, {EqBand::kHighPass, 40, 0.68f, 0}, rate);
        EXPECT_EQ(Item(kBase + kAmpCurveCommitIndex), 1u);
    }
}

TEST_F(AmpSimPanelTest, CurveGoesOutAsOneSetFromIdleAndOnlyAfterAChange)
{
    size_t mark = PollingLog().size();
    panel->Idle();
    panel->SetParameter(AmpSimPanel::kDrive, 0.25f);
    panel->SetParameter(AmpSimPanel::kDrive, 0.5f);
    ASSERT_TRUE(Flush());
    EXPECT_EQ(Writes(mark).count(kBase + kAmpCurveCommitIndex), 0u);  // nothing before the next idle call
    panel->Idle();
    panel->Idle();
    ASSERT_TRUE(Flush());
    auto writes = Writes(mark);
    EXPECT_EQ(writes[kBase + kAmpCurveCommitIndex], 1u);
    const double k = (200 * 0.25 + 2) * 0.4;  // model 0 at the normalised drive 0.5
    for (uint32_t i = 0; i < kAmpCurvePoints; ++i) {
        const double x = i / 64.0 - 1.0;
        const double y = std::max(-1.0, std::tanh(k * x) * (x > 0 ? 0.7 : 1.0));
        EXPECT_EQ(writes[kBase + kAmpCurveFirstIndex + i], 1u) << i;
        EXPECT_NEAR(Fixed(kBase + kAmpCurveFirstIndex + i), y, 1e-6) << i;
    }
    mark = PollingLog().size();
    panel->Idle();
    ASSERT_TRUE(Flush());
    EXPECT_TRUE(Writes(mark).empty());
}

TEST_F(AmpSimPanelTest, IdlePushesTheSimulatorsMeterWhileItsGroupIsEnabled)
{
    ParamWriter writer2{kAmpSim2BaseItem, kAmpSimBlockCount};
    std::unique_ptr<AmpSimPanel> panel2{AmpSimPanel::Create(&writer2, false)};
    MeterList* meters = hal->GetMeterList();
    unit.SetDemoMeters(false);
    unit.SetItem(1036, 65535);  // slot 16: full scale
    unit.SetItem(1037, 16384);  // slot 17: a quarter
    const struct {
        AmpSimPanel* panel;
        uint32_t group;
        int slot;
        bool enabled;
        float level;
    } rows[] = {{panel.get(), 6, 16, false, 0.0f}, {panel2.get(), 7, 17, true, 0.4444f},
                {panel.get(), 6, 16, true, 1.0f}};
    meters->SetMeter(16, 1.0f);  // not read while group 6 is off, and not shown either
    for (const auto& r : rows) {
        meters->SetEnabled(r.group, r.enabled);
        const float read = float(unit.GetItem(1020 + r.slot)) / 65535.0f;  // items 1036, 1037
        if (r.enabled) {
            ASSERT_TRUE(WaitFor([&] { return meters->Meter(r.slot) == read; }));
        }
        r.panel->Idle();
        auto* meter = dynamic_cast<flPPM*>(r.panel->GetPage()->GetView(2));
        ASSERT_NE(meter, nullptr);
        EXPECT_NEAR(meter->GetLevel(), r.level, 1e-3) << r.group;
    }
    // However often idle runs, the bar falls back by 0.9 per tick of the meter.
    auto* meter = static_cast<flPPM*>(panel->GetPage()->GetView(2));
    unit.SetItem(1036, 0);
    ASSERT_TRUE(WaitFor([&] { return meters->Meter(16) == 0.0f; }));
    for (float expected : {0.9f, 0.81f}) {
        meter->Broadcast(nullptr);
        for (int i = 0; i < 5; ++i)
            panel->Idle();
        EXPECT_NEAR(meter->GetLevel(), expected, 1e-5);
    }
}

}  // namespace
