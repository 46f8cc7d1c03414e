// Amp-simulator panels on the simulated unit: what each control, a model change, a rate change and
// the idle work (curve, meter) write.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>

#include "CtrlPanel/device/MeterList.h"
#include "CtrlPanel/device/WriterBlocks.h"
#include "CtrlPanel/effects/AmpSimPanel.h"
#include "PAL/Parameter.h"
#include "PAL/ParameterListener.h"
#include "PAL/ParameterSet.h"
#include "PAL/ViewLib/ControlPage.h"
#include "PAL/ViewLib/flPPM.h"
#include "PAL/WindowRecords.h"
#include "support/PanelHarness.h"

namespace {

constexpr uint32_t kStale = 0xDEADBEEF;  // planted in the unit; only a fresh write replaces it
constexpr uint32_t kBase = kAmpSim1BaseItem;
constexpr uint32_t kCommit = 10;  // a coefficient set's commit word, after its slot
// Low, mid and high tone band, low-pass, high-pass.
constexpr uint32_t kSlots[5] = {kAmpLowToneSlot, kAmpMidToneSlot, kAmpHighToneSlot, kAmpLowPassSlot,
                                kAmpHighPassSlot};

struct Band {
    int32_t type;
    float freq, q, gain;
};
using Filters = Band[5];  // in the order of kSlots
// Model 0 with every tone control at 1 (g = 0).
const Filters kModel0 = {{5, 82, 2, 7}, {5, 650, 6, -7}, {0, 4000, 0.6f, -12}, {3, 3000, 0.68f, 0}, {4, 40, 0.68f, 0}};

class RateListener : public ParameterListener {
public:
    float GetSampleRate() override { return rate; }
    void ParameterChanged(int32_t) override {}
    float rate = 44100.0f;
};

class AmpSimPanelTest : public PanelHarness {
protected:
    void SetUp() override
    {
        PanelHarness::SetUp();
        panel->SetListener(&listener);
        Attach(&writer);
        SetRate(44100.0f);
    }
    void SetRate(float rate)
    {
        listener.rate = rate;
        panel->SetSampleRate(rate);
        ASSERT_TRUE(Flush());
    }
    void Plant(std::initializer_list<uint32_t> indices)
    {
        for (uint32_t i : indices)
            unit.SetItem(kBase + i, kStale);
    }
    void PlantEverySet() { Plant({21 + kCommit, 41 + kCommit, 61 + kCommit, 81 + kCommit, 101 + kCommit, 249}); }
    // Each slot holds its band's design at fs (a reference design of the same settings), committed.
    void ExpectFilters(const Filters& bands, float fs)
    {
        for (int f = 0; f < 5; ++f) {
            EqBand ref;
            ref.Init(true);
            ref.SetType(bands[f].type);
            ref.SetFreq(bands[f].freq);
            ref.SetQ(bands[f].q);
            ref.SetGain(bands[f].gain);
            ref.SetSampleRate(fs);
            const uint32_t item = kBase + kSlots[f];
            const uint32_t expected[] = {uint32_t(ref.shift), ParamWriter::ToFixed(ref.b[0]),
                                         ParamWriter::ToFixed(ref.b[1]), ParamWriter::ToFixed(ref.b[2]),
                                         ParamWriter::ToFixed(ref.a[1]), ParamWriter::ToFixed(ref.a[2]), 1};
            const uint32_t offsets[] = {0, 1, 2, 3, 6, 7, kCommit};
            for (int i = 0; i < 7; ++i)
                EXPECT_EQ(Item(item + offsets[i]), expected[i]) << "slot " << kSlots[f] << " +" << offsets[i];
        }
    }
    // How often the polling thread wrote each item in a block write since the log mark.
    std::map<uint32_t, size_t> Writes(size_t mark) const
    {
        std::map<uint32_t, size_t> n;
        const auto log = PollingLog();
        for (size_t t = mark; t < log.size(); ++t)
            if (log[t].kind == SimXfer::WriteBlock)
                for (const auto& p : log[t].pairs)
                    ++n[p.item];
        return n;
    }

    RateListener listener;
    ParamWriter writer{kBase, kAmpSimBlockCount};
    std::unique_ptr<AmpSimPanel> panel{AmpSimPanel::Create(&writer, true)};
};

// The bands were set up at construction as the controls show them, so every rate sends them whole.
TEST_F(AmpSimPanelTest, EveryRateResendsEnableLevelFiltersBandsAndCurve)
{
    for (float rate : {44100.0f, 96000.0f}) {
        PlantEverySet();
        Plant({kAmpEnableIndex, kAmpOutputLevelIndex});
        SetRate(rate);
        ExpectFilters(kModel0, rate);
        EXPECT_EQ(Fixed(kBase + kAmpEnableIndex), 1.0);
        EXPECT_NEAR(Fixed(kBase + kAmpOutputLevelIndex), 0.5, 1e-9);
        EXPECT_EQ(Item(kBase + kAmpCurveCommitIndex), 1u);
    }
    EXPECT_EQ(AmpSimPanel::GetEnableParameterIndex(0), AmpSimPanel::kEnable);
    EXPECT_EQ(AmpSimPanel::GetEnableParameterIndex(1), -1);
}

TEST_F(AmpSimPanelTest, EnableOutLevelAndToneControlsWriteTheirItems)
{
    const struct {
        int32_t index;
        float plain;
        uint32_t dsp;  // a tone row checks every filter slot instead
        double value;
        int band;
        float gain;
    } rows[] = {
        {AmpSimPanel::kEnable, 0, kAmpEnableIndex, 0.0, -1, 0},
        {AmpSimPanel::kEnable, 1, kAmpEnableIndex, 1.0, -1, 0},
        {AmpSimPanel::kOutLevel, -18, kAmpOutputLevelIndex, 0.062946, -1, 0},
        {AmpSimPanel::kOutLevel, -6, kAmpOutputLevelIndex, 0.250594, -1, 0},
        {AmpSimPanel::kLowGain, 10, kAmpLowToneSlot + kCommit, 0, 0, 19},  // g = 1
        {AmpSimPanel::kMidGain, 5.5f, kAmpMidToneSlot + kCommit, 0, 1, -1},
        {AmpSimPanel::kHighGain, 10, kAmpHighToneSlot + kCommit, 0, 2, 12},
    };
    Filters bands;
    std::copy(std::begin(kModel0), std::end(kModel0), bands);
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << "parameter " << r.index << " at " << r.plain);
        Plant({r.dsp});
        panel->SetParameterValue(r.index, r.plain);
        ASSERT_TRUE(Flush());
        if (r.band < 0) {
            EXPECT_NEAR(Fixed(kBase + r.dsp), r.value, 1e-6);
        } else {
            bands[r.band].gain = r.gain;
            ExpectFilters(bands, 44100.0f);
        }
    }
}

TEST_F(AmpSimPanelTest, TypeSelectsAModelHeldToTheFourAndResendsItsFiltersAndCurve)
{
    const struct {
        float normalised;
        int model;
        Filters bands;
        float curveHalf;  // the curve at x = 0.5, drive 0
    } rows[] = {
        {0.5f, 1, {{5, 180, 1.2f, 10}, {5, 650, 1.8f, -18}, {0, 2400, 0.8f, 6}, {3, 4000, 1, 0}, {4, 20, 1, 0}},
         2.25f / 4.75f},
        {0.9f, 2, {{5, 300, 0.8f, 10}, {5, 1500, 5, -17}, {0, 3200, 3.4f, 10}, {3, 5000, 1.2f, 0}, {4, 50, 0.3f, 0}},
         0.7f},
        {1.5f, 3, {{5, 120, 1.2f, 12}, {5, 800, 2, -32}, {0, 3800, 0.4f, 12}, {3, 4000, 0.7f, 0}, {4, 60, 0.7f, 0}},
         0.8f},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.normalised);
        PlantEverySet();
        panel->SetParameter(AmpSimPanel::kType, r.normalised);
        ASSERT_TRUE(Flush());
        EXPECT_EQ(panel->GetShaper().GetModelIndex(), r.model);
        ExpectFilters(r.bands, 44100.0f);
        EXPECT_NEAR(Fixed(kBase + kAmpCurveFirstIndex + 96), r.curveHalf, 1e-6);
    }
    // The same model again writes nothing; a value that is not a number counts as 0.
    panel->SetParameter(AmpSimPanel::kType, 0.99f);
    ASSERT_TRUE(Flush());
    PlantEverySet();
    panel->SetParameter(AmpSimPanel::kType, 0.7f);
    ASSERT_TRUE(Flush());
    EXPECT_EQ(Item(kBase + kAmpCurveCommitIndex), kStale);
    panel->GetParameterObject(AmpSimPanel::kType)->SetNormalisedValue(NAN);
    panel->GetSet()->NotifyObservers(AmpSimPanel::kType);
    ASSERT_TRUE(Flush());
    EXPECT_EQ(panel->GetShaper().GetModelIndex(), 0);
    ExpectFilters(kModel0, 44100.0f);
}

TEST_F(AmpSimPanelTest, CurveGoesOutFromIdleAsOneSetAndOnlyAfterAChange)
{
    size_t mark = PollingLog().size();
    panel->Idle();
    panel->SetParameter(AmpSimPanel::kDrive, 0.25f);
    panel->SetParameter(AmpSimPanel::kDrive, 0.5f);
    ASSERT_TRUE(Flush());
    EXPECT_TRUE(Writes(mark).empty());
    panel->Idle();
    panel->Idle();
    ASSERT_TRUE(Flush());
    auto writes = Writes(mark);
    EXPECT_EQ(writes.size(), kAmpCurvePoints + 1);
    EXPECT_EQ(writes[kBase + kAmpCurveCommitIndex], 1u);
    const double k = (200 * 0.25 + 2) * 0.4;  // model 0 at the normalised drive 0.5
    for (uint32_t i = 0; i < kAmpCurvePoints; ++i) {
        const double x = i / 64.0 - 1.0;
        EXPECT_EQ(writes[kBase + kAmpCurveFirstIndex + i], 1u) << i;
        EXPECT_NEAR(Fixed(kBase + kAmpCurveFirstIndex + i), std::tanh(k * x) * (x > 0 ? 0.7 : 1.0), 1e-6) << i;
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
    unit.SetItem(1036, 65535);  // slot 16, full scale
    unit.SetItem(1037, 16384);  // slot 17, a quarter
    meters->SetMeter(16, 1.0f);  // neither read nor shown while group 6 is off
    const struct {
        AmpSimPanel* panel;
        uint32_t group;
        bool enabled;
        float level;
    } rows[] = {{panel.get(), 6, false, 0.0f}, {panel2.get(), 7, true, 0.4444f}, {panel.get(), 6, true, 1.0f}};
    for (const auto& r : rows) {
        meters->SetEnabled(r.group, r.enabled);
        const int slot = int(r.group) + 10;
        const float read = float(unit.GetItem(1020 + slot)) / 65535.0f;
        ASSERT_TRUE(!r.enabled || WaitFor([&] { return meters->Meter(slot) == read; }));
        r.panel->Idle();
        auto* meter = dynamic_cast<flPPM*>(r.panel->GetPage()->GetView(AmpSimRecords::kMeter));
        ASSERT_NE(meter, nullptr);
        EXPECT_NEAR(meter->GetLevel(), r.level, 1e-3) << r.group;
    }
    // However often idle runs, the bar falls back by 0.9 per tick of the meter.
    auto* meter = static_cast<flPPM*>(panel->GetPage()->GetView(AmpSimRecords::kMeter));
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
